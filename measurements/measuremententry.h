#pragma once
// The points a pupil types or pastes into the entry grid. Each cell is checked as the parameter
// panel checks a typed value: a decimal comma (or point), a negative value becomes 0, a value
// beyond its limit is brought back to it with a message.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measuredpoint.h"

namespace measurements {

enum class EntryColumn { Volume, PH, Conductivity };

struct CheckedValue {
    std::optional<double> value;  // nothing for an empty cell or a text that is not a number
    std::string text;             // what the cell shows afterwards, with the decimal comma
    // The correction explained to the pupil (French); empty when the value stands as typed.
    std::string message;
    std::string title;
};

CheckedValue checkTypedValue(EntryColumn column, std::string_view typed);
// The text a cell shows for a value already within its limits (a pasted one).
std::string cellText(EntryColumn column, double value);

// The cells of the grid, row by row (volume, pH and σ), as they show.
struct EnteredPoints {
    std::vector<MeasuredPoint> points;  // empty when refused
    std::vector<int> rows;              // the row of each point, counted from 0
    std::string error;                  // French, naming the row; empty when every row is whole
    int errorRow = 0;                   // counted from 1
    bool ok() const { return error.empty(); }
};
// Rows left wholly empty are skipped; a row without its volume or its pH refuses the whole grid.
// σ left empty was not measured (0).
EnteredPoints collectPoints(const std::vector<std::vector<std::string>>& rows);

}  // namespace measurements
