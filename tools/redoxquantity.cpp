#include "tools/redoxquantity.h"

#include <cmath>

#include "chemistry/redox.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "state/potentialanalyses.h"
#include "state/potentiometry.h"

namespace tools {

namespace {

// The coefficient of a species in its own half-equation.
int coefficientOf(const chemistry::RedoxSpecies& species) {
    const chemistry::RedoxCouple& couple =
        chemistry::redoxCouples()[static_cast<std::size_t>(species.couple)];
    return species.oxidant ? couple.oxidantCoefficient : couple.reductantCoefficient;
}

// The beaker's species reacting per titrant species in the balanced equation: the half-equations
// are multiplied so that they exchange as many electrons.
double beakerPerTitrant(const chemistry::RedoxSetUp& setUp) {
    const auto species = chemistry::redoxSpecies();
    const auto& beaker = species[static_cast<std::size_t>(setUp.beakerSpecies)];
    const auto& titrant = species[static_cast<std::size_t>(setUp.titrantSpecies)];
    const auto couples = chemistry::redoxCouples();
    const int beakerElectrons = couples[static_cast<std::size_t>(beaker.couple)].electrons;
    const int titrantElectrons = couples[static_cast<std::size_t>(titrant.couple)].electrons;
    return static_cast<double>(coefficientOf(beaker) * titrantElectrons) /
           (coefficientOf(titrant) * beakerElectrons);
}

// The potential the millivoltmeter shows at the quantity's point.
std::optional<double> potentialAt(const Quantity& quantity, const chemistry::SolutionSpec& solution,
                                  double ve, std::string& error) {
    if (solution.redox.reference < 0) {
        error = "E is read with the electrodes: \"suivi = calomel\" or \"suivi = Ag/AgCl\"";
        return std::nullopt;
    }
    double volume = quantity.value;
    if (quantity.point == PointKind::Equivalence) volume = ve;
    if (quantity.point == PointKind::HalfEquivalence) volume = ve / 2;
    // The millivoltmeter reads the burette's volume in single precision, as the engine holds it.
    if (quantity.point == PointKind::Volume) volume = static_cast<float>(volume);
    const auto potential = state::potentialAgainstReference(solution, volume);
    if (!potential) error = "the engine gives no finite value";
    return potential;
}

// What the tangent method does on the E graph of the situation shown alone.
std::optional<std::string> tangentOutcome(const chemistry::SolutionSpec& solution, std::string& error) {
    if (solution.redox.reference < 0) {
        error = "the tangent method works on E = f(V), with the electrodes";
        return std::nullopt;
    }
    const auto t = state::potentialTangents(solution, state::potentialAxisFor(solution));
    return tangentOutcomeWord(t.outcome);
}

}  // namespace

std::optional<std::string> evaluateRedoxQuantity(const Quantity& quantity, std::string_view picture,
                                                 const chemistry::SolutionSpec& solution,
                                                 std::string& error) {
    const auto setUp = chemistry::redoxSetUp(solution);
    if (!setUp) {
        error = "the oxidation-reduction set-up cannot be solved";
        return std::nullopt;
    }
    if (const std::string problem = chemistry::redoxProblem(*setUp); !problem.empty()) {
        error = problem;
        return std::nullopt;
    }
    if (quantity.equivalence > 1) {
        error = "an oxidation-reduction titration has one equivalence";
        return std::nullopt;
    }
    // The construction marks E at the stoichiometric volume, as the colour changes at it.
    const double ve = chemistry::redoxEquivalenceVolume(*setUp);
    std::optional<double> value;
    std::string_view own;
    switch (quantity.kind) {
        case QuantityKind::Potential:
            value = potentialAt(quantity, solution, ve, error);
            own = "0.000";
            break;
        case QuantityKind::EquivalenceVolume:
            value = ve;
            own = "#0.0";
            break;
        case QuantityKind::Concentration: {
            // The pupil's c = c_B · V_E · (beaker per titrant) / V_A, with V_E as shown.
            const double shownVe = numbers::readTypedNumberOr(numbers::formatPicture(ve, "#0.0"), 0);
            value = setUp->titrantConcentration * shownVe * beakerPerTitrant(*setUp) / setUp->beakerVolume;
            own = "0.0#######";
            break;
        }
        case QuantityKind::TangentMethod:
            return tangentOutcome(solution, error);
        default:
            error = "an oxidation-reduction titration states E, Ve, C and tangentes";
            return std::nullopt;
    }
    return writtenValue(value, picture.empty() ? own : picture, error);
}

}  // namespace tools
