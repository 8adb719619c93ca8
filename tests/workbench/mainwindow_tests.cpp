// The real main window, offscreen: start-up, the shared record file, closing, hints, the
// background and whole titrations seen through the panels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "configuration/recordfile.h"
#include "platform/recordingclipboard.h"
#include "platform/recordingprinter.h"
#include "platform/richtextbox.h"
#include "platform/scriptedfiledialogs.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surfaceview.h"
#include "state/actions.h"
#include "testsupport.h"
#include "workbench/exercisesession.h"
#include "workbench/mainwindow.h"
#include "workbench/printsources.h"
#include "workbench/tabstrip.h"

using namespace workbench;
using platform::MessageAnswer;

namespace {

class MainWindowTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ~MainWindowTest() override {
        EXPECT_FALSE(boxes.hasFailures()) << boxes.failures().join("\n").toStdString();
    }

    template <typename T>
    T* child(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    std::string record(int n) {
        configuration::RecordFile file;
        if (!file.open(window->sharedRecordFile().path().toStdString(),
                       configuration::RecordFile::Mode::Read)) {
            return "<no file>";
        }
        return file.read(n).value_or("<unreadable>");
    }
};

}  // namespace

TEST_F(MainWindowTest, StartsWithItsCaptionsDefaultsAndThePhOfTheDefaultSetUp) {
    EXPECT_EQ(window->objectName(), QStringLiteral("feuilleP"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vireltra"));
    for (int i = 0; i < 10; ++i) {
        auto* button = child<QRadioButton>(QStringLiteral("Option2(%1)").arg(i));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QStringLiteral("Situation n° %1").arg(i + 1));
        EXPECT_EQ(button->palette().color(QPalette::Window), QColor(255, 255 - 9 * i, 180));
    }
    EXPECT_TRUE(child<QRadioButton>(QStringLiteral("Option2(0)"))->isChecked());
    const char* captions[][2] = {{"Command2", "&Ouvrir"},       {"Command11", "&Enregistrer"},
                                 {"Command4", "Co&pier"},       {"Command10", "&Imprimer"},
                                 {"Command8", "&Calculatrice"}, {"Command7", "&Aide"},
                                 {"Command1", "&Fermer"}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(child<QPushButton>(QString::fromLatin1(name))->text(), QString::fromUtf8(caption)) << name;
    }
    const std::pair<int, const char*> defaults[] = {{0, "0,01"}, {1, "0,01"}, {2, "7,0"},
                                                    {4, "20,0"}, {5, "0,0"},  {6, "0,0"}};
    for (const auto& [index, text] : defaults) {
        EXPECT_EQ(child<QLineEdit>(QStringLiteral("Text1(%1)").arg(index))->text(), QString::fromUtf8(text))
            << index;
    }
    EXPECT_EQ(child<QLabel>(QStringLiteral("LabelpH"))->text(), QStringLiteral("2,83"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("Labelbur"))->text(), QStringLiteral("0,0 mL"));
    EXPECT_EQ(window->hint(), MainWindow::defaultHint());
    EXPECT_TRUE(child<platform::RichTextBox>(QStringLiteral("supertext"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("Vireltra\n\nCe simulateur permet")));
}

TEST_F(MainWindowTest, MarksItselfRunningThenStoppedAfterTheCloseIsConfirmed) {
    EXPECT_EQ(record(8), "OUI");
    boxes.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(window->close());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Quitter vraiment Vireltra ?"));
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Fermer"));
    EXPECT_EQ(boxes.calls()[0].icon, platform::MessageIcon::Question);
    EXPECT_EQ(boxes.calls()[0].buttons, platform::MessageButtons::OkCancel);
    EXPECT_EQ(record(8), "NON");
}

TEST_F(MainWindowTest, CancellingEitherQuestionKeepsTheProgramRunning) {
    boxes.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(record(8), "OUI");

    // With an exercise text edited, the loss of the text is asked first.
    window->exerciseSession().setName(folder.filePath(QStringLiteral("exercice.E36")));
    child<platform::RichTextBox>(QStringLiteral("supertext"))->appendText(QStringLiteral("ma réponse"));
    ASSERT_TRUE(window->exerciseSession().isModified());
    boxes.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[1].text, QStringLiteral("Attention: perte des modifications du texte."));
    EXPECT_EQ(boxes.calls()[1].title, QStringLiteral("Abandon des données?"));

    boxes.queueAnswer(MessageAnswer::Ok);
    boxes.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(boxes.calls().size(), 4u);
    EXPECT_EQ(record(8), "OUI");
}

TEST_F(MainWindowTest, TheNameBoxShowsWhatTheTextAreaHoldsAndOnlyANamedTextCountsAsModified) {
    const char* const names[] = {"/home/eleve/exercices/AcideFaible.E36", "Texte: /home/eleve/réponse.rtf",
                                 ""};  // the welcome text again
    auto* box = child<QLineEdit>(QStringLiteral("fich"));
    auto* text = child<platform::RichTextBox>(QStringLiteral("supertext"));
    workbench::ExerciseSession& session = window->exerciseSession();
    for (const char* name : names) {
        const QString shown = QString::fromUtf8(name);
        session.setName(shown);
        session.setModified(false);
        EXPECT_EQ(box->text(), shown);
        // The end of a long path, the file's name, stays in view.
        EXPECT_EQ(box->cursorPosition(), shown.size()) << name;
        text->appendText(QStringLiteral("note"));
        EXPECT_EQ(session.isModified(), !shown.isEmpty()) << name;
    }
}

TEST_F(MainWindowTest, ActivationEmptiesTheExerciseRecordAndOpensWhatItNamesOnce) {
    QStringList opened;
    auto second = std::make_unique<MainWindow>(Services{boxes, clipboard, fileDialogs, printer, folder.path(),
                                                        [&](const QString& path) { opened << path; }});
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(second->sharedRecordFile().path().toStdString(),
                              configuration::RecordFile::Mode::ReadWrite));
        file.write(31, "   ");
        file.close();
    }
    second->checkExerciseRequest();
    EXPECT_TRUE(opened.isEmpty());
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(second->sharedRecordFile().path().toStdString(),
                              configuration::RecordFile::Mode::ReadWrite));
        file.write(31, "acides/exo1.E36");
        file.close();
    }
    second->checkExerciseRequest();
    second->checkExerciseRequest();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/acides/exo1.E36")));
    EXPECT_TRUE(second->exerciseFromTempFile());
    EXPECT_EQ(record(31), "");
}

