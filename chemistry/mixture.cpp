#include "chemistry/mixture.h"

#include <algorithm>
#include <cmath>

#include "chemistry/phsolver.h"
#include "chemistry/titration.h"

namespace chemistry {

namespace {

// Fully dissociated in place of K = 1: the acid constant of a strong acid's pair, and that of a
// strong base's conjugate pair (Kb = 1e35), as the monoprotic curves take them: the undissociated
// form keeps a vanishing share of the solute and every fraction stays finite.
constexpr double kStrongAcidK = 1e35;
constexpr double kStrongBaseK = kKe / 1e35;

// The root lies between these values of [H₃O⁺] for any beaker a pupil can set up.
constexpr double kLowestHydronium = 1e-20;  // mol · L-1
constexpr double kHighestHydronium = 1e3;   // mol · L-1
// Newton steps stop when ln h moves less than this; the bracket bounds the number of steps.
constexpr double kLnTolerance = 1e-12;
constexpr int kMaxSteps = 200;

// An equivalence shows when the slope of the curve there is at least this many times the slope
// on either side, taken 1 mL away (closer when the equivalence is nearer the start).
constexpr double kVisibleJumpRatio = 2;
constexpr double kJumpSide = 1;               // mL
constexpr double kDerivativeHalfStep = 0.01;  // mL

// Fractions of the forms of a solute at h: term j is Π K₁…Kⱼ / hʲ. Computed directly, or from
// their logarithms when a term leaves the range of a double.
int formFractions(int pairs, const std::array<double, kMaxPairs>& K, double h,
                  std::array<double, kMaxForms>& fraction) {
    const int forms = pairs + 1;
    double sum = 1;
    fraction[0] = 1;
    for (int j = 1; j < forms; ++j) {
        fraction[j] = fraction[j - 1] * K[j - 1] / h;
        sum += fraction[j];
    }
    if (std::isfinite(sum) && sum > 0) {
        for (int j = 0; j < forms; ++j) fraction[j] /= sum;
        return forms;
    }
    std::array<double, kMaxForms> logTerm{};
    double largest = 0;
    for (int j = 1; j < forms; ++j) {
        logTerm[j] = logTerm[j - 1] + std::log(K[j - 1]) - std::log(h);
        largest = std::max(largest, logTerm[j]);
    }
    sum = 0;
    for (int j = 0; j < forms; ++j) {
        fraction[j] = std::exp(logTerm[j] - largest);
        sum += fraction[j];
    }
    for (int j = 0; j < forms; ++j) fraction[j] /= sum;
    return forms;
}

bool finiteAtLeast(double value, double least) {
    return std::isfinite(value) && value >= least;
}

}  // namespace

bool isStrongPair(bool beakerIsAcid, double pKa) {
    return beakerIsAcid ? pKa == 0 : pKa == 14;
}

bool formInWater(const Solute& solute, bool beakerIsAcid, int form) {
    if (form < 0 || form > solute.pairCount || solute.pairCount > kMaxPairs) return false;
    // A strong acid's pair gives up its acid form, a strong base's its basic form.
    if (beakerIsAcid) return form == solute.pairCount || !isStrongPair(true, solute.pKa[form]);
    return form == 0 || !isStrongPair(false, solute.pKa[form - 1]);
}

Solute soluteOf(const SpeciesData& species, double concentration) {
    return soluteOf(species, concentration, {});
}

Solute soluteOf(const SpeciesData& species, double concentration, std::span<const double> pKa) {
    Solute solute;
    solute.pairCount = species.pairCount;
    solute.pKa = species.pKa;
    const std::size_t typed = std::min(pKa.size(), static_cast<std::size_t>(species.pairCount));
    std::copy_n(pKa.begin(), typed, solute.pKa.begin());
    std::sort(solute.pKa.begin(), solute.pKa.begin() + species.pairCount);
    solute.protonsLost = species.protonsLost;
    solute.concentration = concentration;
    if (species.counterIon == CounterIon::Sodium) solute.sodiumPerUnit = species.counterIonCount;
    if (species.counterIon == CounterIon::Chloride) solute.chloridePerUnit = species.counterIonCount;
    for (int j = 0; j < species.formCount(); ++j) solute.formConductivity[j] = species.formConductivity(j);
    return solute;
}

MixtureModel::MixtureModel(const Mixture& mixture) : m_mixture(mixture) {
    if (mixture.soluteCount < 1 || mixture.soluteCount > kMaxSolutes) return;
    if (!finiteAtLeast(mixture.beakerVolume, 0) || mixture.beakerVolume == 0) return;
    if (!finiteAtLeast(mixture.waterVolume, 0) || !finiteAtLeast(mixture.titrantConcentration, 0)) return;
    m_count = mixture.soluteCount;
    m_initialVolume = mixture.beakerVolume + mixture.waterVolume;
    m_titrantSign = mixture.beakerIsAcid ? 1 : -1;
    for (int i = 0; i < m_count; ++i) {
        const Solute& solute = mixture.solutes[i];
        Prepared& p = m_solutes[i];
        if (solute.pairCount < 1 || solute.pairCount > kMaxPairs) return;
        if (solute.protonsLost < 0 || solute.protonsLost > solute.pairCount) return;
        if (!finiteAtLeast(solute.concentration, 0)) return;
        if (solute.sodiumPerUnit < 0 || solute.chloridePerUnit < 0) return;
        p.pairs = solute.pairCount;
        for (int j = 0; j < p.pairs; ++j) {
            const double pKa = solute.pKa[j];
            if (!std::isfinite(pKa)) return;
            p.K[j] = std::pow(10.0, -pKa);
            if (isStrongPair(mixture.beakerIsAcid, pKa))
                p.K[j] = mixture.beakerIsAcid ? kStrongAcidK : kStrongBaseK;
        }
        p.protonsLost = solute.protonsLost;
        p.amount = solute.concentration * mixture.beakerVolume;
        p.sodium = solute.sodiumPerUnit;
        p.chloride = solute.chloridePerUnit;
    }
    m_valid = true;
}

void MixtureModel::protonsLostAt(const Prepared& s, double h, double& mean, double& variance) {
    std::array<double, kMaxForms> fraction{};
    const int forms = formFractions(s.pairs, s.K, h, fraction);
    double first = 0;
    double second = 0;
    for (int j = 1; j < forms; ++j) {
        first += j * fraction[j];
        second += j * j * fraction[j];
    }
    mean = first;
    variance = std::max(0.0, second - first * first);
}

double MixtureModel::balance(double volume, double h, double* slope) const {
    const double w = kKe / h;
    const double total = m_initialVolume + volume;
    double charge = (h - w) * total + m_titrantSign * m_mixture.titrantConcentration * volume;
    double growth = (h + w) * total;
    for (int i = 0; i < m_count; ++i) {
        const Prepared& s = m_solutes[i];
        double mean = 0;
        double variance = 0;
        protonsLostAt(s, h, mean, variance);
        charge += s.amount * (s.protonsLost - mean);
        growth += s.amount * variance;
    }
    if (slope) *slope = growth;
    return charge;
}

std::optional<MixturePoint> MixtureModel::solve(double volume) const {
    if (!m_valid || !finiteAtLeast(volume, 0)) return std::nullopt;
    double lo = std::log(kLowestHydronium);
    double hi = std::log(kHighestHydronium);
    if (!(balance(volume, kLowestHydronium, nullptr) < 0) ||
        !(balance(volume, kHighestHydronium, nullptr) > 0)) {
        return std::nullopt;
    }
    // Newton steps on ln h, kept inside the bracket: a step that would leave it halves it instead.
    double x = (lo + hi) / 2;
    for (int step = 0; step < kMaxSteps; ++step) {
        double growth = 0;
        const double charge = balance(volume, std::exp(x), &growth);
        if (!std::isfinite(charge)) return std::nullopt;
        if (charge == 0) break;
        (charge < 0 ? lo : hi) = x;
        double next = x - charge / growth;
        if (!(next > lo && next < hi)) next = (lo + hi) / 2;
        const bool settled = std::abs(next - x) < kLnTolerance || hi - lo < kLnTolerance;
        x = next;
        if (settled) break;
    }
    return compositionAt(volume, std::exp(x));
}

std::optional<MixturePoint> MixtureModel::compositionAt(double volume, double hydronium) const {
    const double total = m_initialVolume + volume;
    if (!m_valid || !std::isfinite(volume) || !(total > 0) || !(hydronium > 0) || !std::isfinite(hydronium)) {
        return std::nullopt;
    }
    MixturePoint point;
    point.volume = volume;
    point.hydronium = hydronium;
    point.hydroxide = kKe / hydronium;
    point.pH = -std::log10(hydronium);
    const double titrant = m_mixture.titrantConcentration * volume / total;
    point.sodium = m_mixture.beakerIsAcid ? titrant : 0;
    point.chloride = m_mixture.beakerIsAcid ? 0 : titrant;
    for (int i = 0; i < m_count; ++i) {
        const Prepared& s = m_solutes[i];
        const double c = s.amount / total;
        std::array<double, kMaxForms> fraction{};
        const int forms = formFractions(s.pairs, s.K, hydronium, fraction);
        for (int j = 0; j < forms; ++j) point.forms[i][j] = c * fraction[j];
        point.sodium += s.sodium * c;
        point.chloride += s.chloride * c;
    }
    return point;
}

std::optional<double> MixtureModel::volumeFor(double hydronium) const {
    if (!m_valid || !(hydronium > 0) || !std::isfinite(hydronium)) return std::nullopt;
    // The balance is (h − w + ±Cb)·V + [(h − w)(V₀ + V_w) + Σ C₀ᵢV₀(dᵢ − n̄ᵢ)]: its value at V = 0
    // and its growth per mL give the root in V.
    const double w = kKe / hydronium;
    const double perMillilitre = hydronium - w + m_titrantSign * m_mixture.titrantConcentration;
    if (perMillilitre == 0) return std::nullopt;
    const double volume = -balance(0, hydronium, nullptr) / perMillilitre;
    if (!std::isfinite(volume)) return std::nullopt;
    return volume;
}

std::optional<double> MixtureModel::slopeAt(double volume) const {
    if (!(volume >= kDerivativeHalfStep)) return std::nullopt;
    const auto before = solve(volume - kDerivativeHalfStep);
    const auto after = solve(volume + kDerivativeHalfStep);
    if (!before || !after) return std::nullopt;
    return (after->pH - before->pH) / (2 * kDerivativeHalfStep);
}

std::vector<EquivalenceCandidate> MixtureModel::equivalenceCandidates(bool judgeVisibility) const {
    std::vector<EquivalenceCandidate> candidates;
    const double Cb = m_mixture.titrantConcentration;
    if (!m_valid || !(Cb > 0)) return candidates;

    // The pairs the titrant works through: for soda, those from the form put in the beaker
    // towards the fully deprotonated one; for hydrochloric acid, back towards the fully
    // protonated one. Their order is that of the pKa: the strongest acid, or base, goes first.
    struct Step {
        double pKa;
        int solute;
        int pair;
    };
    std::vector<Step> steps;
    for (int i = 0; i < m_count; ++i) {
        const Solute& solute = m_mixture.solutes[i];
        if (m_mixture.beakerIsAcid) {
            for (int j = solute.protonsLost; j < solute.pairCount; ++j)
                steps.push_back({solute.pKa[j], i, j});
        } else {
            for (int j = solute.protonsLost - 1; j >= 0; --j) steps.push_back({solute.pKa[j], i, j});
        }
    }
    const bool acid = m_mixture.beakerIsAcid;
    std::stable_sort(steps.begin(), steps.end(),
                     [acid](const Step& a, const Step& b) { return acid ? a.pKa < b.pKa : a.pKa > b.pKa; });

    double amount = 0;  // mmol of protons exchanged
    for (const Step& step : steps) {
        amount += m_solutes[step.solute].amount;
        EquivalenceCandidate candidate{amount / Cb, step.solute, step.pair, false};
        const double Ve = candidate.volume;
        if (judgeVisibility && Ve > 0 && Ve <= kBuretteCapacity) {
            const double side = std::min(kJumpSide, Ve / 2);
            const auto at = slopeAt(Ve);
            const auto left = slopeAt(Ve - side);
            const auto right = slopeAt(Ve + side);
            candidate.visible =
                at && left && right &&
                std::abs(*at) >= kVisibleJumpRatio * std::max(std::abs(*left), std::abs(*right));
        }
        candidates.push_back(candidate);
    }
    return candidates;
}

std::optional<MixturePoint> solveMixture(const Mixture& mixture, double volume) {
    return MixtureModel(mixture).solve(volume);
}

}  // namespace chemistry
