#include "state/equivalenceplot.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "chemistry/phsweep.h"
#include "numbers/single.h"

namespace state {

using chemistry::EngineState;

namespace {

// Derivative points above this height (px) are not drawn; below the pH axis neither.
constexpr double kDerivativeTop = 10;

// Equivalence volumes for which the construction fits the graph, mL.
constexpr double kFirstUsableVe = 2;
constexpr double kLastUsableVe = 23;
// The tangents touch the curve 1 mL before and after the equivalence; the slope is a central
// difference over 0.02 mL around the first point.
constexpr double kTangencyOffset = 1;
constexpr double kSlopeHalfStep = 0.01;
// Half the extent of the drawn parallels, mL.
constexpr double kHalfWidth = 5;
// Below this gap (px) the parallels cannot be told apart; above the second the "=" marks fit.
constexpr float kMinimumGap = 10;
constexpr float kEqualityMarkGap = 20;
// Side of the right-angle mark before the cos θ factor, px.
constexpr double kRightAngleSide = 15;
// "E" is printed left of and below the equivalence point, px.
constexpr double kLabelLeft = 10;
constexpr double kLabelDown = 5;

// Rounds to the nearest integer, halves to the even one, as integer pixels and whole millilitres
// are taken.
double roundHalfEven(double value) {
    const double r = std::round(value);  // halves away from zero
    if (std::abs(r - value) == 0.5 && std::fmod(r, 2.0) != 0) return r - std::copysign(1.0, value);
    return r;
}

// Stores `value` rounded to whole units into `target` when it is a representable integer; a
// failing conversion keeps the previous value.
bool storeWhole(int& target, double value) {
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || std::abs(r) > std::numeric_limits<int>::max()) return false;
    target = static_cast<int>(r);
    return true;
}

// The pH the solver gives at that poured volume, which stays in the state.
float pHAtVolume(EngineState& state, double volume, bool beakerIsAcid) {
    numbers::storeSingle(state.pouredVolume, volume);
    chemistry::solveAtVolume(state, beakerIsAcid);
    return state.pH;
}

// Halvings of the 2 mL between the tangency points when the halfway parallel is crossed: down to
// 2e-6 mL, the resolution of a single-precision volume near 20 mL.
constexpr int kCrossingHalvings = 20;

// Where the curve crosses the line pH = b + s·V between the two tangency points, by halving: the
// curve lies on one side of that line at the first point and on the other at the second.
float halfwayCrossing(const PhAtVolume& pHAt, double first, double second, double b, double s) {
    const auto above = [&](double volume) { return pHAt(volume) > b + s * volume; };
    const bool firstAbove = above(first);
    double lo = first;
    double hi = second;
    for (int i = 0; i < kCrossingHalvings; ++i) {
        const double middle = (lo + hi) / 2;
        (above(middle) == firstAbove ? lo : hi) = middle;
    }
    return numbers::toSingle((lo + hi) / 2);
}

// The line pH = b + s·V drawn from xL to xR mL.
PlotSegment parallel(double b, double s, int left, int right) {
    return {PlotFrame::point(left, b + s * left), PlotFrame::point(right, b + s * right)};
}

}  // namespace

DerivativeBuilder::DerivativeBuilder(float p0) : m_prevP(p0) {
    m_curve.samples.reserve(600);
    m_curve.polyline.reserve(600);
}

void DerivativeBuilder::add(float p, float volume) {
    DerivativeSample sample{volume, p, {}, DerivativeSample::Use::Arms};
    if (m_n == 0) {
        // The first usable sample only arms the curve: the first slope is taken from the initial
        // point (0 mL, p0).
        m_n = 1;
    } else if (volume == m_prevV) {
        sample.use = DerivativeSample::Use::SameVolume;
    } else {
        ++m_n;
        const double V = volume;
        const double before = m_prevV;
        numbers::storeSingle(m_xm, PlotFrame::x(before + (V - before) / 2));
        numbers::storeSingle(m_slope, (static_cast<double>(p) - m_prevP) / (V - before));
        numbers::storeSingle(m_y, PlotFrame::y(std::log(10.0 * m_slope + 1.0)));
        sample.point = {m_xm, m_y};
        if (m_n == 2) {
            sample.use = DerivativeSample::Use::Dot;
            m_curve.polyline.push_back(sample.point);
        } else if (m_y >= kDerivativeTop && m_y <= PlotFrame::kOriginY) {
            sample.use = DerivativeSample::Use::Segment;
            m_curve.polyline.push_back(sample.point);
        } else {
            sample.use = DerivativeSample::Use::OutsideBand;
        }
        m_prevV = volume;
        m_prevP = p;
    }
    m_curve.samples.push_back(sample);
}

