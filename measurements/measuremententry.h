#pragma once
// The points a pupil types or pastes into the entry grid. Each cell is checked as the parameter
// panel checks a typed value: a decimal comma (or point), a negative value becomes 0, a value
// beyond its limit is brought back to it with a message.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/labreading.h"
#include "measurements/measuredpoint.h"

namespace measurements {

struct CheckedValue {
    std::optional<double> value;  // nothing for an empty cell or a text that is not a number
    std::string text;             // what the cell shows afterwards, with the decimal comma
    // The correction explained to the pupil (French); empty when the value stands as typed.
    std::string message;
    std::string title;
};

// A cell of the volume (volumeReading()) or of a reading.
CheckedValue checkTypedValue(const LabReading& column, std::string_view typed);
// The text a cell shows for a value already within its limits (a pasted one).
std::string cellText(const LabReading& column, double value);

// The cells of the grid, row by row (the volume, then each reading in its order), as they show.
struct EnteredPoints {
    std::vector<MeasuredPoint> points;  // empty when refused
    std::vector<int> rows;              // the row of each point, counted from 0
    std::string error;                  // French, naming the row; empty when every row is whole
    int errorRow = 0;                   // counted from 1
    bool ok() const { return error.empty(); }
};
// Rows left wholly empty are skipped; a row without its volume or a required reading (the pH)
// refuses the whole grid. Another reading left empty was not measured.
EnteredPoints collectPoints(const std::vector<std::vector<std::string>>& rows,
                            std::span<const LabReading> readings);

}  // namespace measurements
