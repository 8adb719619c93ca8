// One run of the main window for the kill test, keeping its recovery copy in <folder>.
// "work <folder>": finishes a titration in situation 3, sets up one in situation 1, pours 12,5 mL,
// types three measurements and writes into an exercise's statement; once the copy is written it
// prints what the window shows, then "prêt", and waits to be killed.
// "restore <folder>": answers "Restaurer" to the question at start-up, then prints the question
// and what the window shows. A message box it did not expect fails the run. It writes UTF-8,
// with the system's line ends.
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/fonts.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/richtextbox.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"
#include "workbench/recoverykeeper.h"

namespace {

using workbench::MainWindow;

// Everything the window shows of the work: situations, panel, readings, table, graph marks,
// measurements, the text area and what it belongs to.
QString shown(MainWindow& window) {
    const state::BenchState& b = window.workbench().state();
    QStringList lines;
    for (const chemistry::Situation& s : b.situations.records) {
        QString line = QStringLiteral("%1 %2 %3 %4")
                           .arg(s.completed)
                           .arg(s.speciesIndex)
                           .arg(s.beakerIsAcid)
                           .arg(s.indicatorIndex);
        for (const std::string& text : {s.beakerConcentrationText, s.titrantConcentrationText,
                                        s.beakerVolumeText, s.pouredVolumeText, s.otherPKaText})
            line += QLatin1Char(' ') + QString::fromStdString(text);
        lines << line;
    }
    lines << QString::number(b.situations.current);
    for (int f = 0; f <= 7; ++f) lines << window.workbench().fieldText(static_cast<state::Field>(f));
    lines << QString::fromStdString(b.readings.pH + " | " + b.readings.pouredVolume + "\n" +
                                    b.rows.contentsText());
    for (const state::GraphMark& mark : b.graph.marks())
        lines << QStringLiteral("mark %1 %2").arg(mark.volume).arg(mark.value);
    lines << QStringLiteral("curves %1").arg(b.graph.curves().size());
    for (const auto& points : b.lab.points)
        for (const auto& p : points)
            lines << QStringLiteral("measured %1 %2").arg(p.volume).arg(testing_points::pHOf(p));
    workbench::ExerciseSession& session = window.exerciseSession();
    lines << session.name() << QString::number(session.isModified()) << window.windowTitle()
          << session.text().plainText() << QString::fromLatin1(session.text().textRtf());
    return lines.join('\n');
}

void work(MainWindow& window) {
    workbench::BenchController& bench = window.workbench();
    const auto choose = [&window](int situation) {
        window.findChild<QRadioButton*>(QStringLiteral("Option2(%1)").arg(situation))->click();
    };
    choose(2);
    bench.perform(state::chooseNature, false);
    bench.perform(state::chooseSolute, 3);
    bench.perform(state::quickTrace);
    choose(0);
    bench.perform(state::chooseSolute, 4);  // acide éthanoïque
    bench.setFieldText(state::Field::BeakerConcentration, QStringLiteral("0,012"));
    bench.validateField(state::Field::BeakerConcentration);
    bench.perform(
        state::setMeasurements,
        state::MeasuredPoints(testing_points::labPoints({{2, 3.9, 0}, {6.5, 4.6, 0}, {10, 5.1, 0}})));
    bench.pressTap(workbench::Input::Mouse);
    for (int tick = 0; tick < 125; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);

    workbench::ExerciseSession& session = window.exerciseSession();
    session.text().setRtf(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 {\\b \\'c9nonc\\'e9 :} doser "
        "l'acide \\'e9thano\\'efque.\\par}");
    session.setFolder(QStringLiteral("/exercices/"));
    session.setName(QStringLiteral("/exercices/ethanoique.E36"));
    session.setModified(false);
    session.text().moveCursor(QTextCursor::End);
    // Typed as a keyboard types, accents included.
    for (const QChar c : QStringLiteral(" Réponse : c = 0,012 mol/L")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&session.text(), &press);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::installFontSubstitutes();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 || (arguments[1] != "work" && arguments[1] != "restore")) {
        std::fprintf(stderr, "usage: recoverykill work|restore <folder>\n");
        return 2;
    }
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    QTemporaryDir data;
    MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, data.path(), {}, nullptr, arguments[2]});
    workbench::RecoveryKeeper* keeper = window.recovery();
    keeper->setDelay(50);
    if (arguments[1] == "restore") {
        boxes.queueAnswer(platform::MessageAnswer::Restore);
        window.offerRecovery();
        for (const auto& call : boxes.calls())
            std::printf("%s | %s\n", call.title.toUtf8().constData(), call.text.toUtf8().constData());
        std::printf("%s\n", shown(window).toUtf8().constData());
        return boxes.hasFailures() || boxes.calls().size() != 1 ? 1 : 0;
    }
    work(window);
    QObject::connect(keeper, &workbench::RecoveryKeeper::copyWritten, &window, [&](bool written) {
        if (!written || keeper->pending()) return;
        if (boxes.hasFailures()) {
            std::fprintf(stderr, "%s\n", qPrintable(boxes.failures().join('\n')));
            QCoreApplication::exit(1);
            return;
        }
        std::printf("%s\nprêt\n", shown(window).toUtf8().constData());
        std::fflush(stdout);
    });
    return QApplication::exec();
}
