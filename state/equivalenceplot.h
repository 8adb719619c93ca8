#pragma once
// The equivalence analysis of a finished titration as the graph draws it, computed from the
// chemistry model of the set-up rather than from the recorded measurements: the derivative curve
// and the construction of the tangent method, both in pixels of the graph surface (see PlotFrame).
// The drawing side only draws what these return.
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/solution.h"
#include "state/plotframe.h"

namespace state {

// pH step of the derivative's sampling: ten times finer than the curve's, for a smooth slope.
inline constexpr float kDerivativeStep = 0.02f;

// --- Derivative curve -------------------------------------------------------------------------

// One sample of the sweep whose volume lies in the burette, and what became of it.
struct DerivativeSample {
    enum class Use {
        Arms,        // the first usable sample only starts the curve
        SameVolume,  // no volume between it and the previous sample: no slope
        Dot,         // the first point of the curve, plotted as a dot
        Segment,     // the end of a segment from the last drawn point
        OutsideBand  // computed but outside 10 ≤ y ≤ 250: not drawn
    };
    float volume = 0;  // mL
    float p = 0;       // pH, or pOH for a base in the beaker
    PlotPoint point;   // (xm, y) between this sample and the previous one; unset when not computed
    Use use = Use::Arms;
    bool operator==(const DerivativeSample&) const = default;
};

struct DerivativeCurve {
    // What is drawn: a dot at the first vertex, then a segment from each vertex to the next.
    std::vector<PlotPoint> polyline;
    // Every usable sample in sweep order, for reading the curve.
    std::vector<DerivativeSample> samples;
};

// Turns the samples of a sweep in equal steps of pH (pOH for a base in the beaker), given in
// order with the volume each needs, into the derivative curve: the first usable sample only arms
// it, and each next one at a new volume adds the slope since the previous one.
class DerivativeBuilder {
  public:
    explicit DerivativeBuilder(float p0);
    void add(float p, float volume);
    DerivativeCurve take() { return std::move(m_curve); }

  private:
    DerivativeCurve m_curve;
    float m_prevV = 0;
    float m_prevP = 0;
    int m_n = 0;
    // Each keeps its value when its arithmetic fails, as a failing step is skipped.
    float m_xm = 0;
    float m_slope = 0;
    float m_y = 0;
};

// The slope of the theoretical curve, ln(10·slope + 1) on the pH scale, sampled every 0.02 in pH
// (pOH for a base, whose peak points the same way). A strong species (K = 1) is taken with
// K = 1e35 before its initial pH is solved. The state is left with the last sampled volume in
// pouredVolume, the sweep's counter in pH and K = 1e35 for a strong species; equivalenceVolume is
// not written.
DerivativeCurve derivativeCurve(chemistry::EngineState& state);

// The slope of a mixture's theoretical curve sampled every 0.02 in pH (pOH for bases), as the
// monoprotic derivative curve is: a peak at every jump.
DerivativeCurve mixtureDerivative(const chemistry::Mixture& mixture);

// --- Tangent method ---------------------------------------------------------------------------

// The perpendicular from the tangency point (h, g) on the first parallel to its foot (d, f) on the
// second, whole pixels, and the angle θ = arctan(1/W) of the construction.
struct CommonPerpendicular {
    int h = 0;
    int g = 0;
    int d = 0;
    int f = 0;
    float theta = 0;  // rad
    bool operator==(const CommonPerpendicular&) const = default;
};

// From the tangency point, the screen slope W of the parallels (y upwards) and their vertical gap
// X − Z in pixels. Horizontal parallels (W = 0) give a vertical perpendicular.
CommonPerpendicular commonPerpendicular(int h, int g, float W, float gap);

struct TangentConstruction {
    enum class Outcome {
        Nothing,  // equivalence volume outside 2 to 23 mL: nothing drawn, no message
        Refused,  // parallels less than 10 px apart: only the two tangents, then the error message
        Drawn     // the whole construction
    };
    Outcome outcome = Outcome::Nothing;

    // The numbers of the construction.
    float equivalenceVolume = 0;  // Ve, mL
    float slope = 0;              // s, pH per mL at Ve − 1 (negative for a base in the beaker)
    int left = 0;                 // xL, mL: the parallels are drawn from xL to xR
    int right = 0;                // xR, mL
    float pH1 = 0;                // pH at Ve − 1, on the first tangent
    float pH2 = 0;                // pH at Ve + 1, on the second tangent
    float pHE = 0;                // pH at Ve: E = (Ve, pHE)
    float gap = 0;                // X − Z, px: vertical gap of the two tangents at xL
    float constructedVolume = 0;  // mL: where the parallel halfway between the tangents meets the
                                  // curve, the volume a pupil reads off the construction
    int rightAngleSide = 0;       // R: −1 for an acid in the beaker, +1 for a base

    // What is drawn, in black.
    PlotSegment firstTangent;                    // through (Ve − 1, pH1)
    PlotSegment secondTangent;                   // through (Ve + 1, pH2)
    PlotSegment middleParallel;                  // through E
    PlotPoint labelE;                            // top-left corner of the text "E"
    CommonPerpendicular perpendicular;           // segment (h, g)–(d, f)
    bool equalityMarks = false;                  // the two "=" marks are drawn
    std::array<PlotPoint, 2> equalityCentres{};  // centres of the "=" marks, at 1/4 and 3/4
    std::array<PlotSegment, 2> rightAngle{};     // P1–P2 and P2–P3
    bool operator==(const TangentConstruction&) const = default;
};

// What the tangent method tells the pupil when the jump is too small, and when the equivalence is
// too near an end of the burette.
inline constexpr const char* kTangentsRefused =
    "Cette courbe ne permet pas de déterminer les coordonnées du point d'équivalence.";
inline constexpr const char* kEquivalenceOutOfReach =
    "L'équivalence doit se situer entre 2 et 23 mL pour cette méthode.";

// Equivalence volumes for which the construction fits the graph: 2 to 23 mL, finite.
bool isUsableEquivalenceVolume(double volume);

// The pH a model gives at a poured volume (mL).
using PhAtVolume = std::function<float(double volume)>;

// The construction around the equivalence volume Ve, with the pH that `pHAt` gives: tangents at
// Ve − 1 and Ve + 1 mL, refused when they are too close, E at (Ve, pH(Ve)). The equivalence volume
// is not checked; pHAt is called last at Ve when the construction is drawn, at Ve + 1 when refused.
// `locateCrossing` also searches where the middle parallel meets the curve (constructedVolume):
// a mixture's jumps need it, the single-solute construction marks E at the model's volume.
TangentConstruction constructTangents(float equivalenceVolume, bool beakerIsAcid, const PhAtVolume& pHAt,
                                      bool locateCrossing = false);

// The tangent method around the stored equivalenceVolume, with the pH that the solver gives at
// each volume for the nature of the beaker. The state is left unchanged for Nothing; otherwise
// equivalenceVolume is refreshed and pouredVolume and pH hold the last solved point: (Ve + 1,
// pH2) when refused, (Ve, pHE) when drawn.
TangentConstruction tangentConstruction(chemistry::EngineState& state, bool beakerIsAcid);

// The tangent method at each equivalence candidate of a mixture, in the candidates' order: Nothing
// outside 2 to 23 mL (equivalenceVolume still tells which), Refused where the jump is too small to
// tell the tangents apart, Drawn otherwise.
std::vector<TangentConstruction> mixtureTangents(const chemistry::Mixture& mixture);

}  // namespace state
