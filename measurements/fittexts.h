#pragma once
// The fit's French texts: its result as the pupil reads it, and why a fit gives none.
#include <string>

#include "measurements/concentrationfit.h"

namespace measurements::fittexts {

std::string tooFewPoints(int count, int needed);
// `volumes` distinct volumes where `needed` are, for c₂ and `pKaCount` pKa.
std::string tooFewVolumes(int volumes, int needed, int pKaCount);
std::string wrongRange();
std::string cancelled();
std::string noCurve();
std::string notConverged();
// Parameter k (0: c₂, then the fitted pKa) is not determined by the points.
std::string undetermined(int parameter, int pKaCount);
// Parameter k would lie beyond the panel's range.
std::string beyondRange(int parameter, int pKaCount, const FitSettings& settings);

}  // namespace measurements::fittexts
