#include "workbench/optionspage.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "numbers/picture.h"
#include "platform/fonts.h"
#include "state/conductimetry.h"
#include "state/panelactions.h"
#include "state/redoxbench.h"
#include "workbench/benchcontroller.h"

namespace workbench {

namespace {

constexpr platform::Colour kPageColour{240, 235, 230};
// The headings stand at x = 36; the controls keep their own column right of them.
constexpr int kHeadingX = 36;
constexpr int kControlColumn = 104;
constexpr int kBelowHeading = 8;
constexpr QSize kStepLabel{38, 17};
constexpr QSize kUpDown{17, 22};
// The conductimeter's box stands right of the pH-meter's, so that the page keeps its layout.
constexpr int kBesidePhMeter = 40;
// "Type de titrage" and its list, right of the burette's box.
constexpr int kKindColumn = 330;
constexpr int kKindListWidth = 120;

}  // namespace

// --- UpDown -----------------------------------------------------------------------------------

UpDown::UpDown(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    const auto arrow = [this](const char* arrowName, Qt::ArrowType type) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(arrowName));
        b->setArrowType(type);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_up = arrow("up", Qt::UpArrow);
    m_down = arrow("down", Qt::DownArrow);
    m_up->setAccessibleName(QStringLiteral("Augmenter"));
    m_down->setAccessibleName(QStringLiteral("Diminuer"));
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    resize(kUpDown);
    enableArrows();
}

void UpDown::setValue(int value) {
    const int kept = std::clamp(value, m_minimum, m_maximum);
    if (kept == m_value) return;
    m_value = kept;
    enableArrows();
    emit valueChanged(m_value);
}

void UpDown::setRange(int minimum, int maximum) {
    if (minimum > maximum) return;
    m_minimum = minimum;
    m_maximum = maximum;
    setValue(m_value);
    enableArrows();
}

void UpDown::enableArrows() {
    m_up->setEnabled(m_value < m_maximum);
    m_down->setEnabled(m_value > m_minimum);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepUp();
    } else if (event->key() == Qt::Key_Down) {
        stepDown();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void UpDown::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta > 0) stepUp();
    if (delta < 0) stepDown();
    event->accept();
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

// --- OptionsPage ------------------------------------------------------------------------------

