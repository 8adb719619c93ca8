#include "workbench/apparatuspainter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "chemistry/chemistry.h"
#include "platform/fonts.h"
#include "state/apparatusgeometry.h"
#include "workbench/apparatuscolours.h"
#include "workbench/apparatuspictures.h"

namespace workbench {

using platform::Colour;
using platform::kBlack;
using platform::kWhite;
using platform::Surface;
namespace ApparatusGeometry = state::ApparatusGeometry;
using namespace apparatus;

namespace {

constexpr Colour kStirrerBlue{20, 100, 180};
constexpr Colour kPilotRed{255, 0, 0};
constexpr Colour kProbeYellow{230, 200, 0};

// The beaker's walls and bottom, px (add the beaker offset).
constexpr int kBeakerLeft = 51;
constexpr int kBeakerRight = 101;
constexpr int kBeakerTop = 371;
constexpr int kBeakerBottom = 455;
constexpr int kLiquidLeft = 52;
constexpr int kLiquidRight = 100;

// Code 183 of the Symbol font is its bullet.
QString bullet() {
    return QString(QChar(183));
}

}  // namespace

int ApparatusPainter::graduationY(double volume) {
    if (!std::isfinite(volume)) return 30;
    return 30 + static_cast<int>(std::lround(10.0 * std::clamp(volume, 0.0, chemistry::kBuretteCapacity)));
}

int ApparatusPainter::drawnSurface(const ApparatusScene& scene) {
    const int s = ApparatusGeometry::liquidSurface(scene.beakerVolume, scene.pouredVolume, scene.waterVolume);
    // Volumes the panel would refuse (read from elsewhere) must not draw outside the beaker.
    return std::clamp(s, kBeakerTop, kBeakerBottom - 1);
}

double ApparatusPainter::shading(int x) {
    if (x <= 0) return 1.0;
    return std::pow(static_cast<double>(kLiquidLeft) / x, 0.4);
}

void ApparatusPainter::setFont(const QString& name, double points, bool bold, bool italic) {
    m_surface.setFontName(name);
    m_surface.setFontSize(points);
    m_surface.setFontBold(bold);
    m_surface.setFontItalic(italic);
}

void ApparatusPainter::setFont(const OverlayFont& font) {
    setFont(QString::fromLatin1(font.name), font.points, font.bold);
}

// --- Background layer -------------------------------------------------------------------------

ApparatusLayout ApparatusPainter::drawBackground(const ApparatusScene& scene,
                                                 const LegendControls& controls) {
    m_surface.removeBackground();
    m_surface.setStrokeWidth(1);
    m_surface.setDrawMode(platform::DrawMode::Copy);
    setFont(QStringLiteral("Arial"), 8);
    drawGradient(state::drawingPalette(scene.highContrast));
    if (scene.showBurette) {
        drawStandAndStirrer();
        drawBurette();
    }
    if (scene.showPhMeter) drawPhMeter(ApparatusGeometry::beakerOffset(scene.showBurette));
    if (scene.showConductimeter) drawConductimeter(ApparatusGeometry::beakerOffset(scene.showBurette));
    if (scene.showElectrodes)
        drawConductimeter(ApparatusGeometry::beakerOffset(scene.showBurette), QStringLiteral("V"));
    ApparatusLayout layout;
    if (scene.showBurette) layout = writeLegend(scene, controls);
    m_surface.keepAsBackground();
    return layout;
}

// Peach at the top fading to white at the bottom.
void ApparatusPainter::drawGradient(const state::DrawingPalette& palette) {
    const int h = m_surface.height();
    const int w = m_surface.width();
    const Colour top = palette.apparatusTop;
    const Colour bottom = palette.apparatusBottom;
    for (int y = 0; y <= h; ++y) {
        const double t = static_cast<double>(y) / h;
        m_surface.line(0, y, w, y,
                       Colour{component(top.red + (bottom.red - top.red) * t),
                              component(top.green + (bottom.green - top.green) * t),
                              component(top.blue + (bottom.blue - top.blue) * t)});
    }
}

void ApparatusPainter::drawStandAndStirrer() {
    const Colour a = kLightGrey;
    // Stand rod and base.
    m_surface.filledRectangle(21, 70, 25, 482, a, kBlack);
    m_surface.line(22, 71, 22, 482, kWhite);
    m_surface.line(24, 71, 24, 482, kDarkGrey);
    m_surface.filledRectangle(9, 482, 37, 486, kBlack, kBlack);
    // Clamp: arm, jaw round the burette, screw on the rod.
    m_surface.filledRectangle(15, 150, 64, 154, a, kBlack);
    m_surface.line(16, 151, 63, 151, kWhite);
    m_surface.line(16, 153, 63, 153, kDarkGrey);
    m_surface.filledRectangle(53, 147, 72, 157, a, kBlack);
    m_surface.rectangle(55, 147, 70, 157, kJawGrey);
    m_surface.line(54, 148, 54, 157, kWhite);
    m_surface.line(71, 148, 71, 157, kWhite);
    m_surface.filledCircle(23, 152, 5, a, kBlack);
    // Magnetic stirrer: case, knob, pilot light.
    m_surface.filledRectangle(41, 457, 111, 486, kStirrerBlue, kBlack);
    m_surface.filledCircle(56, 471, 7, kBlack, kBlack);
    m_surface.circle(56, 471, 9, kWhite);
    m_surface.filledCircle(106, 465, 2, kPilotRed, kBlack);
}

void ApparatusPainter::drawBurette() {
    // Mouth.
    m_surface.line(48, 8, 78, 8, kBlack);
    m_surface.line(49, 9, 77, 9, kWhite);
    m_surface.line(48, 8, 55, 15, kBlack);
    m_surface.line(50, 9, 57, 15, kWhite);
    m_surface.line(70, 15, 77, 8, kBlack);
    m_surface.line(68, 15, 75, 8, kLightGrey);
    m_surface.line(69, 15, 76, 8, kDarkGrey);
    m_surface.line(55, 15, 70, 15, kLightGrey);
    // Tube.
    m_surface.line(55, 15, 55, 310, kBlack);
    m_surface.line(70, 15, 70, 310, kBlack);
    m_surface.line(68, 15, 68, 310, kLightGrey);
    m_surface.line(69, 15, 69, 310, kDarkGrey);
    drawGraduation();
    m_surface.line(57, 15, 57, 310, kWhite);
    // Stopcock body.
    m_surface.filledRectangle(50, 295, 75, 301, kWhite, kBlack);
    m_surface.line(50, 299, 75, 299, kLightGrey);
    m_surface.line(50, 300, 75, 300, kDarkGrey);
    // Tip: a cone, then a thin stem.
    m_surface.line(56, 310, 61, 320, kBlack);
    m_surface.line(57, 310, 62, 320, kWhite);
    m_surface.line(67, 310, 62, 320, kLightGrey);
    m_surface.line(68, 310, 63, 320, kDarkGrey);
    m_surface.line(69, 310, 64, 320, kBlack);
    m_surface.rectangle(61, 320, 64, 350, kBlack);
    m_surface.line(62, 321, 62, 350, kWhite);
    m_surface.line(63, 321, 63, 350, kDarkGrey);
}

// Short ticks every 0,2 mL, full ticks on whole millilitres, numbered every 5 mL.
void ApparatusPainter::drawGraduation() {
    setFont(QStringLiteral("Arial"), 5);
    const int steps = static_cast<int>(chemistry::kBuretteCapacity * 5);
    for (int k = 0; k <= steps; ++k) {
        const int y = 30 + 2 * k;
        if (k % 5 != 0) {
            m_surface.line(60, y, 66, y, kDarkGrey);
            continue;
        }
        const int millilitres = k / 5;
        if (millilitres % 5 != 0) {
            m_surface.line(55, y, 70, y, kDarkGrey);
            continue;
        }
        m_surface.line(55, y, 60, y, kDarkGrey);
        m_surface.line(65, y, 70, y, kDarkGrey);
        const QString number = QString::number(millilitres);
        m_surface.setForeColour(kBlack);
        m_surface.moveTo(63 - m_surface.textWidth(number) / 2, y - m_surface.textHeight() / 2);
        m_surface.print(number);
    }
    setFont(QStringLiteral("Arial"), 8);
}

void ApparatusPainter::bulletLine(double y, const QString& text) {
    m_surface.moveTo(98, y);
    setFont(QStringLiteral("Symbol"), 8);
    m_surface.print(bullet());
    setFont(QStringLiteral("Arial"), 8);
    m_surface.print(text);
}

// A quantity of the burette, italic with the subscript 1, then " = ", from the pen position.
void ApparatusPainter::symbolEquals(const QString& symbol) {
    const double line = m_surface.currentY();
    setFont(QStringLiteral("Arial"), 10, false, true);
    m_surface.print(symbol);
    setFont(QStringLiteral("Arial"), 8);
    m_surface.setCurrentY(line + 6);
    m_surface.print(QStringLiteral("1"));
    m_surface.setCurrentY(line);
    setFont(QStringLiteral("Arial"), 10);
    m_surface.print(QStringLiteral(" = "));
}

// The legend flows like printed text; the two fields and the reading take their places in it.
ApparatusLayout ApparatusPainter::writeLegend(const ApparatusScene& scene, const LegendControls& controls) {
    Surface& s = m_surface;
    ApparatusLayout layout;
    layout.legendShown = true;
    s.setForeColour(kBlack);

    s.moveTo(90, 54);
    setFont(QStringLiteral("Arial"), 10, true);
    s.print(QStringLiteral("Dans la burette"));
    s.newLine();

    if (!scene.titrant.empty()) {
        // An oxidation-reduction titrant, named as its list names it.
        const QString named =
            QStringLiteral(" Solution contenant : ") + QString::fromStdString(scene.titrant) + ".";
        const std::vector<QString> lines =
            brokenLines(named, QStringLiteral(" "), s.width() - 106 - kLabelMargin);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i == 0) {
                bulletLine(s.currentY() + 4, QStringLiteral(" ") + lines[i]);
            } else {
                s.setCurrentX(106);
                s.print(lines[i]);
            }
            s.newLine();
        }
    } else {
        // The burette always holds the strong titrant that neutralises the beaker.
        const bool beakerIsAcid = scene.beakerIsAcid;
        bulletLine(s.currentY() + 4, beakerIsAcid ? QStringLiteral(" Solution aqueuse d'hydroxyde de")
                                                  : QStringLiteral(" Solution aqueuse d'acide"));
        s.newLine();
        s.setCurrentX(106);
        s.print(beakerIsAcid ? QStringLiteral("sodium.") : QStringLiteral("chlorhydrique."));
        s.newLine();
    }

    bulletLine(s.currentY() + 9, QStringLiteral(" Concentration en soluté apporté :"));
    s.newLine();
    s.moveTo(107, s.currentY() + 6);
    const double concentrationLine = s.currentY();
    symbolEquals(QStringLiteral("c"));
    layout.titrantField =
        QPoint(static_cast<int>(std::lround(s.currentX())), static_cast<int>(concentrationLine) - 3);
    s.setCurrentX(s.currentX() + controls.titrantField.width());
    s.print(QStringLiteral(" mol \u00B7 L"));
    setFont(QStringLiteral("Arial"), 8);
    s.setCurrentY(concentrationLine - 4);
    s.print(QStringLiteral("-1"));

    // The poured volume: the field the pupil may type into, then the reading as the burette
    // shows it.
    const double volumeLine = concentrationLine + 27;
    bulletLine(volumeLine, QStringLiteral(" Volume de solution versée : "));
    const int fieldLeft =
        std::min(static_cast<int>(std::lround(s.currentX())), s.width() - controls.pouredField.width() - 2);
    layout.pouredField = QPoint(fieldLeft, static_cast<int>(volumeLine) - 3);
    s.newLine();
    const double readingLine = std::max(s.currentY(), volumeLine - 3 + controls.pouredField.height()) + 6;
    s.moveTo(136, readingLine);
    symbolEquals(QStringLiteral("V"));
    layout.pouredLabel = QPoint(static_cast<int>(std::lround(s.currentX())), static_cast<int>(readingLine));
    setFont(QStringLiteral("Arial"), 8);
    return layout;
}

