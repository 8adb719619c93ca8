#include "platform/pixelratio.h"

#include <QEvent>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// Qt 6.4 tells every widget of a window of a change of screen or of the screen's ratio with
// ScreenChangeInternal; later versions also send DevicePixelRatioChange.
bool mayChangeRatio(QEvent::Type type) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (type == QEvent::DevicePixelRatioChange) return true;
#endif
    return type == QEvent::ScreenChangeInternal || type == QEvent::Show;
}

class RatioFollower : public QObject {
  public:
    RatioFollower(QWidget& widget, std::function<void(double)> follow)
        : QObject(&widget), m_widget(widget), m_follow(std::move(follow)) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_widget && mayChangeRatio(event->type())) m_follow(m_widget.devicePixelRatioF());
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget& m_widget;
    std::function<void(double)> m_follow;
};

}  // namespace

void followDevicePixelRatio(QWidget& widget, std::function<void(double ratio)> follow) {
    if (follow) new RatioFollower(widget, std::move(follow));
}

QPixmap transparentPixmap(QSize logical) {
    const double found = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const double ratio = std::isfinite(found) ? std::clamp(found, 1.0, 8.0) : 1.0;
    QPixmap pixmap(static_cast<int>(std::ceil(logical.width() * ratio)),
                   static_cast<int>(std::ceil(logical.height() * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace platform
