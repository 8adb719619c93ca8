#pragma once
// The conductimeter on the bench: its reading, the σ of the table's rows, the σ = f(V) graph with
// the curves of the finished situations and the lab's σ measurements, and the "Droites" tool.
// σ comes from the mixture engine for every set-up, by Kohlrausch's law (chemistry/conductivity).
#include <optional>
#include <string>
#include <vector>

#include "chemistry/conductivity.h"

#include "state/actionresult.h"
#include "state/benchstate.h"
#include "state/meters.h"

namespace state {

struct Change;

// Three significant digits with the decimal comma ("4,26", "14,3", "0,0426", "123"); empty for a
// value that is not a finite, non-negative number.
std::string conductivityNumber(double conductivity);
// The meter's display: "4,26 mS/cm".
std::string conductivityText(double conductivity);

// σ (mS/cm) of the panel's set-up after `volume` mL; nothing when it cannot be computed.
std::optional<double> panelConductivity(const BenchState& bench, double volume);

// What "Droites" fits its lines on: σ corrected for the dilution by the titrant, whose branches
// are straight (what teachers draw), or σ as the meter reads it, which the dilution bends.
enum class StraightLinesFit { DilutionCorrected, Measured };

// One construction and the equivalence it belongs to, counted as the titrant reaches them from 1.
struct NumberedStraightLines {
    int number = 1;
    chemistry::StraightLines lines;
};

struct StraightLinesAnalysis {
    std::vector<chemistry::ConductivityPoint> points;  // what the lines are fitted on
    std::vector<NumberedStraightLines> found;          // in the order the titrant reaches them
    int equivalences = 0;                              // inside the burette
};

// The "Droites" constructions of a set-up on the points measured every `stepTenths` tenths of a
// millilitre from 0 to 25 mL, each fitted on windows scaled to its equivalence: one per
// equivalence inside the burette where both lines could be fitted.
StraightLinesAnalysis straightLinesOf(const chemistry::SolutionSpec& solution, int stepTenths,
                                      StraightLinesFit fit = StraightLinesFit::DilutionCorrected);

// The graph shows σ = f(V): chosen on its tool bar, with the conductimeter shown.
bool conductivityGraphShown(const BenchState& bench);
// The meter whose values the graph shows as the switches have it: n, σ or pH.
const Meter& shownGraphMeter(const BenchState& bench);
// The pH analyses (tangents, derivative, distribution) belong on the pH graph alone.
bool phGraphShown(const BenchState& bench);

// "Conductimètre" on the options page.
ActionResult showConductimeter(BenchState& bench, bool shown);
// The graph's switch: σ = f(V) (true) or pH = f(V), n = f(V) put away; the situation is shown again on that
// graph.
ActionResult showConductivityGraph(BenchState& bench, bool shown);
// "Droites": on the σ graph shown again, a line fitted on the points before each equivalence and
// one on the points after it, at the measuring step, and their intersection E named on the hint
// line; fitted on corrected σ, those points are drawn as dots, the σ axis holding them.
ActionResult drawStraightLines(BenchState& bench, StraightLinesFit fit = StraightLinesFit::DilutionCorrected);

// --- Inside the display's procedures ------------------------------------------------------------

// The meter follows the point shown; a point that cannot be computed keeps the last reading.
void updateConductivityReading(Change& c);
// The σ graph starts again, its axis holding every curve and point it is going to show.
void restartConductivityGraph(Change& c);
// The σ curves of the finished situations shown; true when the current situation's is among them.
bool drawFinishedConductivityCurves(Change& c);
// The current situation's σ curve.
void drawCurrentConductivityCurve(Change& c);
// The lab's σ measurements of the situations shown, as crosses.
void drawLabConductivities(Change& c);

}  // namespace state
