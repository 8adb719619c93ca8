#include "rtf/reader.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "numbers/windows1252.h"
#include "rtf/controlwords.h"

namespace rtf {
namespace {

constexpr std::size_t kMaxDepth = 200;  // deeper groups are skipped whole

enum class Destination { Text, FontTable, ColourTable, Skip };

struct CharState {
    int font = -1;  // -1: the default font (\deff)
    int halfPoints = 24;
    int colour = 0;  // index in the colour table, 0 = automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int offsetTwips = 0;
    bool operator==(const CharState&) const = default;
};

struct ParagraphState {
    Alignment alignment = Alignment::Left;
    int left = 0;
    int right = 0;
    int first = 0;
};

struct State {
    Destination destination = Destination::Text;
    CharState chars;
    ParagraphState paragraph;
    int unicodeSkip = 1;
};

struct FontEntry {
    int index = 0;  // in the document's font table
    bool symbol = false;
};

// Control characters are no text, whichever way they are written; a tab is.
bool isText(char32_t codePoint) {
    return codePoint >= 0x20 || codePoint == U'\t';
}

class Reader {
  public:
    explicit Reader(std::string_view input) : m_in(input) {}

    Document read() {
        while (m_pos < m_in.size() && !m_done) {
            const char c = m_in[m_pos++];
            switch (c) {
                case '{':
                    openGroup();
                    break;
                case '}':
                    closeGroup();
                    break;
                case '\\':
                    controlSequence();
                    break;
                case '\r':
                case '\n':
                    break;
                default:
                    textByte(static_cast<unsigned char>(c));
                    break;
            }
        }
        if (!m_done && !m_stack.empty()) endParagraph();  // truncated: keep what was read
        m_document.normalise();
        return std::move(m_document);
    }

  private:
    State& state() { return m_stack.back(); }

    bool ignoring() const {
        return m_stack.empty() || m_ignoredDepth > 0 || m_stack.back().destination == Destination::Skip;
    }

    void openGroup() {
        m_ignorableNext = false;
        m_fallbackToSkip = 0;
        if (m_ignoredDepth > 0 || m_stack.size() >= kMaxDepth) {
            ++m_ignoredDepth;
            return;
        }
        m_stack.push_back(m_stack.empty() ? State{} : m_stack.back());
    }

    void closeGroup() {
        m_ignorableNext = false;
        m_fallbackToSkip = 0;
        if (m_ignoredDepth > 0) {
            --m_ignoredDepth;
            return;
        }
        if (m_stack.empty()) return;
        if (m_stack.back().destination == Destination::FontTable) commitFont();
        if (m_stack.size() == 1) {
            endParagraph();
            m_done = true;
            return;
        }
        m_stack.pop_back();
    }

