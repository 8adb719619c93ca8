#include "workbench/illustrationpanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "platform/fonts.h"
#include "state/buretteactions.h"
#include "state/potentiometry.h"
#include "workbench/apparatuspictures.h"
#include "workbench/entryfield.h"

namespace workbench {

namespace {

// The pouring buttons stand right of the burette, level with the tap, clear of the legend
// above and of the pH-meter's cable below.
constexpr QRect kQuickTraceButton{132, 250, 124, 24};
constexpr QRect kEmptyButton{132, 280, 124, 24};
constexpr int kLabelGap = 2;  // between the beaker's label and "Trace rapide"
// The drop button waits left of the burette tip, where the drops fall from.
constexpr QPoint kDropButton{30, 326};
// The reset button follows the poured-volume reading it resets.
constexpr QSize kResetButton{22, 20};
constexpr QSize kPouredReading{62, 17};
constexpr int kResetButtonGap = 4;

QFont widgetFont(const OverlayFont& font) {
    return platform::pixelFont(QString::fromLatin1(font.name), font.points, font.bold);
}

}  // namespace

// --- PictureButton ----------------------------------------------------------------------------

PictureButton::PictureButton(const QString& name, const QImage& picture, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a click leaves the focus where it was, as on a picture.
    setFocusPolicy(Qt::TabFocus);
    setPicture(picture);
    resize(picture.deviceIndependentSize().toSize());
}

void PictureButton::setPicture(const QImage& picture) {
    if (m_picture == &picture) return;
    m_picture = &picture;
    setPixmap(QPixmap::fromImage(picture));
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button();
    emit pressed(event->button());
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool over = rect().contains(event->position().toPoint());
    const bool click = over && event->button() == Qt::LeftButton && m_pressed == Qt::LeftButton;
    m_pressed = Qt::NoButton;
    emit released(event->button(), over);
    if (click) emit clicked();
    event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event) {
    emit hovered();
    QLabel::mouseMoveEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Space:
            // A key held down repeats its press (and on some systems its release): only the
            // first press counts.
            if (!event->isAutoRepeat() && !m_keyHeld) {
                m_keyHeld = true;
                emit keyPressed();
            }
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat() && !m_keyHeld) {
                emit keyPressed();
                emit keyReleased(true);
                emit clicked();
            }
            break;
        default:
            QLabel::keyPressEvent(event);
            return;
    }
    event->accept();
}

void PictureButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && m_keyHeld) {
        m_keyHeld = false;
        emit keyReleased(true);
        emit clicked();
    }
    event->accept();
}

void PictureButton::focusOutEvent(QFocusEvent* event) {
    // The release will go elsewhere: the press ends here, without a click.
    if (m_keyHeld) {
        m_keyHeld = false;
        emit keyReleased(false);
    }
    QLabel::focusOutEvent(event);
}

// --- IllustrationPanel ------------------------------------------------------------------------

