#pragma once
// The general charge balance of a beaker holding one or two solutes, each with up to three
// acid–base pairs, titrated by one strong titrant: sodium hydroxide when the beaker holds acids,
// hydrochloric acid when it holds bases. Ke = 1e-14. A strong species (the marker pKa 0 of an acid,
// pKa 14 of a base) is fully dissociated for the pH, the forms and σ alike: its undissociated form
// does not exist in water. Plain values in, plain values out; nothing here is stored between calls.
//
// Electroneutrality, with h = [H₃O⁺], w = Ke / h, n̄ᵢ(h) the mean number of protons solute i has
// lost and dᵢ the number its form put in the beaker had lost (the salt's counter-ions balance the
// charge of that form), after V mL of titrant at Cb poured on V₀ mL at C₀ᵢ plus V_w mL of water:
//
//     (h − w)(V₀ + V_w + V) + Σ C₀ᵢ V₀ (dᵢ − n̄ᵢ(h)) ± Cb V = 0      (+ for soda, − for the acid)
//
// Its left side grows with h, so the root is unique; and it is linear in V, so the poured volume
// that brings the beaker to h has the explicit form V(h) that the curves use.
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "chemistry/substances.h"

namespace chemistry {

inline constexpr int kMaxSolutes = 2;

// One solute as the charge balance and the conductivity need it.
struct Solute {
    std::array<double, kMaxPairs> pKa{};  // ascending; only the first pairCount are used
    int pairCount = 1;
    int protonsLost = 0;       // the form put in the beaker, counted from the fully protonated one
    double concentration = 0;  // in the solution introduced into the beaker, mol · L-1
    int sodiumPerUnit = 0;     // counter-ions the salt brings per formula unit
    int chloridePerUnit = 0;
    std::array<double, kMaxForms> formConductivity{};  // λ° of each form, mS · m² · mol-1
    bool operator==(const Solute&) const = default;
};

// Whether a pair of the beaker's solutes is a strong species' marker: pKa 0 in an acid, pKa 14 in a
// base (K = 1 in the monoprotic solver). Such a pair is taken fully dissociated.
bool isStrongPair(bool beakerIsAcid, double pKa);

// Whether a form of a solute exists in water: a strong pair leaves none of the form it gives up
// (HCl of hydrochloric acid, NaOH of sodium hydroxide).
bool formInWater(const Solute& solute, bool beakerIsAcid, int form);

// The solute of a species of the table at a concentration (mol · L-1).
Solute soluteOf(const SpeciesData& species, double concentration);
// The same with the pKa the pupil typed for a free solute (any order; as many as the species has
// pairs, the others keep the table's values).
Solute soluteOf(const SpeciesData& species, double concentration, std::span<const double> pKa);

struct Mixture {
    bool beakerIsAcid = true;  // the titrant is sodium hydroxide, else hydrochloric acid
    std::array<Solute, kMaxSolutes> solutes{};
    int soluteCount = 1;
    double beakerVolume = 20;            // V₀, mL of the solution introduced
    double waterVolume = 0;              // V_w, mL of distilled water added
    double titrantConcentration = 0.01;  // Cb, mol · L-1
    bool operator==(const Mixture&) const = default;
};

// The beaker at one poured volume.
struct MixturePoint {
    double volume = 0;  // poured, mL
    double pH = 0;
    double hydronium = 0;  // mol · L-1
    double hydroxide = 0;  // mol · L-1
    // Every form of each solute, fully protonated first, mol · L-1 (next to nothing for a form that
    // is not found in water).
    std::array<std::array<double, kMaxForms>, kMaxSolutes> forms{};
    double sodium = 0;    // [Na⁺] from the titrant and the salts, mol · L-1
    double chloride = 0;  // [Cl⁻] likewise
};

// An equivalence: the titrant has then taken (or given) as many protons as the pairs up to this
// one hold, counted in the order of the pKa (ascending for acids, descending for bases).
struct EquivalenceCandidate {
    double volume = 0;  // mL
    int solute = 0;     // the solute and pair this equivalence completes
    int pair = 0;
    bool visible = false;  // within the burette, with a jump of pH the curve shows
};

// A mixture prepared for many evaluations: its constants are computed once, a strong pair's as
// fully dissociated (K = 1e35 for an acid, Kb = 1e35 for a base). A mixture whose
// values make no sense (no solute, a volume of no liquid, a negative concentration, a form or a
// pKa that does not exist) gives a model that is not valid, and every computation refuses.
class MixtureModel {
  public:
    explicit MixtureModel(const Mixture& mixture);

    bool valid() const { return m_valid; }
    const Mixture& mixture() const { return m_mixture; }

    // The point after `volume` mL: pH from the charge balance (safeguarded Newton steps on log h
    // inside a bracket, a bounded number of them). Refused for a negative volume or when the
    // root cannot be found.
    std::optional<MixturePoint> solve(double volume) const;

    // The concentrations at `volume` mL when the beaker is at [H₃O⁺] = hydronium, without solving.
    std::optional<MixturePoint> compositionAt(double volume, double hydronium) const;

    // The poured volume (mL) that brings the beaker to [H₃O⁺] = hydronium, from the explicit
    // inverse: negative when the beaker starts beyond it, and possibly above 25 mL. Refused
    // where the titrant alone could not bring the beaker there (zero denominator).
    std::optional<double> volumeFor(double hydronium) const;

    // Every equivalence in the order the titrant reaches them, each with its visibility unless
    // `judgeVisibility` is false (the visibility costs a few solves per equivalence).
    std::vector<EquivalenceCandidate> equivalenceCandidates(bool judgeVisibility = true) const;

    // dpH/dV at a poured volume (pH per mL), by a central difference over 0.02 mL.
    std::optional<double> slopeAt(double volume) const;

  private:
    struct Prepared {
        int pairs = 0;
        std::array<double, kMaxPairs> K{};
        int protonsLost = 0;
        double amount = 0;  // C₀ · V₀, mmol
        int sodium = 0;
        int chloride = 0;
    };

    // Mean number of protons lost and its variance, for one solute at h.
    static void protonsLostAt(const Prepared& s, double h, double& mean, double& variance);
    // The charge balance times the total volume at h, and its derivative in ln h.
    double balance(double volume, double h, double* slope) const;

    Mixture m_mixture;
    std::array<Prepared, kMaxSolutes> m_solutes{};
    int m_count = 0;
    double m_initialVolume = 0;  // V₀ + V_w, mL
    double m_titrantSign = 1;    // +1: Na⁺ of soda; −1: Cl⁻ of hydrochloric acid
    bool m_valid = false;
};

// One point of the mixture.
std::optional<MixturePoint> solveMixture(const Mixture& mixture, double volume);

}  // namespace chemistry
