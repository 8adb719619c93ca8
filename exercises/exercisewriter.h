#pragma once
// Writes an exercise's files: its index "<name>.E36" (or the getting-started "Qelvo.PEM"), its
// statement "<name>.RTF", its configuration "<name>.C13", and, when it has them, its correction
// "<name>-corrige.RTF" and the correction's configuration "<name>-corrige.C13". The exercise
// builder and the program's own exercise window both write through here, so that the same content
// gives the same bytes.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configuration/configurationfile.h"
#include "exercises/exercisefile.h"
#include "rtf/document.h"

namespace exercises {

inline constexpr std::size_t kMaxNotions = 4;

// Everything the files of one exercise hold.
struct ExerciseContent {
    std::string name;  // names the files
    bool gettingStarted = false;
    std::string title;
    int level = 0;
    int hourglasses = 0;
    std::vector<std::string> notionLines;  // as stored, separators included (see notionLinesOf)
    std::optional<configuration::ConfigurationFile> configuration;
    rtf::Document statement;
    std::optional<rtf::Document> correction;
    std::optional<configuration::ConfigurationFile> correctionConfiguration;
};

// The browser shows the notions one after the other, so each line carries its separator: " ; "
// after each notion but the last, which ends with ".".
std::vector<std::string> notionLinesOf(const std::vector<std::string>& notions);
// The notions of stored lines, blank lines left out, each without its separator.
std::vector<std::string> notionsOf(const std::array<std::string, kMaxNotions>& lines);

// A text the program keeps in one record: every character in Windows-1252, at most 126 bytes.
bool fitsRecord(std::string_view text);
// The first character (UTF-8) of the text that Windows-1252 lacks; nothing when there is none.
std::optional<std::string> unstorableCharacter(std::string_view text);
// 1 to 64 letters without accent, digits, '-' or '_': a name every file system and the records
// take as it is.
bool isPlainFileName(std::string_view name);

// The index records: the file names relative to the exercise's folder (blank for a part the
// exercise does not have), the level, the notions, the title and the hourglasses.
ExerciseFile indexOf(const ExerciseContent& content);
std::string indexFileName(const ExerciseContent& content);
// Every file the exercise is written to, the index last.
std::vector<std::string> fileNamesOf(const ExerciseContent& content);

// Writes every file into `folder`, all of them or none: each is written whole to a temporary file
// first, and the files are put in place only once all are written. False when a file cannot be
// written, its name in `failedFile` when given.
bool writeExerciseFiles(const ExerciseContent& content, const std::filesystem::path& folder,
                        std::string* failedFile = nullptr);

}  // namespace exercises
