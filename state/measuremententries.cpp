#include "state/measuremententries.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measuremententry.h"
#include "numbers/decimalreader.h"

namespace state {

namespace {

constexpr std::string_view kName = "mesure";
constexpr char kSeparator = ';';
// A fixed-point text longer than this (σ in the billions) is written with an exponent.
constexpr std::ptrdiff_t kMaxFixedDigits = 24;
// Every other capability's entries: a few per situation.
constexpr std::size_t kOtherEntries = 1000;
static_assert(chemistry::kSituationCount * measurements::kMaxSituationPoints + kOtherEntries <=
                  static_cast<std::size_t>(configuration::kMaxExtensionEntries),
              "a file must hold every point the situations can keep");

using measurements::LabReading;

// The grid's text when it reads back as the value itself, otherwise the shortest text that does:
// a file reopened gives back the values the fit used, and values that had no more digits than the
// grid shows are written as they always were.
std::string exactText(const LabReading& column, double value) {
    std::string text = measurements::cellText(column, value);
    if (numbers::readTypedNumber(text) == value) return text;
    std::array<char, 64> buffer{};
    auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (written.ec != std::errc() || written.ptr - buffer.data() > kMaxFixedDigits)
        written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    text.assign(buffer.data(), written.ptr);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// A value read from a file, as it was written: only what lies beyond its limit is brought back.
std::optional<double> readValue(const LabReading& column, std::string_view field, bool& corrected) {
    const std::optional<double> read = numbers::readTypedNumber(field);
    if (!read || !std::isfinite(*read)) return std::nullopt;
    const double value = *read;
    if (value < column.least || value > column.most) corrected = true;
    // -0 too becomes 0.
    return value <= column.least ? column.least : std::min(value, column.most);
}

std::vector<std::string_view> fieldsOf(std::string_view text) {
    std::vector<std::string_view> fields;
    // One more than a point has makes the entry unreadable anyway.
    while (fields.size() < labReadings().size() + 2) {
        const std::size_t end = text.find(kSeparator);
        fields.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return fields;
}

// The point of one entry: the volume, then a field for each reading in the list's order, empty
// where it was not measured, the last ones left out; nothing when it is not that.
std::optional<measurements::MeasuredPoint> readPoint(std::string_view text, bool& corrected) {
    const std::vector<std::string_view> fields = fieldsOf(text);
    const std::span<const LabReading> readings = labReadings();
    if (fields.size() < 2 || fields.size() > readings.size() + 1) return std::nullopt;
    measurements::MeasuredPoint point;
    bool outOfRange = false;
    for (std::size_t i = 0; i <= readings.size(); ++i) {
        const LabReading& column = i == 0 ? measurements::volumeReading() : readings[i - 1];
        const std::string_view field = i < fields.size() ? fields[i] : std::string_view();
        if (field.empty() && !column.required) continue;
        const std::optional<double> value = readValue(column, field, outOfRange);
        if (!value) return std::nullopt;
        if (i == 0) {
            point.volume = *value;
        } else {
            point.set(column.slot, *value);
        }
    }
    corrected = corrected || outOfRange;
    return point;
}

// "V;pH" or "V;pH;σ": the readings measured, an empty field for one left out before another.
std::string pointText(const measurements::MeasuredPoint& p) {
    std::string text = exactText(measurements::volumeReading(), p.volume);
    std::string skipped;
    for (const LabReading& reading : labReadings()) {
        if (!p.has(reading.slot) && !reading.required) {
            skipped += kSeparator;
            continue;
        }
        text += skipped + kSeparator + exactText(reading, p.reading(reading.slot));
        skipped.clear();
    }
    return text;
}

}  // namespace

void writeMeasurementEntries(const MeasurementBook& book, configuration::ExtensionEntries& entries) {
    for (int slot = 0; slot < chemistry::kSituationCount; ++slot) {
        const std::string key = configuration::situationKey(slot, kName);
        entries.remove(key);
        for (const measurements::MeasuredPoint& p : book[static_cast<std::size_t>(slot)]) {
            entries.add(key, pointText(p));
        }
    }
}

ReadMeasurements readMeasurementEntries(const configuration::ExtensionEntries& entries) {
    ReadMeasurements read;
    for (int slot = 0; slot < chemistry::kSituationCount; ++slot) {
        MeasuredPoints& points = read.book[static_cast<std::size_t>(slot)];
        for (std::string_view text : entries.values(configuration::situationKey(slot, kName))) {
            if (points.size() == measurements::kMaxSituationPoints) {
                read.corrected = true;  // more than a situation keeps: the rest is left out
                break;
            }
            if (const auto point = readPoint(text, read.corrected)) {
                points.push_back(*point);
            } else {
                read.corrected = true;
            }
        }
    }
    return read;
}

namespace {

class MeasurementCodec : public ExtensionCodec {
  public:
    void write(const BenchState& bench, configuration::ConfigurationFile& file) const override {
        writeMeasurementEntries(bench.lab.points, file.extensions);
    }
    bool corrects(const configuration::ConfigurationFile& file) const override {
        return readMeasurementEntries(file.extensions).corrected;
    }
    void load(const configuration::ConfigurationFile& file, BenchState& bench) const override {
        replaceAllMeasurements(bench, readMeasurementEntries(file.extensions).book);
    }
};

}  // namespace

const ExtensionCodec& measurementCodec() {
    static const MeasurementCodec codec;
    return codec;
}

}  // namespace state
