#include "platform/surfaceview.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "platform/pixelratio.h"

namespace platform {
namespace {

QPoint pixelOf(const QMouseEvent* event) {
    const QPointF p = event->position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

}  // namespace

SurfaceView::SurfaceView(QWidget* parent) : SurfaceView(1, 1, parent) {}

SurfaceView::SurfaceView(int width, int height, QWidget* parent)
    : SurfaceView(*new Surface(width, height), parent) {
    m_ownSurface.reset(m_surface);
}

SurfaceView::SurfaceView(Surface& surface, QWidget* parent)
    : QWidget(parent), m_surface(&surface), m_hover(new QLabel(this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hover->setObjectName(QStringLiteral("hoverText"));
    m_hover->setAutoFillBackground(true);
    m_hover->setFrameShape(QFrame::Box);
    m_hover->setMargin(2);
    m_hover->setPalette(QPalette(QColor(0, 0, 0), QColor(255, 255, 225)));
    m_hover->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hover->hide();
    connect(m_surface, &Surface::changed, this, qOverload<>(&QWidget::update));
    resize(m_surface->width(), m_surface->height());
    // Before anything is drawn on it, so that nothing is drawn twice at start-up.
    m_surface->setDevicePixelRatio(devicePixelRatioF());
    followDevicePixelRatio(*this, [this](double ratio) { followRatio(ratio); });
}

void SurfaceView::followRatio(double ratio) {
    if (m_surface->setDevicePixelRatio(ratio)) emit devicePixelRatioChanged();
}

void SurfaceView::setCursorShape(Qt::CursorShape shape) {
    if (cursor().shape() != shape) setCursor(shape);
}

void SurfaceView::setHoverText(const QString& text) {
    m_hoverText = text;
    if (text.isEmpty() || !m_mouseInside) {
        m_hover->hide();
        return;
    }
    m_hover->setText(text);
    m_hover->adjustSize();
    placeHover();
    m_hover->show();
    m_hover->raise();
}

// Below and to the right of the pointer, kept inside the view.
void SurfaceView::placeHover() {
    const QSize size = m_hover->sizeHint();
    int x = m_lastMouse.x() + 12;
    int y = m_lastMouse.y() + 18;
    if (x + size.width() > width()) x = m_lastMouse.x() - size.width() - 4;
    if (y + size.height() > height()) y = m_lastMouse.y() - size.height() - 4;
    m_hover->move(std::max(0, x), std::max(0, y));
}

QSize SurfaceView::sizeHint() const {
    return size();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    followSize();
    QPainter painter(this);
    // The picture carries the ratio, so it covers the surface's logical size one device pixel to one.
    m_surface->drawOn(painter, event->rect());
    const int w = m_surface->width();
    const int h = m_surface->height();
    const QColor back = toQColor(m_surface->backColour());
    if (width() > w) painter.fillRect(w, 0, width() - w, height(), back);
    if (height() > h) painter.fillRect(0, h, std::min(width(), w), height() - h, back);
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    m_pressedButton = event->button();
    emit mousePressed(p.x(), p.y(), event->button(), event->modifiers());
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = pixelOf(event);
    const bool click = event->button() == m_pressedButton && rect().contains(p);
    m_pressedButton = Qt::NoButton;
    emit mouseReleased(p.x(), p.y(), event->button(), event->modifiers());
    if (click) emit clicked(p.x(), p.y(), event->button());
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    m_lastMouse = pixelOf(event);
    m_mouseInside = rect().contains(m_lastMouse);
    emit mouseMoved(m_lastMouse.x(), m_lastMouse.y(), event->buttons(), event->modifiers());
    if (m_hover->isVisible()) placeHover();
}

Surface& SurfaceView::surface() {
    followSize();
    return *m_surface;
}

// A hidden widget gets its resize event only when shown; the picture follows at once.
void SurfaceView::followSize() {
    if (width() != m_surface->width() || height() != m_surface->height())
        m_surface->resize(width(), height());
}

void SurfaceView::resizeEvent(QResizeEvent* event) {
    followSize();
    QWidget::resizeEvent(event);
}

void SurfaceView::leaveEvent(QEvent* event) {
    m_mouseInside = false;
    m_hover->hide();
    QWidget::leaveEvent(event);
}

}  // namespace platform
