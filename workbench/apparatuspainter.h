#pragma once
// The drawing of the titration apparatus on the illustration: stand, burette, stirrer,
// pH-meter and legend as a background layer (`drawBackground`), then what changes with each drop on
// top of it (`drawLiquidLevels`), and the falling drop. Plain data in, pixels out, no widgets.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "platform/surface.h"
#include "state/apparatusscene.h"
#include "state/drawingpalette.h"

namespace workbench {

using state::ApparatusScene;

// The controls the legend flows around: their sizes decide where the text goes on.
struct LegendControls {
    QSize titrantField{64, 20};  // the burette concentration field
    QSize pouredField{40, 20};   // the poured-volume field
};

// Where `drawBackground` puts the controls laid over the drawing (top left corners, px).
struct ApparatusLayout {
    bool legendShown = false;
    QPoint titrantField;
    QPoint pouredField;
    QPoint pouredLabel;
    // Where the solutes named beside the beaker end (px), 0 when none is named: the buttons under
    // the legend stand below it.
    int beakerLabelBottom = 0;
};

// The font of a control laid over the drawing; `writeReadingsIntoPicture` writes its text in the same one.
struct OverlayFont {
    const char* name;
    double points;
    bool bold;
};

// The texts of the controls laid over the drawing, each present while its control is shown.
struct ApparatusReadings {
    std::optional<QString> pH;                    // `LabelpH`
    std::optional<QString> conductivity;          // `Labelsigma`
    std::optional<QString> pouredVolume;          // `Labelbur`
    std::optional<QString> titrantConcentration;  // `Text1(1)`
    std::optional<QString> pouredField;           // `Text1(5)`, the poured volume typed or poured
};

class ApparatusPainter {
  public:
    static constexpr int kWidth = 289;
    static constexpr int kHeight = 497;
    // The right margin of the texts written on the picture.
    static constexpr int kLabelMargin = 3;
    // The tap picture's place, just right of the stopcock body.
    static constexpr QPoint kTapPosition{76, 283};
    // The pH-meter's display label.
    static constexpr QRect kPhDisplay{208, 456, 49, 20};
    static constexpr OverlayFont kPhDisplayFont{"Arial", 9.75, true};
    static constexpr platform::Colour kPhDisplayColour{0, 255, 0};
    // The conductimeter's display label, above the pH-meter.
    static constexpr QRect kConductivityDisplay{212, 408, 68, 18};
    static constexpr OverlayFont kConductivityDisplayFont{"Arial", 8.25, true};
    // Room for the reading between the display's left edge and its right margin, px.
    static constexpr int kConductivityTextRoom = kConductivityDisplay.width() - 6;
    // The display's font for `text`: its own, or a pixel or more smaller when the text would
    // not fit ("0,00100 mS/cm"), so that no digit is lost at its left.
    static OverlayFont conductivityDisplayFont(const QString& text);
    // `Labelbur`, the poured-volume reading.
    static constexpr OverlayFont kReadingFont{"Arial", 10, true};
    // The entry fields laid over the legend.
    static constexpr OverlayFont kFieldFont{"Arial", 8, false};

    explicit ApparatusPainter(platform::Surface& surface) : m_surface(surface) {}

    // Draws the background layer and keeps it; returns where the legend's controls go.
    ApparatusLayout drawBackground(const ApparatusScene& scene, const LegendControls& controls = {});
    // Clears back to the background layer and draws the burette level, the beaker and its
    // liquid, the probe, the stream, the tap, the stirring bar and the solutes named beside the
    // beaker; returns where that label ends (`ApparatusLayout::beakerLabelBottom`).
    int drawLiquidLevels(const ApparatusScene& scene);
    // Writes the readings into the drawing layer where their controls stand (`layout`, and the
    // display for the pH), so that a copy or a printout shows them: `writeReadingsIntoPicture`. The next
    // `drawLiquidLevels` clears them.
    void writeReadingsIntoPicture(const ApparatusReadings& readings, const ApparatusLayout& layout);
    // A frame of the falling drop, its picture's top at y.
    void paintDrop(double y);
    // The beaker's rim under the burette tip, drawn again over a drop that passed it.
    void redrawBuretteTip();

    // The graduation mark of a volume of the burette, px: 0 mL at 30, 10 px per mL.
    static int graduationY(double volume);
    // The ordinate of the liquid surface as drawn: inside the beaker, whatever the volumes.
    static int drawnSurface(const ApparatusScene& scene);
    // The liquid's shading factor of a column of the beaker, 1 at the left wall.
    static double shading(int x);

  private:
    void setFont(const QString& name, double points, bool bold = false, bool italic = false);
    void setFont(const OverlayFont& font);
    void drawGradient(const state::DrawingPalette& palette);
    void drawStandAndStirrer();
    void drawBurette();
    void drawGraduation();
    void drawPhMeter(int offset);
    // The conductimeter's cable and meter (background), and its cell in the beaker (drawing layer); the
    // millivoltmeter is drawn alike with its own symbol.
    void drawConductimeter(int offset, const QString& symbol = QStringLiteral("\u03C3"));
    // A cable: a grey sheath with its black core along `path`, drawn in the colour given.
    void drawCable(const std::function<void(platform::Colour)>& path);
    // A meter's case from `left` to `right` around its display, with its symbol embossed at
    // `symbolAt`.
    void drawMeterCase(const QRect& display, int left, int right, const QString& symbol, QPoint symbolAt);
    void drawConductivityCell(int offset, int liquidTop, platform::Colour liquid);
    void drawElectrodes(int offset, int liquidTop, platform::Colour liquid);
    ApparatusLayout writeLegend(const ApparatusScene& scene, const LegendControls& controls);
    void bulletLine(double y, const QString& text);
    int writeBeakerSolutes(const std::vector<state::BeakerSolute>& solutes);
    std::vector<QString> brokenLines(const QString& text, const QString& separator, double width) const;
    void symbolEquals(const QString& symbol);

    platform::Surface& m_surface;
};

}  // namespace workbench
