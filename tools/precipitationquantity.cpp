#include "tools/precipitationquantity.h"

#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

#include "chemistry/precipitation.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "state/conductimetry.h"
#include "state/potentiometry.h"

namespace tools {

namespace {

// The measuring step the workbench starts with, tenths of a millilitre: the "Droites" points.
constexpr int kStraightLinesStep = 5;

const chemistry::PrecipitationSalt& saltAt(std::span<const chemistry::PrecipitationSalt> list, int index) {
    return list[static_cast<std::size_t>(index)];
}

// The pKs of the solid the titrant's cation forms with a salt's anion; none when it stays dissolved.
std::optional<double> pKsWith(const chemistry::PrecipitationSetUp& setUp, int salt) {
    const auto& titrant = saltAt(chemistry::precipitationTitrants(), setUp.titrant);
    const auto* solid =
        chemistry::solidOf(titrant.cation, saltAt(chemistry::precipitationSalts(), salt).anion);
    if (!solid) return std::nullopt;
    return solid->pKs;
}

// Which equivalence (0 or 1) titrates the salt: the least soluble solid forms first.
int equivalenceOf(const chemistry::PrecipitationSetUp& setUp, bool second) {
    if (setUp.secondSalt < 0) return 0;
    const auto first = pKsWith(setUp, setUp.salt);
    const auto other = pKsWith(setUp, setUp.secondSalt);
    const bool firstGoesFirst = first && (!other || *first >= *other);
    return (second ? !firstGoesFirst : firstGoesFirst) ? 0 : 1;
}

// The salt's concentration the pupil deduces from the volumes as the graph shows them: the
// titrant's cations poured, per cation of the solid, per anion of the salt.
std::optional<double> saltConcentration(const chemistry::PrecipitationSetUp& setUp,
                                        const std::vector<double>& volumes, bool second, std::string& error) {
    if (second && setUp.secondSalt < 0) {
        error = "C2 is the second salt's concentration: \"sel2 = ...\"";
        return std::nullopt;
    }
    const int k = equivalenceOf(setUp, second);
    if (static_cast<std::size_t>(k) >= volumes.size()) {
        error = "the titration has no such equivalence";
        return std::nullopt;
    }
    const auto shown = [&](std::size_t i) {
        return numbers::readTypedNumberOr(numbers::formatPicture(volumes[i], "#0.0"), 0);
    };
    const double poured = shown(static_cast<std::size_t>(k)) - (k > 0 ? shown(0) : 0.0);
    const auto& titrant = saltAt(chemistry::precipitationTitrants(), setUp.titrant);
    const auto& salt = saltAt(chemistry::precipitationSalts(), second ? setUp.secondSalt : setUp.salt);
    const auto* solid = chemistry::solidOf(titrant.cation, salt.anion);
    if (!solid || !(setUp.beakerVolume > 0)) {
        error = "the salt is not titrated";
        return std::nullopt;
    }
    return setUp.titrantConcentration * titrant.cations * poured /
           (solid->cationsPerAnion * salt.anions * setUp.beakerVolume);
}

// The first volume the tap pours, each 0,1 mL, at which silver chromate is present.
std::optional<double> redVolume(const chemistry::PrecipitationSetUp& setUp, std::string& error) {
    if (!(setUp.chromate > 0)) {
        error = "the red appears with Mohr's indicator: \"chromate = ...\"";
        return std::nullopt;
    }
    const auto solids = chemistry::precipitationSolids();
    std::size_t red = solids.size();
    for (std::size_t i = 0; i < solids.size(); ++i) {
        if (solids[i].cation == chemistry::Ion::Silver && solids[i].anion == chemistry::Ion::Chromate)
            red = i;
    }
    const int last = static_cast<int>(std::lround(chemistry::kBuretteCapacity * 10));
    for (int tenths = 0; tenths <= last && red < solids.size(); ++tenths) {
        const auto point = chemistry::solvePrecipitation(setUp, tenths / 10.0);
        if (point && red < point->solids.size() && point->solids[red] > 0) return tenths / 10.0;
    }
    error = "the red does not appear within the burette's 25 mL";
    return std::nullopt;
}

std::optional<double> straightLinesVolume(const Quantity& quantity, const chemistry::SolutionSpec& solution,
                                          std::string& error) {
    for (const auto& found : state::straightLinesOf(solution, kStraightLinesStep).found) {
        if (found.number == quantity.equivalence) return found.lines.volume;
    }
    error = "the straight lines find no equivalence E" + std::to_string(quantity.equivalence);
    return std::nullopt;
}

std::optional<double> silverPotentialAt(const Quantity& quantity, const chemistry::SolutionSpec& solution,
                                        const std::vector<double>& volumes, std::string& error) {
    if (solution.precipitation.reference < 0) {
        error = "E is read with the silver electrode: \"suivi = argent\", \"calomel\" or \"Ag/AgCl\"";
        return std::nullopt;
    }
    double volume = static_cast<float>(quantity.value);  // the burette's volume, in single precision
    const auto k = static_cast<std::size_t>(quantity.equivalence - 1);
    if (quantity.point != PointKind::Volume) {
        if (k >= volumes.size()) {
            error = "the titration has no such equivalence";
            return std::nullopt;
        }
        const double previous = k > 0 ? volumes[k - 1] : 0.0;
        volume = quantity.point == PointKind::Equivalence ? volumes[k] : (previous + volumes[k]) / 2;
    }
    const auto potential = state::potentialAgainstReference(solution, volume);
    if (!potential) error = "the engine gives no finite value";
    return potential;
}

}  // namespace

std::optional<std::string> evaluatePrecipitationQuantity(const Quantity& quantity, std::string_view picture,
                                                         const chemistry::SolutionSpec& solution,
                                                         std::string& error) {
    const auto setUp = chemistry::precipitationSetUp(solution);
    if (!setUp) {
        error = "the precipitation set-up cannot be solved";
        return std::nullopt;
    }
    const auto volumes = chemistry::precipitationEquivalences(*setUp);
    std::optional<double> value;
    std::string_view own = "#0.0";
    switch (quantity.kind) {
        case QuantityKind::Conductivity: {
            const auto point = chemistry::solvePrecipitation(*setUp, static_cast<float>(quantity.value));
            if (point && std::isfinite(point->conductivity)) {
                if (picture.empty()) return state::conductivityNumber(point->conductivity);
                value = point->conductivity;
            }
            break;
        }
        case QuantityKind::StraightLines:
            value = straightLinesVolume(quantity, solution, error);
            if (!value) return std::nullopt;
            break;
        case QuantityKind::Potential:
            value = silverPotentialAt(quantity, solution, volumes, error);
            if (!value) return std::nullopt;
            own = "0.000";
            break;
        case QuantityKind::EquivalenceVolume:
            if (static_cast<std::size_t>(quantity.equivalence - 1) >= volumes.size()) {
                error = "the titration has no equivalence E" + std::to_string(quantity.equivalence);
                return std::nullopt;
            }
            value = volumes[static_cast<std::size_t>(quantity.equivalence - 1)];
            break;
        case QuantityKind::Concentration:
        case QuantityKind::SecondConcentration:
            value =
                saltConcentration(*setUp, volumes, quantity.kind == QuantityKind::SecondConcentration, error);
            if (!value) return std::nullopt;
            own = "0.0#######";
            break;
        case QuantityKind::RedAppears:
            value = redVolume(*setUp, error);
            if (!value) return std::nullopt;
            break;
        default:
            error = "a precipitation titration states sigma, droites, E, Ve, C, C2 and rouge";
            return std::nullopt;
    }
    return writtenValue(value, picture.empty() ? own : picture, error);
}

}  // namespace tools