// --- Drawing layer ----------------------------------------------------------------------------

int ApparatusPainter::drawLiquidLevels(const ApparatusScene& scene) {
    Surface& s = m_surface;
    s.clear();
    s.setStrokeWidth(1);
    const int o = ApparatusGeometry::beakerOffset(scene.showBurette);
    const int top = drawnSurface(scene);
    const state::DrawingPalette palette = state::drawingPalette(scene.highContrast);

    // Meniscus: its lowest point lies on the graduation mark of the poured volume.
    if (scene.showBurette) {
        const double v = std::isfinite(scene.pouredVolume)
                             ? std::clamp(scene.pouredVolume, 0.0, chemistry::kBuretteCapacity)
                             : 0.0;
        s.line(58, 27 + 10 * v, 67, 27 + 10 * v, palette.meniscusLight);
        s.line(55, 26 + 10 * v, 70, 26 + 10 * v, kDarkGrey);
        s.arc(62, 23 + 10 * v, 7, 3.34, 6.08, kBlack);
    }

    if (scene.showPhMeter) s.filledRectangle(86, 360 + o, 92, top + o, kProbeYellow, kBlack);

    // Beaker.
    s.rectangle(kBeakerLeft, kBeakerTop + o, kBeakerRight, kBeakerBottom + o, kBlack);
    s.rectangle(50, 369 + o, 102, 371 + o, kBlack);
    s.line(51, 370 + o, 102, 370 + o, kWhite);
    s.line(54, 456 + o, 99, 456 + o, kBlack);
    s.line(kLiquidLeft, top + o, kBeakerRight, top + o, kBlack);
    s.line(53, 372 + o, 53, kBeakerBottom + o, kWhite);
    s.line(100, 372 + o, 100, kBeakerBottom + o, kDarkGrey);

    // Liquid, brightest at the left wall.
    const double pH = std::isfinite(scene.pH) ? scene.pH : 7.0;
    const Colour base =
        palette.liquid(scene.liquid ? *scene.liquid : chemistry::liquidColour(scene.indicatorIndex, pH));
    for (int x = kLiquidLeft; x <= kLiquidRight; ++x) {
        const double f = shading(x);
        s.line(x, top + o + 1, x, kBeakerBottom + o, scaled(base, f, f, f));
    }

    if (scene.showPhMeter) {
        const Colour tint = scaled(base, 0.9, 0.8, 0.1);
        s.rectangle(86, top + o + 1, 92, 452 + o, kDarkGrey);
        s.filledRectangle(87, top + o + 1, 91, 451 + o, tint);
        s.filledCircle(89, 452 + o, 3, tint, kDarkGrey);
    }

    if (scene.showConductimeter) drawConductivityCell(o, top, base);
    if (scene.showElectrodes) drawElectrodes(o, top, base);

    if (scene.pouring && scene.showBurette) {
        s.filledRectangle(62, 351, 63, 369, kDarkGrey);
        s.filledRectangle(62, 372, 63, top, kDarkGrey);
    }

    if (scene.showBurette) {
        // The tap is part of the picture, so that copies of the illustration show it.
        s.paintPicture(ApparatusPictures::tap(scene.tapOpen, s.devicePixelRatio()), kTapPosition.x(),
                       kTapPosition.y());
        s.filledEllipse(73, 453, 8, 0.2, base, kBlack);
    }
    return writeBeakerSolutes(scene.beakerSolutes);
}

