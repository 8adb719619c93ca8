#include "measurements/measuremententry.h"

#include <algorithm>
#include <cmath>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"

namespace measurements {

namespace {

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::string cellText(const LabReading& column, double value) {
    return numbers::formatPicture(value, column.entryPicture);
}

CheckedValue checkTypedValue(const LabReading& column, std::string_view typed) {
    CheckedValue checked;
    if (isBlankText(typed)) return checked;
    const std::optional<double> read = numbers::readTypedNumber(typed);
    if (!read || !std::isfinite(*read)) {
        checked.message = "« " + std::string(typed) + " » n'est pas un nombre.";
        checked.title = "Valeur incorrecte";
        return checked;
    }
    double value = std::max(*read, column.least);
    if (!column.correction.empty() && value > column.most) {
        value = column.most;
        checked.message = column.correction;
        checked.title = column.correctionTitle;
    }
    checked.text = cellText(column, value);
    // The value is what the cell shows, so that OK returns what the pupil sees.
    checked.value = numbers::readTypedNumber(checked.text);
    return checked;
}

EnteredPoints collectPoints(const std::vector<std::vector<std::string>>& rows,
                            std::span<const LabReading> readings) {
    EnteredPoints entered;
    std::vector<const LabReading*> columns{&volumeReading()};
    for (const LabReading& reading : readings) columns.push_back(&reading);
    const std::size_t kColumns = columns.size();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::vector<std::string>& cells = rows[row];
        const auto cell = [&](std::size_t column) {
            return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
        };
        bool anyValue = false;
        for (std::size_t column = 0; column < kColumns; ++column)
            anyValue = anyValue || !isBlankText(cell(column));
        if (!anyValue) continue;
        MeasuredPoint point;
        for (std::size_t column = 0; column < kColumns; ++column) {
            const LabReading& kind = *columns[column];
            if (!kind.required && isBlankText(cell(column))) continue;
            const CheckedValue checked = checkTypedValue(kind, cell(column));
            if (!checked.value || !checked.message.empty()) {
                const int number = static_cast<int>(row) + 1;
                entered.points.clear();
                entered.rows.clear();
                entered.errorRow = number;
                // A cell that was not corrected as it was typed (text set from outside) says why.
                const std::string why = checked.message.empty()
                                            ? "il manque " + std::string(kind.missing) + "."
                                            : checked.message;
                entered.error = "Ligne " + std::to_string(number) + " : " + why;
                return entered;
            }
            if (column == 0) {
                point.volume = *checked.value;
            } else {
                point.set(kind.slot, *checked.value);
            }
        }
        entered.points.push_back(point);
        entered.rows.push_back(static_cast<int>(row));
    }
    return entered;
}

}  // namespace measurements
