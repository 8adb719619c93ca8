#include "tools/exercisebuilder.h"

#include <span>

#include "configuration/atomicfile.h"
#include "rtf/writer.h"
#include "tools/richtext.h"

namespace tools {

namespace fs = std::filesystem;

fs::path shippedFolder(const ExerciseSource& source, const fs::path& dataFolder) {
    return source.gettingStarted ? dataFolder : dataFolder / kExercisesFolder;
}

std::string indexFileName(const ExerciseSource& source) {
    return source.gettingStarted ? std::string(exercises::kGettingStartedFileName) : source.name + ".E36";
}

exercises::ExerciseFile indexOf(const ExerciseSource& source) {
    exercises::ExerciseFile index;
    index.statement = source.name + ".RTF";
    if (source.configuration) index.configuration = source.name + ".C13";
    if (source.correction) index.correction = source.name + "-corrige.RTF";
    if (source.correctionConfiguration) index.correctionConfiguration = source.name + "-corrige.C13";
    index.level = source.level;
    for (std::size_t i = 0; i < source.notions.size() && i < index.notionLines.size(); ++i)
        index.notionLines[i] = source.notions[i];
    index.title = source.title;
    index.hourglassCount = source.hourglasses;
    return index;
}

namespace {

bool writeRichText(const fs::path& path, const MarkedText& text) {
    const std::string bytes = rtf::write(toDocument(text));
    return configuration::writeFileAtomically(
        path, std::span(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

}  // namespace

bool buildExercise(const ExerciseSource& source, const fs::path& dataFolder, std::string& error) {
    const fs::path folder = shippedFolder(source, dataFolder);
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const exercises::ExerciseFile index = indexOf(source);
    const auto fail = [&](const std::string& name) {
        error = "cannot write " + (folder / name).string();
        return false;
    };
    if (!writeRichText(folder / index.statement, source.statement)) return fail(index.statement);
    if (source.configuration &&
        !configuration::saveConfigurationFile(folder / index.configuration, *source.configuration))
        return fail(index.configuration);
    if (source.correction && !writeRichText(folder / index.correction, *source.correction))
        return fail(index.correction);
    if (source.correctionConfiguration &&
        !configuration::saveConfigurationFile(folder / index.correctionConfiguration,
                                              *source.correctionConfiguration))
        return fail(index.correctionConfiguration);
    // The index last, so that it never names a file that is not there yet.
    if (!exercises::saveExerciseFile(folder / indexFileName(source), index))
        return fail(indexFileName(source));
    return true;
}

}  // namespace tools