// Under the legend, from below the poured volume's reading: the solutes, each with its forms on the
// lines below, broken after a comma (a name between words) so that every line ends inside the
// picture. Returns where the last line ends.
int ApparatusPainter::writeBeakerSolutes(const std::vector<state::BeakerSolute>& solutes) {
    if (solutes.empty()) return 0;
    Surface& s = m_surface;
    s.setDrawMode(platform::DrawMode::Copy);
    s.setForeColour(kBlack);
    s.moveTo(90, 191);
    setFont(QStringLiteral("Arial"), 9, true);
    s.print(QStringLiteral("Dans le b\u00E9cher"));
    constexpr double kTextLeft = 106;
    constexpr double kPitch = 11;
    const double right = kWidth - kLabelMargin;
    double y = 205;
    for (const state::BeakerSolute& solute : solutes) {
        setFont(QStringLiteral("Arial"), 8);
        // The colon stays with the last word of the name.
        std::vector<QString> nameLines =
            brokenLines(QString::fromStdString(solute.name) + QStringLiteral("\u00A0:"), QStringLiteral(" "),
                        right - kTextLeft);
        for (QString& line : nameLines) line.replace(QChar(0x00A0), QLatin1Char(' '));
        for (std::size_t i = 0; i < nameLines.size(); ++i) {
            if (i == 0) {
                bulletLine(y, QStringLiteral(" ") + nameLines[i]);
            } else {
                s.moveTo(kTextLeft, y);
                s.print(nameLines[i]);
            }
            y += kPitch;
        }
        for (const QString& line :
             brokenLines(QString::fromStdString(solute.forms), QStringLiteral(", "), right - kTextLeft)) {
            s.moveTo(kTextLeft, y);
            s.print(line);
            y += kPitch;
        }
    }
    return static_cast<int>(std::ceil(y));
}

