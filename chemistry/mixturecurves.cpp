#include "chemistry/mixturecurves.h"

#include <cmath>

#include "chemistry/phsweep.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

// The curves step p: the pH when the beaker holds acids, the pOH when it holds bases.
double hydroniumAt(float p, bool acid) {
    return acid ? std::pow(10.0, -static_cast<double>(p)) : std::pow(10.0, static_cast<double>(p) - 14.0);
}

float pHOf(float p, bool acid) {
    return acid ? p : numbers::toSingle(14.0 - p);
}

// p of the beaker before any pouring; false when it cannot be solved.
bool initialP(const MixtureModel& model, float& p0) {
    const auto start = model.solve(0);
    if (!start) return false;
    const double concentration = model.mixture().beakerIsAcid ? start->hydronium : start->hydroxide;
    return numbers::storeSingle(p0, -std::log10(concentration));
}

// Steps p from p0 up to 13.9 with a single-precision counter and calls visit(p, volume, h) for
// each step whose volume lies in the burette. A step whose arithmetic fails is skipped.
template <typename Visit>
void sweep(const MixtureModel& model, float p0, float step, Visit&& visit) {
    const bool acid = model.mixture().beakerIsAcid;
    int steps = 0;
    for (float p = p0; p <= kLastSweptP && steps < kMaxSweepSteps; p = p + step, ++steps) {
        const double h = hydroniumAt(p, acid);
        const auto volume = model.volumeFor(h);
        float v = 0;
        if (!volume || !numbers::storeSingle(v, *volume)) continue;
        if (v >= 0 && v <= kBuretteCapacity) visit(p, v, h);
    }
}

// Calls visit(volume, pH, h) at each vertex of the theoretical curve, in order.
template <typename Visit>
void walkCurve(const MixtureModel& model, Visit&& visit) {
    const bool acid = model.mixture().beakerIsAcid;
    float p0 = 0;
    if (initialP(model, p0)) {
        visit(0.0f, pHOf(p0, acid), hydroniumAt(p0, acid));
        sweep(model, p0, kCurvePhStep,
              [&](float p, float volume, double h) { visit(volume, pHOf(p, acid), h); });
    }
    const auto last = model.solve(kBuretteCapacity);
    float pH = 0;
    if (last && numbers::storeSingle(pH, last->pH)) {
        visit(static_cast<float>(kBuretteCapacity), pH, last->hydronium);
    }
}

}  // namespace

std::vector<CurveVertex> mixtureCurve(const Mixture& mixture) {
    std::vector<CurveVertex> curve;
    const MixtureModel model(mixture);
    if (!model.valid()) return curve;
    curve.reserve(80);
    walkCurve(model, [&](float volume, float pH, double) { curve.push_back({volume, pH}); });
    return curve;
}

std::optional<float> mixtureInitialP(const MixtureModel& model) {
    float p0 = 0;
    if (!model.valid() || !initialP(model, p0)) return std::nullopt;
    return p0;
}

void sweepMixture(const MixtureModel& model, float p0, float step,
                  const std::function<void(float p, float volume)>& visit) {
    sweep(model, p0, step, [&](float p, float volume, double) { visit(p, volume); });
}

namespace {

// The forms of a solute found in water, in order: a strong species' undissociated form is not one.
struct PresentForms {
    std::array<int, kMaxForms> index{};
    int count = 0;
};

PresentForms formsInWater(const Mixture& mixture, int solute) {
    PresentForms present;
    const Solute& s = mixture.solutes[static_cast<std::size_t>(solute)];
    for (int j = 0; j <= s.pairCount; ++j) {
        if (formInWater(s, mixture.beakerIsAcid, j))
            present.index[static_cast<std::size_t>(present.count++)] = j;
    }
    return present;
}

// Each present form's share of the solute in a point's concentrations, 0 for all when they sum to
// none.
FormShares sharesOf(const MixturePoint& point, int solute, const PresentForms& present, float volume,
                    float pH) {
    const auto& concentration = point.forms[static_cast<std::size_t>(solute)];
    const auto at = [&](int j) {
        return concentration[static_cast<std::size_t>(present.index[static_cast<std::size_t>(j)])];
    };
    double total = 0;
    for (int j = 0; j < present.count; ++j) total += at(j);
    FormShares vertex{volume, pH, present.count, {}};
    for (int j = 0; j < present.count; ++j) {
        const double share = total > 0 ? 100 * at(j) / total : 0.0;
        numbers::storeSingle(vertex.percent[static_cast<std::size_t>(j)], share);
    }
    return vertex;
}

}  // namespace

std::vector<FormShares> mixtureDistribution(const Mixture& mixture, int solute) {
    std::vector<FormShares> shares;
    const MixtureModel model(mixture);
    if (!model.valid() || solute < 0 || solute >= mixture.soluteCount) return shares;
    const PresentForms forms = formsInWater(mixture, solute);
    shares.reserve(80);
    walkCurve(model, [&](float volume, float pH, double h) {
        const auto point = model.compositionAt(volume, h);
        if (!point) return;
        shares.push_back(sharesOf(*point, solute, forms, volume, pH));
    });
    return shares;
}

std::optional<FormShares> mixtureFormShares(const Mixture& mixture, double volume, int solute) {
    const MixtureModel model(mixture);
    if (!model.valid() || solute < 0 || solute >= mixture.soluteCount) return std::nullopt;
    const auto point = model.solve(volume);
    if (!point) return std::nullopt;
    return sharesOf(*point, solute, formsInWater(mixture, solute), numbers::toSingle(volume),
                    numbers::toSingle(point->pH));
}

}  // namespace chemistry
