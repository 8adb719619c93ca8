#include "platform/screenzoom.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLibrary>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr double kMinZoom = 1.0;
constexpr double kMaxZoom = 4.0;

using SetFactor = void (*)(double);

// The Gui library's scale: its setter, and the factor it started with.
struct QtScale {
    SetFactor setFactor = nullptr;
    double startFactor = 1.0;
    double zoom = 1.0;
};

template <typename Pointer>
Pointer resolve(QLibrary& gui, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        if (QFunctionPointer found = gui.resolve(name)) return reinterpret_cast<Pointer>(found);
    }
    return nullptr;
}

QtScale& qtScale() {
    static QtScale scale = [] {
        QtScale found;
        // Already loaded: this finds it, it does not load another copy.
        QLibrary gui(QStringLiteral("Qt6Gui"), 6);
        if (!gui.load()) gui.setFileName(QStringLiteral("Qt6Gui"));
        // The names as GCC and Clang, then as MSVC, write them.
        found.setFactor = resolve<SetFactor>(
            gui, {"_ZN15QHighDpiScaling15setGlobalFactorEd", "?setGlobalFactor@QHighDpiScaling@@SAXN@Z"});
        const auto* factor =
            resolve<const double*>(gui, {"_ZN15QHighDpiScaling8m_factorE", "?m_factor@QHighDpiScaling@@0NA"});
        if (!factor || !std::isfinite(*factor) || *factor <= 0) {
            found.setFactor = nullptr;
        } else {
            found.startFactor = *factor;
        }
        return found;
    }();
    return scale;
}

// Qt warns that the factor is meant to be set before any window exists; the windows are told
// below, so the warning says nothing here.
QtMessageHandler previousHandler = nullptr;
void quietAboutFactor(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QHighDpiScaling::"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

void tellScreenChanged(QWidget& widget) {
    QEvent changed(QEvent::ScreenChangeInternal);
    QCoreApplication::sendEvent(&widget, &changed);
    for (QObject* child : widget.children()) {
        if (child->isWidgetType()) tellScreenChanged(*static_cast<QWidget*>(child));
    }
}

void redrawAllWidgets() {
    for (QWidget* widget : QApplication::allWidgets()) widget->update();
}

}  // namespace

bool canZoom() {
    return qtScale().setFactor != nullptr;
}

double zoomFactor() {
    return qtScale().zoom;
}

bool setZoomFactor(double zoom) {
    QtScale& scale = qtScale();
    if (!scale.setFactor || !std::isfinite(zoom) || zoom < kMinZoom || zoom > kMaxZoom) return false;
    if (zoom == scale.zoom) return true;
    // Each window keeps its logical size: taken before the factor changes what it reads.
    std::vector<std::pair<QWindow*, QSize>> windows;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->handle()) windows.emplace_back(window, window->size());
    }
    previousHandler = qInstallMessageHandler(quietAboutFactor);
    scale.setFactor(scale.startFactor * zoom);
    qInstallMessageHandler(previousHandler);
    scale.zoom = zoom;
    for (const auto& [window, size] : windows) {
        // A resize to the same logical size is skipped: passing by another one makes the window
        // take its size in device pixels at the new factor.
        window->resize(size + QSize(1, 0));
        window->resize(size);
    }
    // What a move to another screen tells every widget: they take the new ratio and draw again.
    for (QWidget* top : QApplication::topLevelWidgets()) tellScreenChanged(*top);
    // Every widget is drawn again once the windows have their new backing stores: a widget only
    // marked dirty before that kept an empty (black) area where it grew.
    redrawAllWidgets();
    QTimer::singleShot(0, qApp, redrawAllWidgets);
    return true;
}

}  // namespace platform
