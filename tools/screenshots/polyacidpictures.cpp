// Pictures of the help page on polyacids and mixtures: phosphoric acid titrated to its second
// equivalence, with the tangent method at both jumps, then the distribution of its forms.
#include <QApplication>
#include <QDir>
#include <QToolButton>

#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/graphpanel.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {
int polyacidPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();

    // Phosphoric acid at 0,01 mol/L against soda at 0,02 mol/L: E₁ at 10 mL, E₂ at 20 mL.
    bench.perform(state::chooseSolute, 15);
    bench.perform(state::setFieldText, state::Field::TitrantConcentration, std::string("0,02"));
    bench.perform(state::validateField, state::Field::TitrantConcentration);
    bench.perform(state::quickTrace);
    window.findChild<workbench::TabStrip*>()->selectTab(2);
    pictures.click("Image4");
    window.grab().save(QDir(folder).filePath(QStringLiteral("polyacide.png")));

    bench.perform(state::restoreGraph);
    pictures.click("Command3");
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("graph-forms.png")));
    return 0;
}

}  // namespace screenshots
