#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <limits>

#include "modaldialogs.h"
#include "pdfreader.h"
#include "platform/paperdialog.h"
#include "platform/qtprinter.h"
#include "platform/recordingprinter.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"

using platform::Colour;
using platform::MessageAnswer;
using platform::Page;
using platform::PaperDialog;
using platform::PrintedDocument;
using platform::PrintOperation;
using platform::QtPrinter;
using platform::RecordingPrinter;
using platform::ScriptedFileDialogs;
using platform::ScriptedMessageBoxes;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The title block the print window composes at the top of each page.
void title(Page& page, const QString& text) {
    page.setFontName("Arial");
    page.setFontSize(12);
    page.setFontBold(true);
    page.moveTo(0, 0);
    page.print(text);
    page.newLine();
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// --- Twips from pixels -----------------------------------------------------------------------

TEST(ScreenTwips, FifteenTwipsPerPixelAtNinetySixDotsPerInchAndWithoutScreen) {
    EXPECT_DOUBLE_EQ(platform::screenTwipsPerPixel(nullptr).x, 15.0);
    // The offscreen screen has 96 logical dots per inch.
    const auto primary = platform::screenTwipsPerPixel(QGuiApplication::primaryScreen());
    EXPECT_DOUBLE_EQ(primary.x, 15.0);
    EXPECT_DOUBLE_EQ(primary.y, 15.0);
}

// --- The page: pen, text and pictures in twips -----------------------------------------------

class RecordingPageTest : public testing::Test {
  protected:
    RecordingPageTest() : page(printer.beginDocument(nullptr, "essai")) {}
    const PrintedDocument& document() const { return printer.documents().front(); }
    const std::vector<PrintOperation>& firstPage() const { return document().pages.front(); }

    RecordingPrinter printer;
    std::unique_ptr<Page> page;
};

TEST_F(RecordingPageTest, TextIsDrawnAtThePenWhichMovesRightByItsWidth) {
    page->moveTo(300, 450);
    page->setFontSize(8);
    page->setTextColour(Colour{255, 0, 0});
    page->print("Courbe n° 3");
    const double width = page->textWidth("Courbe n° 3");
    EXPECT_DOUBLE_EQ(page->currentX(), 300 + width);
    EXPECT_DOUBLE_EQ(page->currentY(), 450);
    ASSERT_EQ(firstPage().size(), 1u);
    const PrintOperation& text = firstPage()[0];
    EXPECT_EQ(text.kind, PrintOperation::Kind::Text);
    EXPECT_EQ(text.text, "Courbe n° 3");
    EXPECT_DOUBLE_EQ(text.x, 300);
    EXPECT_DOUBLE_EQ(text.y, 450);
    EXPECT_DOUBLE_EQ(text.x2, 300 + width);
    EXPECT_EQ(text.fontName, "Arial");
    EXPECT_DOUBLE_EQ(text.fontSize, 8);
    EXPECT_EQ(text.colour, (Colour{255, 0, 0}));
}

TEST_F(RecordingPageTest, ANewLineGoesDownOneLineAndBackToTheLeft) {
    page->moveTo(900, 100);
    page->print("Titre");
    page->newLine();
    EXPECT_DOUBLE_EQ(page->currentX(), 0);
    EXPECT_DOUBLE_EQ(page->currentY(), 100 + page->textHeight());
    page->print("a\nb");
    ASSERT_EQ(firstPage().size(), 3u);
    EXPECT_DOUBLE_EQ(firstPage()[2].x, 0);
    EXPECT_DOUBLE_EQ(firstPage()[2].y, 100 + 2 * page->textHeight());
    EXPECT_DOUBLE_EQ(page->currentX(), page->textWidth("b"));
    page->print("");
    EXPECT_EQ(firstPage().size(), 3u);
}

struct FontSizeCase {
    const char* name;
    double points;
};

void PrintTo(const FontSizeCase& c, std::ostream* out) {
    *out << c.name;
}

class PageFontSize : public RecordingPageTest, public testing::WithParamInterface<FontSizeCase> {};

TEST_P(PageFontSize, LinesAreAsTallAsTheFontInTwips) {
    page->setFontSize(GetParam().points);
    // Twenty twips to the point; Arial's line is about 1.15 times its size.
    const double size = GetParam().points * 20.0;
    EXPECT_GT(page->textHeight(), 1.05 * size);
    EXPECT_LT(page->textHeight(), 1.25 * size);
    EXPECT_DOUBLE_EQ(page->textHeight("a\nb"), 2 * page->textHeight());
    const double small = page->textWidth("Solution dans le bécher");
    page->setFontSize(2 * GetParam().points);
    EXPECT_NEAR(page->textWidth("Solution dans le bécher") / small, 2.0, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PageFontSize,
                         testing::Values(FontSizeCase{"ReportText", 8}, FontSizeCase{"Report", 10},
                                         FontSizeCase{"Title", 12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingPageTest, BoldTextIsWiderAndRecordedAsBold) {
    const double plain = page->textWidth("Solution dans la burette : ");
    page->setFontBold(true);
    EXPECT_GT(page->textWidth("Solution dans la burette : "), plain);
    page->print("x");
    EXPECT_TRUE(firstPage()[0].bold);
}

TEST_F(RecordingPageTest, APictureKeepsItsScreenSizeAndLeavesThePen) {
    const QImage picture(380, 290, QImage::Format_RGB32);
    const auto perPixel = platform::TwipsPerPixel{};
    const double w = platform::pixelsToTwips(picture.width(), perPixel.x);
    const double h = platform::pixelsToTwips(picture.height(), perPixel.y);
    page->moveTo((page->width() - w) / 2, 800);
    page->drawImage(picture, page->currentX(), page->currentY(), w, h);
    ASSERT_EQ(firstPage().size(), 1u);
    const PrintOperation& image = firstPage()[0];
    EXPECT_EQ(image.kind, PrintOperation::Kind::Image);
    EXPECT_DOUBLE_EQ(image.x, (11000.0 - 5700.0) / 2);
    EXPECT_DOUBLE_EQ(image.y, 800);
    EXPECT_DOUBLE_EQ(image.x2 - image.x, 5700);
    EXPECT_DOUBLE_EQ(image.y2 - image.y, 4350);
    EXPECT_EQ(image.image.size(), picture.size());
    EXPECT_DOUBLE_EQ(page->currentY(), 800);
}

TEST_F(RecordingPageTest, ALineIsRecordedInItsColourAndMovesThePenToItsEnd) {
    page->line(2000, 1000, 2000, 6200);
    ASSERT_EQ(firstPage().size(), 1u);
    EXPECT_EQ(firstPage()[0].kind, PrintOperation::Kind::Line);
    EXPECT_DOUBLE_EQ(firstPage()[0].y2, 6200);
    EXPECT_EQ(firstPage()[0].colour, platform::kBlack);
    EXPECT_DOUBLE_EQ(page->currentX(), 2000);
    EXPECT_DOUBLE_EQ(page->currentY(), 6200);
}

TEST_F(RecordingPageTest, ANewPageTakesWhatFollowsAndPutsThePenBackAtTheTop) {
    title(*page, "Solvane - Vireltra");
    page->newPage();
    EXPECT_DOUBLE_EQ(page->currentX(), 0);
    EXPECT_DOUBLE_EQ(page->currentY(), 0);
    EXPECT_DOUBLE_EQ(page->fontSize(), 12);  // the font is kept
    page->print("Solvane - Vireltra (page 2)");
    EXPECT_TRUE(page->endDocument());
    ASSERT_EQ(document().pages.size(), 2u);
    EXPECT_EQ(document().pages[0][0].text, "Solvane - Vireltra");
    EXPECT_EQ(document().pages[1][0].text, "Solvane - Vireltra (page 2)");
    EXPECT_DOUBLE_EQ(document().pages[1][0].y, 0);
    EXPECT_TRUE(document().ended);
}

TEST_F(RecordingPageTest, NothingIsDrawnOnceTheDocumentEnded) {
    EXPECT_TRUE(page->endDocument());
    page->print("trop tard");
    page->line(0, 0, 10, 10);
    page->newPage();
    EXPECT_FALSE(page->endDocument());
    EXPECT_EQ(document().pages.size(), 1u);
    EXPECT_TRUE(firstPage().empty());
}

TEST_F(RecordingPageTest, ValuesThatAreNotNumbersOrSizesAreRefused) {
    page->moveTo(100, 200);
    page->moveTo(kNaN, 300);
    EXPECT_DOUBLE_EQ(page->currentX(), 100);
    EXPECT_DOUBLE_EQ(page->currentY(), 300);
    page->setFontSize(0);
    page->setFontSize(kNaN);
    EXPECT_DOUBLE_EQ(page->fontSize(), 10);
    page->drawImage(QImage(10, 10, QImage::Format_RGB32), 0, 0, 0, 150);
    page->drawImage(QImage(), 0, 0, 150, 150);
    page->line(0, kNaN, 5, 5);
    EXPECT_TRUE(firstPage().empty());
}

// --- The recording printer -----------------------------------------------------------------

TEST(RecordingPrinter, SetUpAnswersAreScriptedAndAcceptedOnesMayChangeThePrinter) {
    RecordingPrinter printer("Laser du CDI");
    printer.queueSetupAnswer(false, "Jet d'encre");
    printer.queueSetupAnswer(true, "Jet d'encre");
    EXPECT_FALSE(printer.setup(nullptr));
    EXPECT_EQ(printer.name(), "Laser du CDI");
    EXPECT_TRUE(printer.setup(nullptr));
    EXPECT_EQ(printer.name(), "Jet d'encre");
    EXPECT_FALSE(printer.hasFailures());
    EXPECT_FALSE(printer.setup(nullptr));
    EXPECT_TRUE(printer.hasFailures());
    EXPECT_EQ(printer.setupCalls(), 3);
}

TEST(RecordingPrinter, ARefusedDocumentGivesNoPage) {
    RecordingPrinter printer;
    printer.setRefusesDocuments(true);
    EXPECT_EQ(printer.beginDocument(nullptr, "x"), nullptr);
    EXPECT_FALSE(printer.printDocument(nullptr, QTextDocument("x"), "x"));
    EXPECT_TRUE(printer.documents().empty());
}

TEST(RecordingPrinter, APreviewRecordsTheCompositionAsAPreview) {
    RecordingPrinter printer;
    printer.preview(nullptr, "aperçu", [](Page& page) { title(page, "Solvane - Vireltra"); });
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_TRUE(printer.documents()[0].preview);
    EXPECT_TRUE(printer.documents()[0].ended);
    EXPECT_EQ(printer.documents()[0].pages[0][0].text, "Solvane - Vireltra");
}

TEST(RecordingPrinter, AnAbandonedDocumentIsNotEnded) {
    RecordingPrinter printer;
    printer.beginDocument(nullptr, "x")->print("moitié");
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_FALSE(printer.documents()[0].ended);
}

// --- What a text box prints ------------------------------------------------------------------

TEST(PrintableText, TheSelectionOrTheWholeDocumentWithItsFont) {
    QTextDocument source;
    source.setDefaultFont(QFont("Arial", 8));
    source.setPlainText("Énoncé\nQuestion 1\nQuestion 2");
    QTextCursor cursor(&source);
    auto all = platform::printableText(cursor);
    EXPECT_EQ(all->toPlainText(), source.toPlainText());
    cursor.setPosition(7);
    cursor.setPosition(17, QTextCursor::KeepAnchor);
    auto selection = platform::printableText(cursor);
    EXPECT_EQ(selection->toPlainText(), "Question 1");
    EXPECT_EQ(selection->defaultFont().pointSize(), 8);
}

// --- PDF files when there is no printer ------------------------------------------------------

class PdfPrinterTest : public testing::Test {
  protected:
    QString path(const QString& name) const {
        return QDir::toNativeSeparators(QDir(folder.path()).filePath(name));
    }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    QtPrinter printer{dialogs, boxes, QtPrinter::Output::PdfFile};
};

TEST_F(PdfPrinterTest, TheCurrentPrinterIsAPdfFile) {
    EXPECT_TRUE(printer.writesPdf());
    EXPECT_EQ(printer.name(), "Fichier PDF (aucune imprimante)");
}

TEST_F(PdfPrinterTest, TwoPagesWithTheirTitlesAreWrittenToTheChosenFile) {
    dialogs.queueSaveAnswer(path("dosage.pdf"));
    std::unique_ptr<Page> page = printer.beginDocument(nullptr, "Solvane - Vireltra");
    ASSERT_NE(page, nullptr);
    // A4 less margins of 10 mm: 190 mm by 277 mm, within the whole points to which Qt rounds a PDF
    // page and its margins.
    EXPECT_NEAR(page->width(), 190.0 / 25.4 * 1440.0, 40.0);
    EXPECT_NEAR(page->height(), 277.0 / 25.4 * 1440.0, 40.0);
    title(*page, "Solvane - Vireltra");
    page->line(0, 600, page->width(), 600);
    page->drawImage(QImage(20, 10, QImage::Format_RGB32), 0, 900, 300, 150);
    page->newPage();
    title(*page, "Solvane - Vireltra (page 2)");
    EXPECT_TRUE(page->endDocument());

    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, ScriptedFileDialogs::Kind::Save);
    EXPECT_EQ(dialogs.calls()[0].filter, "Document PDF|*.pdf");
    EXPECT_EQ(dialogs.calls()[0].defaultSuffix, "pdf");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(
        dialogs.calls()[0].initialName,
        QDir::toNativeSeparators(
            QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath("Solvane - Vireltra.pdf")));
    EXPECT_FALSE(boxes.hasFailures());

    const QByteArray file = contents(path("dosage.pdf"));
    // Pictures are drawings: kept exact, never turned into JPEG.
    EXPECT_TRUE(file.contains("/Subtype /Image"));
    EXPECT_FALSE(file.contains("/DCTDecode"));
    const PdfReader pdf(file);
    EXPECT_EQ(pdf.pageCount(), 2);
    const QStringList pages = pdf.pageTexts();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0], "Solvane - Vireltra\n");
    EXPECT_EQ(pages[1], "Solvane - Vireltra (page 2)\n");
}

TEST_F(PdfPrinterTest, AnAbandonedDocumentLeavesThePreviousFileAlone) {
    QFile previous(path("dosage.pdf"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("ancien");
    previous.close();
    dialogs.queueSaveAnswer(path("dosage.pdf"));
    boxes.queueAnswer(MessageAnswer::Yes);
    {
        std::unique_ptr<Page> page = printer.beginDocument(nullptr, "dosage");
        ASSERT_NE(page, nullptr);
        title(*page, "moitié");
    }
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("Le fichier %1 existe déjà.\r\nLe remplacer ?").arg(path("dosage.pdf")));
    EXPECT_EQ(contents(path("dosage.pdf")), "ancien");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"dosage.pdf"});
}