// `text` cut after each `separator` into lines no wider than `width` in the current font; a piece
// wider than a whole line has a line of its own.
std::vector<QString> ApparatusPainter::brokenLines(const QString& text, const QString& separator,
                                                   double width) const {
    std::vector<QString> lines;
    QString line;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype found = text.indexOf(separator, from);
        const qsizetype end = found < 0 ? text.size() : found + separator.size();
        const QString piece = text.mid(from, end - from);
        from = end;
        if (!line.isEmpty() && m_surface.textWidth(line + piece.trimmed()) > width) {
            lines.push_back(line.trimmed());
            line.clear();
        }
        line += piece;
    }
    if (!line.trimmed().isEmpty()) lines.push_back(line.trimmed());
    return lines;
}

OverlayFont ApparatusPainter::conductivityDisplayFont(const QString& text) {
    OverlayFont font = kConductivityDisplayFont;
    // Down a pixel (0,75 pt) at a time, to 8 px at the smallest.
    for (int step = 0; step < 4; ++step) {
        const QFontMetrics metrics(
            platform::pixelFont(QString::fromLatin1(font.name), font.points, font.bold));
        if (metrics.horizontalAdvance(text) <= kConductivityTextRoom || step == 3) break;
        font.points -= 0.75;
    }
    return font;
}

