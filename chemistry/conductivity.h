#pragma once
// The conductivity of the beaker by Kohlrausch's law for dilute solutions, σ = Σ λ°ᵢ · [ion i]
// over every ion it holds (the forms of the solutes, H₃O⁺, HO⁻, the titrant's counter-ion and the
// salts' counter-ions), at 25 °C, without activity correction; and the "Droites" analysis of the
// σ = f(V) curve: a straight line fitted on each side of an equivalence, and their intersection.
//
// The strong species are fully dissociated, as the mixture engine takes them for the pH too: with
// K = 1, a hundredth of 0,01 mol · L-1 hydrochloric acid would stay as molecules that carry no
// current. For that acid the law gives 10 · (λ°(H₃O⁺) + λ°(Cl⁻)) · 0,01 = 4,26 mS/cm, the value
// at infinite dilution; tables give 4,12 mS/cm measured, the ions' mutual attraction lowering the
// molar conductivity as the concentration grows, which the limiting law leaves out.
#include <optional>
#include <span>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/substances.h"
#include "chemistry/titration.h"

namespace chemistry {

// σ in mS/cm = 10 · λ° in mS · m² · mol-1 · c in mol · L-1.
inline constexpr double kMilliSiemensPerCentimetre = 10;

// σ (mS/cm) of a point whose concentrations are known.
double conductivityOf(const Mixture& mixture, const MixturePoint& point);

// σ (mS/cm) of the mixture after `volume` mL; refused when the point cannot be solved.
std::optional<double> mixtureConductivity(const Mixture& mixture, double volume);

// σ (mS/cm) of a point of the monoprotic solver, from the forms and ions it holds: `species` is
// the beaker's solute with the pKa in use (the typed one for a free solute), `initialVolume` the
// beaker's liquid before pouring (mL) and `titrantConcentration` mol · L-1. A strong species is
// solved again fully dissociated. Refused for values that make no sense.
std::optional<double> monoproticConductivity(const TitrationPoint& point, const SpeciesData& species,
                                             double pKa, double initialVolume, double titrantConcentration);

struct ConductivityPoint {
    double volume = 0;        // mL
    double conductivity = 0;  // mS/cm
    bool operator==(const ConductivityPoint&) const = default;
};

// σ = f(V) from 0 to 25 mL: every 0.1 mL, and at each equivalence inside the burette so that the
// corners fall on a vertex. Points that cannot be solved are left out.
std::vector<ConductivityPoint> conductivityCurve(const Mixture& mixture);

// σ = slope · V + intercept.
struct FittedLine {
    double slope = 0;      // mS/cm per mL
    double intercept = 0;  // mS/cm
    double at(double volume) const { return slope * volume + intercept; }
    bool operator==(const FittedLine&) const = default;
};

// The least-squares line through the points; refused for fewer than two distinct volumes.
std::optional<FittedLine> fitLine(std::span<const ConductivityPoint> points);

// σ corrected for the dilution by the titrant, σ · (V₀ + V_w + V) / (V₀ + V_w) with V₀ + V_w the
// beaker's liquid before pouring (mL): what σ would be if the titrant added ions but no water.
// Where only amounts change, as along each branch of a titration, it is then linear in V.
std::vector<ConductivityPoint> dilutionCorrected(std::span<const ConductivityPoint> points,
                                                 double initialVolume);

// Which points each line is fitted on, in mL from the equivalence: those between `margin` and
// `before` before it, and between `margin` and `after` after it. Near the equivalence the curve
// bends. A side holding fewer than kLeastLinePoints takes instead that many of the nearest points
// beyond the margin, as far as `reachBefore` and `reachAfter`.
struct StraightLinesWindow {
    double margin = 0.5;
    double before = 3;
    double after = 3;
    double reachBefore = 3;
    double reachAfter = 3;
};

inline constexpr int kLeastLinePoints = 3;

// The windows for an equivalence at `volume` mL, the previous one at `previous` mL (0 for the
// first) and the next at `next` mL (infinite when there is none): from 5 % to 30 % of the titrant
// this equivalence takes (volume − previous) on each side, never past halfway to the next; the
// nearest points may be taken up to the neighbouring equivalences' own margins.
StraightLinesWindow windowAround(double volume, double previous, double next);

struct StraightLines {
    bool found = false;  // false: too few points on a side, or lines that do not cross near it
    FittedLine before;
    FittedLine after;
    int pointsBefore = 0;
    int pointsAfter = 0;
    // The volumes of the first and last points each line was fitted on, mL.
    double firstBefore = 0;
    double lastBefore = 0;
    double firstAfter = 0;
    double lastAfter = 0;
    double volume = 0;        // E, mL
    double conductivity = 0;  // σ at E on the lines, mS/cm (corrected σ when the points were)
    bool operator==(const StraightLines&) const = default;
};

// The "Droites" analysis around an equivalence volume (mL), on measured or computed points.
StraightLines straightLines(std::span<const ConductivityPoint> points, double equivalenceVolume,
                            const StraightLinesWindow& window = {});

}  // namespace chemistry
