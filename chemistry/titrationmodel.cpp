#include "chemistry/titrationmodel.h"

#include <algorithm>
#include <array>

#include "chemistry/mixturetitration.h"
#include "chemistry/monoprotictitration.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"

namespace chemistry {

namespace {

// One kind of titration: whether it takes a set-up, and its model.
struct ModelKind {
    bool (*takes)(const SolutionSpec&);
    std::unique_ptr<TitrationModel> (*make)(const SolutionSpec&, const SpeciesCatalogue&);
};

bool takesAnyAcidBase(const SolutionSpec&) {
    return true;
}

// The kinds of titration, the most particular first: the first that takes a set-up models it.
constexpr std::array kKinds{
    ModelKind{takesRedox, makeRedoxModel},
    ModelKind{takesPrecipitation, makePrecipitationModel},
    ModelKind{takesMonoprotic, makeMonoproticModel},
    ModelKind{takesAnyAcidBase, makeMixtureTitrationModel},
};

}  // namespace

std::unique_ptr<TitrationModel> makeTitrationModel(const SolutionSpec& solution,
                                                   const SpeciesCatalogue& catalogue) {
    for (const ModelKind& kind : kKinds) {
        if (kind.takes(solution)) return kind.make(solution, catalogue);
    }
    return makeMixtureTitrationModel(solution, catalogue);
}

Mixture withSoluteChanged(const Mixture& mixture, int index, const SoluteChange& change) {
    Mixture changed = mixture;
    if (index < 0 || index >= mixture.soluteCount || index >= kMaxSolutes) return changed;
    Solute& solute = changed.solutes[static_cast<std::size_t>(index)];
    const int replaced =
        std::clamp(change.pKaCount, 0, std::min(static_cast<int>(change.pKa.size()), solute.pairCount));
    solute.concentration = change.concentration;
    std::copy_n(change.pKa.begin(), replaced, solute.pKa.begin());
    // The pairs go in ascending order of their pKa.
    std::sort(solute.pKa.begin(), solute.pKa.begin() + solute.pairCount);
    return changed;
}

}  // namespace chemistry
