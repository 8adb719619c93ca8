#pragma once
// What the exercise browser and the exercise menu share: reading an exercise file, loading its
// texts into the main window's text area and its configurations into the workbench, and the
// messages they show.
#include <QString>
#include <optional>
#include <string>

#include "configuration/configurationfile.h"
#include "exercises/exercisefile.h"
#include "windows/exercises/exercisecontext.h"

namespace exercisewindow {

// The folder with one "/" at its end, as the names read from an exercise file are joined to it.
QString withSeparator(const QString& folder);
// The folder of a file, with its "/".
QString folderOf(const QString& filePath);
// A name read from a record (UTF-8 in memory) as a text.
QString recordText(const std::string& text);

// The index records of the exercise at `path`; nothing when the file cannot be opened or its
// records 1 to 4 cannot be read.
std::optional<exercises::ExerciseFile> readExerciseAt(const QString& path);

enum class TextLoad { Loaded, Missing, Unreadable };
// Loads a rich-text file into the text area; the text stays as it was unless it is Loaded.
TextLoad loadText(const ExerciseContext& context, const QString& path);
// The same, saying why when it fails: "Fichier absent" for a missing file, "Lecture impossible"
// for one that cannot be read. True when the text was loaded.
bool loadExerciseText(const ExerciseContext& context, const QString& path);

// The configuration an exercise record names, read before anything of the exercise is shown: a
// file the reader refuses (its message shown) leaves the exercise unopened, never half loaded.
class ExerciseSetUp {
  public:
    // Reads the file `folder` + `record`, unless the record is blank.
    ExerciseSetUp(workbench::ExerciseSession& session, const QString& folder, const std::string& record);

    bool refused() const { return m_refused; }
    // Puts what was read into the workbench, and its path into the document; nothing for a blank
    // record.
    void apply();

  private:
    workbench::ExerciseSession& m_session;
    QString m_path;
    std::optional<configuration::ConfigurationFile> m_file;
    bool m_refused = false;
};

// A message box with the stop icon and an OK button.
void showStop(const ExerciseContext& context, const QString& text, const QString& title);
// "Lecture impossible": the exercise file or one of its texts cannot be read; "Accès refusé" when
// the system does not let this user read the file at `path`.
void showReadFailure(const ExerciseContext& context, const QString& path);
// "Fichier absent": "Le fichier <path> est introuvable".
void showMissing(const ExerciseContext& context, const QString& path);

// When the text was changed since it was opened or saved, asks whether to let the changes go.
// False when the pupil cancels; nothing is changed then.
bool confirmLoss(const ExerciseContext& context);

}  // namespace exercisewindow
