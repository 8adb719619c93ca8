// Pictures of the help page on oxidation-reduction titrations: the beaker's page of such a
// titration, iron(II) titrated by permanganate located by its colour, then iron(II) titrated by
// cerium(IV) followed by a platinum electrode against the saturated calomel electrode, its
// E = f(V) curve and the tangent method on it.
#include <QApplication>
#include <QDir>

#include "state/actions.h"
#include "state/redoxbench.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

namespace {

// Iron(II), cerium(IV) and permanganate in the lists of the beaker and the burette.
constexpr int kIronTwo = 0;
constexpr int kPermanganate = 7;
constexpr int kCeriumFour = 9;

void setField(workbench::BenchController& bench, state::Field field, const char* text) {
    bench.perform(state::setFieldText, field, std::string(text));
    bench.perform(state::validateField, field);
}

}  // namespace

int redoxPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    auto* tabs = window.findChild<workbench::TabStrip*>();

    // 20 mL of iron(II) at 0,05 mol/L by permanganate at 0,01 mol/L in 1 mol/L sulfuric acid: the
    // equivalence at 20 mL.
    bench.perform(state::chooseTitrationKind, chemistry::TitrationKind::Redox);
    bench.perform(state::chooseRedoxBeakerSpecies, kIronTwo);
    bench.perform(state::chooseRedoxTitrant, kPermanganate);
    setField(bench, state::Field::BeakerConcentration, "0,05");
    tabs->selectTab(1);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("redox-panneau.png")));

    // Two drops past the equivalence: the first violet.
    bench.perform(state::pressTap);
    for (int tick = 0; tick < 201; ++tick) bench.perform(state::pourTick);
    bench.perform(state::releaseTap);
    tabs->selectTab(3);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("redox-couleur.png")));

    // Cerium(IV) at 0,05 mol/L, followed by the electrodes: the equivalence at 20 mL.
    bench.perform(state::resetToZero);
    bench.perform(state::chooseRedoxTitrant, kCeriumFour);
    setField(bench, state::Field::TitrantConcentration, "0,05");
    bench.perform(state::chooseReferenceElectrode, 0);
    bench.perform(state::quickTrace);
    tabs->selectTab(2);
    settle();
    window.grab().save(QDir(folder).filePath(QStringLiteral("redox-potentiel.png")));

    pictures.click("Image4");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("redox-tangentes.png")));
    pictures.click("Command9");
    pictures.click("Image5");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("redox-derivee.png")));
    return 0;
}

}  // namespace screenshots
