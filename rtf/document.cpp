#include "rtf/document.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace rtf {

int twipsFromPixels(double pixels) {
    if (!std::isfinite(pixels)) return 0;
    const double twips = std::round(pixels * kTwipsPerPixel);
    if (twips > 1e8) return 100000000;
    if (twips < -1e8) return -100000000;
    return static_cast<int>(twips);
}

double pixelsFromTwips(int twips) {
    return static_cast<double>(twips) / kTwipsPerPixel;
}

int clampTwips(long long twips) {
    return static_cast<int>(std::clamp<long long>(twips, -kMaxTwips, kMaxTwips));
}

int halfPointsFromPoints(double points) {
    if (!std::isfinite(points)) return 20;
    return static_cast<int>(std::clamp(std::llround(std::clamp(points, -1e6, 1e6) * 2.0),
                                       static_cast<long long>(kMinHalfPoints),
                                       static_cast<long long>(kMaxHalfPoints)));
}

int offsetHalfPoints(int twips) {
    const long long magnitude = std::min<long long>((std::llabs(twips) + 5) / 10, kMaxHalfPoints);
    return static_cast<int>(twips < 0 ? -magnitude : magnitude);
}

const std::string& Document::fontName(int font) const {
    static const std::string fallback(kDefaultFont);
    if (font < 0 || static_cast<std::size_t>(font) >= fonts.size())
        return fonts.empty() ? fallback : fonts[0];
    return fonts[static_cast<std::size_t>(font)];
}

int Document::addFont(std::string_view name) {
    const auto it = std::find(fonts.begin(), fonts.end(), name);
    if (it != fonts.end()) return static_cast<int>(it - fonts.begin());
    fonts.emplace_back(name);
    return static_cast<int>(fonts.size()) - 1;
}

std::string Paragraph::text() const {
    std::string out;
    for (const Run& run : runs) out += run.text;
    return out;
}

std::string Document::plainText(std::string_view separator) const {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out += separator;
        out += paragraphs[i].text();
    }
    return out;
}

void Document::normalise() {
    for (Paragraph& paragraph : paragraphs) {
        std::vector<Run> merged;
        for (Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            if (!merged.empty() && merged.back().format == run.format) {
                merged.back().text += run.text;
            } else {
                merged.push_back(std::move(run));
            }
        }
        paragraph.runs = std::move(merged);
    }
}

bool isSymbolFont(std::string_view fontName) {
    constexpr std::string_view symbol = "symbol";
    if (fontName.size() != symbol.size()) return false;
    for (std::size_t i = 0; i < symbol.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(fontName[i])) != symbol[i]) return false;
    }
    return true;
}

}  // namespace rtf
