#include "measurements/csvwriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace measurements {

namespace {

std::string numberText(double value, CsvConvention convention) {
    if (!std::isfinite(value)) return {};
    char buffer[64];
    // A value that a float holds exactly (the bench's volumes and pH are stored so) reads best
    // with the digits of the float: 0.1f is written 0.1, not 0.10000000149011612.
    const float single = std::abs(value) <= 3.4e38 ? static_cast<float>(value) : 0.0f;
    const bool isSingle = static_cast<double>(single) == value;
    const auto written = isSingle ? std::to_chars(buffer, buffer + sizeof buffer, single)
                                  : std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, written.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
        if (c == '.' && convention == CsvConvention::French) c = ',';
    }
    return text;
}

// A header holding the separator, a quote or a line end goes in quotes.
std::string headerText(std::string_view header, char separator) {
    if (header.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) {
        return std::string(header);
    }
    std::string text = "\"";
    for (const char c : header) {
        if (c == '"') text += '"';
        text += c;
    }
    return text + "\"";
}

}  // namespace

std::string writeCsv(const CsvTable& table, std::span<const CurvePoint> curve, CsvConvention convention) {
    const char separator = convention == CsvConvention::French ? ';' : ',';
    std::vector<std::string> headers = table.headers;
    if (!curve.empty()) {
        headers.emplace_back(kCurveVolumeHeader);
        headers.emplace_back(kCurvePhHeader);
    }
    std::string text = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < headers.size(); ++i) {
        if (i > 0) text += separator;
        text += headerText(headers[i], separator);
    }
    text += "\r\n";
    const std::size_t columns = table.headers.size();
    const std::size_t lines = std::max(table.rows.size(), curve.size());
    for (std::size_t line = 0; line < lines; ++line) {
        std::string row;
        for (std::size_t column = 0; column < columns; ++column) {
            if (column > 0) row += separator;
            if (line < table.rows.size() && column < table.rows[line].size()) {
                row += numberText(table.rows[line][column], convention);
            }
        }
        if (!curve.empty()) {
            if (columns > 0) row += separator;
            if (line < curve.size()) {
                row += numberText(curve[line].volume, convention) + separator +
                       numberText(curve[line].pH, convention);
            } else {
                row += separator;
            }
        }
        text += row + "\r\n";
    }
    return text;
}

}  // namespace measurements