    void controlSequence() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        std::string word;
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos]))) {
            if (word.size() < 32) word += m_in[m_pos];
            ++m_pos;
        }
        bool hasParameter = false;
        long long parameter = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-' && m_pos + 1 < m_in.size() &&
            std::isdigit(static_cast<unsigned char>(m_in[m_pos + 1]))) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
            if (digits < 10) parameter = parameter * 10 + (m_in[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        hasParameter = digits > 0;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
        parameter = std::clamp(negative ? -parameter : parameter, static_cast<long long>(INT_MIN),
                               static_cast<long long>(INT_MAX));
        controlWord(word, hasParameter, static_cast<int>(parameter));
    }

    void controlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                textByte(static_cast<unsigned char>(c));
                return;
            case '\'':
                hexByte();
                return;
            case '*':
                m_ignorableNext = true;
                return;
            case '~':
                emitSpecial(U'\u00A0');
                return;
            case '_':
                emitSpecial(U'\u2011');
                return;
            case '\t':
                emitSpecial(U'\t');
                return;
            case '\r':
            case '\n':
                if (!ignoring() && state().destination == Destination::Text) endParagraph();
                return;
            default:
                return;  // optional hyphen, index entries and the like
        }
    }

    void hexByte() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && m_pos < m_in.size() && std::isxdigit(static_cast<unsigned char>(m_in[m_pos]))) {
            const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(m_in[m_pos])));
            value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
            ++digits;
            ++m_pos;
        }
        if (digits != 2 || ignoring()) return;
        textCharacter(static_cast<unsigned char>(value));
    }

    void textByte(unsigned char byte) {
        if (ignoring()) return;
        switch (state().destination) {
            case Destination::Text:
                textCharacter(byte);
                return;
            case Destination::FontTable:
                if (byte == ';') {
                    commitFont();
                } else {
                    textCharacter(byte);
                }
                return;
            case Destination::ColourTable:
                if (byte == ';') {
                    m_colours.push_back(m_colourSet ? std::optional<Colour>(m_colour) : std::nullopt);
                    m_colour = {};
                    m_colourSet = false;
                }
                return;
            case Destination::Skip:
                return;
        }
    }

    // A character of the text or of a font name, given as a raw byte or as \'hh.
    void textCharacter(unsigned char byte) {
        if (ignoring()) return;
        if (state().destination == Destination::FontTable) {
            const char32_t codePoint = numbers::unicodeFromWindows1252(byte);
            if (isText(codePoint)) numbers::appendUtf8(m_fontName, codePoint);
            return;
        }
        if (state().destination != Destination::Text) return;
        if (m_fallbackToSkip > 0) {
            --m_fallbackToSkip;
            return;
        }
        const char32_t codePoint = decodeByte(byte);
        if (isText(codePoint)) emit(codePoint);
    }

    void controlWord(const std::string& word, bool hasParameter, int parameter) {
        if (word == "bin") {
            // Binary data: its bytes are not RTF and must be stepped over, whatever the destination.
            const std::size_t count = hasParameter && parameter > 0 ? static_cast<std::size_t>(parameter) : 0;
            m_pos += std::min(count, m_in.size() - m_pos);
            return;
        }
        if (m_stack.empty() || m_ignoredDepth > 0) return;
        if (m_ignorableNext) {
            // No destination marked ignorable holds text that this model keeps.
            m_ignorableNext = false;
            state().destination = Destination::Skip;
            return;
        }
        if (state().destination == Destination::Skip) return;
        m_fallbackToSkip = 0;

        if (word == "fonttbl") {
            state().destination = Destination::FontTable;
            m_fontNumber = -1;
            m_fontName.clear();
            return;
        }
        if (word == "colortbl") {
            state().destination = Destination::ColourTable;
            m_colours.clear();
            m_colour = {};
            m_colourSet = false;
            return;
        }
        if (isSkippedDestination(word)) {
            state().destination = Destination::Skip;
            return;
        }
        switch (state().destination) {
            case Destination::FontTable:
                fontTableWord(word, parameter);
                return;
            case Destination::ColourTable:
                colourTableWord(word, parameter);
                return;
            case Destination::Text:
                textWord(word, hasParameter, parameter);
                return;
            case Destination::Skip:
                return;
        }
    }

    void fontTableWord(const std::string& word, int parameter) {
        if (word == "f") {
            commitFont();
            m_fontNumber = parameter;
            m_fontCharset = 0;
            m_fontName.clear();
        } else if (word == "fcharset") {
            m_fontCharset = parameter;
        }
    }

    void colourTableWord(const std::string& word, int parameter) {
        const int value = std::clamp(parameter, 0, 255);
        if (word == "red") {
            m_colour.red = value;
        } else if (word == "green") {
            m_colour.green = value;
        } else if (word == "blue") {
            m_colour.blue = value;
        } else {
            return;
        }
        m_colourSet = true;
    }

    void textWord(const std::string& word, bool hasParameter, int parameter) {
        CharState& chars = state().chars;
        ParagraphState& paragraph = state().paragraph;
        const bool on = !hasParameter || parameter != 0;
        if (word == "par" || word == "sect" || word == "page" || word == "row") {
            endParagraph();
        } else if (word == "line") {
            emit(U'\n');
        } else if (word == "tab" || word == "cell") {
            emit(U'\t');
        } else if (word == "u") {
            if (hasParameter) unicode(parameter);
        } else if (word == "uc") {
            state().unicodeSkip = std::clamp(parameter, 0, 10);
        } else if (word == "plain") {
            chars = CharState{};
        } else if (word == "pard") {
            paragraph = ParagraphState{};
        } else if (word == "deff") {
            m_defaultFont = parameter;
        } else if (word == "f") {
            chars.font = parameter;
        } else if (word == "fs") {
            if (hasParameter && parameter > 0)
                chars.halfPoints = std::clamp(parameter, kMinHalfPoints, kMaxHalfPoints);
        } else if (word == "cf") {
            chars.colour = std::max(parameter, 0);
        } else if (word == "b") {
            chars.bold = on;
        } else if (word == "i") {
            chars.italic = on;
        } else if (isUnderlineOn(word)) {
            chars.underline = on;
        } else if (word == "ulnone") {
            chars.underline = false;
        } else if (word == "up") {
            chars.offsetTwips = 10 * std::clamp(hasParameter ? parameter : 6, 0, kMaxHalfPoints);
        } else if (word == "dn") {
            chars.offsetTwips = -10 * std::clamp(hasParameter ? parameter : 6, 0, kMaxHalfPoints);
        } else if (word == "super") {
            chars.offsetTwips = chars.halfPoints * 10 / 3;  // a third of the size, in twips
        } else if (word == "sub") {
            chars.offsetTwips = -chars.halfPoints * 10 / 3;
        } else if (word == "nosupersub") {
            chars.offsetTwips = 0;
        } else if (word == "ql") {
            paragraph.alignment = Alignment::Left;
        } else if (word == "qc") {
            paragraph.alignment = Alignment::Centre;
        } else if (word == "qr") {
            paragraph.alignment = Alignment::Right;
        } else if (word == "qj") {
            paragraph.alignment = Alignment::Justify;
        } else if (word == "li" || word == "lin") {
            paragraph.left = clampTwips(parameter);
        } else if (word == "ri" || word == "rin") {
            paragraph.right = clampTwips(parameter);
        } else if (word == "fi") {
            paragraph.first = clampTwips(parameter);
        } else if (word == "emdash") {
            emit(U'\u2014');
        } else if (word == "endash") {
            emit(U'\u2013');
        } else if (word == "bullet") {
            emit(U'\u2022');
        } else if (word == "lquote") {
            emit(U'\u2018');
        } else if (word == "rquote") {
            emit(U'\u2019');
        } else if (word == "ldblquote") {
            emit(U'\u201C');
        } else if (word == "rdblquote") {
            emit(U'\u201D');
        } else if (word == "emspace") {
            emit(U'\u2003');
        } else if (word == "enspace") {
            emit(U'\u2002');
        }
    }

    void unicode(int parameter) {
        const int unit = parameter < 0 ? parameter + 65536 : parameter;
        m_fallbackToSkip = state().unicodeSkip;
        if (unit < 0 || unit > 0xFFFF) {
            emit(U'\uFFFD');
            return;
        }
        const auto code = static_cast<char32_t>(unit);
        if (!isText(code)) return;
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (m_highSurrogate != 0) emit(U'\uFFFD');
            m_highSurrogate = code;
            return;
        }
        if (code >= 0xDC00 && code <= 0xDFFF) {
            if (m_highSurrogate == 0) {
                emit(U'\uFFFD');
                return;
            }
            const char32_t full = 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (code - 0xDC00);
            m_highSurrogate = 0;
            emit(full);
            return;
        }
        emit(code);
    }

    void emitSpecial(char32_t codePoint) {
        if (ignoring() || state().destination != Destination::Text) return;
        m_fallbackToSkip = 0;
        emit(codePoint);
    }

    const FontEntry* font(int number) const {
        const auto it = m_fonts.find(number < 0 ? m_defaultFont : number);
        return it == m_fonts.end() ? nullptr : &it->second;
    }

    bool symbolFont() {
        const FontEntry* entry = font(state().chars.font);
        return entry && entry->symbol;
    }

    // The Symbol font is addressed by byte code, so its bytes stay U+0000..U+00FF.
    char32_t decodeByte(unsigned char byte) {
        return symbolFont() ? static_cast<char32_t>(byte) : numbers::unicodeFromWindows1252(byte);
    }

    CharFormat resolve(const CharState& chars) const {
        CharFormat format;
        const FontEntry* entry = font(chars.font);
        format.font = entry ? entry->index : 0;
        format.pointSize = chars.halfPoints / 2.0;
        // Entry 0 is usually the automatic colour (an empty entry), which reads as black.
        if (chars.colour >= 0 && static_cast<std::size_t>(chars.colour) < m_colours.size() &&
            m_colours[static_cast<std::size_t>(chars.colour)]) {
            format.colour = *m_colours[static_cast<std::size_t>(chars.colour)];
        }
        format.bold = chars.bold;
        format.italic = chars.italic;
        format.underline = chars.underline;
        format.offsetTwips = chars.offsetTwips;
        return format;
    }

    void emit(char32_t codePoint) {
        if (m_highSurrogate != 0) {
            m_highSurrogate = 0;
            if (codePoint != U'\uFFFD') appendCodePoint(U'\uFFFD');
        }
        appendCodePoint(codePoint);
    }

    void appendCodePoint(char32_t codePoint) {
        const CharState& chars = state().chars;
        if (m_paragraph.runs.empty() || !m_lastChars || !(*m_lastChars == chars)) {
            m_paragraph.runs.push_back(Run{{}, resolve(chars)});
            m_lastChars = chars;
        }
        numbers::appendUtf8(m_paragraph.runs.back().text, codePoint);
    }

    void endParagraph() {
        const State& current = state();
        m_paragraph.alignment = current.paragraph.alignment;
        m_paragraph.leftIndentTwips = current.paragraph.left;
        m_paragraph.rightIndentTwips = current.paragraph.right;
        m_paragraph.firstLineIndentTwips = current.paragraph.first;
        m_paragraph.markFormat = resolve(current.chars);
        m_document.paragraphs.push_back(std::move(m_paragraph));
        m_paragraph = Paragraph{};
        m_lastChars.reset();
    }

    // The document holds each name once: runs refer to it by index.
    void commitFont() {
        if (m_fontNumber < 0) return;
        const std::size_t first = m_fontName.find_first_not_of(' ');
        if (first != std::string::npos && !m_fonts.contains(m_fontNumber)) {
            const std::string_view name =
                std::string_view(m_fontName).substr(first, m_fontName.find_last_not_of(' ') + 1 - first);
            auto [known, added] = m_fontIndices.try_emplace(std::string(name), 0);
            if (added) {
                known->second = static_cast<int>(m_document.fonts.size());
                m_document.fonts.emplace_back(name);
            }
            m_fonts[m_fontNumber] = FontEntry{known->second, m_fontCharset == 2 || isSymbolFont(name)};
        }
        m_fontNumber = -1;
        m_fontName.clear();
    }

    std::string_view m_in;
    std::size_t m_pos = 0;
    bool m_done = false;
    std::vector<State> m_stack;
    std::size_t m_ignoredDepth = 0;
    bool m_ignorableNext = false;
    int m_fallbackToSkip = 0;
    char32_t m_highSurrogate = 0;

    std::map<int, FontEntry> m_fonts;
    std::unordered_map<std::string, int> m_fontIndices{{std::string(kDefaultFont), 0}};
    int m_defaultFont = 0;
    int m_fontNumber = -1;
    int m_fontCharset = 0;
    std::string m_fontName;

    std::vector<std::optional<Colour>> m_colours;
    Colour m_colour;
    bool m_colourSet = false;

    Document m_document;
    Paragraph m_paragraph;
    std::optional<CharState> m_lastChars;
};

}  // namespace

std::optional<Document> read(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[start]))) ++start;
    if (bytes.substr(start, 5) != "{\\rtf") return std::nullopt;
    return Reader(bytes.substr(start)).read();
}

}  // namespace rtf
