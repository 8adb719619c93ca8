#include "chemistry/solution.h"

#include <cmath>
#include <optional>

#include "chemistry/catalogue.h"
#include "numbers/decimalreader.h"
#include "numbers/single.h"

namespace chemistry {

Situation defaultSituation() {
    return Situation{};
}

SolutionSpec specOf(const Situation& s) {
    SolutionSpec solution;
    solution.beakerIsAcid = s.beakerIsAcid;
    solution.speciesIndex = s.speciesIndex;
    solution.otherPKaText = s.otherPKaText;
    solution.beakerConcentrationText = s.beakerConcentrationText;
    solution.beakerVolumeText = s.beakerVolumeText;
    solution.waterVolumeText = s.waterVolumeText;
    solution.titrantConcentrationText = s.titrantConcentrationText;
    solution.pouredVolumeText = s.pouredVolumeText;
    solution.indicatorIndex = s.indicatorIndex;
    return solution;
}

void storeSolution(Situation& s, const SolutionSpec& solution) {
    s.beakerIsAcid = solution.beakerIsAcid;
    s.speciesIndex = static_cast<std::int16_t>(solution.speciesIndex);
    s.indicatorIndex = static_cast<std::int16_t>(solution.indicatorIndex);
    s.otherPKaText = solution.otherPKaText;
    s.titrantConcentrationText = solution.titrantConcentrationText;
    s.pouredVolumeText = solution.pouredVolumeText;
    s.beakerConcentrationText = solution.beakerConcentrationText;
    s.beakerVolumeText = solution.beakerVolumeText;
    s.waterVolumeText = solution.waterVolumeText;
}

namespace {

// A typed text converted to single precision, as the engine reads every parameter.
std::optional<double> single(const std::string& text) {
    const auto value = numbers::readTypedNumber(text);
    if (!value || !numbers::fitsSingle(*value)) return std::nullopt;
    return static_cast<double>(numbers::toSingle(*value));
}

// Two texts give the same value when they read as the same single-precision number; texts that
// are not numbers only when they are the same text.
bool sameValue(const std::string& a, const std::string& b) {
    const auto x = numbers::readTypedNumber(a);
    const auto y = numbers::readTypedNumber(b);
    if (x && y) return numbers::toSingle(*x) == numbers::toSingle(*y);
    return !x && !y && a == b;
}

}  // namespace

bool sameTitration(const SolutionSpec& solution, const Situation& s) {
    if (solution.beakerIsAcid != s.beakerIsAcid || solution.speciesIndex != s.speciesIndex) return false;
    if (solution.speciesIndex == SpeciesCatalogue::kOtherIndex &&
        !sameValue(solution.otherPKaText, s.otherPKaText)) {
        return false;
    }
    return sameValue(solution.beakerConcentrationText, s.beakerConcentrationText) &&
           sameValue(solution.titrantConcentrationText, s.titrantConcentrationText) &&
           sameValue(solution.beakerVolumeText, s.beakerVolumeText) &&
           sameValue(solution.waterVolumeText, s.waterVolumeText);
}

EngineState deriveEngineState(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                              const EngineState& previous) {
    EngineState state = previous;
    const auto c0 = single(solution.beakerConcentrationText);
    const auto v0 = single(solution.beakerVolumeText);
    const auto water = single(solution.waterVolumeText);
    const auto cb = single(solution.titrantConcentrationText);
    const auto poured = single(solution.pouredVolumeText);

    if (c0 && v0 && water && *v0 + *water != 0) {
        numbers::storeSingle(state.dilutedConcentration, *c0 * *v0 / (*v0 + *water));
    }
    if (cb) numbers::storeSingle(state.titrantConcentration, *cb);
    if (v0 && water) numbers::storeSingle(state.initialVolume, *v0 + *water);
    if (poured) numbers::storeSingle(state.pouredVolume, *poured);

    const double pKa = catalogue.speciesPKa(solution.beakerIsAcid, solution.speciesIndex);
    numbers::storeSingle(state.constantK,
                         solution.beakerIsAcid ? std::pow(10.0, -pKa) : std::pow(10.0, pKa - 14.0));
    return state;
}

}  // namespace chemistry
