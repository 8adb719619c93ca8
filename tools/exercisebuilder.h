#pragma once
// Turns exercise sources into the files the program ships in its data folder: for an exercise,
// "<name>.E36" with its statement "<name>.RTF", its configuration "<name>.C13", its correction
// "<name>-corrige.RTF" and the correction's configuration "<name>-corrige.C13", in the folder
// "exercises"; for the getting-started exercise, "Qelvo.PEM" with its statement and configuration
// at the root of the data folder.
#include <filesystem>
#include <string>

#include "exercises/exercisefile.h"
#include "tools/exercisesource.h"

namespace tools {

inline constexpr std::string_view kExercisesFolder = "exercises";

// The folder the exercise's files go to.
std::filesystem::path shippedFolder(const ExerciseSource& source, const std::filesystem::path& dataFolder);

// The index file's records: the file names relative to the shipped folder (blank for a part the
// exercise does not have), the level, the notions, the title and the hourglasses.
exercises::ExerciseFile indexOf(const ExerciseSource& source);

// The index file's own name.
std::string indexFileName(const ExerciseSource& source);

// Writes every file of the exercise, each one whole or not at all. False, and the reason in
// `error`, when a file cannot be written.
bool buildExercise(const ExerciseSource& source, const std::filesystem::path& dataFolder, std::string& error);

}  // namespace tools