OptionsPage::OptionsPage(BenchController& bench, QWidget* parent)
    : platform::SurfaceView(kWidth, kHeight, parent), m_bench(bench) {
    setObjectName(QStringLiteral("Picture3"));

    m_apparatusParts[0] =
        addCheck(QStringLiteral("optscema(0)"), QStringLiteral("Burette et agitateur magnétique"));
    m_apparatusParts[1] = addCheck(QStringLiteral("optscema(1)"), QStringLiteral("pH-mètre"));
    m_conductimeterBox = addCheck(QStringLiteral("optscema(2)"), QStringLiteral("Conductimètre"));
    m_conductimeterBox->move(kControlColumn + m_apparatusParts[1]->width() + kBesidePhMeter, 0);
    connect(m_conductimeterBox, &QCheckBox::clicked, this,
            [this](bool ticked) { m_bench.perform(state::showConductimeter, ticked); });
    m_kindList = new QComboBox(this);
    m_kindList->setObjectName(QStringLiteral("typetitrage"));
    m_kindList->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    m_kindList->addItem(QStringLiteral("acido-basique"));
    m_kindList->addItem(QStringLiteral("oxydoréduction"));
    m_kindList->addItem(QStringLiteral("précipitation"));
    m_kindList->resize(kKindListWidth, m_kindList->sizeHint().height());
    connect(m_kindList, &QComboBox::activated, this, [this](int position) {
        if (position < 0 || position > 2) return;
        m_bench.perform(state::chooseTitrationKind, static_cast<chemistry::TitrationKind>(position));
    });
    m_superposeBox = addCheck(QStringLiteral("Check1"), QStringLiteral("Superposer les courbes"));
    m_boldBox = addCheck(QStringLiteral("Check2"), QStringLiteral("Tracer en gras"));
    m_maskBox = addCheck(QStringLiteral("masquer"),
                         QStringLiteral("Masquer la concentration de la solution introduite dans le bécher"));
    m_contrastBox = addCheck(QStringLiteral("optcontraste"), QStringLiteral("Contraste élevé"));
    for (const auto part : {state::ApparatusPart::Burette, state::ApparatusPart::PhMeter}) {
        connect(m_apparatusParts[static_cast<std::size_t>(part)], &QCheckBox::clicked, this,
                [this, part](bool ticked) { m_bench.perform(state::showApparatusPart, part, ticked); });
    }
    connect(m_superposeBox, &QCheckBox::clicked, this,
            [this](bool ticked) { m_bench.perform(state::setSuperposeCurves, ticked); });
    connect(m_boldBox, &QCheckBox::clicked, this,
            [this](bool ticked) { m_bench.perform(state::setBoldStrokes, ticked); });
    connect(m_contrastBox, &QCheckBox::clicked, this,
            [this](bool ticked) { m_bench.perform(state::setHighContrast, ticked); });
    connect(m_maskBox, &QCheckBox::clicked, this,
            [this](bool ticked) { m_bench.perform(state::setConcentrationMasked, ticked); });
    m_maskBox->setMouseTracking(true);
    m_maskBox->installEventFilter(this);

    m_stepLabel = new QLabel(this);
    m_stepLabel->setObjectName(QStringLiteral("Label2"));
    m_stepLabel->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    m_stepLabel->resize(kStepLabel);
    m_stepLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_stepSpinner = new UpDown(QStringLiteral("UpDown1"), this);
    m_stepSpinner->setRange(1, 10);
    connect(m_stepSpinner, &UpDown::valueChanged, this,
            [this](int value) { m_bench.perform(state::setMeasuringStep, value); });

    connect(this, &platform::SurfaceView::mouseMoved, this, [this](int x, int y) {
        emit hint(QStringLiteral("Déplacer la souris pour lire l'abscisse d'un point."));
        setHoverText(readOut(x, y));
    });
    connect(&m_bench, &BenchController::changed, this, &OptionsPage::follow);
    connect(this, &platform::SurfaceView::devicePixelRatioChanged, this, &OptionsPage::paintPage);

    paintPage();
    takeControls();
    takeStep();
}

QCheckBox* OptionsPage::addCheck(const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    box->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    box->resize(box->sizeHint());
    box->move(kControlColumn, 0);
    return box;
}

void OptionsPage::paintPage() {
    platform::Surface& s = surface();
    s.setBackColour(kPageColour);
    s.setForeColour(platform::kBlack);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(true);
    s.setFontItalic(false);

    // Each control sits a little below the line it belongs to; only its top follows the text.
    const auto placeBelow = [&s](QWidget* control) {
        s.setCurrentY(s.currentY() + kBelowHeading);
        control->move(control->x(), static_cast<int>(std::lround(s.currentY())));
    };

    s.moveTo(kKindColumn, 18);
    s.print(QStringLiteral("Type de titrage"));
    s.moveTo(kHeadingX, 18);
    s.print(QStringLiteral("Matériel"));
    placeBelow(m_apparatusParts[0]);
    // Under its caption, clear of the boxes at its left.
    m_kindList->move(kKindColumn, 18 + static_cast<int>(std::lround(s.textHeight())) + 2);
    s.newLine();
    placeBelow(m_apparatusParts[1]);
    m_conductimeterBox->move(m_conductimeterBox->x(), m_apparatusParts[1]->y());
    s.newLine();
    s.newLine();

    s.setCurrentX(kHeadingX);
    s.print(QStringLiteral("Graphe"));
    placeBelow(m_superposeBox);
    s.newLine();
    placeBelow(m_boldBox);
    s.newLine();
    s.newLine();

    s.setCurrentX(kHeadingX);
    s.print(QStringLiteral("Affichage"));
    placeBelow(m_maskBox);
    s.newLine();
    placeBelow(m_contrastBox);
    if (m_zoomChoice)
        m_zoomChoice->move(m_contrastBox->x() + m_contrastBox->width() + kBesidePhMeter,
                           m_contrastBox->y() + (m_contrastBox->height() - m_zoomChoice->height()) / 2);
    s.newLine();
    s.newLine();

    s.setCurrentX(kHeadingX);
    s.print(QStringLiteral("Tableau"));
    s.setCurrentY(s.currentY() + kBelowHeading);
    s.setFontBold(false);
    s.setCurrentX(m_boldBox->x());
    s.print(QStringLiteral("Volume versé entre deux mesures : "));
    const QPoint label(static_cast<int>(std::lround(s.currentX())),
                       static_cast<int>(std::lround(s.currentY())) - 2);
    m_stepLabel->move(label);
    m_stepSpinner->move(label.x() + m_stepLabel->width(), label.y());
}

