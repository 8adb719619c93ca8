#pragma once
// The colours the graph and the illustration are drawn in, for the usual look and for high
// contrast, with the contrast rule they follow: in high contrast every stroke stands at least
// 3 : 1 from what it is drawn on (4.5 : 1 for text), measured as the relative luminance of sRGB
// colours. Plain data; the painters take their colours from here.
#include <string>
#include <vector>

#include "chemistry/distribution.h"
#include "numbers/rgb.h"
#include "state/equivalenceplot.h"
#include "state/situationcolours.h"

namespace state {

inline constexpr double kLeastGraphicContrast = 3.0;
inline constexpr double kLeastTextContrast = 4.5;

// The relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(Colour colour);
// From 1 (the same luminance) to 21 (black on white).
double contrastRatio(Colour first, Colour second);
// The colour with its hue kept, darkened on a light background or lightened on a dark one just
// enough to stand `least` apart from it; unchanged when it already does.
Colour readableOn(Colour colour, Colour background, double least = kLeastGraphicContrast);

struct DrawingPalette {
    bool highContrast = false;
    // The graph, on white.
    Colour graphBackground{255, 255, 255};
    Colour phGrid{192, 192, 192};
    Colour volumeGrid{220, 220, 220};
    Colour distributionGrid{128, 128, 128};
    Colour axes{0, 0, 0};  // the axes, their labels and the tangent method's construction
    Colour derivative{200, 100, 100};
    Colour acidForm{0, 0, 200};
    Colour basicForm{255, 0, 0};
    Colour secondForm{0, 150, 0};
    Colour thirdForm{205, 100, 0};
    // The pH curve is faded under the distribution diagram; in high contrast it is not.
    bool fadeUnderDistribution = true;
    // The illustration: the background runs from peach at the top to white at the bottom.
    Colour apparatusTop{255, 200, 155};
    Colour apparatusBottom{255, 255, 255};
    Colour outline{0, 0, 0};  // the beaker, the burette, the meniscus's curve
    Colour meniscusLight{192, 192, 192};
    Colour stream{128, 128, 128};

    // A colour drawn on the graph: as it is, or readable on white in high contrast.
    Colour onGraph(Colour colour) const;
    // The liquid's base colour: as the indicator gives it, or readable on the illustration's
    // background in high contrast.
    Colour liquid(Colour indicatorColour) const;
};

DrawingPalette drawingPalette(bool highContrast);

// One thing drawn and what it is drawn on, for checking their contrast.
struct DrawnElement {
    std::string name;
    Colour colour;
    Colour background;
    bool text = false;
    // Its colour is one the program has always drawn it in, kept in the usual look.
    bool keepsUsualColour = false;
};

// Every stroke, mark, curve and text of the graph and the illustration, the situations' curves
// and the liquid of every indicator at every whole and half pH, each with its background.
std::vector<DrawnElement> drawnElements(const DrawingPalette& palette, const SituationColours& situations);

}  // namespace state
