#pragma once
// Reads the points measured in the lab from the text files that spreadsheets, data loggers and
// Regressi export (CSV, TSV, TXT): a column of poured volumes in mL and a column for each reading
// the reader is given that the file has (the pH, σ in mS · cm-1…), the required ones always.
//
// How a file is read:
//   - the bytes: see decodeText. Lines end with LF, CRLF or CR.
//   - ignored lines: blank ones, comments (starting with "#" or "//", or with ";" when ";" does
//     not separate the columns) and lines of separators only.
//   - the separator: a tab when a line that starts like a number holds one, otherwise ";" when
//     one holds a ";", otherwise ",". Blanks around fields, empty fields at the end of a line and
//     double quotes around a field are dropped.
//   - numbers: a decimal comma or a decimal point, and an exponent (1,2E-03). In a file separated
//     by commas, a comma may also be a decimal mark ("2,5,3,8"): both readings are tried, and the
//     one where every row has the heading's count of fields is taken.
//   - headings: before the first measurement, lines whose first field is not a number are titles.
//     The first that names a volume ("V", "Vb", "volume") or a reading (the pH; σ: "sigma", "conductivité"),
//     with a unit or not ("V (mL)", "σ [µS/cm]", in any case), is the heading row; a title line
//     right after it may give the units ("mL;pH"). Columns are read by their headings wherever
//     they stand; the others are skipped and named, and a row may not have more fields than the
//     heading row names. Without a heading row, the columns are the volume, the required readings
//     and optionally the others a file may give by position (the pH, then σ), in this order, every
//     measurement has as many, and the volumes go up.
//   - limits: volume 0 to 25 mL (the burette), each reading within its own (pH 0 to 14, σ finite
//     and not negative), at most 60 000 measurements in a file of at most 4 MB.
// Any line that breaks a rule refuses the whole file with a French message naming the line.
// Volumes that do not go up are kept as measured, and their lines given.
#include <bitset>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/labreading.h"
#include "measurements/measuredpoint.h"

namespace measurements {

// A file holds at most what a situation keeps (and a configuration gives back), in a size that
// leaves room for three columns of many digits.
inline constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kMaxPoints = kMaxSituationPoints;

struct ReadResult {
    std::vector<MeasuredPoint> points;  // in the order of the file; empty when refused
    std::bitset<kMaxReadings> columns;  // by slot: the readings the file has a column of
    std::string error;                  // French, for the pupil; empty when the file was read
    int errorLine = 0;                  // the line the error names, counted from 1; 0 for the file
    // The headings of the columns left aside, as the file writes them.
    std::vector<std::string> skippedColumns;
    // The lines whose volume is not above the one of the measurement before.
    std::vector<int> unorderedLines;

    bool ok() const { return error.empty(); }
    bool has(const LabReading& reading) const {
        return reading.slot < kMaxReadings && columns.test(reading.slot);
    }
};

ReadResult readMeasurements(std::span<const unsigned char> bytes, std::span<const LabReading> readings);
// The same for text already in memory (what the pupil pastes), as UTF-8.
ReadResult readMeasurements(std::string_view text, std::span<const LabReading> readings);

// What a read file gives, for the hint line: "34 mesures importées ; colonne ignorée : « t (s) »".
std::string importSummary(const ReadResult& read);
// The lines whose volumes do not go up, for a message; empty when they all do.
std::string orderWarning(const ReadResult& read);

}  // namespace measurements
