#pragma once
// `creerexo`: the window in which a teacher turns the text area's content and the workbench's
// set-up into an exercise, or changes the exercise that is open: its title, its level and duration
// (shown with the browser's pictures), up to four notions, whether the pupil sees the beaker
// concentration, and its correction (none, or a text of its own with its own set-up). Saving
// writes the exercise's files where the teacher chooses, and the exercise becomes the one open.
#include <QDialog>
#include <array>
#include <optional>

#include "exercises/exercisedraft.h"
#include "windows/exercises/exercisecontext.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace platform {
class RichTextBox;
}

namespace exercisewindow {

class HourglassBox;

class ExerciseEditor : public QDialog {
    Q_OBJECT

  public:
    // Where the correction's set-up comes from: the statement's titrated to the end, the
    // exercise's own (when an exercise with one is changed), or a configuration file.
    enum class CorrectionSetUp { Titrated, ExerciseOwn, FromFile };

    // `editedPath`: the index of the exercise being changed, where saving proposes to write; empty
    // for a new exercise.
    ExerciseEditor(const ExerciseContext& context, exercises::ExerciseDraft draft, const QString& editedPath);

    // What the window holds now.
    exercises::ExerciseDraft draft() const;
    // Saves through the save dialog; the window closes once the exercise is written.
    void save();
    // A file is chosen in the open dialog; a cancelled or refused choice keeps the previous one.
    void chooseCorrectionSetUp(CorrectionSetUp choice);

  private:
    void buildFields();
    void buildCorrection();
    void showLevel(int level);
    void showCorrection(bool shown);

    ExerciseContext m_context;
    exercises::ExerciseDraft m_draft;  // the statement and set-up it was opened on
    QString m_editedPath;
    // The exercise's own fields, as the browser will show them.
    struct Fields {
        QLineEdit* title = nullptr;
        QSpinBox* level = nullptr;
        std::array<QLabel*, exercises::kLevelIcons> levelIcons{};
        QSpinBox* hourglasses = nullptr;
        HourglassBox* hourglassBox = nullptr;
        std::array<QLineEdit*, exercises::kMaxNotions> notions{};
        QCheckBox* mask = nullptr;
    };
    // The choice of a correction, its text and its set-up.
    struct CorrectionControls {
        QRadioButton* without = nullptr;
        QRadioButton* with = nullptr;
        QWidget* part = nullptr;
        platform::RichTextBox* text = nullptr;
        QComboBox* setUp = nullptr;
        QLabel* setUpFile = nullptr;
    };

    Fields m_fields;
    CorrectionControls m_correctionControls;
    CorrectionSetUp m_correctionChoice = CorrectionSetUp::Titrated;
    std::optional<configuration::ConfigurationFile> m_ownCorrectionSetUp;
    std::optional<configuration::ConfigurationFile> m_readCorrectionSetUp;
};

// Opens the window on the text area and the workbench ("Créer un exercice…").
void openExerciseCreation(const ExerciseContext& context);
// Opens the window on the exercise that is open ("Modifier l'exercice…"); nothing opens when its
// files cannot be read, and the reason is shown.
void openExerciseEditing(const ExerciseContext& context);

}  // namespace exercisewindow
