#include "workbench/graphpanel.h"

#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "platform/drawnicon.h"
#include "platform/fonts.h"
#include "state/conductimetry.h"
#include "state/graphtools.h"
#include "state/potentiometry.h"
#include "workbench/benchcontroller.h"
#include "workbench/graphpainter.h"

namespace workbench {

namespace {

const char* const kReadoutHint = "Déplacer la souris pour lire les coordonnées d'un point.";

constexpr int kIconSide = 20;
constexpr int kButtonSide = 26;
constexpr int kMenuArrow = 12;
constexpr int kMargin = 4;
// The tool bar starts level with the top of the grid (pH 14).
constexpr int kToolbarTop = 26;
// The graph switch stands under the tool bar, clear of the V axis's title.
constexpr int kSwitchTop = 196;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The tool pictures are drawn rather than loaded, so that they stay sharp at any zoom and need
// no files.
template <typename Draw>
QIcon drawnIcon(Draw draw) {
    return platform::drawnIcon(kIconSide, draw);
}

// A small pair of axes in the lower left corner, as on the graph.
void drawAxes(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
    p.drawLine(QPointF(2.5, 17.5), QPointF(18, 17.5));
}

// An S-shaped titration curve across the icon.
QPainterPath titrationPath(bool rising) {
    QPainterPath path;
    for (int i = 0; i <= 30; ++i) {
        const double t = i / 30.0;
        const double s = 1.0 / (1.0 + std::exp(-14.0 * (t - 0.55)));
        const double x = 4 + 14 * t;
        const double y = rising ? 15 - 11 * s : 4 + 11 * s;
        if (i == 0) {
            path.moveTo(x, y);
        } else {
            path.lineTo(x, y);
        }
    }
    return path;
}

QIcon eraseIcon() {
    return drawnIcon([](QPainter& p) {
        p.translate(10, 10);
        p.rotate(-35);
        const QRectF body(-8, -4, 16, 8);
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.setBrush(QColor(245, 245, 245));
        p.drawRoundedRect(body, 1.5, 1.5);
        p.setBrush(QColor(220, 70, 90));
        p.drawRoundedRect(QRectF(-8, -4, 7, 8), 1.5, 1.5);
        p.resetTransform();
        p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
        p.drawLine(QPointF(2, 18.5), QPointF(18, 18.5));
    });
}

QIcon restoreIcon() {
    return drawnIcon([](QPainter& p) {
        drawAxes(p);
        p.setPen(QPen(QColor(0, 0, 255), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(titrationPath(true));
        // A turning arrow: back to the plain curve.
        p.setPen(QPen(QColor(0, 110, 0), 1.6));
        p.drawArc(QRectF(9, 2, 9, 9), 200 * 16, 250 * 16);
        QPolygonF head;
        head << QPointF(8.2, 4.6) << QPointF(10.6, 8.8) << QPointF(6.6, 8.6);
        p.setBrush(QColor(0, 110, 0));
        p.setPen(Qt::NoPen);
        p.drawPolygon(head);
    });
}

QIcon distributionIcon() {
    return drawnIcon([](QPainter& p) {
        drawAxes(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 200), 1.6));
        p.drawPath(titrationPath(false));
        p.setPen(QPen(QColor(255, 0, 0), 1.6));
        p.drawPath(titrationPath(true));
    });
}

QIcon tangentsIcon() {
    return drawnIcon([](QPainter& p) {
        drawAxes(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0), 1.4));
        p.drawPath(titrationPath(true));
        p.setPen(QPen(QColor(220, 0, 0), 1));
        p.drawLine(QPointF(4, 15.5), QPointF(15, 12.5));
        p.drawLine(QPointF(7, 6.5), QPointF(18, 3.5));
        p.setPen(QPen(QColor(0, 0, 200), 1, Qt::DashLine));
        p.drawLine(QPointF(5.5, 11), QPointF(16.5, 8));
    });
}

// Two straight lines crossing in a V, their meeting point circled.
QIcon straightLinesIcon() {
    return drawnIcon([](QPainter& p) {
        drawAxes(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0), 1.4));
        p.drawLine(QPointF(4, 4), QPointF(12.5, 13));
        p.drawLine(QPointF(10, 13.5), QPointF(18, 6));
        p.setPen(QPen(QColor(220, 0, 0), 1.2));
        p.drawEllipse(QPointF(11.3, 12.2), 2.2, 2.2);
    });
}

QIcon derivativeIcon() {
    return drawnIcon([](QPainter& p) {
        drawAxes(p);
        QPainterPath path;
        for (int i = 0; i <= 30; ++i) {
            const double t = i / 30.0;
            const double x = 4 + 14 * t;
            const double y = 16 - 12 * std::exp(-std::pow((t - 0.55) / 0.12, 2));
            if (i == 0) {
                path.moveTo(x, y);
            } else {
                path.lineTo(x, y);
            }
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 120, 0), 1.6));
        p.drawPath(path);
    });
}

}  // namespace