DerivativeCurve derivativeCurve(EngineState& state) {
    chemistry::useStrongConstant(state);
    // The beaker is solved only for its initial pH: the stored equivalence volume stays.
    const float storedVe = state.equivalenceVolume;
    float p0 = 0;
    const bool initialKnown = chemistry::solveInitialP(state, p0);
    state.equivalenceVolume = storedVe;
    if (!initialKnown) return {};

    DerivativeBuilder builder(p0);
    chemistry::sweepPh(state, p0, kDerivativeStep, [&](float p, float volume) { builder.add(p, volume); });
    return builder.take();
}

DerivativeCurve mixtureDerivative(const chemistry::Mixture& mixture) {
    const chemistry::MixtureModel model(mixture);
    if (!model.valid()) return {};
    const std::optional<float> p0 = chemistry::mixtureInitialP(model);
    if (!p0) return {};
    DerivativeBuilder builder(*p0);
    chemistry::sweepMixture(model, *p0, kDerivativeStep,
                            [&](float p, float volume) { builder.add(p, volume); });
    return builder.take();
}

CommonPerpendicular commonPerpendicular(int h, int g, float W, float gap) {
    CommonPerpendicular c{h, g, h, g, 0};
    // Horizontal parallels (W = 0) have a vertical perpendicular: θ is then π/2 and the foot lies
    // the whole gap above or below.
    if (W != 0) {
        numbers::storeSingle(c.theta, std::atan(1.0 / W));
    } else {
        c.theta = static_cast<float>(std::numbers::pi / 2);
    }
    float S = 0;
    numbers::storeSingle(S, static_cast<double>(gap) * std::sin(c.theta) * std::cos(c.theta));
    storeWhole(c.d, h - static_cast<double>(S));
    storeWhole(c.f, g - (W != 0 ? static_cast<double>(S) / W : static_cast<double>(gap)));
    return c;
}

bool isUsableEquivalenceVolume(double volume) {
    // A volume the engine could not compute (NaN) fails both comparisons: it is no volume.
    return volume >= kFirstUsableVe && volume <= kLastUsableVe;
}

TangentConstruction tangentConstruction(EngineState& state, bool beakerIsAcid) {
    if (!isUsableEquivalenceVolume(state.equivalenceVolume)) return {};
    chemistry::solveBeakerAlone(state);
    return constructTangents(state.equivalenceVolume, beakerIsAcid,
                             [&](double volume) { return pHAtVolume(state, volume, beakerIsAcid); });
}

