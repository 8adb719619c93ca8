#pragma once
// The table of values (and the theoretical curve) as a CSV text that spreadsheets, Python and
// Regressi read, and that the measurement reader reads back to the same points.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measuredpoint.h"

namespace measurements {

enum class CsvConvention {
    French,         // ";" between fields, decimal comma
    International,  // "," between fields, decimal point
};

// The columns of the table as shown, each header with its unit ("V (mL)", "pH",
// "[H3O+] (mol/L)"), and one row of values per measurement.
struct CsvTable {
    std::vector<std::string> headers;
    std::vector<std::vector<double>> rows;
};

// The headers of the theoretical curve's two columns; the reader takes neither for a measurement.
inline constexpr std::string_view kCurveVolumeHeader = "V théorique (mL)";
inline constexpr std::string_view kCurvePhHeader = "pH théorique";

// UTF-8 with its byte-order mark (so that spreadsheets see σ and the accents), CRLF line ends, a
// header line, then the rows; the curve, when one is given, fills two more columns beside them
// (the longer of the two sets the number of lines, the shorter leaves its cells empty). Each
// number is written with the fewest digits that read back to the same value (to single precision
// when it holds no more), and a value that is not finite leaves its cell empty.
std::string writeCsv(const CsvTable& table, std::span<const CurvePoint> curve, CsvConvention convention);

}  // namespace measurements
