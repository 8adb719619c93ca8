#include "chemistry/beakermixture.h"

#include <array>

#include "chemistry/catalogue.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "numbers/single.h"

namespace chemistry {

namespace {

// The solute of a list entry: a free one takes the pKa the pupil typed.
std::optional<Solute> soluteAt(const SolutionSpec& solution, const SpeciesData* data, double c) {
    if (!data) return std::nullopt;
    if (!data->freePKa) return soluteOf(*data, c);
    const auto first = singleValue(solution.otherPKa);
    if (!first) return std::nullopt;
    std::array<double, 2> typed{*first, 0.0};
    std::size_t count = 1;
    if (data->pairCount == 2) {
        const auto second = singleValue(solution.secondPKa);
        if (!second) return std::nullopt;
        typed[count++] = *second;
    }
    return soluteOf(*data, c, std::span<const double>(typed.data(), count));
}

std::optional<Solute> soluteAt(const SolutionSpec& solution, const SpeciesCatalogue& catalogue, int index,
                               const std::optional<double>& c) {
    if (!c) return std::nullopt;
    return soluteAt(solution, catalogue.speciesData(solution.beakerIsAcid, index), *c);
}

// The forms of a list entry found in water, with the pKa in use (the table's while a typed one is
// not a number).
void appendForms(std::vector<std::string>& names, const SolutionSpec& solution, const SpeciesData* data) {
    const Solute solute = soluteAt(solution, data, 0).value_or(soluteOf(*data, 0));
    for (int j = 0; j < data->formCount(); ++j) {
        if (formInWater(solute, solution.beakerIsAcid, j))
            names.emplace_back(data->forms[static_cast<std::size_t>(j)]);
    }
}

}  // namespace

std::optional<Mixture> beakerMixture(const SolutionSpec& solution, const SpeciesCatalogue& catalogue) {
    Mixture mixture;
    mixture.beakerIsAcid = solution.beakerIsAcid;
    const SetUpQuantities q = setUpQuantities(solution);
    const auto first = soluteAt(solution, catalogue, solution.speciesIndex, q.beakerConcentration);
    if (!first) return std::nullopt;
    mixture.solutes[0] = *first;
    mixture.soluteCount = 1;
    if (solution.secondSpeciesIndex >= 0) {
        const auto second = soluteAt(solution, catalogue, solution.secondSpeciesIndex, q.secondConcentration);
        if (!second) return std::nullopt;
        mixture.solutes[1] = *second;
        mixture.soluteCount = 2;
    }
    const auto& v0 = q.beakerVolume;
    const auto& water = q.waterVolume;
    const auto& cb = q.titrantConcentration;
    if (!v0 || !water || !cb) return std::nullopt;
    mixture.beakerVolume = *v0;
    mixture.waterVolume = *water;
    mixture.titrantConcentration = *cb;
    return mixture;
}

std::vector<std::string> firstSoluteFormNames(const SolutionSpec& solution,
                                              const SpeciesCatalogue& catalogue) {
    std::vector<std::string> names;
    if (const SpeciesData* data = catalogue.speciesData(solution.beakerIsAcid, solution.speciesIndex))
        appendForms(names, solution, data);
    return names;
}

std::vector<std::string> secondSoluteFormNames(const SolutionSpec& solution,
                                               const SpeciesCatalogue& catalogue) {
    std::vector<std::string> names;
    if (solution.secondSpeciesIndex < 0) return names;
    if (const SpeciesData* data = catalogue.speciesData(solution.beakerIsAcid, solution.secondSpeciesIndex))
        appendForms(names, solution, data);
    return names;
}

std::vector<std::string> formNames(const SolutionSpec& solution, const SpeciesCatalogue& catalogue) {
    if (solution.kind == TitrationKind::Redox) {
        RedoxSetUp species;
        species.beakerSpecies = solution.redox.beakerSpecies;
        species.titrantSpecies = solution.redox.titrantSpecies;
        const std::array<std::string, 4> forms = redoxFormNames(species);
        if (forms[0].empty()) return {};
        return {forms.begin(), forms.end()};
    }
    if (solution.kind == TitrationKind::Precipitation) {
        const auto setUp = precipitationSetUp(solution);
        if (!setUp) return {};
        std::vector<std::string> names;
        for (const Ion ion : listedIons(*setUp)) names.emplace_back(precipitationIon(ion).formula);
        return names;
    }
    std::vector<std::string> names = firstSoluteFormNames(solution, catalogue);
    if (names.empty() || solution.secondSpeciesIndex < 0) return names;
    std::vector<std::string> second = secondSoluteFormNames(solution, catalogue);
    if (second.empty()) return {};
    names.insert(names.end(), second.begin(), second.end());
    return names;
}

}  // namespace chemistry
