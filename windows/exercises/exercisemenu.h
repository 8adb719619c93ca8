#pragma once
// The exercise menu that the main window's button "Exercices" pops up, and its commands on the
// exercise text area: the getting-started exercise, opening an exercise, its correction, writing
// an exercise or changing the one open, saving, reopening and printing the text, closing the
// exercise.
#include <QMenu>

#include "windows/exercises/exercisecontext.h"

class QAction;

namespace exercisewindow {

class ExerciseMenu : public QMenu {
    Q_OBJECT

  public:
    // A child of the main window, whose exercise it reads and changes.
    explicit ExerciseMenu(const ExerciseContext& context);

    // Enables the commands that apply and pops the menu up just below the button.
    void popUp();

    void openGettingStarted();
    void browseExercises();
    void showCorrection();
    void createExercise();
    void editExercise();
    void saveText();
    void reopenText();
    void printText();
    void closeExercise();

  private:
    QAction* addCommand(const char* name, const QString& caption, void (ExerciseMenu::*handler)());
    void enableCorrection();
    // "Modifier l'exercice…" applies to an exercise, not to a text reopened alone.
    void enableEditing();

    ExerciseContext m_context;
    QAction* m_correctionEntry = nullptr;
    QAction* m_editEntry = nullptr;
    QAction* m_closeEntry = nullptr;
};

}  // namespace exercisewindow
