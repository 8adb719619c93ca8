#include "measurements/measuremententry.h"

#include <algorithm>
#include <cmath>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"

namespace measurements {

namespace {

// Enough digits for a burette read to 0,05 mL, a pH-meter to 0,01 and a conductimeter's
// mS · cm-1, without the long tails of a pasted float.
std::string_view pictureOf(EntryColumn column) {
    switch (column) {
        case EntryColumn::Volume:
            return "#0.0##";
        case EntryColumn::PH:
            return "#0.00#";
        case EntryColumn::Conductivity:
            break;
    }
    return "#0.0###";
}

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string missingName(EntryColumn column) {
    switch (column) {
        case EntryColumn::Volume:
            return "le volume";
        case EntryColumn::PH:
            return "le pH";
        case EntryColumn::Conductivity:
            break;
    }
    return "la conductivité σ";
}

}  // namespace

std::string cellText(EntryColumn column, double value) {
    return numbers::formatPicture(value, pictureOf(column));
}

CheckedValue checkTypedValue(EntryColumn column, std::string_view typed) {
    CheckedValue checked;
    if (isBlankText(typed)) return checked;
    const std::optional<double> read = numbers::readTypedNumber(typed);
    if (!read || !std::isfinite(*read)) {
        checked.message = "« " + std::string(typed) + " » n'est pas un nombre.";
        checked.title = "Valeur incorrecte";
        return checked;
    }
    double value = std::max(*read, 0.0);
    if (column == EntryColumn::Volume && value > kMaxVolume) {
        value = kMaxVolume;
        checked.message = "La contenance de la burette est de 25 mL.";
        checked.title = "Volume corrigé";
    } else if (column == EntryColumn::PH && value > kMaxPh) {
        value = kMaxPh;
        checked.message = "Le pH est compris entre 0 et 14.";
        checked.title = "pH corrigé";
    }
    checked.text = cellText(column, value);
    // The value is what the cell shows, so that OK returns what the pupil sees.
    checked.value = numbers::readTypedNumber(checked.text);
    return checked;
}

EnteredPoints collectPoints(const std::vector<std::vector<std::string>>& rows) {
    EnteredPoints entered;
    constexpr std::size_t kColumns = 3;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::vector<std::string>& cells = rows[row];
        const auto cell = [&](std::size_t column) {
            return column < cells.size() ? std::string_view(cells[column]) : std::string_view();
        };
        bool anyValue = false;
        for (std::size_t column = 0; column < kColumns; ++column)
            anyValue = anyValue || !isBlankText(cell(column));
        if (!anyValue) continue;
        double values[kColumns] = {0, 0, 0};
        for (std::size_t column = 0; column < kColumns; ++column) {
            const auto kind = static_cast<EntryColumn>(column);
            if (kind == EntryColumn::Conductivity && isBlankText(cell(column))) continue;
            const CheckedValue checked = checkTypedValue(kind, cell(column));
            if (!checked.value || !checked.message.empty()) {
                const int number = static_cast<int>(row) + 1;
                entered.points.clear();
                entered.rows.clear();
                entered.errorRow = number;
                // A cell that was not corrected as it was typed (text set from outside) says why.
                const std::string why =
                    checked.message.empty() ? "il manque " + missingName(kind) + "." : checked.message;
                entered.error = "Ligne " + std::to_string(number) + " : " + why;
                return entered;
            }
            values[column] = *checked.value;
        }
        entered.points.push_back({values[0], values[1], values[2]});
        entered.rows.push_back(static_cast<int>(row));
    }
    return entered;
}

}  // namespace measurements
