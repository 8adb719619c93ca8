#include "exercises/exercisewriter.h"

#include <algorithm>
#include <fstream>
#include <functional>

#include "configuration/atomicfile.h"
#include "configuration/recordfile.h"
#include "numbers/windows1252.h"
#include "rtf/writer.h"

namespace exercises {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBetweenNotions = " ; ";
constexpr std::string_view kAfterLastNotion = ".";
constexpr std::size_t kMaxFileName = 64;

using Writer = std::function<bool(const fs::path& temporary)>;

Writer recordsWriter(std::function<bool(configuration::RecordWriter&)> write) {
    return [write = std::move(write)](const fs::path& temporary) {
        configuration::RecordFile file;
        if (!file.open(temporary, configuration::RecordFile::Mode::ReadWrite)) return false;
        const bool written = write(file);
        return file.close() && written;
    };
}

Writer richTextWriter(const rtf::Document& document) {
    return [bytes = rtf::write(document)](const fs::path& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        return !out.fail();
    };
}

Writer configurationWriter(const configuration::ConfigurationFile& file) {
    return recordsWriter([file](configuration::RecordWriter& records) {
        return configuration::writeConfiguration(records, file);
    });
}

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

ExerciseFile indexOf(const ExerciseContent& content) {
    ExerciseFile index;
    index.statement = content.name + ".RTF";
    if (content.configuration) index.configuration = content.name + ".C13";
    if (content.correction) index.correction = content.name + "-corrige.RTF";
    if (content.correctionConfiguration) index.correctionConfiguration = content.name + "-corrige.C13";
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

namespace {

// Each file of the exercise and what writes it, the index last: a set cut short by a crash then
// leaves no index naming a file that is not there.
std::vector<std::pair<std::string, Writer>> filesOf(const ExerciseContent& content) {
    const ExerciseFile index = indexOf(content);
    std::vector<std::pair<std::string, Writer>> files{{index.statement, richTextWriter(content.statement)}};
    if (content.configuration)
        files.emplace_back(index.configuration, configurationWriter(*content.configuration));
    if (content.correction) files.emplace_back(index.correction, richTextWriter(*content.correction));
    if (content.correctionConfiguration)
        files.emplace_back(index.correctionConfiguration,
                           configurationWriter(*content.correctionConfiguration));
    files.emplace_back(indexFileName(content), recordsWriter([index](configuration::RecordWriter& records) {
                           return writeExercise(records, index);
                       }));
    return files;
}

}  // namespace

std::vector<std::string> fileNamesOf(const ExerciseContent& content) {
    std::vector<std::string> names;
    for (const auto& file : filesOf(content)) names.push_back(file.first);
    return names;
}

bool writeExerciseFiles(const ExerciseContent& content, const fs::path& folder, std::string* failedFile) {
    const auto files = filesOf(content);
    std::vector<configuration::FileReplacement> replacements;
    replacements.reserve(files.size());
    for (const auto& [name, writer] : files) replacements.push_back({folder / name, writer});
    std::size_t failed = 0;
    if (configuration::replaceFilesAtomically(replacements, &failed)) return true;
    if (failedFile && failed < files.size()) *failedFile = files[failed].first;
    return false;
}

}  // namespace exercises
