// Pictures of the help page on precipitation titrations: the beaker's page of chloride titrated by
// silver nitrate with Mohr's chromate, the beaker turned red-brown just past the equivalence, then
// iodide and chloride together followed by the silver electrode, with their two jumps of E.
#include <QApplication>
#include <QDir>

#include "state/actions.h"
#include "state/conductimetry.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

namespace {

// Sodium chloride and potassium iodide in the beaker's list.
constexpr int kChloride = 0;
constexpr int kIodide = 2;

void setField(workbench::BenchController& bench, state::Field field, const char* text) {
    bench.perform(state::setFieldText, field, std::string(text));
    bench.perform(state::validateField, field);
}

}  // namespace

int precipitationPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    auto* tabs = window.findChild<workbench::TabStrip*>();

    // 20 mL of sodium chloride at 0,01 mol/L by silver nitrate at 0,01 mol/L, with the chromate at
    // 5 × 10⁻³ mol/L: the equivalence at 20 mL.
    bench.perform(state::chooseTitrationKind, chemistry::TitrationKind::Precipitation);
    bench.perform(state::choosePrecipitationSalt, kChloride);
    bench.perform(state::showConductimeter, true);
    tabs->selectTab(1);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("precipitation-panneau.png")));

    // A little past the equivalence: the red-brown silver chromate over the white cloud.
    bench.perform(state::pressTap);
    for (int tick = 0; tick < 202; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);
    tabs->selectTab(3);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("precipitation-mohr.png")));

    // Iodide and chloride at 5 × 10⁻³ mol/L each, followed by the silver electrode against the
    // saturated calomel electrode: the jumps at 10 and 20 mL.
    bench.perform(state::resetToZero);
    setField(bench, state::Field::BeakerConcentration, "0,005");
    bench.perform(state::chooseSecondPrecipitationSalt, kIodide);
    setField(bench, state::Field::SecondConcentration, "0,005");
    setField(bench, state::Field::Chromate, "0");
    bench.perform(state::choosePrecipitationReference, 0);
    bench.perform(state::quickTrace);
    tabs->selectTab(2);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("precipitation-potentiel.png")));
    return 0;
}

}  // namespace screenshots
