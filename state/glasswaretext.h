#pragma once
// The glassware as one line of text, as the configuration file and the recovery copy keep it:
// "graine=7;v0=2:0,03;eau=-1:0;burette=4:0,05;lecture=0,025;dilution=1:0,02:7:0,1;titrant=0,001".
// Empty for "Titrage exact". The reader checks every piece against its role and every tolerance
// against its range, and refuses the whole line otherwise.
#include <optional>
#include <string>
#include <string_view>

#include "chemistry/glassware.h"

namespace state {

std::string glasswareText(const chemistry::Glassware& glassware);
std::optional<chemistry::Glassware> readGlasswareText(std::string_view text);

// A tolerance (mL) the pupil may type or a file may hold: 0 to a tenth of the largest piece.
bool isUsableTolerance(double halfWidth);
// A titrant's stated standard uncertainty, mol · L-1: 0 to 0,1.
bool isUsableTitrantUncertainty(double uncertainty);

}  // namespace state
