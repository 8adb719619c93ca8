// The print window through its controls: what it shows on opening, the refusal of an empty
// choice, the printer set-up, printing, the preview, and a whole print into a PDF file.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "platform/qtprinter.h"
#include "printingfixture.h"
#include "state/actions.h"
#include "tests/platform/modaldialogs.h"
#include "tests/platform/pdfreader.h"
#include "tests/platform/pdftext.h"
#include "windows/printing/printdialog.h"
#include "workbench/optionspage.h"

using platform::MessageAnswer;
using printingwindow::PrintDialog;

namespace {

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QWidget& parent, const char* button) {
    if (auto* b = child<QPushButton>(parent, button)) QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

class PrintDialogTest : public PrintingTest {
  protected:
    PrintDialogTest() {
        // On screen, as when the pupil prints: the window's frame is known.
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        dialog = std::make_unique<PrintDialog>(window->printSources(), printer, boxes, window.get());
        dialog->show();
    }

    std::unique_ptr<PrintDialog> dialog;
};

TEST_F(PrintDialogTest, OpensWithNothingChosenTheDefaultTitleOneCopyAndThePrintersName) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Imprimer"));
    for (const char* box : {"Chec(0)", "Chec(1)", "Chec(3)"})
        EXPECT_FALSE(child<QCheckBox>(*dialog, box)->isChecked());
    EXPECT_EQ(child<QLineEdit>(*dialog, "Text1")->text(), QStringLiteral("Solvane - Vireltra"));
    EXPECT_EQ(child<QLabel>(*dialog, "Label4")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(*dialog, "defaut")->text(), QStringLiteral("Imprimante de test"));
    EXPECT_EQ(dialog->frameGeometry().top(), window->frameGeometry().top() + 20);
    EXPECT_FALSE(child<QGroupBox>(*dialog, "Frame2")->isVisible());

    // The copies go from 1 to 40, shown in Label4.
    auto* updown = child<workbench::UpDown>(*dialog, "UpDown1");
    updown->setValue(0);
    EXPECT_EQ(updown->value(), 1);
    updown->setValue(41);
    EXPECT_EQ(child<QLabel>(*dialog, "Label4")->text(), QStringLiteral("40"));
}

TEST_F(PrintDialogTest, NoChoiceIsRefusedAndTheWindowStaysOpen) {
    for (const char* button : {"Command1", "Command4"}) {
        boxes.queueAnswer(MessageAnswer::Ok);
        click(*dialog, button);
        ASSERT_FALSE(boxes.calls().empty());
        EXPECT_EQ(boxes.calls().back().text,
                  QStringLiteral("Il faut choisir au moins une illustration à imprimer"));
        EXPECT_EQ(boxes.calls().back().title, QStringLiteral("Erreur sélection"));
        EXPECT_EQ(boxes.calls().back().icon, platform::MessageIcon::Stop);
        EXPECT_TRUE(dialog->isVisible()) << button;
        EXPECT_TRUE(printer.documents().empty()) << button;
    }
}

TEST_F(PrintDialogTest, ChangingThePrinterUpdatesItsNameWithoutClosing) {
    printer.queueSetupAnswer(true, QStringLiteral("Laser de la salle 12"));
    click(*dialog, "Command2");
    EXPECT_EQ(child<QLineEdit>(*dialog, "defaut")->text(), QStringLiteral("Laser de la salle 12"));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(PrintDialogTest, OkPrintsTheChoiceAndClosesWhileThePreviewKeepsTheWindow) {
    child<QCheckBox>(*dialog, "Chec(1)")->click();
    child<QLineEdit>(*dialog, "Text1")->setText(QStringLiteral("Dosage de Léa"));
    child<workbench::UpDown>(*dialog, "UpDown1")->setValue(2);

    click(*dialog, "Command4");
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_TRUE(printer.documents()[0].preview);
    EXPECT_TRUE(dialog->isVisible());

    click(*dialog, "Command1");
    ASSERT_EQ(printer.documents().size(), 2u);
    const platform::PrintedDocument& printed = printer.documents()[1];
    EXPECT_FALSE(printed.preview);
    EXPECT_TRUE(printed.ended);
    EXPECT_EQ(printed.name, QStringLiteral("Dosage de Léa"));
    EXPECT_EQ(printed.pages.size(), 2u);  // two copies of the graph page
    EXPECT_EQ(printer.documents()[0].pages.size(), printed.pages.size());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// The whole road on a machine without a printer: the button, the modal window, the file dialog,
// the file.
TEST(PrintDialogPdf, GraphAndTablePrintIntoThePdfFileThePupilNames) {
    testsupport::application();
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::QtPrinter printer(fileDialogs, boxes, platform::QtPrinter::Output::PdfFile);
    workbench::MainWindow window(
        workbench::Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    window.workbench().perform(state::quickTrace);
    const QString path = QDir(folder.path()).filePath(QStringLiteral("dosage.pdf"));
    fileDialogs.queueSaveAnswer(path);

    QString printerName;
    whenShown<PrintDialog>([&](PrintDialog* dialog) {
        printerName = child<QLineEdit>(*dialog, "defaut")->text();
        child<QCheckBox>(*dialog, "Chec(1)")->click();
        child<QCheckBox>(*dialog, "Chec(3)")->click();
        click(*dialog, "Command1");
    });
    printingwindow::openPrintDialog(window.printSources(), printer, boxes, &window);

    EXPECT_EQ(printerName, QStringLiteral("Fichier PDF (aucune imprimante)"));
    ASSERT_EQ(fileDialogs.calls().size(), 1u);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(
        fileDialogs.calls()[0].initialName,
        QDir::toNativeSeparators(
            QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath("Solvane - Vireltra.pdf")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const PdfReader pdf(file.readAll());
    EXPECT_EQ(pdf.pageCount(), 2);
    const QStringList pages = pdf.pageTexts();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].startsWith(QStringLiteral("Solvane - Vireltra\n"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Courbe n° 1"))) << pages[0].toStdString();
    // The graph printed as lines and texts: its labels are texts of the page.
    const QStringList texts = pages[0].split(QLatin1Char('\n'));
    for (const char* label : {"pH", "14", "7", "25", " (mL)"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(label))) << label;
    file.seek(0);
    if (const std::optional<QString> read = pdfToText(file.readAll())) {
        EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("\\bpH\\b")))) << read->toStdString();
        EXPECT_TRUE(read->contains(QRegularExpression(QStringLiteral("0 +5 +10 +15 +20 +25"))))
            << read->toStdString();
    }
    EXPECT_TRUE(pages[1].startsWith(QStringLiteral("Solvane - Vireltra (page 2)\n")))
        << pages[1].toStdString();
    EXPECT_FALSE(boxes.hasFailures());
    EXPECT_FALSE(fileDialogs.hasFailures());
}
