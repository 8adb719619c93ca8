#pragma once
// What the history and the printed report state about each completed situation: the two
// solutions, with the texts the pupil typed (decimal comma) and the names of the species.
#include <array>
#include <string>
#include <vector>

#include "chemistry/solution.h"

namespace chemistry {

struct SituationReport {
    int slot = 0;              // 0 to 9; the report says "Courbe n° " and slot + 1
    std::string beakerVolume;  // mL
    std::string speciesName;
    std::string beakerConcentration;   // mol · L-1; empty while it is hidden
    bool concentrationHidden = false;  // the pupil is to find it: the report says it is unknown
    std::string secondSpeciesName;     // empty when the beaker holds one solute
    std::string secondConcentration;   // mol · L-1; empty while hidden or without a second solute
    std::string waterVolume;           // mL; empty when no water was added
    std::string titrantName;
    std::string titrantConcentration;  // mol · L-1
};

// The titrant is the strong base for an acid in the beaker, the strong acid for a base.
std::string titrantName(bool beakerIsAcid);

// One report per completed situation, Situation 1 first. A situation whose concentration is
// masked keeps it out of its report.
std::vector<SituationReport> completedSituationReports(
    const std::array<Situation, kSituationCount>& situations, const SpeciesCatalogue& catalogue);

}  // namespace chemistry
