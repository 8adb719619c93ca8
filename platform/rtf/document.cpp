#include "platform/rtf/document.h"

#include <cctype>
#include <cmath>

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
