#include "configurationscript.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QStringList>

#include "state/actions.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace configurationscript {

using workbench::BenchController;

namespace {

void choose(workbench::MainWindow& window, int situation) {
    window.findChild<QRadioButton*>(QStringLiteral("Option2(%1)").arg(situation))->click();
}

void type(BenchController& bench, state::Field field, const QString& text) {
    bench.setFieldText(field, text);
    bench.validateField(field);
}

void tick(workbench::MainWindow& window, const char* name, bool ticked) {
    // The boxes are on the options page, which the window builds when it is first opened.
    window.findChild<workbench::TabStrip*>()->page(workbench::TabPage::Options);
    auto* box = window.findChild<QCheckBox*>(QString::fromLatin1(name));
    if (box->isChecked() != ticked) box->click();
}

}  // namespace

void setUpTenSituations(workbench::MainWindow& window) {
    BenchController& bench = window.workbench();
    for (int i = 0; i < 10; ++i) {
        choose(window, i);
        bench.perform(state::chooseNature, i % 3 != 2);
        bench.perform(state::chooseSolute, i % 5);
        bench.perform(state::chooseIndicator, i);
        type(bench, state::Field::BeakerConcentration, QStringLiteral("0,0%1").arg(i + 1));
        type(bench, state::Field::TitrantConcentration, QStringLiteral("0,0%1").arg(10 - i));
        type(bench, state::Field::BeakerVolume, QStringLiteral("%1,0").arg(20 + i));
        type(bench, state::Field::WaterVolume, QStringLiteral("%1,5").arg(i));
        if (i == 4) bench.perform(state::showApparatusPart, state::ApparatusPart::PhMeter, false);
        if (i == 7) bench.perform(state::showApparatusPart, state::ApparatusPart::Burette, false);
        if (i % 2 == 0) bench.perform(state::quickTrace);  // "Trace rapide": 25 mL
        if (i == 3) type(bench, state::Field::PouredVolume, QStringLiteral("12,5"));
    }
    tick(window, "Check1", true);
    tick(window, "Check2", true);
    choose(window, 0);
}

void changeEverything(workbench::MainWindow& window) {
    BenchController& bench = window.workbench();
    for (int i = 0; i < 10; ++i) {
        choose(window, i);
        bench.perform(state::resetToZero);  // back to 0 mL: no longer completed
        bench.perform(state::chooseNature, false);
        bench.perform(state::chooseIndicator, 9 - i);
        type(bench, state::Field::BeakerVolume, QStringLiteral("150,0"));
        bench.perform(state::showApparatusPart, state::ApparatusPart::Burette, true);
        bench.perform(state::showApparatusPart, state::ApparatusPart::PhMeter, true);
    }
    tick(window, "Check1", false);
    tick(window, "Check2", false);
}

QString describe(workbench::MainWindow& window) {
    const BenchController& bench = window.workbench();
    const auto number = [](int value) { return QString::number(value); };
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    QStringList lines{QStringLiteral("Check1=%1 Check2=%2 current=%3")
                          .arg(number(bench.state().switches.superposeCurves),
                               number(bench.state().switches.boldStrokes),
                               number(bench.state().situations.current))};
    for (const auto& s : bench.state().situations.records) {
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
