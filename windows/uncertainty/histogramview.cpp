#include "windows/uncertainty/histogramview.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "numbers/picture.h"
#include "platform/fonts.h"
#include "platform/utf8text.h"

namespace uncertaintywindows {

namespace {

constexpr int kMargin = 8;
constexpr int kAxisHeight = 18;

}  // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("histogramme"));
    setAccessibleName(QStringLiteral("Histogramme des concentrations simulées"));
    setMinimumSize(320, 160);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void HistogramView::showResults(const uncertainty::Histogram& histogram,
                                const std::optional<uncertainty::SimulationSummary>& summary) {
    m_histogram = histogram;
    m_summary = summary;
    update();
}

void HistogramView::clear() {
    m_histogram = {};
    m_summary.reset();
    update();
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect plot(kMargin, kMargin, width() - 2 * kMargin, height() - 2 * kMargin - kAxisHeight);
    painter.setPen(QPen(Qt::gray));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    const auto bins = static_cast<int>(m_histogram.counts.size());
    const int highest =
        bins > 0 ? *std::max_element(m_histogram.counts.begin(), m_histogram.counts.end()) : 0;
    if (bins == 0 || highest <= 0 || plot.width() < 10 || plot.height() < 10) return;

    // A histogram of identical values is one bar across the frame.
    const double first = m_histogram.first;
    const double span = m_histogram.width > 0 ? m_histogram.width * bins : 1;
    const auto x = [&](double value) { return plot.left() + (value - first) / span * plot.width(); };
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.setBrush(QColor(70, 130, 180));
    const double barWidth = static_cast<double>(plot.width()) / bins;
    for (int i = 0; i < bins; ++i) {
        const double h = static_cast<double>(m_histogram.counts[static_cast<std::size_t>(i)]) / highest *
                         (plot.height() - 2);
        painter.drawRect(QRectF(plot.left() + i * barWidth, plot.bottom() - h, barWidth, h));
    }
    painter.setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    if (m_summary && m_histogram.width > 0) {
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPointF(x(m_summary->mean), plot.top()), QPointF(x(m_summary->mean), plot.bottom()));
        painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        for (const double bound : {m_summary->low95, m_summary->high95}) {
            painter.drawLine(QPointF(x(bound), plot.top()), QPointF(x(bound), plot.bottom()));
        }
    }
    painter.setPen(Qt::black);
    const double last = first + (m_histogram.width > 0 ? span : 0);
    const QRect axis(plot.left(), plot.bottom() + 2, plot.width(), kAxisHeight);
    painter.drawText(axis, Qt::AlignLeft | Qt::AlignTop,
                     platform::fromUtf8(numbers::formatPicture(first, "0.000E+00")));
    painter.drawText(axis, Qt::AlignRight | Qt::AlignTop,
                     platform::fromUtf8(numbers::formatPicture(last, "0.000E+00")));
    painter.drawText(axis, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("c (mol · L-1)"));
}

}  // namespace uncertaintywindows