TEST_F(MainWindowTest, HintLineFollowsTheMouseAndTheCopyConfirmationStays) {
    auto* open = child<QPushButton>(QStringLiteral("Command2"));
    QTest::mouseMove(open, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(open, &move);
    EXPECT_EQ(window->hint(), QStringLiteral("Pour retrouver une situation enregistrée"));
    QMouseEvent bare(QEvent::MouseMove, QPointF(300, 100), QPointF(300, 100), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window.get(), &bare);
    EXPECT_EQ(window->hint(), MainWindow::defaultHint());
}

TEST(WindowPlacement, CentresAnEightHundredBySixHundredWindowOnlyOnWideScreens) {
    const auto wide = windowPlacement(QRect(0, 0, 1024, 768), QSize(0, 0));
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(*wide, QRect(112, 84, 800, 600));
    const auto framed = windowPlacement(QRect(0, 0, 1920, 1080), QSize(8, 30));
    ASSERT_TRUE(framed.has_value());
    EXPECT_EQ(*framed, QRect(556, 225, 808, 630));
    EXPECT_FALSE(windowPlacement(QRect(0, 0, 800, 600), QSize(0, 0)).has_value());
    EXPECT_FALSE(windowPlacement(QRect(0, 0, 850, 1000), QSize(0, 0)).has_value());
}

TEST_F(MainWindowTest, BackgroundIsAGradientWithAShadowAndTheSituationDiscs) {
    const QImage image = window->background();
    platform::Surface background(MainWindow::kWidth, MainWindow::kHeight);
    background.paintPicture(image, 0, 0);
    EXPECT_EQ(background.pixel(5, 0), (platform::Colour{255, 255, 255}));
    EXPECT_EQ(background.pixel(5, 599), (platform::Colour{200, 200, 180}));
    EXPECT_EQ(background.pixel(5, 300), (platform::Colour{228, 228, 218}));  // 255 − 27.5 rounds to even
    // The shadow shows 3 px right of and below the text area.
    EXPECT_EQ(background.pixel(424 + 361 + 1, 545 + 2), (platform::Colour{128, 128, 128}));
    EXPECT_EQ(background.pixel(424 + 361 + 3, 545 + 3), (platform::Colour{128, 128, 128}));
    EXPECT_NE(background.pixel(424 + 361 + 4, 545 + 4), (platform::Colour{128, 128, 128}));
    // Disc of situation 1, blue, 13 px left of its button and 9 px below its top.
    auto* first = child<QRadioButton>(QStringLiteral("Option2(0)"));
    EXPECT_EQ(background.pixel(first->x() - 13, first->y() + 9), (platform::Colour{0, 0, 255}));
    auto* third = child<QRadioButton>(QStringLiteral("Option2(2)"));
    EXPECT_EQ(background.pixel(third->x() - 13, third->y() + 9), (platform::Colour{192, 0, 192}));
}

TEST_F(MainWindowTest, TheCurrentSituationIsMarkedInItsColour) {
    auto* shape = child<SituationMarker>(QStringLiteral("Shape3"));
    auto* second = child<QRadioButton>(QStringLiteral("Option2(1)"));
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_EQ(window->workbench().state().situations.current, 1);
    EXPECT_EQ(shape->pos(), QPoint(second->x() - 19, second->y() + 3));
    EXPECT_EQ(shape->colour(), QColor(0, 128, 0));
    EXPECT_FALSE(shape->isHidden());
    EXPECT_EQ(shape->size(), QSize(14, 14));
}

namespace {

platform::Colour graphPixel(MainWindow& window, int x, int y) {
    auto* graph = window.findChild<platform::SurfaceView*>(QStringLiteral("Picture1"));
    return graph ? graph->surface().pixel(x, y) : platform::Colour{-1, -1, -1};
}

}  // namespace

TEST_F(MainWindowTest, AFullTitrationByTheTapFillsTheGraphAndTheTableThenShowsTheTools) {
    auto& bench = window->workbench();
    bench.perform(state::chooseSolute, 4);  // acide éthanoïque
    auto* tap = child<QWidget>(QStringLiteral("Image3"));
    QTest::mousePress(tap, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(bench.state().burette.pouring);
    for (int tick = 0; tick < 250; ++tick) bench.perform(state::pourTick);
    // 0 mL and every 0,5 mL: marks in the situation's blue at x = 40 + 14 V, y = 250 − 16 pH.
    auto* grid = child<QTableWidget>(QStringLiteral("MSFlexGrid1"));
    EXPECT_EQ(grid->rowCount(), 1 + 51);
    EXPECT_EQ(grid->item(1 + 40, 0)->text(), QStringLiteral("20,0"));
    EXPECT_EQ(grid->item(1 + 40, 1)->text(), QStringLiteral("8,23"));
    const int xAt20 = 40 + 14 * 20;
    const int yAt20 = static_cast<int>(std::lround(250 - 16 * 8.2252));
    EXPECT_EQ(graphPixel(*window, xAt20 + 2, yAt20), (platform::Colour{0, 0, 255}));
    EXPECT_EQ(graphPixel(*window, xAt20, yAt20 - 2), (platform::Colour{0, 0, 255}));

    bench.perform(state::pourTick);  // the burette is empty: the curve is traced and the situation stored
    QTest::mouseRelease(tap, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(bench.state().situations.records[0].completed);
    EXPECT_FALSE(child<QWidget>(QStringLiteral("outils"))->isHidden());
    EXPECT_EQ(grid->rowCount(), 1 + 51);
    // The theoretical curve crosses the equivalence near x = 320 in blue.
    bool curveSeen = false;
    for (int y = 120; y < 180 && !curveSeen; ++y) {
        curveSeen = graphPixel(*window, xAt20, y) == platform::Colour{0, 0, 255};
    }
    EXPECT_TRUE(curveSeen);
    EXPECT_FALSE(child<QLineEdit>(QStringLiteral("Text1(4)"))->isReadOnly());
}

TEST_F(MainWindowTest, TraceRapideFromTheButtonCompletesTheSituationAndWritesTheHistory) {
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command13")), Qt::LeftButton);
    EXPECT_TRUE(window->workbench().state().situations.records[0].completed);
    EXPECT_EQ(child<QLabel>(QStringLiteral("LabelpH"))->text(), QStringLiteral("11,05"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("Labelbur"))->text(), QStringLiteral("25,0 mL"));
    const QString history = child<platform::RichTextBox>(QStringLiteral("Histo"))->plainText();
    EXPECT_TRUE(history.contains(QStringLiteral("Courbe n° 1"))) << history.toStdString();
    EXPECT_TRUE(history.contains(QStringLiteral("acide acétylsalicylique"))) << history.toStdString();

    // Back to 0 mL from the button "0": the tools go, the situation is no longer completed.
    QTest::mouseClick(child<QPushButton>(QStringLiteral("Command14")), Qt::LeftButton);
    EXPECT_FALSE(window->workbench().state().situations.records[0].completed);
    EXPECT_TRUE(child<QWidget>(QStringLiteral("outils"))->isHidden());
    EXPECT_EQ(child<QLabel>(QStringLiteral("LabelpH"))->text(), QStringLiteral("2,83"));
}

TEST_F(MainWindowTest, TheWelcomeTextCarriesItsStyles) {
    auto* text = child<platform::RichTextBox>(QStringLiteral("supertext"));
    const QString all = text->text();
    const auto formatOf = [&](const QString& piece, int occurrence = 0) {
        int at = -1;
        for (int i = 0; i <= occurrence; ++i) at = static_cast<int>(all.indexOf(piece, at + 1));
        EXPECT_GE(at, 0) << piece.toStdString();
        text->select(at, static_cast<int>(piece.size()));
        return text->selection().format();
    };
    const auto title = formatOf(QStringLiteral("Vireltra"));
    EXPECT_EQ(title.pointSize, 18);
    EXPECT_EQ(title.colour, (rtf::Colour{0, 0, 200}));
    EXPECT_EQ(text->selection().alignment(), rtf::Alignment::Centre);
    EXPECT_EQ(text->selection().indent(), 0);
    const auto temperature = formatOf(QStringLiteral(" 25 °C"));
    EXPECT_TRUE(temperature.bold);
    EXPECT_EQ(temperature.colour, (rtf::Colour{0, 0, 200}));
    const auto exponent = formatOf(QStringLiteral("-8"));
    EXPECT_EQ(exponent.offsetTwips, 50);
    EXPECT_EQ(exponent.pointSize, 8);
    const auto plain = formatOf(QStringLiteral("Pour simuler un titrage"));
    EXPECT_EQ(plain.colour, (rtf::Colour{0, 0, 0}));
    EXPECT_FALSE(plain.bold);
    EXPECT_EQ(plain.pointSize, 10);
    EXPECT_EQ(text->selection().indent(), 20);
    EXPECT_EQ(text->selection().alignment(), rtf::Alignment::Left);
    EXPECT_TRUE(all.endsWith(QStringLiteral("dans le menu Exercices.")));
    EXPECT_EQ(text->selStart(), all.indexOf(QStringLiteral("Pour simuler")));
}

TEST(SharedRecordFile, GoesToThePerUserFolderWhenTheProgramFolderCannotBeWritten) {
    testsupport::application();
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("no/such/folder"));
    const SharedRecordFile file(missing);
    EXPECT_TRUE(
        file.path().startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)))
        << file.path().toStdString();
    file.markRunning(true);
    configuration::RecordFile records;
    ASSERT_TRUE(records.open(file.path().toStdString(), configuration::RecordFile::Mode::Read));
    EXPECT_EQ(records.read(8).value_or(""), "OUI");
    records.close();
    QFile::remove(file.path());
    const SharedRecordFile here(folder.path());
    EXPECT_EQ(here.path(), QDir(folder.path()).filePath(QStringLiteral("TEMPKV.TMP")));
}

