#include "platform/rtf/writer.h"

#include <algorithm>
#include <cmath>

#include "numbers/windows1252.h"

namespace rtf {
namespace {

constexpr int kMaxTwips = 31680;  // 22 inches, RTF's own page limit

int clampTwips(int twips) {
    return std::clamp(twips, -kMaxTwips, kMaxTwips);
}

int halfPoints(double pointSize) {
    if (!std::isfinite(pointSize)) return 20;
    return static_cast<int>(std::clamp(std::lround(pointSize * 2.0), 2L, 3276L));
}

// Twips to half points, rounded half away from zero (45 twips -> 5).
int offsetHalfPoints(int twips) {
    const int magnitude = (std::abs(clampTwips(twips)) + 5) / 10;
    return twips < 0 ? -magnitude : magnitude;
}

Colour clampColour(Colour c) {
    return {std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255)};
}

class Writer {
  public:
    explicit Writer(const Document& document) : m_document(document) {
        m_fonts.push_back("Arial");
        for (const Paragraph& paragraph : document.paragraphs) {
            collect(paragraph.markFormat);
            for (const Run& run : paragraph.runs) collect(run.format);
        }
    }

    std::string write() {
        m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036";
        writeFontTable();
        writeColourTable();
        m_out += "\\viewkind4\\uc1\n";
        const auto& paragraphs = m_document.paragraphs;
        for (std::size_t i = 0; i < paragraphs.size(); ++i) {
            writeParagraph(paragraphs[i], i + 1 < paragraphs.size());
        }
        m_out += "}\n";
        return std::move(m_out);
    }

  private:
    void collect(const CharFormat& format) {
        const std::string name = format.fontName.empty() ? std::string("Arial") : format.fontName;
        if (std::find(m_fonts.begin(), m_fonts.end(), name) == m_fonts.end()) m_fonts.push_back(name);
        const Colour colour = clampColour(format.colour);
        if (std::find(m_colours.begin(), m_colours.end(), colour) == m_colours.end()) {
            m_colours.push_back(colour);
        }
    }

    int fontIndex(const std::string& name) const {
        const std::string key = name.empty() ? std::string("Arial") : name;
        const auto it = std::find(m_fonts.begin(), m_fonts.end(), key);
        return it == m_fonts.end() ? 0 : static_cast<int>(it - m_fonts.begin());
    }

    int colourIndex(Colour colour) const {
        const auto it = std::find(m_colours.begin(), m_colours.end(), clampColour(colour));
        return it == m_colours.end() ? 0 : static_cast<int>(it - m_colours.begin()) + 1;
    }

    void writeFontTable() {
        m_out += "{\\fonttbl";
        for (std::size_t i = 0; i < m_fonts.size(); ++i) {
            const bool symbol = isSymbolFont(m_fonts[i]);
            m_out += "{\\f" + std::to_string(i) + (symbol ? "\\froman\\fcharset2 " : "\\fswiss\\fcharset0 ");
            // A font name is plain text up to the semicolon; drop the characters that would end it.
            for (char32_t cp : numbers::decodeUtf8(m_fonts[i])) {
                if (cp == U';' || cp == U'{' || cp == U'}' || cp == U'\\' || cp < 0x20) continue;
                if (cp < 0x7F) {
                    m_out += static_cast<char>(cp);
                } else if (const auto byte = numbers::windows1252FromUnicode(cp)) {
                    appendHexByte(*byte);
                } else {
                    m_out += '?';
                }
            }
            m_out += ";}";
        }
        m_out += "}\n";
    }

    void writeColourTable() {
        m_out += "{\\colortbl ;";
        for (const Colour& c : m_colours) {
            m_out += "\\red" + std::to_string(c.red) + "\\green" + std::to_string(c.green) + "\\blue" +
                     std::to_string(c.blue) + ";";
        }
        m_out += "}\n";
    }

