#include "chemistry/titration.h"

#include <cmath>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "chemistry/phsweep.h"
#include "numbers/picture.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

// pH (or pOH) of the solved concentration, when it can be computed.
bool logOf(float x, float& p) {
    if (!(x > 0)) return false;
    return numbers::storeSingle(p, -std::log10(static_cast<double>(x)));
}

// pH of the beaker before any pouring: 14 + log10(x) for a base, rounded once, so that the
// pH-meter and the table's first row agree to the last digit.
bool beakerAlonePH(float x, bool beakerIsAcid, float& pH) {
    if (!(x > 0)) return false;
    const double logX = std::log10(static_cast<double>(x));
    return numbers::storeSingle(pH, beakerIsAcid ? -logX : 14.0 + logX);
}

// Solves the current point of a derived state and stores its pH.
float solvePoint(EngineState& state, bool beakerIsAcid) {
    if (state.pouredVolume != 0) {
        solveAtVolume(state, beakerIsAcid);
        float p = 0;
        if (logOf(state.solvedConcentration, p)) state.pH = beakerIsAcid ? p : numbers::toSingle(14.0 - p);
    } else {
        solveBeakerAlone(state);
        beakerAlonePH(state.solvedConcentration, beakerIsAcid, state.pH);
    }
    return state.pH;
}

// The point of a mixture at the state's poured volume: the pH from the charge balance, and the
// solved concentration ([H3O+] for acids, [HO-] for bases) as the single-pair solver leaves it. A
// point that cannot be solved keeps the previous values.
float solveMixturePoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue, EngineState& state) {
    const auto mixture = beakerMixture(solution, catalogue);
    if (!mixture) return state.pH;
    const auto point = solveMixture(*mixture, state.pouredVolume);
    if (!point) return state.pH;
    numbers::storeSingle(state.solvedConcentration,
                         solution.beakerIsAcid ? point->hydronium : point->hydroxide);
    numbers::storeSingle(state.pH, point->pH);
    return state.pH;
}

float solveSetUp(const SolutionSpec& solution, const SpeciesCatalogue& catalogue, EngineState& state) {
    if (isSingleMonoprotic(solution)) return solvePoint(state, solution.beakerIsAcid);
    return solveMixturePoint(solution, catalogue, state);
}

}  // namespace

float computeCurrentPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                          EngineState& state) {
    state = deriveEngineState(solution, catalogue, state);
    return solveSetUp(solution, catalogue, state);
}

TitrationPoint measuredPoint(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                             const EngineState& state) {
    if (isSingleMonoprotic(solution)) return makeTitrationPoint(state, solution.beakerIsAcid);
    TitrationPoint point;
    point.volume = state.pouredVolume;
    point.pH = state.pH;
    point.hydronium = std::pow(10.0, -point.pH);
    point.hydroxide = kKe / point.hydronium;
    const auto mixture = beakerMixture(solution, catalogue);
    if (!mixture) return point;
    const auto composition = MixtureModel(*mixture).compositionAt(point.volume, point.hydronium);
    if (!composition) return point;
    for (int i = 0; i < mixture->soluteCount; ++i) {
        const auto& forms = composition->forms[static_cast<std::size_t>(i)];
        const Solute& solute = mixture->solutes[static_cast<std::size_t>(i)];
        for (int j = 0; j <= solute.pairCount; ++j) {
            // A strong species' undissociated form has no column: it is not found in water.
            if (!formInWater(solute, mixture->beakerIsAcid, j)) continue;
            const double c = forms[static_cast<std::size_t>(j)];
            point.forms[static_cast<std::size_t>(point.formCount++)] = std::isfinite(c) ? c : 0.0;
        }
    }
    return point;
}

TitrationPoint makeTitrationPoint(const EngineState& state, bool beakerIsAcid) {
    TitrationPoint point;
    point.volume = state.pouredVolume;
    float pH = state.pH;
    if (state.pouredVolume == 0) beakerAlonePH(state.solvedConcentration, beakerIsAcid, pH);
    point.pH = pH;
    point.hydronium = std::pow(10.0, -pH);
    point.hydroxide = kKe / point.hydronium;  // 10^(pH − 14), for one power less per row
    const double A = state.dilutedConcentration;
    const double C = state.initialVolume;
    const double D = state.pouredVolume;
    const double K = state.constantK;
    const double h = point.hydronium;
    const double c = (C + D != 0) ? A * C / (C + D) : 0.0;
    const double acidConstant = beakerIsAcid ? K : (K != 0 ? kKe / K : 0.0);
    const double acid = (h + acidConstant != 0) ? c * h / (h + acidConstant) : 0.0;
    point.acidForm = std::isfinite(acid) ? acid : 0.0;
    point.basicForm = std::isfinite(c - point.acidForm) ? c - point.acidForm : 0.0;
    return point;
}

std::vector<CurveVertex> traceCurve(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                                    EngineState& state) {
    state = deriveEngineState(solution, catalogue, state);
    if (!isSingleMonoprotic(solution)) {
        const auto mixture = beakerMixture(solution, catalogue);
        return mixture ? mixtureCurve(*mixture) : std::vector<CurveVertex>{};
    }
    std::vector<CurveVertex> curve;
    curve.reserve(72);

    walkTitrationCurve(state, solution.beakerIsAcid, [&](float volume, float pH) {
        curve.push_back({volume, pH});
    });
    return curve;
}

std::vector<CurveVertex> traceCurve(const Situation& situation, const SpeciesCatalogue& catalogue,
                                    EngineState& state) {
    return traceCurve(specOf(situation), catalogue, state);
}

Replay replayMeasurements(SolutionSpec solution, const SpeciesCatalogue& catalogue, int stepTenths,
                          EngineState& state) {
    Replay replay;
    solution.pouredVolume = numbers::formatPicture(0.0, "####0.0");
    state = deriveEngineState(solution, catalogue, state);
    state.pouredVolume = 0;
    const bool single = isSingleMonoprotic(solution);
    if (single) {
        solveBeakerAlone(state);
    } else {
        solveMixturePoint(solution, catalogue, state);
    }
    replay.rows.push_back(measuredPoint(solution, catalogue, state));
    // Only the poured volume changes from row to row: the rest of the state is derived once.
    const EngineState base = state;
    // The rows the tap records: each whole multiple of the step, counted in tenths of a
    // millilitre so that no rounding of a running sum adds a row or loses one, up to the
    // burette's capacity and never beyond it. A step of 0 would record nothing.
    const int lastTenths = static_cast<int>(std::lround(kBuretteCapacity * 10));
    int tenths = 0;
    if (stepTenths > 0) {
        replay.rows.reserve(static_cast<std::size_t>(lastTenths / stepTenths) + 1);
        while (tenths + stepTenths <= lastTenths) {
            tenths += stepTenths;
            EngineState next = base;
            numbers::storeSingle(next.pouredVolume, tenths / 10.0);
            next.solvedConcentration = state.solvedConcentration;
            next.pH = state.pH;
            next.equivalenceVolume = state.equivalenceVolume;
            state = next;
            if (single) {
                solvePoint(state, solution.beakerIsAcid);
            } else {
                solveMixturePoint(solution, catalogue, state);
            }
            replay.rows.push_back(measuredPoint(solution, catalogue, state));
        }
    }
    replay.lastPouredVolumeText = numbers::formatPicture(tenths / 10.0, "####0.0");
    return replay;
}

}  // namespace chemistry