// --- Defects found by trying the window ----------------------------------------------------------

TEST_F(MainWindowTest, RealPointerMovesShowTheHintOfEachControl) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    auto* tabs = child<TabStrip>(QStringLiteral("Onglets"));
    struct Case {
        int tab;  // the page the control is on, 0 for the window itself
        const char* control;
        const char* hint;
    };
    const Case cases[] = {
        {0, "Command1", "Pour retrouver le module principal et quitter cette application"},
        {0, "Command2", "Pour retrouver une situation enregistrée"},
        {0, "Command11", "Enregistrer les paramètres en cours"},
        {0, "Command4",
         "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint..."},
        {0, "Command10", "Configurer l'imprimante et imprimer l'image"},
        {0, "Command8", "Afficher la machine à calculer"},
        {0, "Command7", "Si vous rencontrez une difficulté avec cette application"},
        {0, "btexo", "Ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou fermer"},
        {0, "Image3", "Utiliser le bouton gauche de la souris pour ouvrir le robinet."},
        {0, "Text1(1)", "Concentration de la solution introduite dans la burette"},
        {0, "Text1(5)", "Volume de solution versée (vous pouvez également utiliser le robinet)"},
        {1, "Text1(0)", "Concentration de la solution introduite dans le bécher"},
        {1, "Text1(4)", "Volume de la solution introduite dans le bécher"},
        {1, "Text1(6)", "Volume d'eau distillée ajoutée"},
        {1, "Command5", "Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté"},
        {2, "Picture1", "Déplacer la souris pour lire les coordonnées d'un point."},
        {4, "Picture3", "Déplacer la souris pour lire l'abscisse d'un point."},
        {4, "masquer", "Utiliser cette option pour cacher la concentration."},
    };
    QWindow* handle = window->windowHandle();
    const QPoint bare(300, 100);  // between the illustration and the tab strip
    for (const Case& c : cases) {
        if (c.tab != 0) tabs->selectTab(c.tab);
        QTest::mouseMove(handle, bare);
        EXPECT_EQ(window->hint(), MainWindow::defaultHint()) << c.control;
        auto* control = child<QWidget>(QString::fromUtf8(c.control));
        if (!control) continue;
        // Near the control's left edge: pages have controls laid over their middle.
        QTest::mouseMove(handle, control->mapTo(window.get(), QPoint(4, control->height() / 2)));
        EXPECT_EQ(window->hint(), QString::fromUtf8(c.hint)) << c.control;
    }
}