TEST_F(PdfPrinterTest, RefusingToReplaceAFileCancelsTheDocument) {
    QFile previous(path("dosage.pdf"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.close();
    dialogs.queueSaveAnswer(path("dosage.pdf"));
    boxes.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(printer.beginDocument(nullptr, "dosage"), nullptr);
    EXPECT_EQ(contents(path("dosage.pdf")), QByteArray());
    EXPECT_FALSE(boxes.hasFailures());
}

TEST_F(PdfPrinterTest, ACancelledFileDialogCancelsQuietly) {
    dialogs.queueSaveAnswer(std::nullopt);
    EXPECT_EQ(printer.beginDocument(nullptr, "dosage"), nullptr);
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(PdfPrinterTest, AFileThatCannotBeWrittenIsToldToThePupil) {
    dialogs.queueSaveAnswer(path("absent/dosage.pdf"));
    boxes.queueAnswer(MessageAnswer::Ok);
    EXPECT_EQ(printer.beginDocument(nullptr, "dosage"), nullptr);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].title, "Erreur d'impression");
    EXPECT_EQ(boxes.calls()[0].icon, platform::MessageIcon::Stop);
    EXPECT_FALSE(boxes.hasFailures());
}

TEST_F(PdfPrinterTest, ARichTextDocumentIsLaidOutIntoTheFile) {
    dialogs.queueSaveAnswer(path("enonce.pdf"));
    QTextDocument text;
    text.setHtml("<p><b>Exercice 1</b></p><p>Calculer le pH de la solution.</p>");
    EXPECT_TRUE(printer.printDocument(nullptr, text, "Exercice"));
    const PdfReader pdf(contents(path("enonce.pdf")));
    EXPECT_EQ(pdf.pageCount(), 1);
    const QString printed = pdf.pageTexts().join(QString());
    EXPECT_TRUE(printed.contains("Exercice 1")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Calculer le pH de la solution.")) << printed.toStdString();
}

TEST_F(PdfPrinterTest, ThePreviewShowsThePagesOfTheComposition) {
    int shownPages = -1;
    whenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        shownPages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        dialog->reject();
    });
    int compositions = 0;
    printer.preview(nullptr, "Solvane - Vireltra", [&](Page& page) {
        ++compositions;
        title(page, "Solvane - Vireltra");
        page.newPage();
        title(page, "Solvane - Vireltra (page 2)");
    });
    EXPECT_EQ(shownPages, 2);
    EXPECT_GE(compositions, 1);
    EXPECT_TRUE(dialogs.calls().empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(PdfPrinterTest, TheSetUpDialogSetsThePaperOfThePdfFiles) {
    whenShown<PaperDialog>([](PaperDialog* dialog) {
        auto* size = dialog->findChild<QComboBox*>("size");
        size->setCurrentIndex(size->findText("A5"));
        dialog->findChild<QRadioButton*>("landscape")->click();
        dialog->accept();
    });
    EXPECT_TRUE(printer.setup(nullptr));
    whenShown<PaperDialog>([](PaperDialog* dialog) {
        dialog->findChild<QRadioButton*>("portrait")->click();
        dialog->reject();
    });
    EXPECT_FALSE(printer.setup(nullptr));
    EXPECT_EQ(printer.name(), QtPrinter::pdfName());

    dialogs.queueSaveAnswer(path("a5.pdf"));
    std::unique_ptr<Page> page = printer.beginDocument(nullptr, "a5");
    ASSERT_NE(page, nullptr);
    // A5 across, 210 mm by 148 mm, less its margins of 10 mm.
    EXPECT_NEAR(page->width(), 190.0 / 25.4 * 1440.0, 40.0);
    EXPECT_NEAR(page->height(), 128.0 / 25.4 * 1440.0, 40.0);
}
