#include "chemistry/solution.h"

#include <cmath>
#include <optional>

#include "chemistry/species.h"
#include "numbers/decimalreader.h"
#include "numbers/single.h"

namespace chemistry {

Situation defaultSituation() { return Situation{}; }

SolutionSpec specOf(const Situation& s) {
    SolutionSpec spec;
    spec.beakerIsAcid = s.beakerIsAcid;
    spec.speciesIndex = s.speciesIndex;
    spec.otherPKaText = s.otherPKaText;
    spec.beakerConcentrationText = s.beakerConcentrationText;
    spec.beakerVolumeText = s.beakerVolumeText;
    spec.waterVolumeText = s.waterVolumeText;
    spec.titrantConcentrationText = s.titrantConcentrationText;
    spec.pouredVolumeText = s.pouredVolumeText;
    spec.indicatorIndex = s.indicatorIndex;
    return spec;
}

namespace {

// A typed text converted to single precision, as the engine reads every parameter.
std::optional<double> single(const std::string& text) {
    const auto value = numbers::readTypedNumber(text);
    if (!value || !numbers::fitsSingle(*value)) return std::nullopt;
    return static_cast<double>(numbers::toSingle(*value));
}

}  // namespace

EngineState deriveEngineState(const SolutionSpec& spec, const SpeciesCatalogue& catalogue,
                              const EngineState& previous) {
    EngineState state = previous;
    const auto c0 = single(spec.beakerConcentrationText);
    const auto v0 = single(spec.beakerVolumeText);
    const auto water = single(spec.waterVolumeText);
    const auto cb = single(spec.titrantConcentrationText);
    const auto poured = single(spec.pouredVolumeText);

    if (c0 && v0 && water && *v0 + *water != 0) {
        numbers::storeSingle(state.dilutedConcentration, *c0 * *v0 / (*v0 + *water));
    }
    if (cb) numbers::storeSingle(state.titrantConcentration, *cb);
    if (v0 && water) numbers::storeSingle(state.initialVolume, *v0 + *water);
    if (poured) numbers::storeSingle(state.pouredVolume, *poured);

    const double pKa = catalogue.speciesPKa(spec.beakerIsAcid, spec.speciesIndex);
    numbers::storeSingle(state.constantK, spec.beakerIsAcid ? std::pow(10.0, -pKa) : std::pow(10.0, pKa - 14.0));
    return state;
}

}  // namespace chemistry
