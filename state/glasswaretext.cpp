#include "state/glasswaretext.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"

namespace state {

using chemistry::Glassware;
using chemistry::GlasswareRole;
using chemistry::MeasuredInput;

namespace {

constexpr std::string_view kSeedKey = "graine";
constexpr std::string_view kBeakerKey = "v0";
constexpr std::string_view kWaterKey = "eau";
constexpr std::string_view kBuretteKey = "burette";
constexpr std::string_view kReadingKey = "lecture";
constexpr std::string_view kDilutionKey = "dilution";
constexpr std::string_view kTitrantKey = "titrant";

std::string decimalText(double value) {
    return numbers::formatPicture(value, "0.0#####");
}

std::string inputText(const MeasuredInput& input) {
    return std::to_string(input.piece) + ":" + decimalText(input.halfWidth);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    // A line holds a handful of fields: anything longer is not ours.
    for (int guard = 0; guard < 64; ++guard) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
    return {};
}

std::optional<int> wholeNumber(std::string_view text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    int sign = 1;
    if (text.front() == '-') {
        sign = -1;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return sign * value;
}

bool pieceFits(int piece, GlasswareRole role) {
    if (piece == -1) return true;
    const auto pieces = chemistry::glasswarePieces();
    if (piece < 0 || piece >= static_cast<int>(pieces.size())) return false;
    const GlasswareRole own = pieces[static_cast<std::size_t>(piece)].role;
    // A pipette serves the beaker and the dilution alike.
    const bool pipette = own == GlasswareRole::BeakerVolume &&
                         (role == GlasswareRole::BeakerVolume || role == GlasswareRole::DilutionPipette);
    return own == role || pipette;
}

bool readInput(std::string_view text, MeasuredInput& input) {
    const auto parts = split(text, ':');
    if (parts.size() != 2) return false;
    const auto piece = wholeNumber(parts[0]);
    const auto tolerance = numbers::readTypedNumber(parts[1]);
    if (!piece || !tolerance || !pieceFits(*piece, input.role) || !isUsableTolerance(*tolerance))
        return false;
    input.piece = *piece;
    input.halfWidth = *tolerance;
    return true;
}

}  // namespace

bool isUsableTolerance(double halfWidth) {
    return std::isfinite(halfWidth) && halfWidth >= 0 && halfWidth <= 50;
}

bool isUsableTitrantUncertainty(double uncertainty) {
    return std::isfinite(uncertainty) && uncertainty >= 0 && uncertainty <= 0.1;
}

std::string glasswareText(const Glassware& g) {
    if (g.exact) return {};
    std::string text = std::string(kSeedKey) + "=" + std::to_string(g.seed);
    text += ";" + std::string(kBeakerKey) + "=" + inputText(g.beaker);
    text += ";" + std::string(kWaterKey) + "=" + inputText(g.water);
    text += ";" + std::string(kBuretteKey) + "=" + inputText(g.burette);
    text += ";" + std::string(kReadingKey) + "=" + decimalText(g.readingHalfWidth);
    if (g.diluted) {
        text += ";" + std::string(kDilutionKey) + "=" + inputText(g.dilutionPipette) + ":" +
                inputText(g.dilutionFlask);
    }
    text += ";" + std::string(kTitrantKey) + "=" + decimalText(g.titrantUncertainty);
    return text;
}

std::optional<Glassware> readGlasswareText(std::string_view text) {
    Glassware g;
    if (text.empty()) return g;
    g.exact = false;
    for (std::string_view field : split(text, ';')) {
        const auto at = field.find('=');
        if (at == std::string_view::npos) return std::nullopt;
        const std::string_view key = field.substr(0, at);
        const std::string_view value = field.substr(at + 1);
        bool ok = false;
        if (key == kSeedKey) {
            const auto seed = wholeNumber(value);
            ok = seed && *seed >= 0;
            if (ok) g.seed = static_cast<std::uint32_t>(*seed);
        } else if (key == kBeakerKey) {
            ok = readInput(value, g.beaker);
        } else if (key == kWaterKey) {
            ok = readInput(value, g.water);
        } else if (key == kBuretteKey) {
            ok = readInput(value, g.burette);
        } else if (key == kReadingKey) {
            const auto reading = numbers::readTypedNumber(value);
            ok = reading && isUsableTolerance(*reading);
            if (ok) g.readingHalfWidth = *reading;
        } else if (key == kDilutionKey) {
            const auto second = value.find(':', value.find(':') + 1);
            ok = second != std::string_view::npos && readInput(value.substr(0, second), g.dilutionPipette) &&
                 readInput(value.substr(second + 1), g.dilutionFlask);
            g.diluted = ok;
        } else if (key == kTitrantKey) {
            const auto u = numbers::readTypedNumber(value);
            ok = u && isUsableTitrantUncertainty(*u);
            if (ok) g.titrantUncertainty = *u;
        }
        if (!ok) return std::nullopt;
    }
    return g;
}

}  // namespace state
