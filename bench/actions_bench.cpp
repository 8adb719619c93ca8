// Every action of the main window, offscreen, as the pupil starts it: from the click or key press
// to the frame painted. A window the action opens counts once it is painted; it is closed again,
// untimed. The aim is one frame, 16 ms, for each.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>

#include "app/commands.h"
#include "configuration/configurationfile.h"
#include "platform/countingbeeper.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "workbench/document.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// What the event left pending is handled and the window painted whole: the next frame.
void paintFrame(QWidget& window) {
    QCoreApplication::sendPostedEvents();
    window.repaint();
}

// Ten titrations poured to the end and shown superposed: acids and bases, weak and strong.
configuration::ConfigurationFile tenCompletedSituations() {
    configuration::ConfigurationFile file;
    file.superposeCurves = true;
    for (int i = 0; i < 10; ++i) {
        chemistry::Situation& s = file.situations[static_cast<std::size_t>(i)];
        s.completed = true;
        s.pouredVolumeText = "25,0";
        s.beakerIsAcid = i % 2 == 0;
        s.speciesIndex = static_cast<std::int16_t>(i + 1);
        s.indicatorIndex = static_cast<std::int16_t>(i);
    }
    return file;
}

// The program's main window with its command bar wired, its help beside it, shown.
struct ActionWindow {
    ActionWindow() {
        const QDir help(QStringLiteral(VIRELTRA_DATA_DIR_BUILD "/help"));
        QDir(folder.path()).mkpath(QStringLiteral("help"));
        for (const QString& name : help.entryList(QDir::Files))
            QFile::copy(help.filePath(name), QDir(folder.filePath(QStringLiteral("help"))).filePath(name));
        connectCommands(window, run, beeper);
        window.show();
        settle();
    }
    template <typename T>
    T* child(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    void showTab(int tab) {
        tabs->selectTab(tab);
        settle();
    }

    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    platform::CountingBeeper beeper;
    RunState run;
    workbench::MainWindow window{
        workbench::Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}}};
    workbench::BenchController& bench = window.workbench();
    workbench::TabStrip* tabs = window.findChild<workbench::TabStrip*>();
};

// Runs `act` once per iteration after the untimed `prepare`, and times it up to the painted frame.
void timeAction(benchmark::State& state, ActionWindow& w, const std::function<void()>& prepare,
                const std::function<void()>& act) {
    for (auto _ : state) {
        prepare();
        settle();
        const Clock::time_point start = Clock::now();
        act();
        paintFrame(w.window);
        state.SetIterationTime(secondsSince(start));
    }
    if (!w.boxes.calls().empty()) state.SkipWithError("a message box was shown");
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The window a command opens, modal or not: the one shown over the main window.
QWidget* openedWindow(const QWidget& main) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top != &main && top->isVisible() && !top->inherits("QMenu")) return top;
    }
    return nullptr;
}

// A command button that opens a window: timed from the click to the opened window painted. A
// modal window runs its own loop inside the click; it is painted and closed from there.
void timeOpening(benchmark::State& state, const char* button, int messageAnswers = 0) {
    ActionWindow w;
    QAbstractButton* command = w.child<QAbstractButton>(button);
    if (command == nullptr || !command->isEnabled()) {
        state.SkipWithError("no such command");
        return;
    }
    QString openedName;
    for (auto _ : state) {
        for (int i = 0; i < messageAnswers; ++i) w.boxes.queueAnswer(platform::MessageAnswer::Cancel);
        settle();
        double elapsed = -1;
        const Clock::time_point start = Clock::now();
        const auto paintOpened = [&] {
            QWidget* opened = openedWindow(w.window);
            if (opened == nullptr || elapsed >= 0) return;
            opened->repaint();
            elapsed = secondsSince(start);
            openedName = QString::fromLatin1(opened->metaObject()->className());
            opened->close();
        };
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, paintOpened);
        timer.start(0);
        click(command);
        // A window that is not modal is open once the click returns.
        paintOpened();
        if (elapsed < 0) {
            // Nothing opened: the answer given, the main window painted again.
            paintFrame(w.window);
            elapsed = secondsSince(start);
        }
        state.SetIterationTime(elapsed);
        settle();
    }
    // Which window the command opened, beside its time.
    state.SetLabel(openedName.isEmpty() ? "none" : openedName.toStdString());
}

void BM_CommandOpen(benchmark::State& state) {
    timeOpening(state, "Command2");
}
void BM_CommandSave(benchmark::State& state) {
    timeOpening(state, "Command11");
}
void BM_CommandCopy(benchmark::State& state) {
    timeOpening(state, "Command4");
}
void BM_CommandPrint(benchmark::State& state) {
    timeOpening(state, "Command10");
}
void BM_CommandCalculator(benchmark::State& state) {
    timeOpening(state, "Command8");
}
void BM_CommandHelp(benchmark::State& state) {
    timeOpening(state, "Command7");
}
// "Quitter vraiment Vireltra ?" answered Cancel.
void BM_CommandClose(benchmark::State& state) {
    timeOpening(state, "Command1", 1);
}
void BM_CommandExercises(benchmark::State& state) {
    timeOpening(state, "btexo");
}
BENCHMARK(BM_CommandOpen)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandSave)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandCopy)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandPrint)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandCalculator)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandHelp)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandClose)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommandExercises)->UseManualTime()->Unit(benchmark::kMillisecond);

