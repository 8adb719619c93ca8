#include "state/drawingpalette.h"

#include <algorithm>
#include <cmath>

#include "chemistry/indicators.h"

namespace state {

namespace {

int component(double value) {
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// The colour moved a fraction t (0 to 1) of the way towards `target`.
Colour towards(Colour colour, int target, double t) {
    return Colour{component(colour.red + (target - colour.red) * t),
                  component(colour.green + (target - colour.green) * t),
                  component(colour.blue + (target - colour.blue) * t)};
}

}  // namespace

double relativeLuminance(Colour c) {
    const auto linear = [](int value) {
        const double v = std::clamp(value, 0, 255) / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red) + 0.7152 * linear(c.green) + 0.0722 * linear(c.blue);
}

double contrastRatio(Colour first, Colour second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Colour readableOn(Colour colour, Colour background, double least) {
    if (contrastRatio(colour, background) >= least) return colour;
    // Towards black on a light background, towards white on a dark one, in bounded steps.
    const int target = relativeLuminance(background) > 0.18 ? 0 : 255;
    for (int step = 1; step <= 50; ++step) {
        const Colour moved = towards(colour, target, step / 50.0);
        if (contrastRatio(moved, background) >= least) return moved;
    }
    return Colour{target, target, target};
}

Colour DrawingPalette::onGraph(Colour colour) const {
    return highContrast ? readableOn(colour, graphBackground) : colour;
}

Colour DrawingPalette::liquid(Colour indicatorColour) const {
    // The beaker stands low in the picture, where the background is white.
    return highContrast ? readableOn(indicatorColour, apparatusBottom) : indicatorColour;
}

DrawingPalette drawingPalette(bool highContrast) {
    DrawingPalette p;
    if (!highContrast) return p;
    p.highContrast = true;
    p.phGrid = readableOn(p.phGrid, p.graphBackground);
    p.volumeGrid = readableOn(p.volumeGrid, p.graphBackground);
    p.derivative = readableOn(p.derivative, p.graphBackground);
    p.fadeUnderDistribution = false;
    p.apparatusTop = p.apparatusBottom;
    p.meniscusLight = readableOn(p.meniscusLight, p.apparatusBottom);
    return p;
}

std::vector<DrawnElement> drawnElements(const DrawingPalette& p, const SituationColours& situations) {
    const Colour white = p.graphBackground;
    std::vector<DrawnElement> elements{
        {"grille des pH", p.phGrid, white, false, true},
        {"grille des volumes", p.volumeGrid, white, false, true},
        {"grille du diagramme de distribution", p.distributionGrid, white, false, true},
        {"axes", p.axes, white, false, true},
        {"graduations et titres des axes", p.axes, white, true, true},
        {"méthode des tangentes", p.axes, white, false, true},
        {"courbe dérivée", p.derivative, white, false, true},
        {"forme acide", p.acidForm, white, false, true},
        {"forme basique", p.basicForm, white, false, true},
        {"deuxième forme", p.secondForm, white},
        {"troisième forme", p.thirdForm, white},
        {"bécher sur le haut du fond", p.outline, p.apparatusTop, false, true},
        {"bécher sur le bas du fond", p.outline, p.apparatusBottom, false, true},
        {"ménisque, trait clair", p.meniscusLight, p.apparatusTop, false, true},
        {"écoulement", p.stream, p.apparatusBottom, false, true},
        {"légende de la burette", p.outline, p.apparatusTop, true, true},
    };
    for (int slot = 0; slot < chemistry::kSituationCount; ++slot) {
        elements.push_back({"courbe de la situation n° " + std::to_string(slot + 1),
                            p.onGraph(situations.colour(slot)), white, false, slot < 9});
    }
    for (int indicator = 0; indicator < chemistry::IndicatorTable::kCount; ++indicator) {
        for (int halfUnits = 0; halfUnits <= 28; ++halfUnits) {
            const double pH = halfUnits / 2.0;
            elements.push_back(
                {"liquide, indicateur " + std::to_string(indicator) + " à pH " + std::to_string(pH),
                 p.liquid(chemistry::liquidColour(indicator, pH)), p.apparatusBottom, false, true});
        }
    }
    return elements;
}

}  // namespace state
