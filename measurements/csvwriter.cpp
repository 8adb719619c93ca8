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

CsvTable curveTable(std::span<const CurvePoint> curve) {
    CsvTable table{{std::string(kCurveVolumeHeader), std::string(kCurvePhHeader)}, {}};
    table.rows.reserve(curve.size());
    for (const CurvePoint& p : curve) table.rows.push_back({p.volume, p.value});
    return table;
}

std::string writeCsv(std::span<const CsvTable> blocks, CsvConvention convention) {
    const char separator = convention == CsvConvention::French ? ';' : ',';
    std::string text = "\xEF\xBB\xBF";
    std::size_t lines = 0;
    bool first = true;
    for (const CsvTable& block : blocks) {
        lines = std::max(lines, block.rows.size());
        for (const std::string& header : block.headers) {
            if (!first) text += separator;
            text += headerText(header, separator);
            first = false;
        }
    }
    text += "\r\n";
    for (std::size_t line = 0; line < lines; ++line) {
        first = true;
        for (const CsvTable& block : blocks) {
            for (std::size_t column = 0; column < block.headers.size(); ++column) {
                if (!first) text += separator;
                first = false;
                if (line < block.rows.size() && column < block.rows[line].size())
                    text += numberText(block.rows[line][column], convention);
            }
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace measurements
