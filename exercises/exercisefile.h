#pragma once
// Exercise files ("*.E36") and the getting-started file "Qelvo.PEM": twelve records naming the
// statement, the configuration, the correction and the correction configuration (relative to the
// exercise's folder), then the level, four lines of notions, the title and a count shown as
// hourglasses. There is no signature record.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "configuration/configurationfile.h"
#include "configuration/records.h"

namespace exercises {

inline constexpr std::string_view kExercisePattern = "*.E36";
inline constexpr std::string_view kGettingStartedFileName = "Qelvo.PEM";
// The browser shows the difficulty level as this many icons, lit up to the level.
inline constexpr int kLevelIcons = 3;

// The preview and the opening of an exercise show this when records 1 to 4 cannot be read.
inline constexpr configuration::FailureMessage kExerciseReadFailedMessage{
    "Vérifier:\r\n- le nom du fichier,\r\n- l'état du lecteur.", "Lecture impossible"};

// Leading and trailing spaces removed (only spaces: tabs and other blanks stay).
std::string trimSpaces(std::string_view text);

// Empty once surrounding spaces are removed.
bool isBlank(std::string_view text);

struct ExerciseFile {
    std::string statement;                   // record 1, a rich-text file name
    std::string configuration;               // record 2, a ".C13" file name, or blank
    std::string correction;                  // record 3, a rich-text file name, or blank
    std::string correctionConfiguration;     // record 4, a ".C13" file name, or blank
    int level = 0;                           // record 5: how many level icons it lights, 0 to 3
    std::array<std::string, 4> notionLines;  // records 7 to 10 as stored, blank ones included
    std::string title;                       // record 11 without surrounding spaces
    int hourglassCount = 0;                  // record 12 rounded half to even; 0 when 0 or less

    // Either correction record is not blank: "Exercice corrigé", else "Non corrigé".
    bool isCorrected() const { return !isBlank(correction) || !isBlank(correctionConfiguration); }
    bool hasConfiguration() const { return !isBlank(configuration); }
    // What the notions box shows: the non-blank lines as stored, one after the other, with no
    // separator added.
    std::string notions() const;
    // Level icon k (0 to 2) is lit when the level is greater than k.
    bool isLevelIconLit(int k) const { return level > k; }
    bool operator==(const ExerciseFile&) const = default;
};

// Reads records 1 to 12. Nothing when any of records 1 to 4 cannot be read (a failing medium);
// a record from 5 on that cannot be read leaves its field at its default. Records beyond the end
// of a short file read as empty.
std::optional<ExerciseFile> readExercise(configuration::RecordReader& records);

// Nothing as well when the file cannot be opened.
std::optional<ExerciseFile> readExerciseFile(const std::filesystem::path& path);

// Writes records 1 to 12 (record 6 empty, the level as the icons it lights and the count as plain
// numbers), stopping at
// the first failure: a text that takes more than 126 bytes in Windows-1252, or the medium failing.
bool writeExercise(configuration::RecordWriter& records, const ExerciseFile& exercise);

// Writes the whole file and then replaces `path` with it: a failed write leaves the previous file.
bool saveExerciseFile(const std::filesystem::path& path, const ExerciseFile& exercise);

}  // namespace exercises
