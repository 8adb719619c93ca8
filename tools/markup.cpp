#include "tools/markup.h"

#include <array>
#include <utility>

namespace tools {

namespace {

constexpr std::array<std::pair<std::string_view, Hue>, 6> kHues{{{"rouge", Hue::Red},
                                                                 {"bleu", Hue::Blue},
                                                                 {"vert", Hue::Green},
                                                                 {"violet", Hue::Purple},
                                                                 {"orange", Hue::Orange},
                                                                 {"gris", Hue::Grey}}};

// Bytes of the UTF-8 character that starts with this byte (a stray byte counts as one).
std::size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// One paragraph's text into spans and tags.
class InlineParser {
  public:
    InlineParser(std::string_view text, int line, Block& block, std::vector<Tag>& tags)
        : m_text(text), m_line(line), m_block(block), m_tags(tags) {}

    bool parse(SourceError& error) {
        while (m_pos < m_text.size() && m_error.empty()) step();
        if (m_error.empty()) {
            if (m_format.bold)
                m_error = "bold text (**) is not closed";
            else if (m_format.italic)
                m_error = "italic text (*) is not closed";
            else if (!m_hues.empty())
                m_error = "a coloured text ({colour|...}) is not closed";
        }
        if (m_error.empty()) return true;
        error = {m_line, m_error};
        return false;
    }

  private:
    void step() {
        const char c = m_text[m_pos];
        switch (c) {
            case '\\':
                if (m_pos + 1 >= m_text.size()) {
                    m_error = "a backslash ends the paragraph";
                    return;
                }
                append(character(m_pos + 1), Script::Base);
                return;
            case '*':
                if (m_text.substr(m_pos, 2) == "**") {
                    m_format.bold = !m_format.bold;
                    m_pos += 2;
                } else {
                    m_format.italic = !m_format.italic;
                    ++m_pos;
                }
                return;
            case '_':
            case '^':
                script(c == '_' ? Script::Sub : Script::Super);
                return;
            case '{':
                colour();
                return;
            case '}':
                if (m_hues.empty()) {
                    m_error = "a closing brace has no opening one";
                    return;
                }
                m_format.hue = m_hues.back();
                m_hues.pop_back();
                ++m_pos;
                return;
            case '[':
                if (m_text.substr(m_pos, 2) == "[[") {
                    tag();
                    return;
                }
                break;
            default:
                break;
        }
        append(character(m_pos), Script::Base);
    }

    // The character at `at`, moving past it.
    std::string_view character(std::size_t at) {
        const std::size_t length = characterLength(static_cast<unsigned char>(m_text[at]));
        const std::string_view piece = m_text.substr(at, length);
        m_pos = at + piece.size();
        return piece;
    }

    void append(std::string_view text, Script script) {
        Span look = m_format;
        look.script = script;
        auto& spans = m_block.spans;
        if (!spans.empty() && spans.back().bold == look.bold && spans.back().italic == look.italic &&
            spans.back().script == look.script && spans.back().hue == look.hue) {
            spans.back().text += text;
        } else {
            look.text = text;
            spans.push_back(std::move(look));
        }
    }

    // _x or _{several}, ^x or ^{several}: the group is plain text (backslashes still escape).
    void script(Script script) {
        ++m_pos;
        if (m_pos >= m_text.size() || m_text[m_pos] == ' ') {
            m_error = "a subscript or superscript sign is not followed by its text";
            return;
        }
        if (m_text[m_pos] != '{') {
            const std::size_t at = m_text[m_pos] == '\\' && m_pos + 1 < m_text.size() ? m_pos + 1 : m_pos;
            append(character(at), script);
            return;
        }
        std::string group;
        for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != '}';) {
            if (m_text[m_pos] == '\\' && m_pos + 1 < m_text.size()) ++m_pos;
            group += character(m_pos);
        }
        if (m_pos >= m_text.size() || group.empty()) {
            m_error = "a subscript or superscript group {...} is empty or not closed";
            return;
        }
        ++m_pos;
        append(group, script);
    }