TangentConstruction constructTangents(float equivalenceVolume, bool beakerIsAcid, const PhAtVolume& pHAt,
                                      bool locateCrossing) {
    TangentConstruction t;
    t.equivalenceVolume = equivalenceVolume;
    t.rightAngleSide = beakerIsAcid ? -1 : 1;
    const double Ve = t.equivalenceVolume;
    const double first = Ve - kTangencyOffset;
    const double second = Ve + kTangencyOffset;

    const float pMinus = pHAt(first - kSlopeHalfStep);
    t.pH1 = pHAt(first);
    const float pPlus = pHAt(first + kSlopeHalfStep);

    storeWhole(t.left, Ve - kHalfWidth);
    storeWhole(t.right, Ve + kHalfWidth);
    if (t.left < 0) t.left = 0;
    if (t.right > PlotFrame::kLastVolume) t.right = PlotFrame::kLastVolume;

    numbers::storeSingle(t.slope, (static_cast<double>(pPlus) - pMinus) / (2 * kSlopeHalfStep));
    const double s = t.slope;

    float b1 = 0;
    numbers::storeSingle(b1, t.pH1 - s * first);
    t.firstTangent = parallel(b1, s, t.left, t.right);
    float X = 0;
    numbers::storeSingle(X, PlotFrame::y(b1 + s * t.left));
    // The slope of the parallels on the screen, y upwards.
    float W = 0;
    numbers::storeSingle(W, PlotFrame::kPixelsPerPh * s / PlotFrame::kPixelsPerMl);

    t.pH2 = pHAt(second);
    float b2 = 0;
    numbers::storeSingle(b2, t.pH2 - s * second);
    t.secondTangent = parallel(b2, s, t.left, t.right);
    float Z = 0;
    numbers::storeSingle(Z, PlotFrame::y(b2 + s * t.left));
    numbers::storeSingle(t.gap, static_cast<double>(X) - Z);

    if (std::abs(t.gap) < kMinimumGap) {
        t.outcome = TangentConstruction::Outcome::Refused;
        return t;
    }
    t.outcome = TangentConstruction::Outcome::Drawn;
    if (locateCrossing)
        t.constructedVolume = halfwayCrossing(pHAt, first, second, (static_cast<double>(b1) + b2) / 2, s);

    t.pHE = pHAt(Ve);
    float b3 = 0;
    numbers::storeSingle(b3, t.pHE - s * Ve);
    t.middleParallel = parallel(b3, s, t.left, t.right);
    t.labelE = {PlotFrame::x(Ve) - kLabelLeft, PlotFrame::y(t.pHE) + kLabelDown};

    // The perpendicular starts at the tangency point on the first tangent.
    int h = 0;
    int g = 0;
    storeWhole(h, PlotFrame::x(first));
    storeWhole(g, PlotFrame::y(b1 + s * first));
    t.perpendicular = commonPerpendicular(h, g, W, t.gap);
    const CommonPerpendicular& c = t.perpendicular;

    if (std::abs(t.gap) > kEqualityMarkGap) {
        t.equalityMarks = true;
        for (const int i : {0, 1}) {
            const double along = i == 0 ? 0.25 : 0.75;
            t.equalityCentres[i] = {c.h + (c.d - c.h) * along, c.g + (c.f - c.g) * along};
        }
    }

    // The right angle between the first tangent and the perpendicular, on the side of the second.
    float u = 0;
    numbers::storeSingle(u, kRightAngleSide * std::cos(c.theta));
    const double R = t.rightAngleSide;
    const double wu = static_cast<double>(W) * u;
    const PlotPoint p1{c.h + static_cast<double>(u), c.g - wu};
    const PlotPoint p2{p1.x + R * wu, p1.y + R * u};
    const PlotPoint p3{c.h + R * wu, c.g + R * u};
    t.rightAngle = {PlotSegment{p1, p2}, PlotSegment{p2, p3}};
    return t;
}

std::vector<TangentConstruction> mixtureTangents(const chemistry::Mixture& mixture) {
    std::vector<TangentConstruction> constructions;
    const chemistry::MixtureModel model(mixture);
    if (!model.valid()) return constructions;
    // A volume the solver cannot settle keeps the pH of the previous one, as a failing step would.
    float pH = 0;
    const PhAtVolume pHAt = [&](double volume) {
        const auto point = model.solve(volume);
        if (point) numbers::storeSingle(pH, point->pH);
        return pH;
    };
    for (const chemistry::EquivalenceCandidate& candidate : model.equivalenceCandidates()) {
        const float Ve = numbers::toSingle(candidate.volume);
        if (isUsableEquivalenceVolume(Ve)) {
            constructions.push_back(constructTangents(Ve, mixture.beakerIsAcid, pHAt, true));
        } else {
            TangentConstruction nothing;
            nothing.equivalenceVolume = Ve;
            constructions.push_back(nothing);
        }
    }
    return constructions;
}

}  // namespace state
