// The progress table's window, opened from its button on the table page, for ethanoic acid at the
// equivalence (16,0 mL of soda at 0,0125 mol·L⁻¹ on 20,0 mL at 0,01 mol·L⁻¹).
#include <QDir>
#include <QPixmap>
#include <QWidget>

#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

int progressPicture(const QStringList& arguments) {
    PictureWindow pictures(PictureWindow::Commands::Wired);
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    bench.perform(state::chooseSolute, 4);  // "acide éthanoïque"
    bench.setFieldText(state::Field::TitrantConcentration, QStringLiteral("0,0125"));
    bench.validateField(state::Field::TitrantConcentration);
    bench.setFieldText(state::Field::PouredVolume, QStringLiteral("16"));
    bench.validateField(state::Field::PouredVolume);
    window.findChild<workbench::TabStrip*>()->selectTab(3);
    settle();
    pictures.click("boutonavancement");
    auto* progress = window.findChild<QWidget*>(QStringLiteral("avancement"));
    if (!progress) return 1;
    progress->resize(640, 340);
    settle();
    const QPixmap picture = progress->grab();
    int failures = 0;
    for (const QString& file : arguments) {
        if (!picture.save(file)) ++failures;
    }
    return failures == 0 && !arguments.isEmpty() ? 0 : 1;
}

}  // namespace screenshots
