#include "platform/drawnicon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <utility>

namespace platform {

namespace {

class DrawnIconEngine : public QIconEngine {
  public:
    DrawnIconEngine(int side, std::function<void(QPainter&)> draw) : m_side(side), m_draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / static_cast<double>(m_side),
                       rect.height() / static_cast<double>(m_side));
        m_draw(*painter);
        painter->restore();
    }

    // Asked for in device pixels: drawn at that size, not enlarged from a smaller one.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        // Greyed when disabled, as the style greys any icon.
        if (mode == QIcon::Normal || mode == QIcon::Active || !QApplication::style()) return picture;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(m_side, m_draw); }

  private:
    int m_side;
    std::function<void(QPainter&)> m_draw;
};

}  // namespace

QIcon drawnIcon(int side, std::function<void(QPainter&)> draw) {
    return QIcon(new DrawnIconEngine(side, std::move(draw)));
}

}  // namespace platform
