#pragma once
// What the teacher's exercise window takes from the program and gives back: the draft of a new
// exercise (the text area's content and the workbench's set-up), the draft of the exercise that is
// open, read back from its files, and the saving of a draft through the program's save dialog.
#include <QString>
#include <optional>

#include "exercises/exercisedraft.h"
#include "windows/exercises/exercisecontext.h"

namespace exercisewindow {

// The text area's content as the statement, the workbench's ten situations and switches as the
// set-up (the panel first stored into its situation, as saving a configuration does).
exercises::ExerciseDraft draftOfWorkbench(const ExerciseContext& context);

// The exercise whose index the session names: its title, level, duration, notions, correction and
// the correction's set-up from its files. The statement and the set-up are those of the text area
// and the workbench, where the teacher may have changed them, unless the text area shows the
// correction: then they are read from the exercise's files too. Nothing, once the reason is shown,
// when a file cannot be read.
std::optional<exercises::ExerciseDraft> draftOfOpenExercise(const ExerciseContext& context);

// Asks where to save the exercise (the file name names its files), refuses what cannot be written,
// asks before replacing a file, then writes all the files whole or none. The path of the index
// written; nothing when the teacher cancelled or was told why it cannot be written.
std::optional<QString> saveExercise(const ExerciseContext& context, const exercises::ExerciseDraft& draft,
                                    const QString& initialPath);

}  // namespace exercisewindow
