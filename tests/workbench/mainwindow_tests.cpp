// The real main window, offscreen: start-up, the shared record file, closing, hints, the
// background and whole titrations seen through the panels.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "configuration/recordfile.h"
#include "platform/recordingclipboard.h"
#include "platform/richtextbox.h"
#include "platform/scriptedmessageboxes.h"
#include "platform/surfaceview.h"
#include "testsupport.h"
#include "workbench/mainwindow.h"

using namespace workbench;
using platform::MessageAnswer;

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : app(testsupport::application()) {
        window = std::make_unique<MainWindow>(Services{boxes, clipboard, folder.path(), {}});
    }
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

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    std::unique_ptr<MainWindow> window;
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
    auto* fich = child<QLineEdit>(QStringLiteral("fich"));
    fich->setText(folder.filePath(QStringLiteral("exercice.E36")));
    child<platform::RichTextBox>(QStringLiteral("supertext"))->appendText(QStringLiteral("ma réponse"));
    ASSERT_TRUE(window->textModified());
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

TEST_F(MainWindowTest, EditingTheWelcomeTextDoesNotCountAsAModification) {
    child<platform::RichTextBox>(QStringLiteral("supertext"))->appendText(QStringLiteral("note"));
    EXPECT_FALSE(window->textModified());
}

TEST_F(MainWindowTest, ActivationEmptiesTheExerciseRecordAndOpensWhatItNamesOnce) {
    QStringList opened;
    auto second = std::make_unique<MainWindow>(
        Services{boxes, clipboard, folder.path(), [&](const QString& path) { opened << path; }});
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(second->sharedRecordFile().path().toStdString(),
                              configuration::RecordFile::Mode::ReadWrite));
        file.write(31, "   ");
        file.close();
    }
    second->Form_Activate();
    EXPECT_TRUE(opened.isEmpty());
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(second->sharedRecordFile().path().toStdString(),
                              configuration::RecordFile::Mode::ReadWrite));
        file.write(31, "acides/exo1.E36");
        file.close();
    }
    second->Form_Activate();
    second->Form_Activate();
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
    QMouseEvent bare(QEvent::MouseMove, QPointF(300, 20), QPointF(300, 20), Qt::NoButton, Qt::NoButton,
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
    const auto& background = window->background();
    EXPECT_EQ(background.pixel(5, 0), (platform::Colour{255, 255, 255}));
    EXPECT_EQ(background.pixel(5, 599), (platform::Colour{200, 200, 180}));
    EXPECT_EQ(background.pixel(5, 300), (platform::Colour{228, 228, 218}));  // 255 − 27.5 rounds to even
    // The shadow shows 3 px right of and below the text area.
    EXPECT_EQ(background.pixel(424 + 361 + 1, 545 + 2), (platform::Colour{128, 128, 128}));
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
    EXPECT_EQ(window->workbench().currentSituation(), 1);
    EXPECT_EQ(shape->pos(), QPoint(second->x() - 19, second->y() + 3));
    EXPECT_EQ(shape->colour(), QColor(0, 128, 0));
    EXPECT_FALSE(shape->isHidden());
    EXPECT_EQ(shape->size(), QSize(14, 14));
}