IllustrationPanel::IllustrationPanel(BenchController& bench, QWidget* parent)
    : platform::SurfaceView(bench.apparatus().surface(), parent), m_bench(bench) {
    setObjectName(QStringLiteral("picburette"));

    const double ratio = surface().devicePixelRatio();
    m_tap = new PictureButton(QStringLiteral("Image3"), ApparatusPictures::tap(false, ratio), this);
    m_tap->move(ApparatusPainter::kTapPosition);
    connect(m_tap, &PictureButton::pressed, this, [this] { tapPressed(Input::Mouse); });
    connect(m_tap, &PictureButton::released, this, [this](Qt::MouseButton button, bool over) {
        tapReleased(over && button == Qt::LeftButton, Input::Mouse);
    });
    connect(m_tap, &PictureButton::keyPressed, this, [this] { tapPressed(Input::Keyboard); });
    connect(m_tap, &PictureButton::keyReleased, this,
            [this](bool completed) { tapReleased(completed, Input::Keyboard); });
    connect(m_tap, &PictureButton::hovered, this, [this] {
        emit hint(QStringLiteral("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    });

    m_dropButton = new PictureButton(QStringLiteral("Image1"), ApparatusPictures::drop(ratio), this);
    m_dropButton->setToolTip(QStringLiteral("Ajouter une goutte"));
    m_dropButton->move(kDropButton);
    connect(m_dropButton, &PictureButton::clicked, this, [this] { m_bench.perform(state::letDropFall); });

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
        return b;
    };
    m_emptyButton = button("Command6", QStringLiteral("Vider la burette"));
    m_emptyButton->setGeometry(kEmptyButton);
    m_emptyButton->installEventFilter(this);
    connect(m_emptyButton, &QPushButton::clicked, this, [this] {
        const Input input = m_emptyClickedByMouse ? Input::Mouse : Input::Keyboard;
        m_emptyClickedByMouse = false;
        m_bench.toggleEmptying(input);
    });
    m_quickTraceButton = button("Command13", QStringLiteral("Trace rapide"));
    m_quickTraceButton->setGeometry(kQuickTraceButton);
    connect(m_quickTraceButton, &QPushButton::clicked, this, [this] { m_bench.perform(state::quickTrace); });
    m_resetButton = button("Command14", QStringLiteral("0"));
    m_resetButton->resize(kResetButton);
    connect(m_resetButton, &QPushButton::clicked, this, [this] { m_bench.perform(state::resetToZero); });

    m_pouredReading = new QLabel(this);
    m_pouredReading->setObjectName(QStringLiteral("Labelbur"));
    m_pouredReading->setFont(widgetFont(ApparatusPainter::kReadingFont));
    m_pouredReading->resize(kPouredReading);
    m_pouredReading->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_phDisplay = new QLabel(this);
    m_phDisplay->setObjectName(QStringLiteral("LabelpH"));
    m_phDisplay->setFont(widgetFont(ApparatusPainter::kPhDisplayFont));
    m_phDisplay->setGeometry(ApparatusPainter::kPhDisplay);
    m_phDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_phDisplay->setContentsMargins(0, 0, 4, 0);
    m_phDisplay->setAutoFillBackground(true);
    QPalette display = m_phDisplay->palette();
    display.setColor(QPalette::Window, QColor(0, 0, 0));
    display.setColor(QPalette::WindowText, platform::toQColor(ApparatusPainter::kPhDisplayColour));
    m_phDisplay->setPalette(display);

    m_conductivityDisplay = new QLabel(this);
    m_conductivityDisplay->setObjectName(QStringLiteral("Labelsigma"));
    m_conductivityDisplay->setFont(widgetFont(ApparatusPainter::kConductivityDisplayFont));
    m_conductivityDisplay->setGeometry(ApparatusPainter::kConductivityDisplay);
    m_conductivityDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_conductivityDisplay->setContentsMargins(0, 0, 4, 0);
    m_conductivityDisplay->setAutoFillBackground(true);
    m_conductivityDisplay->setPalette(display);
    m_conductivityDisplay->hide();

    // The millivoltmeter stands where the conductimeter does: an oxidation-reduction titration
    // has no conductimeter.
    m_potentialDisplay = new QLabel(this);
    m_potentialDisplay->setObjectName(QStringLiteral("LabelE"));
    m_potentialDisplay->setFont(widgetFont(ApparatusPainter::kConductivityDisplayFont));
    m_potentialDisplay->setGeometry(ApparatusPainter::kConductivityDisplay);
    m_potentialDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_potentialDisplay->setContentsMargins(0, 0, 4, 0);
    m_potentialDisplay->setAutoFillBackground(true);
    m_potentialDisplay->setPalette(display);
    m_potentialDisplay->hide();

    const LegendControls& legend = ApparatusCanvas::legendControls();
    m_titrantField = addField(state::Field::TitrantConcentration, legend.titrantField);
    m_pouredField = addField(state::Field::PouredVolume, legend.pouredField);

    connect(&m_bench.apparatus(), &ApparatusCanvas::layoutChanged, this, &IllustrationPanel::placeControls);
    connect(&m_bench, &BenchController::changed, this, &IllustrationPanel::follow);
    connect(this, &platform::SurfaceView::devicePixelRatioChanged, this, [this] {
        m_dropButton->setPicture(ApparatusPictures::drop(surface().devicePixelRatio()));
        takeControls();
        m_bench.redrawApparatus();
    });

    m_bench.redrawApparatus();
    takeControls();
    takeReadings();
}

void IllustrationPanel::follow(state::Changes changes) {
    if (changes.has(state::Changed::Controls) || changes.has(state::Changed::Tap)) {
        takeControls();
    } else if (changes.has(state::Changed::Readings)) {
        takeReadings();
    }
}

EntryField* IllustrationPanel::addField(state::Field which, QSize size) {
    auto* field = new EntryField(which, this);
    field->setFont(widgetFont(ApparatusPainter::kFieldFont));
    field->resize(size);
    field->connectTo(m_bench, [this](const QString& text) { emit hint(text); });
    connect(field, &EntryField::mouseMoved, this, [this](state::Field moved) {
        emit hint(
            moved == state::Field::TitrantConcentration
                ? QStringLiteral("Concentration de la solution introduite dans la burette")
                : QStringLiteral("Volume de solution versée (vous pouvez également utiliser le robinet)"));
    });
    return field;
}

void IllustrationPanel::placeControls() {
    const ApparatusLayout& layout = m_bench.apparatus().layout();
    const bool burette = m_bench.state().switches.showBurette;
    m_tap->setVisible(burette);
    m_dropButton->setVisible(burette);
    m_emptyButton->setVisible(burette);
    m_quickTraceButton->setVisible(burette);
    m_resetButton->setVisible(burette);
    m_pouredReading->setVisible(burette);
    m_titrantField->setVisible(burette);
    m_pouredField->setVisible(burette);
    if (burette) {
        // "Trace rapide" and "Vider la burette" stand below the solutes named beside the beaker.
        const QPoint down(0, std::max(0, layout.beakerLabelBottom + kLabelGap - kQuickTraceButton.top()));
        m_quickTraceButton->move(kQuickTraceButton.topLeft() + down);
        m_emptyButton->move(kEmptyButton.topLeft() + down);
        m_titrantField->move(layout.titrantField);
        m_pouredField->move(layout.pouredField);
        m_pouredReading->move(layout.pouredLabel);
        // Right-aligned with the poured-volume field above it, unless the reading needs the room.
        const int alignedLeft = layout.pouredField.x() +
                                ApparatusCanvas::legendControls().pouredField.width() - kResetButton.width();
        const int afterReading = layout.pouredLabel.x() + kPouredReading.width() + kResetButtonGap;
        m_resetButton->move(std::max(alignedLeft, afterReading), layout.pouredLabel.y() - 2);
    }
    m_phDisplay->setVisible(m_bench.state().switches.showPhMeter);
    m_conductivityDisplay->setVisible(m_bench.state().switches.showConductimeter &&
                                      !state::redoxTitration(m_bench.state()));
    m_potentialDisplay->setVisible(state::electrodesShown(m_bench.state()));
}

void IllustrationPanel::resizeEvent(QResizeEvent* event) {
    platform::SurfaceView::resizeEvent(event);
    // The first resize, when the window shows, finds the picture drawn at the panel's size.
    if (m_bench.apparatus().drawnSize() != surface().logicalSize()) m_bench.redrawApparatus();
}

std::vector<QWidget*> IllustrationPanel::tabOrder() const {
    // The legend's fields and the reset button under them, "Trace rapide", the tap and "Vider la
    // burette" beside it, then the drop below.
    return {m_titrantField, m_pouredField, m_resetButton, m_quickTraceButton,
            m_tap,          m_emptyButton, m_dropButton};
}

bool IllustrationPanel::eventFilter(QObject* watched, QEvent* event) {
    // A click of "Vider la burette" comes from the mouse when it follows the release of a mouse
    // button; otherwise it came from the keyboard, which keeps its focus.
    if (watched == m_emptyButton && event->type() == QEvent::MouseButtonRelease) {
        m_emptyClickedByMouse = true;
        QTimer::singleShot(0, this, [this] { m_emptyClickedByMouse = false; });
    }
    return platform::SurfaceView::eventFilter(watched, event);
}

void IllustrationPanel::tapPressed(Input input) {
    m_tapPressSettled = false;
    m_bench.pressTap(input);
    if (!m_bench.state().burette.tapOpen) {
        // The burette was empty and the question "Burette vide" took the mouse: the press
        // ends here, and the entries it locked are given back.
        m_tapPressSettled = true;
        m_bench.perform(state::releaseTap);
    }
}

void IllustrationPanel::tapReleased(bool click, Input input) {
    if (m_tapPressSettled) {
        m_tapPressSettled = false;
        return;
    }
    // A short click pours at least one tick. The tick locks the entries, so it runs before
    // the release, which closes the tap and gives the entries back. The space bar's release is
    // a click as well.
    if (click) m_bench.clickTap(input);
    m_bench.perform(state::releaseTap);
}

void IllustrationPanel::takeFieldTexts() {
    for (EntryField* field : {m_titrantField, m_pouredField}) field->showFrom(m_bench);
}

void IllustrationPanel::takeControls() {
    takeReadings();
    m_tap->setPicture(ApparatusPictures::tap(m_bench.state().burette.tapOpen, surface().devicePixelRatio()));
}

void IllustrationPanel::takeReadings() {
    takeFieldTexts();
    const QString pH = QString::fromStdString(m_bench.state().readings.pH);
    const QString poured = QString::fromStdString(m_bench.state().readings.pouredVolume);
    if (m_phDisplay->text() != pH) m_phDisplay->setText(pH);
    const QString sigma = QString::fromStdString(m_bench.state().readings.conductivity);
    if (m_conductivityDisplay->text() != sigma) {
        m_conductivityDisplay->setFont(widgetFont(ApparatusPainter::conductivityDisplayFont(sigma)));
        m_conductivityDisplay->setText(sigma);
    }
    const QString potential = QString::fromStdString(m_bench.state().readings.potential);
    if (m_potentialDisplay->text() != potential) {
        m_potentialDisplay->setFont(widgetFont(ApparatusPainter::conductivityDisplayFont(potential)));
        m_potentialDisplay->setText(potential);
    }
    if (m_pouredReading->text() != poured) m_pouredReading->setText(poured);
}

}  // namespace workbench