void ApparatusPainter::writeReadingsIntoPicture(const ApparatusReadings& readings,
                                                const ApparatusLayout& layout) {
    Surface& s = m_surface;
    s.setDrawMode(platform::DrawMode::Copy);
    if (readings.pH) {
        setFont(kPhDisplayFont);
        s.setForeColour(kPhDisplayColour);
        s.moveTo(kPhDisplay.left() + s.textWidth(*readings.pH) / 2, kPhDisplay.top());
        s.print(*readings.pH);
    }
    if (readings.conductivity) {
        setFont(kConductivityDisplayFont);
        const double fullHeight = s.textHeight();
        setFont(conductivityDisplayFont(*readings.conductivity));
        s.setForeColour(kPhDisplayColour);
        const QRect d = kConductivityDisplay;
        // A smaller text stays centred on the line of the display's own.
        s.moveTo(d.left() + d.width() - 4 - s.textWidth(*readings.conductivity),
                 d.top() + 1 + std::floor((fullHeight - s.textHeight()) / 2));
        s.print(*readings.conductivity);
    }
    s.setForeColour(kBlack);
    // The legend's controls stand only where the legend was written.
    if (layout.legendShown && readings.pouredVolume) {
        setFont(kReadingFont);
        s.moveTo(layout.pouredLabel.x(), layout.pouredLabel.y());
        s.print(*readings.pouredVolume);
    }
    // The two fields of the legend, the second written as the first is.
    const std::pair<const std::optional<QString>&, QPoint> fields[] = {
        {readings.titrantConcentration, layout.titrantField}, {readings.pouredField, layout.pouredField}};
    for (const auto& [text, at] : fields) {
        if (!layout.legendShown || !text) continue;
        setFont(kFieldFont);
        s.moveTo(at.x() + s.textWidth(*text) / 2, at.y() + 3);
        s.print(*text);
    }
    setFont(QStringLiteral("Arial"), 8);
}

void ApparatusPainter::paintDrop(double y) {
    m_surface.paintPicture(ApparatusPictures::drop(m_surface.devicePixelRatio()), ApparatusGeometry::kDropX,
                           y);
}

void ApparatusPainter::redrawBuretteTip() {
    m_surface.rectangle(50, 369, 102, 370, kBlack);
    m_surface.line(51, 370, 102, 370, kWhite);
}

}  // namespace workbench
