#pragma once
// The page of a real print: a QPainter over a printer or a PDF writer, scaled so that one
// unit is one twip and the origin is the top left of the printable area.
#include <QPainter>
#include <memory>

#include "platform/page.h"

class QPagedPaintDevice;

namespace platform {

// What a painter page paints on, and what ending or abandoning the document does to it.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual QPagedPaintDevice& device() = 0;
    // After the painter ended. A complete document is handed over (the file written, the job
    // sent); an incomplete one, which could not be drawn whole, is discarded. False when the
    // document did not go out; the target tells the user why.
    virtual bool finish(bool complete) { return complete; }
    // Before the painter ends, when the document is given up half-way: nothing goes out.
    virtual void abandon() {}
};

class PainterPage final : public Page {
  public:
    // Starts painting at once; isActive() tells whether the device accepted.
    explicit PainterPage(std::unique_ptr<PrintTarget> target);
    ~PainterPage() override;

    bool isActive() const { return m_painter.isActive(); }
    double width() const override { return m_width; }
    double height() const override { return m_height; }

  protected:
    void drawText(double x, double y, const QString& line) override;
    void drawPicture(const QImage& image, double x, double y, double width, double height,
                     const Drawing* vectors) override;
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void startNewPage() override;
    bool finishDocument() override;

  private:
    std::unique_ptr<PrintTarget> m_target;
    QPainter m_painter;
    double m_width = 0.0;
    double m_height = 0.0;
    bool m_failed = false;
};

}  // namespace platform
