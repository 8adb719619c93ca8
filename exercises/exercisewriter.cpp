#include "exercises/exercisewriter.h"

#include <algorithm>

#include "numbers/windows1252.h"

namespace exercises {

namespace {

constexpr std::string_view kBetweenNotions = " ; ";
constexpr std::string_view kAfterLastNotion = ".";
constexpr std::size_t kMaxFileName = 64;

}  // namespace

std::vector<std::string> notionLinesOf(const std::vector<std::string>& notions) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < notions.size(); ++i)
        lines.push_back(notions[i] +
                        std::string(i + 1 < notions.size() ? kBetweenNotions : kAfterLastNotion));
    return lines;
}

std::vector<std::string> notionsOf(const std::array<std::string, kMaxNotions>& lines) {
    std::vector<std::string> notions;
    for (const std::string& line : lines) {
        if (isBlank(line)) continue;
        std::string_view notion = line;
        if (notion.ends_with(kBetweenNotions))
            notion.remove_suffix(kBetweenNotions.size());
        else if (notion.ends_with(kAfterLastNotion))
            notion.remove_suffix(kAfterLastNotion.size());
        notions.emplace_back(notion);
    }
    return notions;
}

bool fitsRecord(std::string_view text) {
    return !unstorableCharacter(text) && configuration::encodeRecord(text).has_value();
}

std::optional<std::string> unstorableCharacter(std::string_view text) {
    for (const char32_t character : numbers::decodeUtf8(text)) {
        // A bad UTF-8 sequence decodes as U+FFFD, which the code page lacks as well.
        if (!numbers::windows1252FromUnicode(character)) {
            std::string shown;
            numbers::appendUtf8(shown, character);
            return shown;
        }
    }
    return std::nullopt;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxFileName && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_';
    });
}

std::string setFolderName(std::string_view name) {
    // A dot, which plain names lack, keeps it apart from any other exercise's files.
    return std::string(name) + ".fichiers";
}

std::array<std::string, 4> partNamesOf(std::string_view name, FileSet set) {
    // In the folder the names stay short: the records hold 126 bytes, and the folder names the
    // exercise already.
    const std::string stem = set == FileSet::Beside ? std::string(name) : setFolderName(name) + "/enonce";
    const std::string correction =
        set == FileSet::Beside ? std::string(name) + "-corrige" : setFolderName(name) + "/corrige";
    return {stem + ".RTF", stem + ".C13", correction + ".RTF", correction + ".C13"};
}

ExerciseFile indexOf(const ExerciseContent& content, FileSet set) {
    const auto names = partNamesOf(content.name, set);
    ExerciseFile index;
    index.statement = names[0];
    if (content.configuration) index.configuration = names[1];
    if (content.correction) index.correction = names[2];
    if (content.correctionConfiguration) index.correctionConfiguration = names[3];
    index.level = content.level;
    for (std::size_t i = 0; i < content.notionLines.size() && i < index.notionLines.size(); ++i)
        index.notionLines[i] = content.notionLines[i];
    index.title = content.title;
    index.hourglassCount = content.hourglasses;
    return index;
}

std::string indexFileName(const ExerciseContent& content) {
    return content.gettingStarted ? std::string(kGettingStartedFileName) : content.name + ".E36";
}

std::vector<std::string> fileNamesOf(const ExerciseContent& content) {
    const ExerciseFile index = indexOf(content);
    std::vector<std::string> names;
    for (const std::string* name :
         {&index.statement, &index.configuration, &index.correction, &index.correctionConfiguration}) {
        if (!name->empty()) names.push_back(*name);
    }
    names.push_back(indexFileName(content));
    return names;
}

}  // namespace exercises
