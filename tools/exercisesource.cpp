#include "tools/exercisesource.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "exercises/exercisewriter.h"
#include "numbers/decimalreader.h"
#include "tools/quantity.h"
#include "tools/setupsource.h"

namespace tools {

namespace {

using exercises::fitsRecord;
using exercises::kMaxNotions;

enum class Section { None, Configuration, Statement, CorrectionConfiguration, Correction };

constexpr std::array<std::pair<std::string_view, Section>, 4> kSections{
    {{"@configuration", Section::Configuration},
     {"@énoncé", Section::Statement},
     {"@configuration-corrigé", Section::CorrectionConfiguration},
     {"@corrigé", Section::Correction}}};

std::optional<int> wholeNumber(std::string_view text, int low, int high) {
    const auto value = numbers::readTypedNumber(text);
    // The range first: converting a double beyond the range of int is undefined.
    if (!value || *value < low || *value > high || *value != std::floor(*value)) return std::nullopt;
    return static_cast<int>(*value);
}

class SourceReader {
  public:
    SourceReader(std::string name, SourceError& error) : m_error(error) { m_source.name = std::move(name); }

    std::optional<ExerciseSource> read(std::string_view text) {
        int number = 0;
        for (std::size_t pos = 0; pos <= text.size() && m_error.message.empty();) {
            const auto end = std::min(text.find('\n', pos), text.size());
            std::string_view line = text.substr(pos, end - pos);
            if (line.ends_with('\r')) line.remove_suffix(1);
            take(++number, line);
            pos = end + 1;
        }
        if (m_error.message.empty()) finish();
        if (!m_error.message.empty()) return std::nullopt;
        return std::move(m_source);
    }

  private:
    void fail(int line, std::string message) {
        if (m_error.message.empty()) m_error = {line, std::move(message)};
    }

    void take(int number, std::string_view line) {
        if (line.starts_with("@@")) return;
        if (!line.starts_with('@')) {
            if (m_section == Section::None && !trimBlanks(line).empty())
                fail(number, "text outside a section: start one with @énoncé, @corrigé, ...");
            else
                m_lines[static_cast<std::size_t>(m_section)].push_back({number, std::string(line)});
            return;
        }
        const auto space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        const std::string_view rest = space == std::string_view::npos ? "" : trimBlanks(line.substr(space));
        const auto section =
            std::find_if(kSections.begin(), kSections.end(), [&](const auto& s) { return s.first == word; });
        m_section = Section::None;
        if (section != kSections.end()) {
            if (!rest.empty()) fail(number, "a section line holds only its name");
            if (m_seen[static_cast<std::size_t>(section->second)])
                fail(number, "this section is given twice");
            m_section = section->second;
            m_seen[static_cast<std::size_t>(m_section)] = true;
            m_sectionLine[static_cast<std::size_t>(m_section)] = number;
        } else {
            directive(number, word, rest);
        }
    }

    void directive(int number, std::string_view word, std::string_view rest) {
        if (word == "@titre") {
            m_source.title = rest;
            if (rest.empty() || !fitsRecord(rest))
                fail(number, "the title is 1 to 126 Windows-1252 characters");
        } else if (word == "@niveau") {
            const auto level = wholeNumber(rest, 1, 3);
            if (!level) fail(number, "the level is 1, 2 or 3");
            m_source.level = level.value_or(0);
        } else if (word == "@sabliers") {
            const auto count = wholeNumber(rest, 1, 10);
            if (!count) fail(number, "the duration is 1 to 10 hourglasses");
            m_source.hourglasses = count.value_or(0);
        } else if (word == "@notion") {
            if (rest.empty()) fail(number, "a notion is not empty");
            if (m_source.notions.size() == kMaxNotions) fail(number, "an exercise has at most four notions");
            m_source.notions.emplace_back(rest);
            m_notionLines.push_back(number);
        } else if (word == "@prise-en-main" && rest.empty()) {
            m_source.gettingStarted = true;
        } else {
            fail(number, "unknown line \"" + std::string(word) +
                             "\" (@titre, @niveau, @sabliers, @notion, @prise-en-main, @configuration, "
                             "@énoncé, @configuration-corrigé, @corrigé)");
        }
    }

    const std::vector<SourceLine>& lines(Section section) const {
        return m_lines[static_cast<std::size_t>(section)];
    }
    bool seen(Section section) const { return m_seen[static_cast<std::size_t>(section)]; }

    void finish() {
        // The notions box shows the lines one after the other, so each carries its separator.
        m_source.notions = exercises::notionLinesOf(m_source.notions);
        for (std::size_t i = 0; i < m_source.notions.size(); ++i) {
            if (!fitsRecord(m_source.notions[i]))
                fail(m_notionLines[i], "a notion and its separator are at most 126 Windows-1252 characters");
        }
        if (m_source.title.empty()) fail(1, "the exercise has no @titre");
        if (!m_source.gettingStarted && m_source.level == 0) fail(1, "the exercise has no @niveau");
        if (!m_source.gettingStarted && m_source.hourglasses == 0) fail(1, "the exercise has no @sabliers");
        if (!seen(Section::Statement)) fail(1, "the exercise has no @énoncé");
        if (m_source.gettingStarted && (seen(Section::Correction) || seen(Section::CorrectionConfiguration)))
            fail(1, "the getting-started exercise has no correction");
        if (!m_error.message.empty()) return;

        if (seen(Section::Configuration))
            m_source.configuration = parseSetup(lines(Section::Configuration), m_error);
        if (seen(Section::CorrectionConfiguration) && m_error.message.empty())
            m_source.correctionConfiguration = parseSetup(lines(Section::CorrectionConfiguration), m_error);
        if (!m_error.message.empty()) return;
        if (const auto statement = text(Section::Statement)) m_source.statement = *statement;
        if (seen(Section::Correction)) m_source.correction = text(Section::Correction);
    }

    std::optional<MarkedText> text(Section section) {
        auto marked = parseMarkup(lines(section), m_error);
        if (!marked) return std::nullopt;
        if (marked->blocks.empty())
            fail(m_sectionLine[static_cast<std::size_t>(section)], "this text is empty");
        for (const auto& tag : marked->tags) {
            std::string why;
            if (!parseQuantity(tag.quantity, tag.picture, why))
                fail(tag.line, "[[" + tag.shown + " | " + tag.quantity + "]]: " + why);
        }
        if (!m_error.message.empty()) return std::nullopt;
        return marked;
    }

    ExerciseSource m_source;
    SourceError& m_error;
    Section m_section = Section::None;
    std::array<std::vector<SourceLine>, 5> m_lines;
    std::array<bool, 5> m_seen{};
    std::array<int, 5> m_sectionLine{};
    std::vector<int> m_notionLines;
};

}  // namespace

std::optional<ExerciseSource> parseExerciseSource(std::string_view text, std::string name,
                                                  SourceError& error) {
    error = {};
    if (!exercises::isPlainFileName(name)) {
        error = {
            0,
            "a source file is named with 1 to 64 letters, digits, '-' or '_' (it names the shipped files)"};
        return std::nullopt;
    }
    return SourceReader(std::move(name), error).read(text);
}

}  // namespace tools
