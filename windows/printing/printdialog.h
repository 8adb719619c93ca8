#pragma once
// The print window "Imprimer": which pictures to print, the title of the pages, the
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

class PrintDialog : public QDialog {
    Q_OBJECT

  public:
    // Placed over `mainWindow`, whose pictures `sources` gives.
    PrintDialog(workbench::PrintSources& sources, platform::Printer& printer,
                platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

    static QString defaultTitle();

    // What the window asks for, as it stands.
    PrintChoices choices() const;

    void showCopies(int count);
    void print();          // "&OK"
    void choosePrinter();  // "&Imprimantes"
    void cancel();         // "&Annuler"
    void preview();        // "&Aperçu"

  private:
    // Centred across the main window, 20 px below its top, with the printer's name.
    void placeAndShowPrinter();
    QGroupBox* buildOptions();
    QGroupBox* buildPrintingFrame();
    QPushButton* addButton(const char* name, const QString& caption, int row, void (PrintDialog::*handler)());
    // Tells the pupil when nothing is chosen.
    bool checkChoice();
    void showPrinting(bool printing);
    platform::TwipsPerPixel twipsPerPixel() const;

    workbench::PrintSources& m_sources;
    platform::Printer& m_printer;
    platform::MessageBoxes& m_messageBoxes;
    QWidget* m_mainWindow;
    QGroupBox* m_options = nullptr;
    QGroupBox* m_printingPanel = nullptr;
    QCheckBox* m_illustration = nullptr;  // Chec(0)
    QCheckBox* m_graph = nullptr;         // Chec(1)
    QCheckBox* m_table = nullptr;         // Chec(3)
    QLineEdit* m_title = nullptr;
    QLabel* m_copiesLabel = nullptr;
    workbench::UpDown* m_copies = nullptr;
    QLineEdit* m_printerName = nullptr;
    QList<QPushButton*> m_buttons;
};

// Opens the print window, modal over the main window, until it is closed.
void openPrintDialog(workbench::PrintSources& sources, platform::Printer& printer,
                     platform::MessageBoxes& messageBoxes, QWidget* mainWindow);

}  // namespace printingwindow
