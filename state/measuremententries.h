#pragma once
// The lab's measurements in a configuration file: one "sN.mesure" entry per point, the volume
// then each reading of the meters' list in its order ("V;pH" or "V;pH;σ"), an empty field for one
// not measured before one that was, in the program's number texts (decimal comma), situation by
// situation. Each value is
// written with as many digits as it needs to read back the same, the grid's digits when they are
// enough. A situation without measurements writes nothing, so that a file without any is what it
// always was.
#include <array>

#include "configuration/extensionrecords.h"
#include "state/extensioncodec.h"
#include "state/labmeasurements.h"

namespace state {

using MeasurementBook = std::array<MeasuredPoints, chemistry::kSituationCount>;

// Replaces every "sN.mesure" entry by the points given; the other entries stay as they are.
void writeMeasurementEntries(const MeasurementBook& book, configuration::ExtensionEntries& entries);

struct ReadMeasurements {
    MeasurementBook book{};
    // A value was brought back within its limits, or an entry that is not a point was left out.
    bool corrected = false;
};

// Each value as it was written: beyond its limit it is brought back to it, a negative one becomes
// 0, an entry that is not a volume and its readings is left out, and so are the points of a
// situation beyond measurements::kMaxSituationPoints.
ReadMeasurements readMeasurementEntries(const configuration::ExtensionEntries& entries);

// The lab's points of the ten situations, saved and loaded as above; the fit of the points
// replaced is forgotten.
const ExtensionCodec& measurementCodec();

}  // namespace state
