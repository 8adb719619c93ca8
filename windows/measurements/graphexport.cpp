#include "windows/measurements/graphexport.h"

#include <QBuffer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/drawingpainting.h"
#include "platform/svgwriter.h"
#include "windows/measurements/savedfile.h"

namespace measurementwindows {

namespace {

constexpr int kPointsPerInch = 72;

bool paintOn(QPaintDevice& device, QSize size, const GraphDrawing& draw) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (draw) draw(painter, size);
    return painter.end();
}

}  // namespace

QString extensionOf(GraphFormat format) {
    switch (format) {
        case GraphFormat::Png:
            return QStringLiteral(".png");
        case GraphFormat::Svg:
            return QStringLiteral(".svg");
        case GraphFormat::Pdf:
            break;
    }
    return QStringLiteral(".pdf");
}

std::optional<QByteArray> graphFile(GraphFormat format, QSize size, const GraphSource& source) {
    const auto inRange = [](int side) { return side >= kMinGraphSide && side <= kMaxGraphSide; };
    if (!inRange(size.width()) || !inRange(size.height())) return std::nullopt;
    const QString title = QStringLiteral("Graphe");
    if (format == GraphFormat::Svg) {
        return platform::svgDocument(source.vectors ? source.vectors() : platform::Drawing(), size, title);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    if (format == GraphFormat::Png) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) return std::nullopt;
        // The screen's pixels at their own size; at another, the lines and texts scaled whole rather
        // than a raster stretched or left in a corner.
        const platform::Drawing drawing = source.vectors ? source.vectors() : platform::Drawing();
        const bool ownSize = !source.vectors || size == drawing.size;
        const auto vectors = [&drawing](QPainter& painter, QSize picture) {
            platform::paintDrawing(painter, drawing, QRectF(QPointF(0, 0), QSizeF(picture)));
        };
        const bool painted = ownSize ? paintOn(image, size, source.pixels) : paintOn(image, size, vectors);
        if (!painted || !image.save(&buffer, "PNG")) return std::nullopt;
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Vireltra"));
        pdf.setTitle(title);
        // A page holds whole points: one pixel per point keeps the size asked exactly.
        pdf.setResolution(kPointsPerInch);
        pdf.setPageSize(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        const platform::Drawing drawing = source.vectors ? source.vectors() : platform::Drawing();
        const auto vectors = [&drawing](QPainter& painter, QSize page) {
            platform::paintDrawing(painter, drawing, QRectF(QPointF(0, 0), QSizeF(page)));
        };
        if (!paintOn(pdf, size, vectors)) return std::nullopt;
    }
    buffer.close();
    return bytes;
}

GraphExportDialog::GraphExportDialog(GraphSource source, QSize initialSize,
                                     platform::MessageBoxes& messageBoxes,
                                     platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_source(std::move(source)),
      m_messageBoxes(messageBoxes),
      m_saveLocations(saveLocations),
      m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("enregistrergraphe"));
    setWindowTitle(QStringLiteral("Enregistrer le graphe"));

    auto* formats = new QGroupBox(QStringLiteral("Format"), this);
    m_png = new QRadioButton(QStringLiteral("PNG : une image, pour un traitement de texte ou une page web"),
                             formats);
    m_png->setObjectName(QStringLiteral("png"));
    m_png->setChecked(true);
    m_svg = new QRadioButton(QStringLiteral("SVG : pour un logiciel de dessin ou une page web"), formats);
    m_svg->setObjectName(QStringLiteral("svg"));
    auto* pdf =
        new QRadioButton(QStringLiteral("PDF : une page à imprimer ou à joindre à un compte rendu"), formats);
    pdf->setObjectName(QStringLiteral("pdf"));
    auto* formatLayout = new QVBoxLayout(formats);
    for (QRadioButton* button : {m_png, m_svg, pdf}) formatLayout->addWidget(button);

    const auto side = [this](const char* name, int value) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(kMinGraphSide, kMaxGraphSide);
        box->setSingleStep(10);
        box->setSuffix(QStringLiteral(" pixels"));
        box->setValue(value);
        return box;
    };
    m_width = side("largeur", initialSize.width());
    m_height = side("hauteur", initialSize.height());
    auto* sizes = new QFormLayout;
    sizes->addRow(QStringLiteral("Largeur :"), m_width);
    sizes->addRow(QStringLiteral("Hauteur :"), m_height);

    QHBoxLayout* buttons = okCancelButtons(*this, [this] { chooseFile(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formats);
    layout->addLayout(sizes);
    layout->addLayout(buttons);
}

GraphFormat GraphExportDialog::format() const {
    if (m_png->isChecked()) return GraphFormat::Png;
    return m_svg->isChecked() ? GraphFormat::Svg : GraphFormat::Pdf;
}

QSize GraphExportDialog::size() const {
    return {m_width->value(), m_height->value()};
}

void GraphExportDialog::chooseFile() {
    ContentMaker content = [source = m_source, format = format(), size = size()] {
        return graphFile(format, size, source);
    };
    accept();
    openFileSave(QStringLiteral("Enregistrer le graphe"), extensionOf(format()), QStringLiteral("graphe"),
                 std::move(content), m_messageBoxes, m_saveLocations, m_mainWindow);
}

GraphExportDialog* openGraphExport(GraphSource source, QSize initialSize,
                                   platform::MessageBoxes& messageBoxes,
                                   platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    auto* dialog =
        new GraphExportDialog(std::move(source), initialSize, messageBoxes, saveLocations, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace measurementwindows