GraphPanel::GraphPanel(BenchController& bench, QWidget* parent)
    : QWidget(parent),
      m_bench(bench),
      m_picture(new platform::SurfaceView(bench.graph().surface(), this)),
      m_toolbar(new QFrame(this)),
      m_graphSwitch(new QFrame(this)),
      m_curveLabel(new QLabel(this)) {
    m_picture->setObjectName(QStringLiteral("Picture1"));

    m_toolbar->setObjectName(QStringLiteral("outils"));
    m_toolbar->setFrameShape(QFrame::StyledPanel);
    m_toolbar->setFrameShadow(QFrame::Raised);
    m_toolbar->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(m_toolbar);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_erase = addToolButton(QStringLiteral("Command12"), QStringLiteral("Effacer"), eraseIcon());
    m_restore = addToolButton(QStringLiteral("Command9"), QStringLiteral("Restaurer"), restoreIcon());
    auto* separator = new QFrame(m_toolbar);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    layout->addWidget(separator);
    m_distribution = addToolButton(QStringLiteral("Command3"), QStringLiteral("Diagramme de distribution"),
                                   distributionIcon());
    m_tangents = addToolButton(QStringLiteral("Image4"), utf8("Méthode des tangentes"), tangentsIcon());
    m_derivative = addToolButton(QStringLiteral("Image5"), utf8("Courbe dérivée"), derivativeIcon());
    m_straightLines =
        addToolButton(QStringLiteral("Droites"), QStringLiteral("Droites"), straightLinesIcon());
    addStraightLinesMenu();
    m_straightLines->hide();
    m_toolbar->adjustSize();

    m_graphSwitch->setObjectName(QStringLiteral("Graphe"));
    m_graphSwitch->setFrameShape(QFrame::StyledPanel);
    m_graphSwitch->setFrameShadow(QFrame::Raised);
    m_graphSwitch->setAutoFillBackground(true);
    auto* switchLayout = new QVBoxLayout(m_graphSwitch);
    switchLayout->setContentsMargins(2, 2, 2, 2);
    switchLayout->setSpacing(2);
    m_phGraph = addSwitchButton(QStringLiteral("Graphe(0)"), QStringLiteral("pH = f(V)"));
    m_conductivityGraph = addSwitchButton(QStringLiteral("Graphe(1)"), utf8("σ = f(V)"));
    m_potentialGraph = addSwitchButton(QStringLiteral("Graphe(2)"), QStringLiteral("E = f(V)"));
    m_potentialGraph->setAccessibleName(utf8("Graphe du potentiel E = f(V)"));
    m_amountGraph = addSwitchButton(QStringLiteral("Graphe(3)"), QStringLiteral("n = f(V)"));
    m_amountGraph->setAccessibleName(utf8("Graphe des quantités de matière n = f(V)"));
    m_graphSwitch->adjustSize();

    m_curveLabel->setObjectName(QStringLiteral("labout"));
    m_curveLabel->setFont(platform::pixelFont(QStringLiteral("Arial"), 8, true));
    m_curveLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_curveLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(m_erase, &QToolButton::clicked, this, [this] { m_bench.perform(state::eraseGraph); });
    connect(m_restore, &QToolButton::clicked, this, [this] { m_bench.perform(state::restoreGraph); });
    connect(m_distribution, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::showDistribution); });
    connect(m_tangents, &QToolButton::clicked, this, [this] { m_bench.perform(state::drawTangents); });
    connect(m_derivative, &QToolButton::clicked, this, [this] { m_bench.perform(state::drawDerivative); });
    connect(m_straightLines, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::drawStraightLines, m_straightLinesFit); });
    connect(m_phGraph, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::showConductivityGraph, false); });
    connect(m_conductivityGraph, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::showConductivityGraph, true); });
    connect(m_amountGraph, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::showAmountGraph, true); });
    connect(m_potentialGraph, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::showPotentialGraph, true); });

    connect(m_picture, &platform::SurfaceView::mouseMoved, this,
            [this](int x, int y, Qt::MouseButtons, Qt::KeyboardModifiers) { showReadoutAt(x, y); });
    // At a new ratio the picture is drawn again from the steps it keeps, measurements included.
    connect(m_picture, &platform::SurfaceView::devicePixelRatioChanged, this,
            [this] { m_bench.graph().redraw(); });

    connect(&m_bench, &BenchController::changed, this, [this](state::Changes changes) {
        if (changes.has(state::Changed::Controls)) refresh();
    });

    setMinimumSize(kPageWidth, kPageHeight);
    resize(kPageWidth, kPageHeight);
    placeChildren();
    refresh();
}

QToolButton* GraphPanel::addToolButton(const QString& name, const QString& caption, const QIcon& icon) {
    auto* button = new QToolButton(m_toolbar);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(caption);
    button->setAccessibleName(caption);
    button->setIcon(icon);
    button->setIconSize(QSize(kIconSide, kIconSide));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSide, kButtonSide);
    m_toolbar->layout()->addWidget(button);
    return button;
}

QToolButton* GraphPanel::addSwitchButton(const QString& name, const QString& caption) {
    auto* button = new QToolButton(m_graphSwitch);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(caption);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_graphSwitch->layout()->addWidget(button);
    return button;
}

