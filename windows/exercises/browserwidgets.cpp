#include "windows/exercises/browserwidgets.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "windows/exercises/browserpictures.h"

namespace exercisewindow {

TitleBand::TitleBand(QWidget* parent) : QWidget(parent) {}

void TitleBand::setTitle(const QString& title) {
    m_title = title;
    update();
}

void TitleBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient shade(0, 0, width(), 0);
    shade.setColorAt(0.0, QColor(24, 62, 138));
    shade.setColorAt(1.0, QColor(86, 150, 214));
    painter.fillRect(rect(), shade);
    // A lighter line along the bottom edge separates the band from the window.
    painter.fillRect(QRect(0, height() - 3, width(), 3), QColor(255, 196, 60));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    const QRect text = rect().adjusted(20, 0, -20, -3);
    painter.setPen(QColor(10, 30, 70, 160));
    painter.drawText(text.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_title);
}

HourglassBox::HourglassBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
}

void HourglassBox::setCount(int count) {
    m_count = std::max(count, 0);
    update();
}

void HourglassBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_count <= 0) return;
    QPainter painter(this);
    const QRect area = contentsRect();
    const int height = std::max(8, area.height() - 4);
    const QPixmap glass = hourglassPicture(height);
    const int step = static_cast<int>(glass.deviceIndependentSize().width()) + 4;
    // Bounded by the width: a damaged file asking for thousands draws one row.
    const int shown = std::min(m_count, std::max(0, (area.width() + 4) / step));
    for (int i = 0; i < shown; ++i) painter.drawPixmap(area.left() + i * step, area.top() + 2, glass);
}

}  // namespace exercisewindow