TEST_F(MainWindowTest, AFormattedConcentrationShowsFromItsBeginning) {
    auto* field = child<QLineEdit>(QStringLiteral("Text1(1)"));
    window->workbench().setFieldText(state::Field::TitrantConcentration, QStringLiteral("0"));
    window->workbench().validateField(state::Field::TitrantConcentration);
    EXPECT_EQ(field->text(), QStringLiteral("0,000 000 01"));
    EXPECT_EQ(field->cursorPosition(), 0);
}

TEST_F(MainWindowTest, ControlsLaidOnThePanelsTakeTheirColour) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    for (const auto& [tab, name] : {std::pair{1, "Option1(0)"}, std::pair{1, "Option1(1)"},
                                    std::pair{4, "optscema(0)"}, std::pair{4, "Check1"}}) {
        child<TabStrip>(QStringLiteral("Onglets"))->selectTab(tab);
        auto* option = child<QWidget>(QString::fromLatin1(name));
        const QImage picture =
            window->grab(QRect(option->mapTo(window.get(), QPoint(0, 0)), option->size())).toImage();
        // The right end of the button holds no text: only its background.
        EXPECT_EQ(QColor(picture.pixel(picture.width() - 2, picture.height() / 2)), QColor(240, 235, 230))
            << name;
    }
}

