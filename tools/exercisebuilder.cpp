#include "tools/exercisebuilder.h"

#include "tools/richtext.h"

namespace tools {

namespace fs = std::filesystem;

fs::path shippedFolder(const ExerciseSource& source, const fs::path& dataFolder) {
    return source.gettingStarted ? dataFolder : dataFolder / kExercisesFolder;
}

exercises::ExerciseContent contentOf(const ExerciseSource& source) {
    exercises::ExerciseContent content;
    content.name = source.name;
    content.gettingStarted = source.gettingStarted;
    content.title = source.title;
    content.level = source.level;
    content.hourglasses = source.hourglasses;
    content.notionLines = source.notions;
    content.configuration = source.configuration;
    content.statement = toDocument(source.statement);
    if (source.correction) content.correction = toDocument(*source.correction);
    content.correctionConfiguration = source.correctionConfiguration;
    return content;
}

std::string indexFileName(const ExerciseSource& source) {
    return exercises::indexFileName(contentOf(source));
}

exercises::ExerciseFile indexOf(const ExerciseSource& source) {
    return exercises::indexOf(contentOf(source));
}

bool buildExercise(const ExerciseSource& source, const fs::path& dataFolder, std::string& error) {
    const fs::path folder = shippedFolder(source, dataFolder);
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const exercises::ExerciseContent content = contentOf(source);
    // The shipped files are made afresh, beside their index: the previous build's index goes first,
    // or the writer would put the new files beside the old ones.
    fs::remove(folder / exercises::indexFileName(content), ignored);
    exercises::WriteFailure failure;
    if (exercises::writeExerciseFiles(content, folder, &failure)) return true;
    error = "cannot write " + (folder / failure.file).string();
    return false;
}

}  // namespace tools