    void colour() {
        const auto bar = m_text.find('|', m_pos);
        const auto close = m_text.find('}', m_pos);
        if (bar == std::string_view::npos || (close != std::string_view::npos && close < bar)) {
            m_error = "a brace must open a coloured text: {rouge|...}";
            return;
        }
        const auto hue = hueNamed(trimBlanks(m_text.substr(m_pos + 1, bar - m_pos - 1)));
        if (!hue) {
            m_error = "unknown colour \"" + std::string(m_text.substr(m_pos + 1, bar - m_pos - 1)) +
                      "\" (rouge, bleu, vert, violet, orange, gris)";
            return;
        }
        m_hues.push_back(m_format.hue);
        m_format.hue = *hue;
        m_pos = bar + 1;
    }

    // [[shown | quantity]] or [[shown | quantity | picture]]: the text shows only the number.
    void tag() {
        const auto close = m_text.find("]]", m_pos);
        if (close == std::string_view::npos) {
            m_error = "a tag [[...]] is not closed";
            return;
        }
        const auto parts = splitTrimmed(m_text.substr(m_pos + 2, close - m_pos - 2), '|');
        if (parts.size() < 2 || parts.size() > 3 || parts[0].empty() || parts[1].empty()) {
            m_error = "a tag reads [[number | quantity]] or [[number | quantity | picture]]";
            return;
        }
        append(parts[0], Script::Base);
        m_tags.push_back({std::string(parts[0]), std::string(parts[1]),
                          parts.size() == 3 ? std::string(parts[2]) : std::string(), m_line});
        m_pos = close + 2;
    }

    std::string_view m_text;
    int m_line;
    Block& m_block;
    std::vector<Tag>& m_tags;
    std::size_t m_pos = 0;
    Span m_format;
    std::vector<Hue> m_hues;  // the colours to come back to
    std::string m_error;
};

struct PendingBlock {
    BlockKind kind;
    int line;
    std::string text;
};

// The kind of block a line opens, and its text without the marker; Text for a plain line.
std::pair<BlockKind, std::string_view> lineKind(std::string_view line) {
    if (line.starts_with("# ")) return {BlockKind::Title, line.substr(2)};
    if (line.starts_with("## ")) return {BlockKind::Heading, line.substr(3)};
    if (line.starts_with("- ")) return {BlockKind::Item, line.substr(2)};
    if (trimBlanks(line) == "...") return {BlockKind::Answer, {}};
    return {BlockKind::Text, line};
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> splitTrimmed(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at; (at = text.find(separator)) != std::string_view::npos;) {
        parts.push_back(trimBlanks(text.substr(0, at)));
        text.remove_prefix(at + 1);
    }
    parts.push_back(trimBlanks(text));
    return parts;
}

std::optional<Hue> hueNamed(std::string_view name) {
    for (const auto& [word, hue] : kHues) {
        if (word == name) return hue;
    }
    return std::nullopt;
}

std::optional<MarkedText> parseMarkup(std::span<const SourceLine> lines, SourceError& error) {
    std::vector<PendingBlock> pending;
    bool open = false;  // the last block takes the next plain line
    for (const auto& line : lines) {
        const std::string_view text = trimBlanks(line.text);
        if (text.empty()) {
            open = false;
            continue;
        }
        const auto [kind, rest] = lineKind(text);
        if (kind == BlockKind::Text && open) {
            pending.back().text += ' ';
            pending.back().text += rest;
            continue;
        }
        pending.push_back({kind, line.number, std::string(trimBlanks(rest))});
        open = kind == BlockKind::Text || kind == BlockKind::Item;
    }
    MarkedText marked;
    for (const auto& block : pending) {
        Block parsed{block.kind, {}, block.line};
        InlineParser parser(block.text, block.line, parsed, marked.tags);
        if (!parser.parse(error)) return std::nullopt;
        marked.blocks.push_back(std::move(parsed));
    }
    return marked;
}

}  // namespace tools
