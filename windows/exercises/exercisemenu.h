#pragma once
// `optionexo`, the exercise menu that the main window's button "Exercices" (`btexo`) pops up, and
// its commands on the exercise text area `supertext`: the getting-started exercise, opening an
// exercise, its correction, saving, reopening and printing the text, closing the exercise.
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
    void btexo_Click();

    void PRISENMAIN_Click();
    void openexo_Click();
    void opencor_Click();
    void savetexte_Click();
    void opentexte_Click();
    void imprimetexte_Click();
    void Closexo_Click();

  private:
    QAction* addCommand(const char* name, const QString& caption, void (ExerciseMenu::*handler)());
    void enableCorrection();

    ExerciseContext m_context;
    QAction* m_opencor = nullptr;
    QAction* m_closexo = nullptr;
};

}  // namespace exercisewindow