    // Each format starts from \plain so nothing leaks from the enclosing group.
    void writeFormat(const CharFormat& format) {
        m_out += "\\plain\\f" + std::to_string(fontIndex(format.fontName));
        m_out += "\\fs" + std::to_string(halfPoints(format.pointSize));
        m_out += "\\cf" + std::to_string(colourIndex(format.colour));
        if (format.bold) m_out += "\\b";
        if (format.italic) m_out += "\\i";
        if (format.underline) m_out += "\\ul";
        const int offset = offsetHalfPoints(format.offsetTwips);
        if (offset > 0) m_out += "\\up" + std::to_string(offset);
        if (offset < 0) m_out += "\\dn" + std::to_string(-offset);
        m_out += ' ';
    }

    void writeText(const std::string& text, bool symbolFont) {
        const std::u32string codePoints = numbers::decodeUtf8(text);
        for (char32_t cp : codePoints) {
            switch (cp) {
                case U'\\':
                    m_out += "\\\\";
                    continue;
                case U'{':
                    m_out += "\\{";
                    continue;
                case U'}':
                    m_out += "\\}";
                    continue;
                case U'\n':
                case U'\v':
                case U'\u2028':
                    m_out += "\\line ";
                    continue;
                case U'\t':
                    m_out += "\\tab ";
                    continue;
                case U'\r':
                    continue;
                default:
                    break;
            }
            if (cp >= 0x20 && cp < 0x7F) {
                m_out += static_cast<char>(cp);
                continue;
            }
            if (cp < 0x20) continue;
            // The Symbol font is addressed by byte code: its characters are kept as U+0000..U+00FF.
            std::optional<unsigned char> byte;
            if (symbolFont && cp <= 0xFF) {
                byte = static_cast<unsigned char>(cp);
            } else if (!symbolFont) {
                byte = numbers::windows1252FromUnicode(cp);
            }
            if (byte) {
                appendHexByte(*byte);
                continue;
            }
            if (cp > 0xFFFF) {
                const char32_t v = cp - 0x10000;
                appendUnicode(static_cast<char16_t>(0xD800 + (v >> 10)));
                appendUnicode(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
            } else {
                appendUnicode(static_cast<char16_t>(cp));
            }
        }
    }

    void appendHexByte(unsigned char byte) {
        static constexpr char kHex[] = "0123456789abcdef";
        m_out += "\\'";
        m_out += kHex[byte >> 4];
        m_out += kHex[byte & 0x0F];
    }

    // \uN takes a signed 16-bit number, followed by one fallback character for old readers.
    void appendUnicode(char16_t unit) {
        const int value = unit > 0x7FFF ? static_cast<int>(unit) - 0x10000 : static_cast<int>(unit);
        m_out += "\\u" + std::to_string(value) + "?";
    }

    void writeParagraph(const Paragraph& paragraph, bool withMark) {
        m_out += "\\pard";
        switch (paragraph.alignment) {
            case Alignment::Left:
                m_out += "\\ql";
                break;
            case Alignment::Centre:
                m_out += "\\qc";
                break;
            case Alignment::Right:
                m_out += "\\qr";
                break;
            case Alignment::Justify:
                m_out += "\\qj";
                break;
        }
        m_out += "\\li" + std::to_string(clampTwips(paragraph.leftIndentTwips));
        m_out += "\\ri" + std::to_string(clampTwips(paragraph.rightIndentTwips));
        if (paragraph.firstLineIndentTwips != 0) {
            m_out += "\\fi" + std::to_string(clampTwips(paragraph.firstLineIndentTwips));
        }
        // The paragraph mark takes the format in effect outside the run groups.
        writeFormat(paragraph.markFormat);
        for (const Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            m_out += '{';
            writeFormat(run.format);
            writeText(run.text, isSymbolFont(run.format.fontName));
            m_out += '}';
        }
        if (withMark) m_out += "\\par";
        m_out += '\n';
    }

    const Document& m_document;
    std::vector<std::string> m_fonts;
    std::vector<Colour> m_colours;
    std::string m_out;
};

}  // namespace

std::string write(const Document& document) {
    return Writer(document).write();
}

}  // namespace rtf
