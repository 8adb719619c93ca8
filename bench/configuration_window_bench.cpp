// Opening a configuration of ten completed situations with "Superposer les courbes" ticked,
// offscreen: from a click on "OUVRIR" to the main window redrawn with the ten curves.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "bench/benchwindow.h"
#include "configuration/configurationfile.h"
#include "windows/configuration/opendialog.h"

namespace {

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// Ten titrations poured to the end: acids and bases, weak and strong, each with an indicator.
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
        s.beakerVolumeText = i < 5 ? "20,0" : "15,0";
        s.waterVolumeText = i < 5 ? "0,0" : "10,0";
    }
    return file;
}

void BM_OpenTenCompletedSituations(benchmark::State& state) {
    BenchWindow fixture;
    QTemporaryDir& folder = fixture.folder;
    workbench::MainWindow& window = fixture.window;
    platform::ScriptedMessageBoxes& boxes = fixture.boxes;
    const QString path = folder.filePath(QStringLiteral("dix.C13"));
    if (!configuration::saveConfigurationFile(path.toStdString(), tenCompletedSituations())) {
        state.SkipWithError("the configuration cannot be written");
        return;
    }
    window.show();
    settle();
    for (auto _ : state) {
        state.PauseTiming();
        configurationwindow::OpenDialog* dialog =
            configurationwindow::openOpenDialog(window.document(), boxes, &window);
        dialog->findChild<QLineEdit*>(QStringLiteral("ficharge"))->setText(path);
        QPushButton* openButton = dialog->findChild<QPushButton*>(QStringLiteral("Command1"));
        settle();
        state.ResumeTiming();
        openButton->click();
        window.repaint();
        state.PauseTiming();
        settle();
        state.ResumeTiming();
    }
    if (!boxes.calls().empty()) state.SkipWithError("a message was shown");
    int completed = 0;
    for (const auto& s : window.workbench().state().situations.records) completed += s.completed ? 1 : 0;
    if (completed != 10 || !window.workbench().state().switches.superposeCurves)
        state.SkipWithError("not loaded");
}

BENCHMARK(BM_OpenTenCompletedSituations)->Unit(benchmark::kMillisecond);

}  // namespace
