#pragma once
// What the pupil does on the parameter panel and on the options page: typing and validating the
// entries, choosing the nature, the solute and the indicator, hiding, revealing or drawing the
// concentration, and the display switches.
#include <string>

#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// The two parts of the apparatus the options page shows or hides, numbered as its boxes.
enum class ApparatusPart { Burette = 0, PhMeter = 1 };

// Typing changes a field's text (nothing while the fields are locked); it is validated later.
ActionResult setFieldText(BenchState& bench, Field which, std::string text);
// The field's text brought within its limits (with a message when a volume is corrected) and the
// display restarted; a poured volume steps the pH-meter up to it by tenths.
ActionResult validateField(BenchState& bench, Field which);
// A click in a field restarts the display.
ActionResult clickField(BenchState& bench, Field which);
ActionResult chooseNature(BenchState& bench, bool beakerIsAcid);
// A position of the solute list, which is the solute's index in the catalogue list of the nature.
ActionResult chooseSolute(BenchState& bench, int position);
// The second solute, by its index in the catalogue list of the beaker's nature (a free solute
// cannot be second); -1 for "aucun".
ActionResult chooseSecondSolute(BenchState& bench, int speciesIndex);
// A position of the indicator list, 0 to 9.
ActionResult chooseIndicator(BenchState& bench, int position);
// The box "Masquer la concentration...": the current situation's record follows it at once.
ActionResult setConcentrationMasked(BenchState& bench, bool masked);
// "Afficher la concentration".
ActionResult revealConcentration(BenchState& bench);
// The die: a random concentration of 0,0001 to 0,0999 mol · L-1, hidden until revealed.
ActionResult drawRandomConcentration(BenchState& bench);

ActionResult showApparatusPart(BenchState& bench, ApparatusPart part, bool shown);
// "Superposer les courbes" and "Tracer en gras": the situation is shown again with them.
ActionResult setSuperposeCurves(BenchState& bench, bool superpose);
ActionResult setBoldStrokes(BenchState& bench, bool bold);
// 1 to 10 tenths of a millilitre between two measurements; other values change nothing.
// "Contraste élevé", and the desktop's theme asking for it: the graph and the illustration are
// drawn again in the colours of high contrast, or in their usual ones.
ActionResult setHighContrast(BenchState& bench, bool highContrast);
ActionResult setThemeHighContrast(BenchState& bench, bool highContrast);
ActionResult setMeasuringStep(BenchState& bench, int tenths);

}  // namespace state