bool OptionsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_maskBox && event->type() == QEvent::MouseMove) {
        emit hint(QStringLiteral("Utiliser cette option pour cacher la concentration."));
        // A plain move would go on to the page, whose own hint would replace this one.
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return true;
    }
    return platform::SurfaceView::eventFilter(watched, event);
}

void OptionsPage::resizeEvent(QResizeEvent* event) {
    platform::SurfaceView::resizeEvent(event);
    paintPage();
}

QString OptionsPage::readOut(int x, int y) {
    const double v = (x - 40) / 14.0;
    if (v < 0 || v > 25 || y > 262) return {};
    return QStringLiteral("V = ") + QString::fromStdString(numbers::formatPicture(v, "#0.0")) +
           QStringLiteral(" mL");
}

std::vector<QWidget*> OptionsPage::tabOrder() const {
    std::vector<QWidget*> order{m_apparatusParts[0], m_kindList, m_apparatusParts[1], m_conductimeterBox,
                                m_superposeBox,      m_boldBox,  m_maskBox,           m_contrastBox};
    if (m_zoomChoice) order.push_back(m_zoomChoice->findChild<QWidget*>(QStringLiteral("optzoom")));
    order.push_back(m_stepSpinner);
    return order;
}

void OptionsPage::setZoomChoice(QWidget* choice) {
    m_zoomChoice = choice;
    m_zoomChoice->setParent(this);
    m_zoomChoice->show();
    paintPage();
}

void OptionsPage::follow(state::Changes changes) {
    if (changes.has(state::Changed::Controls)) takeControls();
    if (changes.has(state::Changed::Step)) takeStep();
}

void OptionsPage::takeControls() {
    const auto take = [](QCheckBox* box, bool ticked) {
        const QSignalBlocker blocker(box);
        box->setChecked(ticked);
    };
    const state::Switches& switches = m_bench.state().switches;
    take(m_apparatusParts[0], switches.showBurette);
    take(m_apparatusParts[1], switches.showPhMeter);
    take(m_conductimeterBox, switches.showConductimeter);
    take(m_superposeBox, switches.superposeCurves);
    take(m_boldBox, switches.boldStrokes);
    take(m_maskBox, switches.concentrationMasked);
    take(m_contrastBox, switches.highContrast);
    m_maskBox->setEnabled(switches.maskEnabled);
    const QSignalBlocker blocker(m_kindList);
    // The list holds the kinds in their enumeration's order.
    m_kindList->setCurrentIndex(static_cast<int>(m_bench.state().solution.kind));
    m_kindList->setEnabled(!m_bench.state().controls.fieldsLocked);
    // The conductivity of an oxidation-reduction titration is not modelled.
    m_conductimeterBox->setEnabled(m_bench.state().solution.kind != chemistry::TitrationKind::Redox);
}

void OptionsPage::takeStep() {
    const int tenths = m_bench.state().stepTenths;
    {
        const QSignalBlocker blocker(m_stepSpinner);
        m_stepSpinner->setValue(tenths);
    }
    m_stepLabel->setText(QString::fromStdString(numbers::formatPicture(tenths / 10.0, "#0.0")) +
                         QStringLiteral(" mL"));
}

}  // namespace workbench
