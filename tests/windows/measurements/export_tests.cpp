// Data out: the lab's points, the table and the curve exported as CSV and read back, the window's
// choice and the names it gives, a file replaced only after the question, and the graph written
// as PNG, SVG or PDF at the size asked.
#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpression>
#include <vector>

#include "measurements/measurementreader.h"
#include "measurementwindowsfixture.h"
#include "tests/labpoints.h"
#include "windows/measurements/graphexport.h"
#include "windows/measurements/measurementexport.h"

using measurements::CsvTable;
using measurements::CurvePoint;
using measurements::MeasuredPoint;
using measurementwindows::GraphFormat;
using platform::MessageAnswer;

namespace {

const std::vector<MeasuredPoint> kPoints =
    testing_points::labPoints({{0, 2.91, 0}, {1, 3.6, 0}, {10.5, 4.94, 0}, {16.4, 10.44, 0}, {25, 12.28, 0}});

CsvTable tableOf(const std::vector<MeasuredPoint>& points) {
    CsvTable table{{"V (mL)", "pH", "[H3O+] (mol/L)"}, {}};
    for (const MeasuredPoint& point : points) {
        const double pH = testing_points::pHOf(point);
        table.rows.push_back({point.volume, pH, std::pow(10.0, -pH)});
    }
    return table;
}

std::vector<CurvePoint> curve() {
    std::vector<CurvePoint> points;
    for (int i = 0; i <= 50; ++i) points.push_back({i * 0.5, 3 + i * 0.18});
    return points;
}

// The table of values alone, as before anything is measured in the lab.
state::ExportSources tableAndCurve() {
    return {state::measuredForExport({}), tableOf(kPoints), curve()};
}

void drawSquare(QPainter& painter, QSize size) {
    painter.fillRect(QRect(size.width() / 2 - 5, size.height() / 2 - 5, 10, 10), Qt::black);
}

// The same square as pixels and as vectors, on a drawing of the graph's proportions.
measurementwindows::GraphSource square() {
    return {
        drawSquare, [] {
            platform::Drawing drawing;
            drawing.size = QSize(460, 270);
            drawing.items.emplace_back(platform::drawn::Rectangle{{225, 130}, {234, 139}, platform::kBlack});
            return drawing;
        }};
}

struct RoundTripCase {
    const char* name;
    const char* convention;  // object name of the radio button
    bool withCurve;
    char separator;
};

class ExportRoundTrip : public MeasurementWindowsTest, public ::testing::WithParamInterface<RoundTripCase> {};

enum class Kind { Csv, Png, Pdf };

struct ReplaceCase {
    const char* name;
    Kind kind;
    const char* savedAs;  // typed in the save dialog
    MessageAnswer answer;
    bool replaced;
    const char* message;  // the one message box
};

class ExistingFile : public MeasurementWindowsTest, public ::testing::WithParamInterface<ReplaceCase> {};

struct GraphCase {
    const char* name;
    GraphFormat format;
    QSize size;
};

}  // namespace

TEST_P(ExportRoundTrip, ReadsBackTheSamePoints) {
    const RoundTripCase& c = GetParam();
    QPointer<QWidget> dialog =
        measurementwindows::openMeasurementExport(tableAndCurve(), boxes, saveLocations, &parent);
    in<QRadioButton>(dialog, c.convention)->click();
    in<QCheckBox>(dialog, "courbetheorique")->setChecked(c.withCurve);
    click(dialog, "ok");
    EXPECT_TRUE(closed(dialog));
    QPointer<QWidget> save = saveAs(QStringLiteral("export"));
    EXPECT_TRUE(closed(save));

    const QByteArray bytes = readFile(QStringLiteral("export.csv"));
    const QByteArray header = bytes.left(bytes.indexOf('\r'));
    EXPECT_EQ(header.count(c.separator), c.withCurve ? 4 : 2) << header.toStdString();
    const measurements::ReadResult read =
        measurements::readMeasurements(std::string_view(bytes.toStdString()), state::labReadings());
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.points, kPoints);
}

INSTANTIATE_TEST_SUITE_P(, ExportRoundTrip,
                         ::testing::Values(RoundTripCase{"French", "francais", false, ';'},
                                           RoundTripCase{"International", "international", false, ','},
                                           RoundTripCase{"FrenchWithCurve", "francais", true, ';'},
                                           RoundTripCase{"InternationalWithCurve", "international", true,
                                                         ','}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(ExistingFile, IsReplacedOnlyAfterTheQuestion) {
    const ReplaceCase& c = GetParam();
    const char* extension = c.kind == Kind::Csv ? ".csv" : c.kind == Kind::Png ? ".png" : ".pdf";
    const QString existing = QStringLiteral("sortie") + QString::fromLatin1(extension);
    writeFile(existing, "ancien");
    QPointer<QWidget> choice;
    if (c.kind == Kind::Csv) {
        choice = measurementwindows::openMeasurementExport(
            {state::measuredForExport({}), tableOf(kPoints), {}}, boxes, saveLocations, &parent);
    } else {
        choice =
            measurementwindows::openGraphExport(square(), QSize(460, 270), boxes, saveLocations, &parent);
        in<QRadioButton>(choice, c.kind == Kind::Png ? "png" : "pdf")->click();
    }
    click(choice, "ok");
    boxes.queueAnswer(c.answer);
    QPointer<QWidget> save = saveAs(QString::fromLatin1(c.savedAs));

    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QString::fromUtf8(c.message));
    const QByteArray bytes = readFile(existing);
    const QByteArray start = c.kind == Kind::Csv ? "\xEF\xBB\xBF" : c.kind == Kind::Png ? "\x89PNG" : "%PDF";
    EXPECT_EQ(bytes.startsWith(start), c.replaced);
    EXPECT_EQ(bytes == "ancien", !c.replaced);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{existing});  // no temporary left
    EXPECT_EQ(closed(save), c.replaced);
    if (save) click(save, "Command2");
}

