#include "numbers/picture.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "numbers/decimaldigits.h"

namespace numbers {

namespace {

// One parsed picture.
struct Picture {
    int integerZeros = 0;       // '0' placeholders before the point: minimum integer digits
    bool hasPoint = false;      // the separator is written even with no decimal digit
    std::string_view decimals;  // '0', '#' and literal characters after the point, in order
    int decimalDigits = 0;      // number of '0' and '#' in `decimals`
    int mandatoryDecimals = 0;
    bool scientific = false;
    bool exponentAlwaysSigned = false;
    int exponentZeros = 0;
};

Picture parse(std::string_view text) {
    Picture p;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != '.' && text[i] != 'E' && text[i] != 'e'; ++i) {
        if (text[i] == '0') ++p.integerZeros;
    }
    if (i < text.size() && text[i] == '.') {
        p.hasPoint = true;
        const std::size_t first = ++i;
        for (; i < text.size() && text[i] != 'E' && text[i] != 'e'; ++i) {
            if (text[i] == '0' || text[i] == '#') {
                ++p.decimalDigits;
                if (text[i] == '0') p.mandatoryDecimals = p.decimalDigits;
            }
        }
        p.decimals = text.substr(first, i - first);
    }
    if (i < text.size()) {
        p.scientific = true;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) p.exponentAlwaysSigned = text[i++] == '+';
        for (; i < text.size(); ++i) {
            if (text[i] == '0') ++p.exponentZeros;
        }
    }
    return p;
}

// Writes the decimal part: `digits` holds the decimalDigits digits after the point.
std::string decimalPart(const Picture& p, const std::string& digits) {
    int last = p.mandatoryDecimals;  // number of digits to write
    for (int k = p.decimalDigits; k > p.mandatoryDecimals; --k) {
        if (digits[static_cast<std::size_t>(k - 1)] != '0') {
            last = k;
            break;
        }
    }
    std::string out;
    std::string pendingLiterals;
    int written = 0;
    for (const char c : p.decimals) {
        if (written >= last) break;
        if (c == '0' || c == '#') {
            out += pendingLiterals;
            pendingLiterals.clear();
            out += digits[static_cast<std::size_t>(written)];
            ++written;
        } else {
            pendingLiterals += c;
        }
    }
    return out;
}

std::string exponentText(const Picture& p, int exponent) {
    std::string out = "E";
    if (exponent < 0) {
        out += '-';
    } else if (p.exponentAlwaysSigned) {
        out += '+';
    }
    std::string magnitude = std::to_string(std::abs(exponent));
    while (static_cast<int>(magnitude.size()) < p.exponentZeros) magnitude.insert(magnitude.begin(), '0');
    return out + magnitude;
}

}  // namespace

std::string formatPicture(double value, std::string_view pictureText, int significant) {
    if (!std::isfinite(value)) return {};
    const Picture p = parse(pictureText);
    DecimalDigits d = DecimalDigits::of(value, significant);

    std::string integerDigits;
    std::string decimalDigits;
    int exponent = 0;
    if (p.scientific) {
        const int integerCount = p.integerZeros > 0 ? p.integerZeros : 1;
        if (!d.isZero()) {
            d.roundToDigitCount(integerCount + p.decimalDigits);
            exponent = d.pointPosition() - integerCount;
        }
        for (int k = 0; k < integerCount; ++k)
            integerDigits += d.isZero() ? '0' : d.digitAt(k - d.pointPosition());
        for (int k = 0; k < p.decimalDigits; ++k)
            decimalDigits += d.isZero() ? '0' : d.digitAt(k + integerCount - d.pointPosition());
    } else {
        d.roundToDecimals(p.decimalDigits);
        for (int k = -std::max(d.pointPosition(), 0); k < 0; ++k) integerDigits += d.digitAt(k);
        while (static_cast<int>(integerDigits.size()) < p.integerZeros)
            integerDigits.insert(integerDigits.begin(), '0');
        for (int k = 0; k < p.decimalDigits; ++k) decimalDigits += d.digitAt(k);
    }

    std::string out = (value < 0 && !d.isZero()) ? "-" : "";
    out += integerDigits;
    if (p.hasPoint) {
        out += ',';
        out += decimalPart(p, decimalDigits);
    }
    if (p.scientific) out += exponentText(p, exponent);
    return out;
}

}  // namespace numbers
