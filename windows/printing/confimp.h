#pragma once
// `confimp`, the print window "Imprimer": which pictures to print, the title of the pages, the
// number of copies and the printer; "&OK" prints, "&Aperçu" shows the pages first.
#include <QDialog>

#include "windows/printing/printout.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace platform {
class MessageBoxes;
class Printer;
}  // namespace platform

namespace workbench {
class PrintSources;
class UpDown;
}  // namespace workbench

namespace printingwindow {

class Confimp : public QDialog {
    Q_OBJECT

  public:
    // Placed over `mainWindow`, whose pictures `sources` gives.
    Confimp(workbench::PrintSources& sources, platform::Printer& printer,
            platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

    static QString defaultTitle();

    // What the window asks for, as it stands.
    PrintChoices choices() const;

    // The handlers of the window.
    void Form_Load();
    void UpDown1_Change(int value);
    void Command1_Click();  // "&OK"
    void Command2_Click();  // "&Imprimantes"
    void Command3_Click();  // "&Annuler"
    void Command4_Click();  // "&Aperçu"

  private:
    QGroupBox* buildOptions();
    QGroupBox* buildPrintingFrame();
    QPushButton* addButton(const char* name, const QString& caption, int row, void (Confimp::*handler)());
    // Tells the pupil when nothing is chosen.
    bool checkChoice();
    void showPrinting(bool printing);
    platform::TwipsPerPixel twipsPerPixel() const;

    workbench::PrintSources& m_sources;
    platform::Printer& m_printer;
    platform::MessageBoxes& m_messageBoxes;
    QWidget* m_mainWindow;
    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QCheckBox* m_illustration = nullptr;  // Chec(0)
    QCheckBox* m_graph = nullptr;         // Chec(1)
    QCheckBox* m_table = nullptr;         // Chec(3)
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label4 = nullptr;
    workbench::UpDown* m_updown1 = nullptr;
    QLineEdit* m_defaut = nullptr;
    QList<QPushButton*> m_buttons;
};

// Opens `confimp`, modal over the main window, until it is closed.
void openPrintWindow(workbench::PrintSources& sources, platform::Printer& printer,
                     platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

}  // namespace printingwindow
