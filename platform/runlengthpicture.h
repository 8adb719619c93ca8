#pragma once
// An opaque picture made of long runs of one colour, such as a window's gradient background,
// kept as those runs row by row: a few kilobytes where the picture itself takes megabytes. It is
// drawn back a band of rows at a time, every pixel as it was.
#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <vector>

class QPainter;

namespace platform {

class RunLengthPicture {
  public:
    RunLengthPicture() = default;
    // Alpha is ignored: the picture is taken as opaque. Its device pixel ratio and resolution are
    // kept.
    explicit RunLengthPicture(const QImage& picture);

    bool isNull() const { return m_width == 0 || m_height == 0; }
    // In device pixels.
    QSize size() const { return {m_width, m_height}; }
    double devicePixelRatio() const { return m_ratio; }
    // The memory the runs take.
    std::size_t bytes() const;

    // The whole picture, as Format_RGB32 at its ratio and resolution.
    QImage toImage() const;
    // Draws, device pixel for device pixel, the rows that cross `area` (logical pixels), as if the
    // whole picture were drawn at the painter's origin.
    void draw(QPainter& painter, const QRect& area) const;

  private:
    struct Run {
        std::uint32_t end;  // the device column after the run
        QRgb colour;
    };
    // Decodes `into.height()` rows from `firstRow` on.
    void decodeRows(int firstRow, QImage& into) const;
    // Logical rows per band, such that each band starts on a whole device row.
    int bandRows() const;

    int m_width = 0;
    int m_height = 0;
    int m_logicalHeight = 0;
    double m_ratio = 1.0;
    int m_dotsPerMeterX = 0;
    int m_dotsPerMeterY = 0;
    std::vector<Run> m_runs;
    std::vector<std::uint32_t> m_rowStarts;  // index of each row's first run; one more at the end
};

}  // namespace platform
