#pragma once
// Reads the points measured in the lab from the text files that spreadsheets, data loggers and
// Regressi export (CSV, TSV, TXT): a column of poured volumes in mL, a column of pH and, when the
// file has one, a column of σ in mS · cm-1.
//
// How a file is read:
//   - the bytes: a byte-order mark (UTF-8, UTF-16) decides; otherwise UTF-8, or Windows-1252 when
//     the bytes are not UTF-8. Lines end with LF, CRLF or CR.
//   - ignored lines: blank ones, comments (starting with "#" or "//", or with ";" when ";" does
//     not separate the columns) and lines of separators only.
//   - the separator: a tab when a line that starts like a number holds one, otherwise ";" when
//     one holds a ";", otherwise ",". Blanks around fields, empty fields at the end of a line and
//     double quotes around a field are dropped.
//   - numbers: a decimal comma or a decimal point, and an exponent (1,2E-03). A comma always
//     separates fields in a file separated by commas, so such a file takes the decimal point
//     (or quotes around numbers with a comma, as some spreadsheets write them).
//   - before the first measurement, lines whose first field is not a number are titles: column
//     names ("V (mL);pH;sigma") or units ("mL;pH"). When one names exactly one volume column and
//     one pH column (and at most one σ column), those columns are read wherever they stand and
//     the others are ignored, as are lines where the named columns are all empty. Otherwise the
//     columns are volume, pH and optionally σ, in this order, and every measurement has as many;
//     a title line naming a quantity out of that order ("V;sigma") then refuses the file.
//   - limits: volume 0 to 25 mL (the burette), pH 0 to 14, σ finite and not negative, at most
//     10 000 measurements in a file of at most 1 MB.
// Any line that breaks a rule refuses the whole file with a French message naming the line.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measuredpoint.h"

namespace measurements {

inline constexpr std::size_t kMaxFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxPoints = 10000;

struct ReadResult {
    std::vector<MeasuredPoint> points;  // in the order of the file; empty when refused
    bool hasConductivity = false;       // the file has a σ column
    std::string error;                  // French, for the pupil; empty when the file was read
    int errorLine = 0;                  // the line the error names, counted from 1; 0 for the file

    bool ok() const { return error.empty(); }
};

ReadResult readMeasurements(std::span<const unsigned char> bytes);
// The same for text already in memory (what the pupil pastes), as UTF-8.
ReadResult readMeasurements(std::string_view text);

}  // namespace measurements
