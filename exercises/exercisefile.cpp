#include "exercises/exercisefile.h"

#include "configuration/atomicfile.h"
#include "configuration/recordfile.h"
#include "configuration/recordvalues.h"
#include "numbers/decimalreader.h"

namespace exercises {

std::string trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string ExerciseFile::notions() const {
    std::string joined;
    for (const auto& line : notionLines) {
        if (!isBlank(line)) joined += line;
    }
    return joined;
}

namespace {

// The count as hourglasses to show. Counts are small (a few symbols); one beyond the 16-bit range
// is treated as unreadable so that a damaged file cannot ask for millions of characters.
int hourglassesOf(std::string_view text) {
    const auto count = configuration::integerOf(text);
    return count && *count > 0 ? *count : 0;
}

// A stored level as the icons it lights, icon k being lit when the level is greater than k: 1.5
// lights two, 2.0000000000000004 three, a huge or infinite level all three, 0 or less none. Kept
// so, the level is written back as what the browser showed.
int litLevelIcons(double level) {
    int lit = 0;
    while (lit < kLevelIcons && level > lit) ++lit;
    return lit;
}

}  // namespace

std::optional<ExerciseFile> readExercise(configuration::RecordReader& records) {
    ExerciseFile exercise;
    std::string* const names[] = {&exercise.statement, &exercise.configuration, &exercise.correction,
                                  &exercise.correctionConfiguration};
    std::int64_t n = 1;
    for (std::string* name : names) {
        auto text = records.read(n++);
        if (!text) return std::nullopt;
        *name = std::move(*text);
    }
    // The same reader as the integer records of a configuration file: a number with a point,
    // ending at the first character that cannot belong to it, so "2 étoiles" is 2 and a word is 0.
    if (const auto level = records.read(5)) exercise.level = litLevelIcons(numbers::readDecimal(*level));
    // Record 6 is not used.
    for (std::size_t line = 0; line < exercise.notionLines.size(); ++line) {
        if (auto text = records.read(7 + static_cast<std::int64_t>(line)))
            exercise.notionLines[line] = std::move(*text);
    }
    if (auto title = records.read(11)) {
        // Trimmed in place: the reader keeps no second copy of any text.
        exercise.title = std::move(*title);
        exercise.title.erase(exercise.title.find_last_not_of(' ') + 1);
        exercise.title.erase(0, exercise.title.find_first_not_of(' '));
    }
    if (const auto count = records.read(12)) exercise.hourglassCount = hourglassesOf(*count);
    return exercise;
}

std::optional<ExerciseFile> readExerciseFile(const std::filesystem::path& path) {
    configuration::RecordFile file;
    if (!file.open(path, configuration::RecordFile::Mode::Read)) return std::nullopt;
    auto exercise = readExercise(file);
    file.close();
    return exercise;
}

bool writeExercise(configuration::RecordWriter& records, const ExerciseFile& exercise) {
    const std::string texts[] = {exercise.statement,
                                 exercise.configuration,
                                 exercise.correction,
                                 exercise.correctionConfiguration,
                                 std::to_string(litLevelIcons(exercise.level)),
                                 std::string(),
                                 exercise.notionLines[0],
                                 exercise.notionLines[1],
                                 exercise.notionLines[2],
                                 exercise.notionLines[3],
                                 exercise.title,
                                 std::to_string(exercise.hourglassCount)};
    std::int64_t n = 1;
    for (const auto& text : texts) {
        if (!records.write(n++, text)) return false;
    }
    return true;
}

bool saveExerciseFile(const std::filesystem::path& path, const ExerciseFile& exercise) {
    return configuration::replaceFileAtomically(path, [&exercise](const std::filesystem::path& temporary) {
        configuration::RecordFile file;
        if (!file.open(temporary, configuration::RecordFile::Mode::ReadWrite)) return false;
        const bool written = writeExercise(file, exercise);
        return file.close() && written;
    });
}

}  // namespace exercises
