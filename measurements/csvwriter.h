#pragma once
// Columns of values (the lab's points, the table of values, the theoretical curve) as a CSV text
// that spreadsheets, Python and Regressi read, and that the measurement reader reads back to the
// same points.
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

// A block of columns, each header with its unit ("V (mL)", "pH", "[H3O+] (mol/L)"), and one row
// of values per line.
struct CsvTable {
    std::vector<std::string> headers;
    std::vector<std::vector<double>> rows;
};

// The headers of the theoretical curve's two columns; the reader takes neither for a measurement.
inline constexpr std::string_view kCurveVolumeHeader = "V théorique (mL)";
inline constexpr std::string_view kCurvePhHeader = "pH théorique";

// The theoretical curve as a block of its two columns.
CsvTable curveTable(std::span<const CurvePoint> curve);

// UTF-8 with its byte-order mark (so that spreadsheets see σ and the accents), CRLF line ends, a
// header line, then the rows. The blocks stand side by side, in their order; the longest sets the
// number of lines, and the others leave their cells empty below their last row. Each number is
// written with the fewest digits that read back to the same value (to single precision when it
// holds no more), and a value that is not finite leaves its cell empty.
std::string writeCsv(std::span<const CsvTable> blocks, CsvConvention convention);

}  // namespace measurements
