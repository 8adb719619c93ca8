// The beaker of a precipitation titration at equilibrium. With m the titrant's free cation, each
// anion A that forms a solid Cat_p A stays dissolved at min(total, Ks / m^p); the cation's balance
// m + Σ p · (total_A − [A]) = total_M then rises with m, and is solved by bisection on log m.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chemistry/conductivity.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "chemistry/solution.h"

namespace chemistry {

namespace {

constexpr int kMaxBisections = 200;
constexpr double kLowestLog = -60;  // log m below every solid's threshold
constexpr double kLogTolerance = 1e-13;
constexpr double kLargestConcentration = 10;  // mol · L-1

const PrecipitationSalt& saltAt(int index) {
    return precipitationSalts()[static_cast<std::size_t>(index)];
}

const PrecipitationSalt& titrantOf(const PrecipitationSetUp& setUp) {
    return precipitationTitrants()[static_cast<std::size_t>(setUp.titrant)];
}

using Amounts = std::array<double, kIonCount>;

void addAmount(Amounts& amounts, Ion ion, double mmol) {
    amounts[static_cast<std::size_t>(ion)] += mmol;
}

// mmol of each ion put into the beaker after `volume` mL.
Amounts pouredAmounts(const PrecipitationSetUp& s, double volume) {
    Amounts amounts{};
    const auto addSalt = [&amounts](const PrecipitationSalt& salt, double mmol) {
        addAmount(amounts, salt.cation, salt.cations * mmol);
        addAmount(amounts, salt.anion, salt.anions * mmol);
    };
    addSalt(saltAt(s.salt), s.beakerConcentration * s.beakerVolume);
    if (s.secondSalt >= 0) addSalt(saltAt(s.secondSalt), s.secondConcentration * s.beakerVolume);
    addSalt(chromateIndicator(), s.chromate * (s.beakerVolume + s.waterVolume));
    addSalt(titrantOf(s), s.titrantConcentration * volume);
    return amounts;
}

// An anion the titrant's cation precipitates.
struct Precipitating {
    Ion anion;
    const Precipitate* solid;
    double total;  // mol · L-1
};

double dissolved(const Precipitating& p, double logCation) {
    return std::min(p.total, std::pow(10.0, -p.solid->pKs - p.solid->cationsPerAnion * logCation));
}

}  // namespace

std::optional<PrecipitationSetUp> precipitationSetUp(const SolutionSpec& solution) {
    if (solution.kind != TitrationKind::Precipitation) return std::nullopt;
    const SetUpQuantities q = setUpQuantities(solution);
    const PrecipitationChoice& choice = solution.precipitation;
    PrecipitationSetUp setUp;
    setUp.salt = choice.salt;
    setUp.secondSalt = choice.secondSalt;
    setUp.titrant = choice.titrant;
    if (!precipitationHappens(setUp.salt, setUp.titrant)) return std::nullopt;
    if (setUp.secondSalt != -1 && !secondSaltAllowed(setUp.salt, setUp.secondSalt)) return std::nullopt;
    if (!quantityWithin(q.beakerConcentration, 1e-12, kLargestConcentration, setUp.beakerConcentration) ||
        !quantityWithin(q.beakerVolume, 1e-6, 1e4, setUp.beakerVolume) ||
        !quantityWithin(q.waterVolume, 0, 1e4, setUp.waterVolume) ||
        !quantityWithin(q.titrantConcentration, 1e-12, kLargestConcentration, setUp.titrantConcentration) ||
        !singleValueWithin(choice.chromate, 0, kLargestConcentration, setUp.chromate))
        return std::nullopt;
    if (setUp.secondSalt >= 0 &&
        !quantityWithin(q.secondConcentration, 1e-12, kLargestConcentration, setUp.secondConcentration))
        return std::nullopt;
    return setUp;
}

bool silverTitrant(const PrecipitationSetUp& setUp) {
    return titrantOf(setUp).cation == Ion::Silver;
}

std::optional<PrecipitationPoint> solvePrecipitation(const PrecipitationSetUp& setUp, double volume) {
    if (!std::isfinite(volume) || volume < 0) return std::nullopt;
    const double total = setUp.beakerVolume + setUp.waterVolume + volume;  // mL
    const Amounts amounts = pouredAmounts(setUp, volume);
    PrecipitationPoint point;
    point.volume = volume;
    for (std::size_t i = 0; i < amounts.size(); ++i) point.ions[i] = amounts[i] / total;
    const Ion cation = titrantOf(setUp).cation;
    std::array<Precipitating, kIonCount> precipitating{};
    int count = 0;
    for (int i = 0; i < kIonCount; ++i) {
        const Ion anion = static_cast<Ion>(i);
        const Precipitate* solid = solidOf(cation, anion);
        if (solid && point.ions[static_cast<std::size_t>(i)] > 0)
            precipitating[static_cast<std::size_t>(count++)] = {anion, solid,
                                                                point.ions[static_cast<std::size_t>(i)]};
    }
    const double cationTotal = point.concentration(cation);
    double logCation = -std::numeric_limits<double>::infinity();
    if (cationTotal > 0) {
        // g rises with log m: negative at kLowestLog, not negative at the cation's total.
        const auto excess = [&](double logM) {
            double taken = std::pow(10.0, logM) - cationTotal;
            for (int k = 0; k < count; ++k) {
                const Precipitating& p = precipitating[static_cast<std::size_t>(k)];
                taken += p.solid->cationsPerAnion * (p.total - dissolved(p, logM));
            }
            return taken;
        };
        double low = kLowestLog;
        double high = std::log10(cationTotal);
        for (int iteration = 0; iteration < kMaxBisections && high - low > kLogTolerance; ++iteration) {
            const double middle = 0.5 * (low + high);
            (excess(middle) < 0 ? low : high) = middle;
        }
        logCation = 0.5 * (low + high);
    } else {
        // Before any pouring the electrode's surface holds a trace of the least soluble solid.
        for (int k = 0; k < count; ++k) {
            const Precipitating& p = precipitating[static_cast<std::size_t>(k)];
            const double threshold = (-p.solid->pKs - std::log10(p.total)) / p.solid->cationsPerAnion;
            if (k == 0 || threshold < logCation) logCation = threshold;
        }
    }
    point.solids.assign(precipitationSolids().size(), 0);
    if (cationTotal > 0) {
        point.ions[static_cast<std::size_t>(cation)] = std::pow(10.0, logCation);
        for (int k = 0; k < count; ++k) {
            const Precipitating& p = precipitating[static_cast<std::size_t>(k)];
            const double free = dissolved(p, logCation);
            point.ions[static_cast<std::size_t>(p.anion)] = free;
            const auto index = static_cast<std::size_t>(p.solid - precipitationSolids().data());
            point.solids[index] = (p.total - free) * total;
        }
    }
    double sigma = 0;
    for (std::size_t i = 0; i < point.ions.size(); ++i)
        sigma += precipitationIons()[i].limitingConductivity * point.ions[i];
    point.conductivity = kMilliSiemensPerCentimetre * sigma;
    point.potential = std::isfinite(logCation) && cation == Ion::Silver
                          ? kSilverStandardPotential + kNernstSlope * logCation
                          : 0;
    if (!std::isfinite(point.conductivity) || !std::isfinite(point.potential)) return std::nullopt;
    return point;
}

std::vector<double> precipitationEquivalences(const PrecipitationSetUp& setUp) {
    if (!precipitationHappens(setUp.salt, setUp.titrant)) return {};
    const Ion cation = titrantOf(setUp).cation;
    const double beakerVolume = setUp.beakerVolume + setUp.waterVolume;
    struct Step {
        double onset;    // log m where its solid appears
        double cations;  // mmol of the titrant's cation it takes
    };
    std::vector<Step> steps;
    const auto addStep = [&](int salt, double concentration) {
        const PrecipitationSalt& s = saltAt(salt);
        const Precipitate* solid = solidOf(cation, s.anion);
        if (!solid) return;
        const double mmol = s.anions * concentration * setUp.beakerVolume;
        const double onset = (-solid->pKs - std::log10(mmol / beakerVolume)) / solid->cationsPerAnion;
        steps.push_back({onset, solid->cationsPerAnion * mmol});
    };
    addStep(setUp.salt, setUp.beakerConcentration);
    if (setUp.secondSalt >= 0) addStep(setUp.secondSalt, setUp.secondConcentration);
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.onset < b.onset; });
    std::vector<double> volumes;
    double taken = 0;
    const double perMl = titrantOf(setUp).cations * setUp.titrantConcentration;
    for (const Step& step : steps) {
        taken += step.cations;
        const double volume = taken / perMl;
        if (std::isfinite(volume) && volume > 0) volumes.push_back(volume);
    }
    return volumes;
}

std::vector<Ion> listedIons(const PrecipitationSetUp& setUp) {
    std::vector<Ion> ions;
    const auto add = [&ions](Ion ion) {
        if (std::find(ions.begin(), ions.end(), ion) == ions.end()) ions.push_back(ion);
    };
    add(titrantOf(setUp).cation);
    add(saltAt(setUp.salt).anion);
    if (setUp.secondSalt >= 0) add(saltAt(setUp.secondSalt).anion);
    if (setUp.chromate > 0) add(Ion::Chromate);
    add(titrantOf(setUp).anion);
    add(saltAt(setUp.salt).cation);
    if (setUp.secondSalt >= 0) add(saltAt(setUp.secondSalt).cation);
    if (setUp.chromate > 0) add(chromateIndicator().cation);
    return ions;
}

bool takesPrecipitation(const SolutionSpec& solution) {
    return solution.kind == TitrationKind::Precipitation;
}

}  // namespace chemistry
