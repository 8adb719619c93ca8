#include "rtf/writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "numbers/windows1252.h"

namespace rtf {
namespace {

Colour clampColour(Colour c) {
    return {std::clamp(c.red, 0, 255), std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255)};
}

class Writer {
  public:
    // The document's font table is written as it is, so that runs keep their font numbers.
    explicit Writer(const Document& document) : m_document(document) {
        m_fontCount = std::max<std::size_t>(document.fonts.size(), 1);
        m_symbol.reserve(m_fontCount);
        for (std::size_t i = 0; i < m_fontCount; ++i) {
            m_symbol.push_back(isSymbolFont(document.fontName(static_cast<int>(i))));
        }
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
    static std::array<int, 3> key(Colour colour) {
        const Colour c = clampColour(colour);
        return {c.red, c.green, c.blue};
    }

    // Colour 0 is the automatic one; the others are numbered as they first appear.
    void collect(const CharFormat& format) {
        if (m_colourIndices.try_emplace(key(format.colour), static_cast<int>(m_colours.size()) + 1).second) {
            m_colours.push_back(clampColour(format.colour));
        }
    }

    int fontIndex(int font) const {
        return font >= 0 && static_cast<std::size_t>(font) < m_fontCount ? font : 0;
    }

    int colourIndex(Colour colour) const {
        const auto it = m_colourIndices.find(key(colour));
        return it == m_colourIndices.end() ? 0 : it->second;
    }

    void writeFontTable() {
        m_out += "{\\fonttbl";
        for (std::size_t i = 0; i < m_fontCount; ++i) {
            m_out +=
                "{\\f" + std::to_string(i) + (m_symbol[i] ? "\\froman\\fcharset2 " : "\\fswiss\\fcharset0 ");
            const std::string& name = m_document.fontName(static_cast<int>(i));
            // A font name is plain text up to the semicolon; drop the characters that would end it.
            for (char32_t cp : numbers::decodeUtf8(name.empty() ? std::string(kDefaultFont) : name)) {
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
        m_out += "\\plain\\f" + std::to_string(fontIndex(format.font));
        m_out += "\\fs" + std::to_string(halfPointsFromPoints(format.pointSize));
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
            writeText(run.text, m_symbol[static_cast<std::size_t>(fontIndex(run.format.font))]);
            m_out += '}';
        }
        if (withMark) m_out += "\\par";
        m_out += '\n';
    }

    const Document& m_document;
    std::size_t m_fontCount = 1;
    std::vector<bool> m_symbol;
    std::vector<Colour> m_colours;
    std::map<std::array<int, 3>, int> m_colourIndices;
    std::string m_out;
};

}  // namespace

std::string write(const Document& document) {
    return Writer(document).write();
}

}  // namespace rtf
