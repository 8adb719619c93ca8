#include "measurements/measurementreaderfields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "numbers/windows1252.h"

namespace measurements {

namespace {

bool isDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "12", "-3", "+0": what stands before a decimal comma.
bool isWholePart(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    return isDigits(s);
}

// "5", "25E-03": what stands after it.
bool isFractionPart(std::string_view s) {
    const std::size_t exponent = s.find_first_of("eE");
    if (exponent == std::string_view::npos) return isDigits(s);
    std::string_view power = s.substr(exponent + 1);
    if (!power.empty() && (power.front() == '+' || power.front() == '-')) power.remove_prefix(1);
    return isDigits(s.substr(0, exponent)) && isDigits(power);
}

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (true) {
        if (!s.empty() && isBlank(s.front())) {
            s.remove_prefix(1);
        } else if (s.starts_with("\xC2\xA0")) {
            s.remove_prefix(2);
        } else if (!s.empty() && isBlank(s.back())) {
            s.remove_suffix(1);
        } else if (s.ends_with("\xC2\xA0")) {
            s.remove_suffix(2);
        } else {
            return s;
        }
    }
}

std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string field;
        while (i < line.size() && isBlank(line[i]) && line[i] != separator) ++i;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const std::size_t end = std::min(line.find(separator, i), line.size());
        field += line.substr(i, end - i);
        fields.emplace_back(trim(field));
        if (end >= line.size()) break;
        i = end + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

std::optional<double> readNumber(std::string_view field) {
    std::string text;
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        if (field[i] == '-') text += '-';
        ++i;
    }
    int digits = 0;
    bool mark = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            text += c;
            ++digits;
        } else if ((c == ',' || c == '.') && !mark) {
            text += '.';
            mark = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        text += 'e';
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) text += field[i++];
        const std::size_t first = i;
        while (i < field.size() && field[i] >= '0' && field[i] <= '9') text += field[i++];
        if (i == first) return std::nullopt;
    }
    if (i != field.size()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<std::string>> pairDecimalCommas(const std::vector<std::string>& pieces) {
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty() || (pieces[i].find(',') != std::string::npos && readNumber(pieces[i]))) {
            fields.push_back(pieces[i]);  // an empty cell, or a number quoted with its comma
        } else if (i + 1 < pieces.size() && isWholePart(pieces[i]) && isFractionPart(pieces[i + 1])) {
            fields.push_back(pieces[i] + ',' + pieces[i + 1]);
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return fields;
}

bool startsLikeNumber(std::string_view line) {
    line = trim(line);
    if (!line.empty() && line.front() == '"') line.remove_prefix(1);
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) line.remove_prefix(1);
    if (!line.empty() && (line.front() == '.' || line.front() == ',')) line.remove_prefix(1);
    return !line.empty() && line.front() >= '0' && line.front() <= '9';
}

std::string shown(std::string_view text) {
    text = trim(text);
    std::string out;
    int characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            if (characters == 40) return out + "…";
            ++characters;
        }
        out += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return out;
}

std::string folded(std::string_view utf8) {
    std::string out;
    for (char32_t c : numbers::decodeUtf8(utf8)) {
        const bool latinCapital = (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
        const bool greekCapital = c >= 0x391 && c <= 0x3A9 && c != 0x3A2;  // Σ is σ, Κ is κ
        if (latinCapital || greekCapital) {
            c += 0x20;
        } else if (c == 0xB5) {
            c = 0x3BC;  // the micro sign is the Greek mu
        }
        numbers::appendUtf8(out, c);
    }
    return out;
}

}  // namespace measurements
