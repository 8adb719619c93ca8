// Pictures of the help page on polyacids and mixtures: phosphoric acid titrated to its second
// equivalence, with the tangent method at both jumps, then the distribution of its forms; the
// mixture of hydrochloric and ethanoic acids, whose first jump the tangent method cannot construct.
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QToolButton>

#include "state/actions.h"
#include "state/plotframe.h"
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
    // The pointer at 10 mL: the read-out gives every form's share there.
    auto* graph = window.findChild<workbench::GraphPanel*>();
    QWidget* picture = graph->findChild<QWidget*>(QStringLiteral("Picture1"));
    const QPointF at(state::PlotFrame::x(10), 150);
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &move);
    settle();
    window.findChild<workbench::GraphPanel*>()->grab().save(
        QDir(folder).filePath(QStringLiteral("graph-forms.png")));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(picture, &leave);

    // Hydrochloric and ethanoic acids at 0,005 mol/L each against soda at 0,01 mol/L: E₁ at 10 mL
    // is refused, E₂ at 20 mL is constructed, and the hint line says why E₁ is not.
    bench.perform(state::chooseSolute, 2);
    bench.perform(state::chooseSecondSolute, 4);
    for (const state::Field field : {state::Field::BeakerConcentration, state::Field::SecondConcentration,
                                     state::Field::TitrantConcentration}) {
        bench.perform(state::setFieldText, field,
                      std::string(field == state::Field::TitrantConcentration ? "0,01" : "0,005"));
        bench.perform(state::validateField, field);
    }
    bench.perform(state::quickTrace);
    settle();
    pictures.click("Image4");
    window.grab().save(QDir(folder).filePath(QStringLiteral("melange-tangentes.png")));
    return 0;
}

}  // namespace screenshots