INSTANTIATE_TEST_SUITE_P(
    , ExistingFile,
    ::testing::Values(ReplaceCase{"CsvKeptOnNo", Kind::Csv, "sortie", MessageAnswer::No, false,
                                  "Ecraser le fichier existant?"},
                      ReplaceCase{"CsvReplacedOnYes", Kind::Csv, "sortie.csv", MessageAnswer::Yes, true,
                                  "Ecraser le fichier existant?"},
                      ReplaceCase{"PngKeptOnNo", Kind::Png, "sortie", MessageAnswer::No, false,
                                  "Ecraser le fichier existant?"},
                      ReplaceCase{"PdfReplacedOnYes", Kind::Pdf, "sortie", MessageAnswer::Yes, true,
                                  "Ecraser le fichier existant?"},
                      ReplaceCase{"UnwritableFolderSaysSo", Kind::Csv, "absent/sortie", MessageAnswer::Ok,
                                  false, "Ecriture impossible sur disque"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MeasurementWindowsTest, ExportWindowOffersEachPartAndNamesWhatItWrites) {
    // Five points imported, nothing poured: one simulated row, no curve.
    const state::ExportSources sources{state::measuredForExport(kPoints), tableOf({kPoints.front()}), {}};
    QPointer<QWidget> dialog =
        measurementwindows::openMeasurementExport(sources, boxes, saveLocations, &parent);
    auto* measured = in<QCheckBox>(dialog, "mesureslabo");
    auto* table = in<QCheckBox>(dialog, "tableau");
    auto* curve = in<QCheckBox>(dialog, "courbetheorique");
    EXPECT_EQ(measured->text(), QStringLiteral("Les mesures du laboratoire (5 points : V, pH)"));
    EXPECT_TRUE(measured->isChecked());
    EXPECT_TRUE(table->isEnabled());
    EXPECT_FALSE(table->isChecked());
    EXPECT_FALSE(curve->isEnabled());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Exporter les mesures du laboratoire"));
    measured->setChecked(false);
    EXPECT_FALSE(in<QPushButton>(dialog, "ok")->isEnabled());  // nothing to write
    measured->setChecked(true);
    table->setChecked(true);
    EXPECT_EQ(dialog->windowTitle(),
              QStringLiteral("Exporter les mesures du laboratoire et le tableau de valeurs simulé"));

    click(dialog, "ok");
    auto* save = parent.findChild<QWidget*>(QStringLiteral("enregistrer"));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->windowTitle(), dialog->windowTitle());
    EXPECT_EQ(in<QLineEdit>(save, "Text1")->text(), QStringLiteral("mesures-labo-tableau-simule"));
    click(save, "Command1");
    const QByteArray bytes = readFile(QStringLiteral("mesures-labo-tableau-simule.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBFV (mL);pH;V simulé (mL);pH simulé;[H3O+] (mol/L)\r\n"))
        << bytes.left(80).toStdString();
    const measurements::ReadResult read =
        measurements::readMeasurements(std::string_view(bytes.toStdString()), state::labReadings());
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.points, kPoints);
}

TEST_F(MeasurementWindowsTest, GraphFileHasEachFormatAtTheRequestedSize) {
    const GraphCase cases[] = {
        {"PngGraphSurface", GraphFormat::Png, {460, 270}}, {"PngLarge", GraphFormat::Png, {1600, 900}},
        {"SvgOddSize", GraphFormat::Svg, {461, 273}},      {"PdfGraphSurface", GraphFormat::Pdf, {460, 270}},
        {"PdfTallOddSize", GraphFormat::Pdf, {301, 1001}},
    };
    for (const GraphCase& c : cases) {
        SCOPED_TRACE(c.name);
        QSize drawnOn = c.size;  // the pixels are drawn for PNG only
        measurementwindows::GraphSource source = square();
        source.pixels = [&](QPainter& painter, QSize size) {
            drawnOn = QSize(painter.device()->width(), painter.device()->height());
            drawSquare(painter, size);
        };
        const auto bytes = measurementwindows::graphFile(c.format, c.size, source);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(drawnOn, c.size);
        // What each file says of its size: the image's pixels, the drawing's view box, the page's
        // points (one per pixel).
        QSizeF written;
        if (c.format == GraphFormat::Png) written = QImage::fromData(*bytes, "PNG").size();
        if (c.format == GraphFormat::Svg) {
            const auto box = QRegularExpression(QStringLiteral("viewBox=\"0 0 ([0-9.]+) ([0-9.]+)\""))
                                 .match(QString::fromUtf8(*bytes));
            written = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
        }
        if (c.format == GraphFormat::Pdf) {
            const auto box = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                                 .match(QString::fromLatin1(*bytes));
            written = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
        }
        EXPECT_EQ(written, QSizeF(c.size));
    }
    EXPECT_FALSE(measurementwindows::graphFile(GraphFormat::Png, {50, 300}, square()).has_value());
    EXPECT_FALSE(measurementwindows::graphFile(GraphFormat::Svg, {300, 4001}, square()).has_value());
}
