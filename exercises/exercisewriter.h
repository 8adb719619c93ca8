#pragma once
// Writes an exercise's files: its index "<name>.E36" (or the getting-started "Qelvo.PEM"), its
// statement "<name>.RTF", its configuration "<name>.C13", and, when it has them, its correction
// "<name>-corrige.RTF" and the correction's configuration "<name>-corrige.C13". The exercise
// builder and the program's own exercise window both write through here, so that the same content
// gives the same bytes.
//
// An exercise that is already there is replaced as one: the new statement, configuration and
// correction go beside the old ones, into the other of two places (beside the index, or the
// folder "<name>.fichiers" as "enonce.RTF", "enonce.C13", "corrige.RTF", "corrige.C13"), and the
// index, replaced last by one rename, switches from the old set to the new one. The index names
// its files relative to its folder as it always has, so every reader of exercise files opens
// either.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
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

// Where the statement, configuration and correction files of an exercise lie.
enum class FileSet {
    Beside,    // beside the index, named after the exercise
    InFolder,  // in the folder setFolderName(name), beside the index
};
std::string setFolderName(std::string_view name);
// The statement's, the configuration's, the correction's and the correction configuration's file
// names in a set, relative to the exercise's folder.
std::array<std::string, 4> partNamesOf(std::string_view name, FileSet set);

// The index records: the file names relative to the exercise's folder (blank for a part the
// exercise does not have), the level, the notions, the title and the hourglasses.
ExerciseFile indexOf(const ExerciseContent& content, FileSet set = FileSet::Beside);
std::string indexFileName(const ExerciseContent& content);
// Every file the exercise is written to when it lies beside its index, the index last.
std::vector<std::string> fileNamesOf(const ExerciseContent& content);

struct WriteFailure {
    std::string file;  // relative to the exercise's folder
    // The disk lacks room: the new files take `bytesNeeded` while the old ones are kept, and
    // `bytesAvailable` are left.
    bool lackOfRoom = false;
    std::uintmax_t bytesNeeded = 0;
    std::uintmax_t bytesAvailable = 0;
};

// What tests put between the writer and the disk.
struct WriteHooks {
    // Called before each change the writer makes on disk, so that a test can stop it there as a
    // kill would.
    std::function<void()> beforeStep;
    // The room left on the disk of a folder; the file system's own answer when not given.
    std::function<std::optional<std::uintmax_t>(const std::filesystem::path& folder)> availableBytes;
};

// Writes the exercise into `folder`, whole or not at all, whatever instant the program is killed
// at: the set its index named before, or the new one. The files of the set left behind (or of a
// save that was killed) are removed once the index is replaced, or by the next save. Nothing is
// written when the disk lacks the room, or when a file of the exercise is write-protected.
bool writeExerciseFiles(const ExerciseContent& content, const std::filesystem::path& folder,
                        WriteFailure* failure = nullptr, const WriteHooks& hooks = {});

// "Il faut 1,3 Mo libres sur le disque pour l'enregistrer ; il en reste 420 Ko.": what a save that
// lacks room tells.
std::string roomText(std::uintmax_t bytesNeeded, std::uintmax_t bytesAvailable);

}  // namespace exercises
