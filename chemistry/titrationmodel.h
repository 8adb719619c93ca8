#pragma once
// A titration as the bench, the table, the graph and the fit use it: the point at a poured volume
// with every reading it feeds, the theoretical curve, the equivalences. Each kind of titration is
// one model behind this interface; makeTitrationModel chooses it from the set-up, and nothing
// else asks which kind a set-up is.
#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "chemistry/mixture.h"
#include "chemistry/solution.h"
#include "chemistry/titration.h"

namespace chemistry {

class SpeciesCatalogue;

// The meters a model's points feed, by the ids the meters table knows them by.
inline constexpr std::string_view kPhMeter = "pH";
inline constexpr std::string_view kConductivityMeter = "sigma";

// The first solute as a fit varies it: its concentration as introduced into the beaker, and the
// first `pKaCount` of its pKa (any order) in place of the model's.
struct SoluteChange {
    double concentration = 0;  // mol · L-1
    std::array<double, 2> pKa{7, 7};
    int pKaCount = 0;
};

// What a fit of the first solute starts from: how many pKa the pupil types for it (the fit then
// fits them), and the pKa it is given when they are not fitted.
struct FitStart {
    int fittedPKaCount = 0;
    std::array<double, 2> pKa{7, 7};
};

class TitrationModel {
  public:
    virtual ~TitrationModel() = default;

    // The meters whose readings its points give.
    virtual std::vector<std::string_view> meters() const = 0;
    // Whether the set-up's values all read as numbers it can compute from.
    virtual bool computable() const = 0;
    // Whether its points give every form of each solute (TitrationPoint::forms) rather than the
    // acid and basic forms of one pair.
    virtual bool listsForms() const = 0;

    // Solves the point at the poured volume of a state derived from the set-up: stores and returns
    // the pH. A point that cannot be solved keeps the previous values.
    virtual float solve(EngineState& state) const = 0;
    // Solves the beaker before any pouring, as the table's first row takes it.
    virtual void solveBeforePouring(EngineState& state) const = 0;
    // The measurement at the state's poured volume and pH, with every species' concentration.
    virtual TitrationPoint point(const EngineState& state) const = 0;
    // A meter's reading after `volume` mL, computed afresh; nothing when it cannot be computed or
    // the model does not feed that meter.
    virtual std::optional<double> reading(std::string_view meter, double volume) const = 0;

    // The theoretical pH curve from 0 to 25 mL; `state`, derived from the set-up, is left at its
    // last point.
    virtual std::vector<CurveVertex> curve(EngineState& state) const = 0;
    // The equivalence volumes (mL) in the order the titrant reaches them.
    virtual std::vector<double> equivalenceVolumes() const = 0;

    virtual FitStart fitStart() const = 0;
    // The same titration with the first solute changed.
    virtual std::unique_ptr<TitrationModel> withSolute(const SoluteChange& change) const = 0;

    // The set-up as the general charge balance takes it, for the analyses that walk that balance
    // (tangents at every jump, the forms' distribution); none when the model solves the pH its own
    // way.
    virtual const Mixture* chargeBalance() const = 0;
};

// The model of a set-up: the first registered kind that takes it.
std::unique_ptr<TitrationModel> makeTitrationModel(const SolutionSpec& solution,
                                                   const SpeciesCatalogue& catalogue);

// A mixture whose solute `index` has the concentration and pKa of a change, its pairs kept in
// ascending order of pKa. The mixture as it is when there is no such solute.
Mixture withSoluteChanged(const Mixture& mixture, int index, const SoluteChange& change);

}  // namespace chemistry
