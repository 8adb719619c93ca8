#pragma once
// The recovery copy: the whole bench and the text area as they were shown, kept in the user's
// state folder while the program runs, so that work survives a crash or a power cut. The bytes
// end with a check value over all of them: a copy cut short or damaged anywhere is refused whole,
// never restored in part.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "chemistry/solution.h"
#include "state/labmeasurements.h"

namespace state {

// The bench as a value that can be written down and shown again: everything the pupil set, not
// what is computed from it.
struct BenchSnapshot {
    std::array<chemistry::Situation, chemistry::kSituationCount> records{};
    std::array<bool, chemistry::kSituationCount> drawnConcentrationHidden{};
    int current = 0;
    // The panel of the situation shown, as storing it would leave its record: it may differ from
    // the record, which is brought up to date only when a situation is chosen.
    chemistry::Situation panel;
    bool maskEnabled = true;
    bool superposeCurves = false;
    bool boldStrokes = false;
    bool showConductimeter = false;
    bool conductivityGraph = false;
    bool amountGraph = false;
    bool potentialGraph = false;
    bool highContrast = false;
    int stepTenths = 5;
    chemistry::Glassware glassware;
    // The poured volumes of the table's rows, mL, in order: the graph's marks and the rows are
    // recorded again at them.
    std::vector<double> rowVolumes;
    // How many theoretical curves the graph draws: a finished titration shown again draws its own
    // a second time, over the first; a field validated since draws it once.
    int curveCount = 0;
    std::array<MeasuredPoints, chemistry::kSituationCount> measurements{};

    bool operator==(const BenchSnapshot&) const = default;
};

// The text area and what it belongs to, as the window shows them (UTF-8 texts).
struct TextAreaSnapshot {
    std::string rtf;           // the rich text, as the text area writes it
    std::string exerciseName;  // empty for the welcome text
    std::string exerciseFolder;
    bool correctionAvailable = false;
    bool readOnly = false;
    bool modified = false;
    std::string configurationPath;
    std::string caption;

    bool operator==(const TextAreaSnapshot&) const = default;
};

struct RecoveryCopy {
    std::int64_t savedAt = 0;  // seconds since 1970-01-01 UTC
    BenchSnapshot bench;
    TextAreaSnapshot text;

    bool operator==(const RecoveryCopy&) const = default;
};

std::vector<unsigned char> encodeRecoveryCopy(const RecoveryCopy& copy);

// Nothing for bytes this program did not write whole: another file, a copy cut short, a byte
// changed, values the bench cannot hold (a solute it does not know, a situation beyond the ten,
// a measurement outside the burette's or the pH-meter's range).
std::optional<RecoveryCopy> decodeRecoveryCopy(std::span<const unsigned char> bytes);

}  // namespace state
