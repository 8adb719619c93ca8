// Pictures of the page "Dans le bécher" with the solutes that add fields to it: "autre diacide"
// with its two pKa beside a second solute and its concentration, citric acid with a second
// solute (its four forms written beside the burette), and the same with the concentrations
// hidden.
#include <QDir>

#include "state/actions.h"
#include "tools/screenshots/pictures.h"
#include "tools/screenshots/picturewindow.h"
#include "workbench/mainwindow.h"
#include "workbench/tabstrip.h"

namespace screenshots {

namespace {

constexpr int kEthanoicAcid = 4;
constexpr int kCitricAcid = 18;
constexpr int kOtherDiacid = 21;

}  // namespace

int panelPictures(const QStringList& arguments) {
    const QString folder = arguments.value(0, QStringLiteral("."));
    QDir().mkpath(folder);

    PictureWindow pictures;
    workbench::MainWindow& window = pictures.window();
    auto& bench = pictures.bench();
    window.findChild<workbench::TabStrip*>()->selectTab(1);
    const auto save = [&](const char* name) {
        settle();
        window.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
    };

    bench.perform(state::chooseSolute, kOtherDiacid);
    bench.perform(state::chooseSecondSolute, kEthanoicAcid);
    save("panneau-diacide.png");

    bench.perform(state::chooseSolute, kCitricAcid);
    save("panneau-citrique.png");

    bench.perform(state::setConcentrationMasked, true);
    save("panneau-masque.png");
    return 0;
}

}  // namespace screenshots