// A click on a tab's title, from another tab, after a finished titration; the first click builds
// the page, later ones show it again.
void BM_Tab(benchmark::State& state) {
    const int tab = static_cast<int>(state.range(0));
    ActionWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.bench.perform(state::quickTrace);
    const auto& edges = w.tabs->tabEdges();
    const QPoint title((edges[static_cast<std::size_t>(tab - 1)] + edges[static_cast<std::size_t>(tab)]) / 2,
                       5);
    timeAction(
        state, w, [&] { w.tabs->selectTab(tab == 1 ? 2 : 1); },
        [&] { QTest::mouseClick(w.tabs, Qt::LeftButton, {}, title); });
    if (w.tabs->currentTab() != tab) state.SkipWithError("the tab was not chosen");
}
BENCHMARK(BM_Tab)->DenseRange(1, 5)->UseManualTime()->Unit(benchmark::kMillisecond);

// A tool of the graph page, shown after a finished titration of "acide éthanoïque"; `prepare`
// puts the graph back where the tool acts.
void timeGraphTool(benchmark::State& state, const char* tool,
                   const std::function<void(ActionWindow&)>& prepare) {
    ActionWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.bench.perform(state::quickTrace);
    w.showTab(2);
    QAbstractButton* button = w.child<QAbstractButton>(tool);
    if (button == nullptr || !button->isEnabled()) {
        state.SkipWithError("the tool is not enabled");
        return;
    }
    timeAction(
        state, w, [&] { prepare(w); }, [&] { click(button); });
}

void restore(ActionWindow& w) {
    w.bench.perform(state::restoreGraph);
}

void BM_GraphDerivative(benchmark::State& state) {
    timeGraphTool(state, "Image5", restore);
}
void BM_GraphTangents(benchmark::State& state) {
    timeGraphTool(state, "Image4", restore);
}
void BM_GraphDistribution(benchmark::State& state) {
    timeGraphTool(state, "Command3", restore);
}
void BM_GraphRestore(benchmark::State& state) {
    timeGraphTool(state, "Command9", [](ActionWindow& w) { w.bench.perform(state::drawDerivative); });
}
void BM_GraphErase(benchmark::State& state) {
    timeGraphTool(state, "Command12", restore);
}
BENCHMARK(BM_GraphDerivative)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphTangents)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphDistribution)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphRestore)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GraphErase)->UseManualTime()->Unit(benchmark::kMillisecond);

// The beaker's concentration typed, then validated with Enter.
void BM_FieldValidated(benchmark::State& state) {
    ActionWindow w;
    auto* field = w.child<QLineEdit>("Text1(0)");
    bool other = false;
    timeAction(
        state, w,
        [&] {
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, other ? QStringLiteral("0,02") : QStringLiteral("0,03"));
            other = !other;
        },
        [&] { QTest::keyClick(field, Qt::Key_Return); });
}
BENCHMARK(BM_FieldValidated)->UseManualTime()->Unit(benchmark::kMillisecond);

// The die: a random concentration drawn.
void BM_Die(benchmark::State& state) {
    ActionWindow w;
    QAbstractButton* die = w.child<QAbstractButton>("Command5");
    timeAction(
        state, w, [] {}, [&] { click(die); });
}
BENCHMARK(BM_Die)->UseManualTime()->Unit(benchmark::kMillisecond);

// Another situation chosen while the graph shows ten completed situations superposed.
void BM_SituationSwitchedOverTenCurves(benchmark::State& state) {
    ActionWindow w;
    w.window.document().applyConfiguration(w.folder.filePath(QStringLiteral("dix.C13")),
                                           tenCompletedSituations());
    w.showTab(2);
    int next = 0;
    timeAction(
        state, w, [] {},
        [&] {
            next = (next + 1) % 10;
            click(w.child<QRadioButton>(QStringLiteral("Option2(%1)").arg(next).toLatin1().constData()));
        });
    if (w.bench.state().situations.current != next) state.SkipWithError("the situation was not chosen");
}
BENCHMARK(BM_SituationSwitchedOverTenCurves)->UseManualTime()->Unit(benchmark::kMillisecond);

// A tick of pouring with the graph shown: 0.1 mL poured, readings, beaker, marks and rows, and
// the frame. The tap's timer is left closed, so that it pours nothing between two ticks; the
// burette is refilled, untimed, before it empties.
void timePouring(benchmark::State& state, bool bothMeters) {
    ActionWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.bench.perform(state::chooseIndicator, 3);
    if (bothMeters) {
        w.bench.perform(state::showConductimeter, true);
        w.bench.perform(state::showConductivityGraph, true);
    }
    w.showTab(2);
    timeAction(
        state, w,
        [&] {
            if (state::fieldValue(w.bench.state(), state::Field::PouredVolume) >= 24.9)
                w.bench.perform(state::resetToZero);
        },
        [&] { w.bench.perform(state::pourTick); });
}

void BM_PouringTickShown(benchmark::State& state) {
    timePouring(state, false);
}
BENCHMARK(BM_PouringTickShown)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same with the conductimeter beside the pH-meter and σ = f(V) on the graph.
void BM_PouringTickShownBothMeters(benchmark::State& state) {
    timePouring(state, true);
}
BENCHMARK(BM_PouringTickShownBothMeters)->UseManualTime()->Unit(benchmark::kMillisecond);

// "Trace rapide" clicked with the graph shown, from 0 mL.
void BM_QuickTraceClicked(benchmark::State& state) {
    ActionWindow w;
    w.bench.perform(state::chooseSolute, 4);
    w.showTab(2);
    QAbstractButton* button = w.child<QAbstractButton>("Command13");
    timeAction(
        state, w, [&] { w.bench.perform(state::resetToZero); }, [&] { click(button); });
}
BENCHMARK(BM_QuickTraceClicked)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
