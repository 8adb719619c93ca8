#pragma once
// "Enregistrer le graphe…": the graph as a PNG picture, an SVG drawing or a PDF page at the size
// the pupil chooses, written through the program's save dialog. The SVG and the PDF hold the
// graph's lines and texts, scaled whole to the size with their proportions kept and centred; the
// PNG is the screen's picture at the graph's own size, and those lines and texts painted the same
// way at any other.
#include <QByteArray>
#include <QDialog>
#include <QSize>
#include <functional>
#include <optional>

#include "platform/drawing.h"

class QPainter;
class QRadioButton;
class QSpinBox;

namespace platform {
class MessageBoxes;
class SaveLocations;
}  // namespace platform

namespace measurementwindows {

enum class GraphFormat { Png, Svg, Pdf };

// Draws the graph's pixels on `painter`, whose device is a `size` pixel picture.
using GraphDrawing = std::function<void(QPainter& painter, QSize size)>;

// The graph as a picture, for a PNG at the drawing's own size, and as a drawing of lines and texts,
// for SVG, PDF and a PNG at another size.
struct GraphSource {
    GraphDrawing pixels;
    std::function<platform::Drawing()> vectors;
};

// The sizes offered, in pixels.
inline constexpr int kMinGraphSide = 100;
inline constexpr int kMaxGraphSide = 4000;

// ".png", ".svg", ".pdf".
QString extensionOf(GraphFormat format);
// The file's bytes, on a white background; nothing when the picture cannot be made (a size out
// of range, no memory for the image).
std::optional<QByteArray> graphFile(GraphFormat format, QSize size, const GraphSource& source);

class GraphExportDialog : public QDialog {
    Q_OBJECT

  public:
    GraphExportDialog(GraphSource source, QSize initialSize, platform::MessageBoxes& messageBoxes,
                      platform::SaveLocations& saveLocations, QWidget* mainWindow);

    GraphFormat format() const;
    QSize size() const;
    // "OK": closes this dialog and opens the save dialog on files of the chosen format.
    void chooseFile();

  private:
    GraphSource m_source;
    platform::MessageBoxes& m_messageBoxes;
    platform::SaveLocations& m_saveLocations;
    QWidget* m_mainWindow;
    QRadioButton* m_png = nullptr;
    QRadioButton* m_svg = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};

// Shows the dialog, modal over `mainWindow`, and returns at once; it is destroyed when it closes.
GraphExportDialog* openGraphExport(GraphSource source, QSize initialSize,
                                   platform::MessageBoxes& messageBoxes,
                                   platform::SaveLocations& saveLocations, QWidget* mainWindow);

}  // namespace measurementwindows