TEST_F(MainWindowTest, SituationTenTakesTheButtonTextColourOnlyWhenItShowsOnWhite) {
    struct Case {
        QColor buttonText;
        platform::Colour expected;
    };
    const QPalette saved = QApplication::palette();
    for (const Case& c :
         {Case{QColor(10, 120, 30), platform::Colour{10, 120, 30}}, Case{QColor(0, 0, 0), platform::kBlack},
          Case{QColor(220, 220, 220), platform::kBlack},  // a dark theme's light text
          Case{QColor(150, 150, 150), platform::kBlack}}) {
        QPalette changed = saved;
        changed.setColor(QPalette::ButtonText, c.buttonText);
        QApplication::setPalette(changed);
        MainWindow themed(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
        QApplication::setPalette(saved);
        EXPECT_EQ(state::situationColour(themed.workbench().state(), 9), c.expected)
            << c.buttonText.name().toStdString();
    }
}

TEST_F(MainWindowTest, EveryControlCarriesItsHoverText) {
    // The graph's and the options page's hover texts follow the pointer: their panels' tests.
    window->exerciseSession().setName(QStringLiteral("/home/eleve/enonce.rtf"));
    const char* cases[][2] = {{"Command4", "Placer l'image dans le presse-papiers"},
                              {"Image1", "Ajouter une goutte"},
                              {"fich", "/home/eleve/enonce.rtf"}};
    for (const auto& [name, text] : cases) {
        auto* control = child<QWidget>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->toolTip(), QString::fromUtf8(text)) << name;
    }
}

