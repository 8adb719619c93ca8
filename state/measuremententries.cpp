#include "state/measuremententries.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measuremententry.h"
#include "numbers/decimalreader.h"

namespace state {

namespace {

constexpr std::string_view kName = "mesure";
constexpr char kSeparator = ';';

using measurements::EntryColumn;

std::vector<std::string_view> fieldsOf(std::string_view text) {
    std::vector<std::string_view> fields;
    // Three fields at most: a fourth makes the entry unreadable anyway.
    while (fields.size() < 4) {
        const std::size_t end = text.find(kSeparator);
        fields.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return fields;
}

// The point of one entry; nothing when it is not two or three numbers.
std::optional<measurements::MeasuredPoint> readPoint(std::string_view text, bool& corrected) {
    const std::vector<std::string_view> fields = fieldsOf(text);
    if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
    double values[3] = {0, 0, 0};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const measurements::CheckedValue checked =
            measurements::checkTypedValue(static_cast<EntryColumn>(i), fields[i]);
        if (!checked.value) return std::nullopt;
        const std::optional<double> typed = numbers::readTypedNumber(fields[i]);
        if (!checked.message.empty() || (typed && *typed < 0)) corrected = true;
        values[i] = *checked.value;
    }
    return measurements::MeasuredPoint{values[0], values[1], values[2]};
}

}  // namespace

void writeMeasurementEntries(const MeasurementBook& book, configuration::ExtensionEntries& entries) {
    for (int slot = 0; slot < chemistry::kSituationCount; ++slot) {
        const std::string key = configuration::situationKey(slot, kName);
        entries.remove(key);
        for (const measurements::MeasuredPoint& p : book[static_cast<std::size_t>(slot)]) {
            std::string value = measurements::cellText(EntryColumn::Volume, p.volume) + kSeparator +
                                measurements::cellText(EntryColumn::PH, p.pH);
            if (p.conductivity != 0)
                value += kSeparator + measurements::cellText(EntryColumn::Conductivity, p.conductivity);
            entries.add(key, value);
        }
    }
}

ReadMeasurements readMeasurementEntries(const configuration::ExtensionEntries& entries) {
    ReadMeasurements read;
    for (int slot = 0; slot < chemistry::kSituationCount; ++slot) {
        MeasuredPoints& points = read.book[static_cast<std::size_t>(slot)];
        for (std::string_view text : entries.values(configuration::situationKey(slot, kName))) {
            if (const auto point = readPoint(text, read.corrected)) {
                points.push_back(*point);
            } else {
                read.corrected = true;
            }
        }
    }
    return read;
}

}  // namespace state
