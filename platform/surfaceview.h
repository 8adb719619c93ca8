#pragma once
// A widget that shows a Surface at 1:1 and reports the mouse in the surface's pixel
// coordinates, with a settable cursor and a hover text shown beside the pointer. Like a
// picture box, the picture takes the size of the widget when the widget is resized.
//
// The surface is kept at the widget's device pixel ratio, from the view's construction on, and
// shown device pixel for device pixel. When the ratio changes (another screen, another scale)
// the surface is given the new one and devicePixelRatioChanged() asks its owner to draw again.
#include <QLabel>
#include <QWidget>
#include <memory>

#include "platform/surface.h"

namespace platform {

class SurfaceView : public QWidget {
    Q_OBJECT

  public:
    explicit SurfaceView(QWidget* parent = nullptr);
    SurfaceView(int width, int height, QWidget* parent = nullptr);
    // A view of a surface owned elsewhere, which must outlive the view.
    explicit SurfaceView(Surface& surface, QWidget* parent = nullptr);

    // The picture follows the widget's size, even while the widget is hidden.
    Surface& surface();
    const Surface& surface() const { return *m_surface; }

    void setCursorShape(Qt::CursorShape shape);
    Qt::CursorShape cursorShape() const { return cursor().shape(); }

    // Shown beside the pointer while it is over the view; an empty text hides it.
    void setHoverText(const QString& text);
    QString hoverText() const { return m_hoverText; }
    bool isHoverTextShown() const { return m_hover->isVisible(); }

    QSize sizeHint() const override;

  signals:
    void mousePressed(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseReleased(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void mouseMoved(int x, int y, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // A press and a release of the same button, the release inside the view.
    void clicked(int x, int y, Qt::MouseButton button);
    // The surface was given a new device pixel ratio: what it shows is enlarged or reduced until
    // it is drawn again.
    void devicePixelRatioChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeHover();
    void followSize();
    void followRatio(double ratio);

    std::unique_ptr<Surface> m_ownSurface;
    Surface* m_surface;
    QLabel* m_hover;
    QString m_hoverText;
    QPoint m_lastMouse{-1, -1};
    bool m_mouseInside = false;
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};

}  // namespace platform