namespace {

struct LazyPageCase {
    TabPage tab;
    const char* control;  // a control of the page, reached by Tab from the strip
};

}  // namespace

TEST_F(MainWindowTest, BuildsEachOtherPageWhenFirstChosenWithWhatHappenedBefore) {
    // As the program starts it: only the first page is built.
    MainWindow fresh(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    fresh.show();
    fresh.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
    BenchController& bench = fresh.workbench();
    bench.perform(state::setSuperposeCurves, true);
    bench.perform(state::quickTrace);
    auto* tabs = fresh.findChild<TabStrip*>();
    ASSERT_NE(tabs, nullptr);
    // A lab command handed in before the table page exists waits for it.
    int imports = 0;
    fresh.setLabAction(LabCommand::Import, [&imports] { ++imports; });

    const LazyPageCase cases[] = {{TabPage::Graph, "Command12"},
                                  {TabPage::Table, "MSFlexGrid1"},
                                  {TabPage::Options, "optscema(0)"},
                                  {TabPage::History, "Histo"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        EXPECT_FALSE(tabs->hasPage(c.tab));
        EXPECT_EQ(fresh.findChild<QWidget*>(QString::fromLatin1(c.control)), nullptr);
        tabs->selectTab(static_cast<int>(c.tab));
        auto* control = fresh.findChild<QWidget*>(QString::fromLatin1(c.control));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isVisible());
        // The new page joins the Tab order right after the strip.
        tabs->setFocus(Qt::TabFocusReason);
        QTest::keyClick(tabs, Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.control));
    }
    auto* importer = fresh.findChild<QPushButton*>(QStringLiteral("importer"));
    ASSERT_NE(importer, nullptr);
    EXPECT_TRUE(importer->isEnabled());
    importer->click();
    EXPECT_EQ(imports, 1);
    const int rows = bench.state().rows.count();
    EXPECT_EQ(fresh.findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"))->rowCount(), rows + 1);
    EXPECT_TRUE(fresh.findChild<QAbstractButton*>(QStringLiteral("Check1"))->isChecked());
    EXPECT_TRUE(fresh.findChild<platform::RichTextBox*>(QStringLiteral("Histo"))
                    ->plainText()
                    .contains(QStringLiteral("Courbe n° 1")));
}

TEST_F(MainWindowTest, APrintoutBuildsTheTablePageItTakesTheRowsFrom) {
    MainWindow fresh(Services{boxes, clipboard, fileDialogs, printer, folder.path(), {}});
    fresh.workbench().perform(state::quickTrace);
    const int rows = fresh.workbench().state().rows.count();
    ASSERT_GT(rows, 0);
    EXPECT_FALSE(fresh.findChild<TabStrip*>()->hasPage(TabPage::Table));
    const QImage table = fresh.printSources().table(0, rows);
    EXPECT_FALSE(table.isNull());
    EXPECT_TRUE(fresh.findChild<TabStrip*>()->hasPage(TabPage::Table));
}