// The button draws the lines on σ corrected for the dilution unless its menu chose σ as measured;
// choosing in the menu draws them at once.
void GraphPanel::addStraightLinesMenu() {
    auto* menu = new QMenu(m_straightLines);
    menu->setObjectName(QStringLiteral("menudroites"));
    auto* group = new QActionGroup(menu);
    const auto choice = [&](const char* name, const char* caption, state::StraightLinesFit fit) {
        QAction* action = menu->addAction(utf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(fit == m_straightLinesFit);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, fit] {
            m_straightLinesFit = fit;
            m_bench.perform(state::drawStraightLines, fit);
        });
    };
    choice("droitescorrigees", "Droites sur σ corrigée de la dilution",
           state::StraightLinesFit::DilutionCorrected);
    choice("droitesmesurees", "Droites sur σ mesurée, sans correction", state::StraightLinesFit::Measured);
    m_straightLines->setMenu(menu);
    m_straightLines->setPopupMode(QToolButton::MenuButtonPopup);
    // Room for the menu's arrow beside the picture.
    m_straightLines->setFixedSize(kButtonSide + kMenuArrow, kButtonSide);
}

std::vector<QWidget*> GraphPanel::tabOrder() const {
    return {m_erase,         m_restore, m_distribution,      m_tangents,       m_derivative,
            m_straightLines, m_phGraph, m_conductivityGraph, m_potentialGraph, m_amountGraph};
}

void GraphPanel::refresh() {
    const state::BenchState& bench = m_bench.state();
    m_toolbar->setVisible(bench.controls.toolbarVisible);
    // Off the pH graph the pH analyses give way; on σ "Droites" takes the tangents' place.
    const bool sigma = state::conductivityGraphShown(bench);
    const bool pH = state::phGraphShown(bench);
    const bool redox = state::redoxTitration(bench);
    const bool acidBase = state::acidBaseTitration(bench);
    const bool potential = state::potentialGraphShown(bench);
    // Only an acid-base titration's pH tells of the titration: the other kinds' analyses are made
    // on E or σ.
    m_distribution->setEnabled(bench.controls.distributionEnabled && pH && acidBase);
    m_derivative->setEnabled((pH && acidBase) || potential);
    m_tangents->setVisible(!sigma);
    m_tangents->setEnabled((pH && acidBase) || potential);
    m_straightLines->setVisible(sigma);
    m_conductivityGraph->setVisible(bench.switches.showConductimeter && !redox);
    m_potentialGraph->setVisible(state::electrodesShown(bench));
    m_potentialGraph->setChecked(potential);
    m_amountGraph->setVisible(acidBase);
    m_phGraph->setChecked(pH);
    m_conductivityGraph->setChecked(sigma);
    m_amountGraph->setChecked(state::amountGraphShown(bench));
    // The switch shrinks or grows with the σ button; it keeps its place at the right.
    const QSize choice = m_graphSwitch->sizeHint();
    m_graphSwitch->setGeometry(width() - choice.width() - kMargin, kSwitchTop, choice.width(),
                               choice.height());

    const int situation = bench.situations.current;
    if (situation < 0) {
        m_curveLabel->clear();
        return;
    }
    m_curveLabel->setText(utf8("Courbe n° ") + QString::number(situation + 1));
    QPalette palette = m_curveLabel->palette();
    palette.setColor(QPalette::WindowText, platform::toQColor(state::situationColour(bench, situation)));
    m_curveLabel->setPalette(palette);
}

void GraphPanel::showReadoutAt(int x, int y) {
    emit hint(utf8(kReadoutHint));
    m_picture->setCursorShape(GraphPainter::isInsideReadout(x, y) ? Qt::CrossCursor : Qt::ArrowCursor);
    const state::GraphContent& graph = m_bench.state().graph;
    m_picture->setHoverText(GraphPainter::readoutText(x, y, graph));
}

QSize GraphPanel::minimumSizeHint() const {
    return {kPageWidth, kPageHeight};
}

QSize GraphPanel::sizeHint() const {
    return {kPageWidth, kPageHeight};
}

void GraphPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

// The picture fills the page; the tool bar stands in the free band right of the V axis's end,
// and the curve's name sits above it, clear of the grid.
void GraphPanel::placeChildren() {
    m_picture->setGeometry(rect());
    const QSize bar = m_toolbar->sizeHint();
    m_toolbar->setGeometry(width() - bar.width() - kMargin, kToolbarTop, bar.width(), bar.height());
    const int labelWidth = 110;
    m_curveLabel->setGeometry(width() - labelWidth - kMargin, kMargin, labelWidth, kToolbarTop - 2 * kMargin);
    const QSize choice = m_graphSwitch->sizeHint();
    m_graphSwitch->setGeometry(width() - choice.width() - kMargin, kSwitchTop, choice.width(),
                               choice.height());
    m_toolbar->raise();
    m_graphSwitch->raise();
    m_curveLabel->raise();
}

}  // namespace workbench
