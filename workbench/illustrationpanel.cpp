#include "workbench/illustrationpanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "platform/fonts.h"
#include "state/buretteactions.h"
#include "workbench/apparatuspictures.h"
#include "workbench/entryfield.h"

namespace workbench {

namespace {

// The pouring buttons stand right of the burette, level with the tap, clear of the legend
// above and of the pH-meter's cable below.
constexpr QRect kCommand13{132, 250, 124, 24};
constexpr QRect kCommand6{132, 280, 124, 24};
// The drop button waits left of the burette tip, where the drops fall from.
constexpr QPoint kImage1{30, 326};
// The reset button follows the poured-volume reading it resets.
constexpr QSize kCommand14{22, 20};
constexpr QSize kLabelbur{62, 17};
constexpr int kCommand14Gap = 4;

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
    m_image3 = new PictureButton(QStringLiteral("Image3"), ApparatusPictures::tap(false, ratio), this);
    m_image3->move(ApparatusPainter::kTapPosition);
    connect(m_image3, &PictureButton::pressed, this, [this] { tapPressed(Input::Mouse); });
    connect(m_image3, &PictureButton::released, this, [this](Qt::MouseButton button, bool over) {
        tapReleased(over && button == Qt::LeftButton, Input::Mouse);
    });
    connect(m_image3, &PictureButton::keyPressed, this, [this] { tapPressed(Input::Keyboard); });
    connect(m_image3, &PictureButton::keyReleased, this,
            [this](bool completed) { tapReleased(completed, Input::Keyboard); });
    connect(m_image3, &PictureButton::hovered, this, [this] {
        emit hint(QStringLiteral("Utiliser le bouton gauche de la souris pour ouvrir le robinet."));
    });

    m_image1 = new PictureButton(QStringLiteral("Image1"), ApparatusPictures::drop(ratio), this);
    m_image1->setToolTip(QStringLiteral("Ajouter une goutte"));
    m_image1->move(kImage1);
    connect(m_image1, &PictureButton::clicked, this, [this] { m_bench.perform(state::letDropFall); });

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
        return b;
    };
    m_command6 = button("Command6", QStringLiteral("Vider la burette"));
    m_command6->setGeometry(kCommand6);
    m_command6->installEventFilter(this);
    connect(m_command6, &QPushButton::clicked, this, [this] {
        const Input input = m_command6ByMouse ? Input::Mouse : Input::Keyboard;
        m_command6ByMouse = false;
        m_bench.toggleEmptying(input);
    });
    m_command13 = button("Command13", QStringLiteral("Trace rapide"));
    m_command13->setGeometry(kCommand13);
    connect(m_command13, &QPushButton::clicked, this, [this] { m_bench.perform(state::quickTrace); });
    m_command14 = button("Command14", QStringLiteral("0"));
    m_command14->resize(kCommand14);
    connect(m_command14, &QPushButton::clicked, this, [this] { m_bench.perform(state::resetToZero); });

    m_labelbur = new QLabel(this);
    m_labelbur->setObjectName(QStringLiteral("Labelbur"));
    m_labelbur->setFont(widgetFont(ApparatusPainter::kReadingFont));
    m_labelbur->resize(kLabelbur);
    m_labelbur->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_labelpH = new QLabel(this);
    m_labelpH->setObjectName(QStringLiteral("LabelpH"));
    m_labelpH->setFont(widgetFont(ApparatusPainter::kPhDisplayFont));
    m_labelpH->setGeometry(ApparatusPainter::kPhDisplay);
    m_labelpH->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_labelpH->setContentsMargins(0, 0, 4, 0);
    m_labelpH->setAutoFillBackground(true);
    QPalette display = m_labelpH->palette();
    display.setColor(QPalette::Window, QColor(0, 0, 0));
    display.setColor(QPalette::WindowText, platform::toQColor(ApparatusPainter::kPhDisplayColour));
    m_labelpH->setPalette(display);

    const LegendControls& legend = ApparatusCanvas::legendControls();
    m_titrantField = addField(state::Field::TitrantConcentration, legend.titrantField);
    m_pouredField = addField(state::Field::PouredVolume, legend.pouredField);

    connect(&m_bench.apparatus(), &ApparatusCanvas::layoutChanged, this, &IllustrationPanel::placeControls);
    connect(&m_bench, &BenchController::changed, this, &IllustrationPanel::follow);
    connect(this, &platform::SurfaceView::devicePixelRatioChanged, this, [this] {
        m_image1->setPicture(ApparatusPictures::drop(surface().devicePixelRatio()));
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
    m_image3->setVisible(burette);
    m_image1->setVisible(burette);
    m_command6->setVisible(burette);
    m_command13->setVisible(burette);
    m_command14->setVisible(burette);
    m_labelbur->setVisible(burette);
    m_titrantField->setVisible(burette);
    m_pouredField->setVisible(burette);
    if (burette) {
        m_titrantField->move(layout.titrantField);
        m_pouredField->move(layout.pouredField);
        m_labelbur->move(layout.pouredLabel);
        // Right-aligned with the poured-volume field above it, unless the reading needs the room.
        const int alignedLeft = layout.pouredField.x() +
                                ApparatusCanvas::legendControls().pouredField.width() - kCommand14.width();
        const int afterReading = layout.pouredLabel.x() + kLabelbur.width() + kCommand14Gap;
        m_command14->move(std::max(alignedLeft, afterReading), layout.pouredLabel.y() - 2);
    }
    m_labelpH->setVisible(m_bench.state().switches.showPhMeter);
}

void IllustrationPanel::resizeEvent(QResizeEvent* event) {
    platform::SurfaceView::resizeEvent(event);
    m_bench.redrawApparatus();
}

std::vector<QWidget*> IllustrationPanel::tabOrder() const {
    // The legend's fields and the reset button under them, "Trace rapide", the tap and "Vider la
    // burette" beside it, then the drop below.
    return {m_titrantField, m_pouredField, m_command14, m_command13, m_image3, m_command6, m_image1};
}

bool IllustrationPanel::eventFilter(QObject* watched, QEvent* event) {
    // A click of "Vider la burette" comes from the mouse when it follows the release of a mouse
    // button; otherwise it came from the keyboard, which keeps its focus.
    if (watched == m_command6 && event->type() == QEvent::MouseButtonRelease) {
        m_command6ByMouse = true;
        QTimer::singleShot(0, this, [this] { m_command6ByMouse = false; });
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
    m_image3->setPicture(
        ApparatusPictures::tap(m_bench.state().burette.tapOpen, surface().devicePixelRatio()));
}

void IllustrationPanel::takeReadings() {
    takeFieldTexts();
    const QString pH = QString::fromStdString(m_bench.state().readings.pH);
    const QString poured = QString::fromStdString(m_bench.state().readings.pouredVolume);
    if (m_labelpH->text() != pH) m_labelpH->setText(pH);
    if (m_labelbur->text() != poured) m_labelbur->setText(poured);
}

}  // namespace workbench
