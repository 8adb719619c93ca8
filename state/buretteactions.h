#pragma once
// The pupil's hand on the burette: the tap held and released, the ticks that pour while it is
// open, the drop and its fall, "Vider la burette", the reset to 0 mL and "Trace rapide". The
// controller runs the ticks from its timers; the state says whether they run.
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// The tap opens and the ticks start, unless the burette is empty: then the tap stays closed and
// the result asks whether to start again (Question::RestartTitration).
ActionResult pressTap(BenchState& bench);
// The answer yes to that question: the titration starts again from 0 mL.
ActionResult restartTitration(BenchState& bench);
// The tap closes and the fields are given back.
ActionResult releaseTap(BenchState& bench);
// One tick of the open tap: 0,1 mL poured, a measurement at each multiple of the step; the tick
// that empties the burette traces the curve and shows the situation again.
ActionResult pourTick(BenchState& bench);
// "Vider la burette": the tap opens, or closes while it pours.
ActionResult toggleEmptying(BenchState& bench);
// A drop starts falling, while the burette holds one.
ActionResult letDropFall(BenchState& bench);
// One frame of the falling drop; the fourth pours it (0,05 mL).
ActionResult dropTick(BenchState& bench);
// "0": back to 0 mL, the situation no longer completed.
ActionResult resetToZero(BenchState& bench);
// "Trace rapide": the whole burette poured at once.
ActionResult quickTrace(BenchState& bench);

}  // namespace state
