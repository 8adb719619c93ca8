#include "configurationscript.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QStringList>

#include "workbench/mainwindow.h"

namespace configurationscript {

using workbench::Workbench;

namespace {

void choose(workbench::MainWindow& window, int situation) {
    window.findChild<QRadioButton*>(QStringLiteral("Option2(%1)").arg(situation))->click();
}

void type(Workbench& bench, int field, const QString& text) {
    bench.setFieldText(field, text);
    bench.Text1_LostFocus(field);
}

void tick(workbench::MainWindow& window, const char* name, bool ticked) {
    auto* box = window.findChild<QCheckBox*>(QString::fromLatin1(name));
    if (box->isChecked() != ticked) box->click();
}

}  // namespace

void setUpTenSituations(workbench::MainWindow& window) {
    Workbench& bench = window.workbench();
    for (int i = 0; i < 10; ++i) {
        choose(window, i);
        bench.Option1_Click(i % 3 == 2 ? 1 : 0);
        bench.lbecher_Click(i % 5);
        bench.lindic_Click(i);
        type(bench, workbench::BeakerConcentration, QStringLiteral("0,0%1").arg(i + 1));
        type(bench, workbench::TitrantConcentration, QStringLiteral("0,0%1").arg(10 - i));
        type(bench, workbench::BeakerVolume, QStringLiteral("%1,0").arg(20 + i));
        type(bench, workbench::WaterVolume, QStringLiteral("%1,5").arg(i));
        if (i == 4) bench.optscema_Click(1, false);
        if (i == 7) bench.optscema_Click(0, false);
        if (i % 2 == 0) bench.burette().Command13_Click();  // "Trace rapide": 25 mL
        if (i == 3) type(bench, workbench::PouredVolume, QStringLiteral("12,5"));
    }
    tick(window, "Check1", true);
    tick(window, "Check2", true);
    choose(window, 0);
}

void changeEverything(workbench::MainWindow& window) {
    Workbench& bench = window.workbench();
    for (int i = 0; i < 10; ++i) {
        choose(window, i);
        bench.burette().Command14_Click();  // back to 0 mL: no longer completed
        bench.Option1_Click(1);
        bench.lindic_Click(9 - i);
        type(bench, workbench::BeakerVolume, QStringLiteral("150,0"));
        bench.optscema_Click(0, true);
        bench.optscema_Click(1, true);
    }
    tick(window, "Check1", false);
    tick(window, "Check2", false);
}

QString describe(workbench::MainWindow& window) {
    const Workbench& bench = window.workbench();
    const auto number = [](int value) { return QString::number(value); };
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    QStringList lines{QStringLiteral("Check1=%1 Check2=%2 current=%3")
                          .arg(number(bench.superposeCurves()), number(bench.boldStrokes()),
                               number(bench.currentSituation()))};
    for (const auto& s : bench.situations()) {
        const QStringList fields{number(s.completed),
                                 text(s.otherPKaText),
                                 text(s.titrantConcentrationText),
                                 text(s.pouredVolumeText),
                                 text(s.beakerConcentrationText),
                                 text(s.beakerVolumeText),
                                 text(s.waterVolumeText),
                                 number(s.reservedInteger),
                                 number(s.speciesIndex),
                                 number(s.indicatorIndex),
                                 number(s.reservedFlag),
                                 number(s.beakerIsAcid),
                                 number(s.showBurette),
                                 number(s.showPhMeter),
                                 number(s.concentrationMasked)};
        lines << fields.join(QLatin1Char('|'));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace configurationscript
