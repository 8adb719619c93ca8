#pragma once
// The glassware on the bench: what each situation's titration actually delivers, drawn from the
// bench's seed and the situation's number, and the pupil's choice of it.
#include <cstdint>
#include <string>

#include "chemistry/glassware.h"
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

struct Change;

// What situation `slot`'s titration delivers with the bench's glassware; the identity for
// "Titrage exact" and for no situation.
chemistry::Delivery deliveryOf(const BenchState& bench, int slot);

// The values the glassware's relative uncertainties are taken on, for a set-up: its typed V₀,
// water and titrant, the dilution's pieces, and the equivalence its typed values give.
chemistry::NominalValues nominalValuesOf(const chemistry::Glassware& glassware,
                                         const chemistry::SolutionSpec& solution);

// What the pupil finds on leaving "Titrage exact": class A pipette of 20 mL, a 25 mL burette of
// class B read to half a graduation, a 25 mL graduated cylinder for the water, the titrant (mol · L-1)
// known to 1 %.
chemistry::Glassware usualGlassware(std::uint32_t seed, double titrantConcentration);

// "titrage exact", or "verrerie mesurée (graine 7)".
std::string glasswareName(const chemistry::Glassware& glassware);

// The pupil's choice: every situation computes with what its glassware delivers, the one shown
// starting again at 0 mL. Nothing changes for the same choice.
ActionResult chooseGlassware(BenchState& bench, const chemistry::Glassware& glassware);

// The panel's set-up takes the shown situation's delivery (inside the actions that change it).
void refreshDelivery(Change& c);

}  // namespace state
