#include "chemistry/solution.h"

#include <cmath>
#include <optional>

#include "chemistry/catalogue.h"
#include "numbers/single.h"

namespace chemistry {

Situation defaultSituation() {
    return Situation{};
}

SolutionSpec specOf(const Situation& s) {
    SolutionSpec solution;
    solution.beakerIsAcid = s.beakerIsAcid;
    solution.speciesIndex = s.speciesIndex;
    solution.otherPKa = s.otherPKaText;
    solution.beakerConcentration = s.beakerConcentrationText;
    solution.beakerVolume = s.beakerVolumeText;
    solution.waterVolume = s.waterVolumeText;
    solution.titrantConcentration = s.titrantConcentrationText;
    solution.pouredVolume = s.pouredVolumeText;
    solution.indicatorIndex = s.indicatorIndex;
    solution.secondSpeciesIndex = s.secondSpeciesIndex;
    solution.secondConcentration = s.secondConcentrationText;
    solution.secondPKa = s.secondPKaText;
    solution.kind = s.kind;
    solution.redox = {s.redoxBeakerSpecies, s.redoxTitrantSpecies, s.sulfuricAcidText, s.redoxIndicator,
                      s.redoxReference};
    solution.precipitation = {s.precipitationSalt, s.precipitationSecondSalt, s.precipitationTitrant,
                              s.chromateText, s.precipitationReference};
    return solution;
}

void storeSolution(Situation& s, const SolutionSpec& solution) {
    s.beakerIsAcid = solution.beakerIsAcid;
    s.speciesIndex = static_cast<std::int16_t>(solution.speciesIndex);
    s.indicatorIndex = static_cast<std::int16_t>(solution.indicatorIndex);
    s.otherPKaText = solution.otherPKa.text();
    s.titrantConcentrationText = solution.titrantConcentration.text();
    s.pouredVolumeText = solution.pouredVolume.text();
    s.beakerConcentrationText = solution.beakerConcentration.text();
    s.beakerVolumeText = solution.beakerVolume.text();
    s.waterVolumeText = solution.waterVolume.text();
    s.secondSpeciesIndex = static_cast<std::int16_t>(solution.secondSpeciesIndex);
    s.secondConcentrationText = solution.secondConcentration.text();
    s.secondPKaText = solution.secondPKa.text();
    s.kind = solution.kind;
    s.redoxBeakerSpecies = static_cast<std::int16_t>(solution.redox.beakerSpecies);
    s.redoxTitrantSpecies = static_cast<std::int16_t>(solution.redox.titrantSpecies);
    s.sulfuricAcidText = solution.redox.sulfuricAcid.text();
    s.redoxIndicator = static_cast<std::int16_t>(solution.redox.indicator);
    s.redoxReference = static_cast<std::int16_t>(solution.redox.reference);
    s.precipitationSalt = static_cast<std::int16_t>(solution.precipitation.salt);
    s.precipitationSecondSalt = static_cast<std::int16_t>(solution.precipitation.secondSalt);
    s.precipitationTitrant = static_cast<std::int16_t>(solution.precipitation.titrant);
    s.chromateText = solution.precipitation.chromate.text();
    s.precipitationReference = static_cast<std::int16_t>(solution.precipitation.reference);
}

std::optional<double> singleValue(const numbers::TypedNumber& number) {
    const auto& value = number.value();
    if (!value || !numbers::fitsSingle(*value)) return std::nullopt;
    return static_cast<double>(numbers::toSingle(*value));
}

bool quantityWithin(const std::optional<double>& quantity, double low, double high, double& value) {
    if (!quantity || !std::isfinite(*quantity) || *quantity < low || *quantity > high) return false;
    value = *quantity;
    return true;
}

bool singleValueWithin(const numbers::TypedNumber& number, double low, double high, double& value) {
    return quantityWithin(singleValue(number), low, high, value);
}

SetUpQuantities setUpQuantities(const SolutionSpec& solution) {
    const Delivery& d = solution.delivery;
    const auto plus = [](const numbers::TypedNumber& number, double error) -> std::optional<double> {
        const auto value = singleValue(number);
        if (!value) return std::nullopt;
        return *value + error;
    };
    SetUpQuantities q;
    q.beakerConcentration = plus(solution.beakerConcentration, 0);
    q.secondConcentration = plus(solution.secondConcentration, 0);
    if (q.beakerConcentration) *q.beakerConcentration *= d.beakerConcentration;
    if (q.secondConcentration) *q.secondConcentration *= d.beakerConcentration;
    q.beakerVolume = plus(solution.beakerVolume, d.beakerVolume);
    q.waterVolume = plus(solution.waterVolume, d.waterVolume);
    q.titrantConcentration = plus(solution.titrantConcentration, d.titrantConcentration);
    return q;
}

namespace {

// Two numbers are the same when they read as the same single-precision number; texts that are not
// numbers only when they are the same text.
bool sameValue(const numbers::TypedNumber& a, const numbers::TypedNumber& b) {
    const auto& x = a.value();
    const auto& y = b.value();
    if (x && y) return numbers::toSingle(*x) == numbers::toSingle(*y);
    return !x && !y && a.text() == b.text();
}

}  // namespace

bool sameTitration(const SolutionSpec& solution, const Situation& situation) {
    const SolutionSpec s = specOf(situation);
    if (solution.kind != s.kind) return false;
    if (s.kind == TitrationKind::Redox && (solution.redox.beakerSpecies != s.redox.beakerSpecies ||
                                           solution.redox.titrantSpecies != s.redox.titrantSpecies ||
                                           !sameValue(solution.redox.sulfuricAcid, s.redox.sulfuricAcid)))
        return false;
    if (s.kind == TitrationKind::Precipitation) {
        const PrecipitationChoice& a = solution.precipitation;
        const PrecipitationChoice& b = s.precipitation;
        if (a.salt != b.salt || a.secondSalt != b.secondSalt || a.titrant != b.titrant ||
            !sameValue(a.chromate, b.chromate) ||
            (b.secondSalt >= 0 && !sameValue(solution.secondConcentration, s.secondConcentration)))
            return false;
    }
    if (solution.beakerIsAcid != s.beakerIsAcid || solution.speciesIndex != s.speciesIndex) return false;
    if (SpeciesCatalogue::isFree(s.beakerIsAcid, s.speciesIndex) &&
        !sameValue(solution.otherPKa, s.otherPKa)) {
        return false;
    }
    if (SpeciesCatalogue::isFreeDiprotic(s.beakerIsAcid, s.speciesIndex) &&
        !sameValue(solution.secondPKa, s.secondPKa)) {
        return false;
    }
    if (solution.secondSpeciesIndex != s.secondSpeciesIndex) return false;
    if (s.secondSpeciesIndex >= 0 && !sameValue(solution.secondConcentration, s.secondConcentration))
        return false;
    return sameValue(solution.beakerConcentration, s.beakerConcentration) &&
           sameValue(solution.titrantConcentration, s.titrantConcentration) &&
           sameValue(solution.beakerVolume, s.beakerVolume) && sameValue(solution.waterVolume, s.waterVolume);
}

EngineState deriveEngineState(const SolutionSpec& solution, const SpeciesCatalogue& catalogue,
                              const EngineState& previous) {
    EngineState state = previous;
    const SetUpQuantities q = setUpQuantities(solution);
    const auto& c0 = q.beakerConcentration;
    const auto& v0 = q.beakerVolume;
    const auto& water = q.waterVolume;
    const auto& cb = q.titrantConcentration;
    const auto poured = singleValue(solution.pouredVolume);

    if (c0 && v0 && water && *v0 + *water != 0) {
        numbers::storeSingle(state.dilutedConcentration, *c0 * *v0 / (*v0 + *water));
    }
    if (cb) numbers::storeSingle(state.titrantConcentration, *cb);
    if (v0 && water) numbers::storeSingle(state.initialVolume, *v0 + *water);
    if (poured) numbers::storeSingle(state.pouredVolume, *poured);

    const bool other = SpeciesCatalogue::isFree(solution.beakerIsAcid, solution.speciesIndex);
    if (other && !solution.otherPKa.value()) return state;
    const double pKa =
        catalogue.speciesPKa(solution.beakerIsAcid, solution.speciesIndex, solution.otherPKa.valueOr(0.0));
    numbers::storeSingle(state.constantK,
                         solution.beakerIsAcid ? std::pow(10.0, -pKa) : std::pow(10.0, pKa - 14.0));
    return state;
}

}  // namespace chemistry
