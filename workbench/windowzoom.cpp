#include "workbench/windowzoom.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"
#include "platform/screenzoom.h"
#include "workbench/mainwindow.h"

namespace workbench {

namespace {

constexpr int kFitItem = -1;  // the data of "Ajuster à l'écran" in the choice

QString percentText(int percent) {
    return QStringLiteral("%1 %").arg(percent);
}

}  // namespace

int fittingZoom(QSize available, QSize frameMargins, int zoom) {
    // In the bench's own units, where the window is 800 x 600.
    const double scale = zoom / 100.0;
    const double width = (available.width() - frameMargins.width()) * scale / MainWindow::kWidth;
    const double height = (available.height() - frameMargins.height()) * scale / MainWindow::kHeight;
    const double fit = std::min(width, height) * 100;
    if (!std::isfinite(fit)) return kZoomSteps.front();
    // A hair below a whole percent from the rounding of the sizes stays on it.
    return std::clamp(static_cast<int>(std::floor(fit + 1e-6)), kZoomSteps.front(), kLargestZoom);
}

std::vector<int> zoomChoices(int fitting) {
    std::vector<int> choices(kZoomSteps.begin(), kZoomSteps.end());
    if (std::find(choices.begin(), choices.end(), fitting) == choices.end()) {
        choices.insert(std::upper_bound(choices.begin(), choices.end(), fitting), fitting);
    }
    return choices;
}

int nextZoom(int zoom, int fitting, bool upwards) {
    const std::vector<int> choices = zoomChoices(fitting);
    if (upwards) {
        const auto above = std::upper_bound(choices.begin(), choices.end(), zoom);
        return above == choices.end() ? zoom : *above;
    }
    const auto below = std::lower_bound(choices.begin(), choices.end(), zoom);
    return below == choices.begin() ? zoom : *std::prev(below);
}

WindowZoom::WindowZoom(QWidget& window, std::function<void()> place)
    : QObject(&window), m_window(window), m_place(std::move(place)) {
    addKeys();
}

void WindowZoom::addKeys() {
    const auto key = [this](const QKeySequence& sequence, auto slot) {
        auto* shortcut = new QShortcut(sequence, &m_window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    // Ctrl++ as the keyboard gives it: with or without Maj, on the main keys or the keypad.
    const auto keypad = [](Qt::Key k) {
        return QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, k));
    };
    const QKeySequence in[] = {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                               keypad(Qt::Key_Plus)};
    const QKeySequence out[] = {QKeySequence(QKeySequence::ZoomOut), keypad(Qt::Key_Minus)};
    const QKeySequence back[] = {QKeySequence(Qt::CTRL | Qt::Key_0), keypad(Qt::Key_0)};
    for (const QKeySequence& sequence : in) key(sequence, &WindowZoom::zoomIn);
    for (const QKeySequence& sequence : out) key(sequence, &WindowZoom::zoomOut);
    for (const QKeySequence& sequence : back) key(sequence, [this] { setPercent(kZoomSteps.front()); });
}

bool WindowZoom::available() const {
    return platform::canZoom();
}

int WindowZoom::percent() const {
    return static_cast<int>(std::lround(platform::zoomFactor() * 100));
}

int WindowZoom::fittingPercent() const {
    const QScreen* screen = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return kZoomSteps.front();
    const QSize margins = m_window.frameGeometry().size() - m_window.geometry().size();
    return fittingZoom(screen->availableGeometry().size(), margins, percent());
}

void WindowZoom::setPercent(int percent) {
    m_fitted = false;
    if (percent == this->percent() || !platform::setZoomFactor(percent / 100.0)) {
        emit changed(this->percent());
        return;
    }
    if (m_place) m_place();
    emit changed(percent);
}

void WindowZoom::zoomIn() {
    setPercent(nextZoom(percent(), fittingPercent(), true));
}

void WindowZoom::zoomOut() {
    setPercent(nextZoom(percent(), fittingPercent(), false));
}

void WindowZoom::fitToScreen() {
    setPercent(fittingPercent());
    m_fitted = true;
    emit changed(percent());
}

QWidget* WindowZoom::makeChoice(QWidget* parent) {
    auto* choice = new QWidget(parent);
    auto* row = new QHBoxLayout(choice);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    const QFont font = platform::pixelFont(QStringLiteral("Arial"), 8);
    auto* caption = new QLabel(QStringLiteral("Zoom :"), choice);
    caption->setFont(font);
    auto* box = new QComboBox(choice);
    box->setObjectName(QStringLiteral("optzoom"));
    box->setFont(font);
    box->setAccessibleName(QStringLiteral("Zoom de la fenêtre"));
    for (const int step : kZoomSteps) box->addItem(percentText(step), step);
    box->addItem(QStringLiteral("Ajuster à l'écran"), kFitItem);
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    choice->setEnabled(available());
    choice->resize(choice->sizeHint());
    showIn(*box);
    connect(box, &QComboBox::activated, this, [this, box](int index) {
        const int chosen = box->itemData(index).toInt();
        if (chosen == kFitItem) {
            fitToScreen();
        } else {
            setPercent(chosen);
        }
    });
    connect(this, &WindowZoom::changed, box, [this, box] { showIn(*box); });
    return choice;
}

void WindowZoom::showIn(QComboBox& box) const {
    const int step = box.findData(percent());
    box.setCurrentIndex(step >= 0 && !m_fitted ? step : box.findData(kFitItem));
}

}  // namespace workbench
