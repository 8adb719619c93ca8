#pragma once
// Turns exercise sources into the files the program ships in its data folder (see
// exercises/exercisewriter.h), in the folder "exercises"; the getting-started exercise, "Qelvo.PEM"
// with its statement and configuration, at the root of the data folder.
#include <filesystem>
#include <string>

#include "exercises/exercisefile.h"
#include "exercises/exercisewriter.h"
#include "tools/exercisesource.h"

namespace tools {

inline constexpr std::string_view kExercisesFolder = "exercises";

// The folder the exercise's files go to.
std::filesystem::path shippedFolder(const ExerciseSource& source, const std::filesystem::path& dataFolder);

// What the exercise's files hold.
exercises::ExerciseContent contentOf(const ExerciseSource& source);

// The index file's records (see exercises::indexOf).
exercises::ExerciseFile indexOf(const ExerciseSource& source);

// The index file's own name.
std::string indexFileName(const ExerciseSource& source);

// Writes every file of the exercise, all of them whole or none. False, and the reason in
// `error`, when a file cannot be written.
bool buildExercise(const ExerciseSource& source, const std::filesystem::path& dataFolder, std::string& error);

}  // namespace tools
