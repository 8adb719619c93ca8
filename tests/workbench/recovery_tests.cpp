// The window keeps a recovery copy of its work, offers at start-up what a program left without
// closing, and removes the copies when it closes normally.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include "numbers/typednumber.h"
#include "platform/richtextbox.h"
#include "state/actions.h"
#include "state/recoverycopy.h"
#include "testsupport.h"
#include "workbench/exercisesession.h"
#include "workbench/recoverykeeper.h"

using platform::MessageAnswer;
using platform::MessageButtons;
using workbench::RecoveryKeeper;

namespace {

// A window of the program keeping its copy in `folder`, with scripted services.
struct Program {
    explicit Program(const QString& folder) {
        testsupport::application();
        window = std::make_unique<workbench::MainWindow>(
            workbench::Services{boxes, clipboard, fileDialogs, printer, data.path(), {}, nullptr, folder});
        window->recovery()->setDelay(20);
    }
    RecoveryKeeper& keeper() { return *window->recovery(); }
    QString poured() { return window->workbench().fieldText(state::Field::PouredVolume); }
    // Ten ticks of the tap and a line typed into the text area, written to the copy.
    void work() {
        window->workbench().pressTap(workbench::Input::Mouse);
        for (int i = 0; i < 10; ++i) window->workbench().perform(state::pourTick);
        window->workbench().perform(state::releaseTap);
        QTest::keyClicks(&window->exerciseSession().text(), QStringLiteral("Mes notes"));
        QSignalSpy written(&keeper(), &RecoveryKeeper::copyWritten);
        while (keeper().pending()) ASSERT_TRUE(written.wait(5000));
    }
    void closeNormally() {
        boxes.queueAnswer(MessageAnswer::Ok);  // "Quitter vraiment Vireltra ?"
        window->close();
    }

    QTemporaryDir data;
    platform::ScriptedMessageBoxes boxes;
    platform::RecordingClipboard clipboard;
    platform::ScriptedFileDialogs fileDialogs;
    platform::RecordingPrinter printer;
    std::unique_ptr<workbench::MainWindow> window;
};

}  // namespace

TEST(RecoveryCopy, IsWrittenBetweenTheTicksOfAPourAfterTheDelay) {
    QTemporaryDir folder;
    Program program(folder.path());
    workbench::BenchController& bench = program.window->workbench();
    bench.pressTap(workbench::Input::Mouse);
    bench.perform(state::pourTick);
    const QString copy = program.keeper().files().copyPath();
    EXPECT_FALSE(QFileInfo::exists(copy)) << "written inside the tick";
    EXPECT_TRUE(program.keeper().pending());
    // The tap's timer goes on pouring meanwhile.
    QSignalSpy written(&program.keeper(), &RecoveryKeeper::copyWritten);
    ASSERT_TRUE(written.wait(5000));
    EXPECT_TRUE(bench.state().burette.pouring);
    bench.perform(state::releaseTap);
    const auto bytes = platform::RecoveryFiles::read(copy);
    ASSERT_TRUE(bytes.has_value());
    const auto read = state::decodeRecoveryCopy(*bytes);
    ASSERT_TRUE(read.has_value());
    const double saved = numbers::TypedNumber(read->bench.panel.pouredVolumeText).valueOr(0);
    EXPECT_GE(saved, 0.1);
    EXPECT_LE(saved, state::fieldValue(bench.state(), state::Field::PouredVolume));
    EXPECT_TRUE(program.boxes.calls().empty());
}

namespace {

struct StartCase {
    const char* name;
    bool damaged;
    MessageAnswer answer;
    const char* title;
    const char* poured;  // what the window shows after the answer
    bool notes;          // the text area holds what was typed before
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

class AtStartUp : public testing::TestWithParam<StartCase> {};

}  // namespace

TEST_P(AtStartUp, WorkLeftIsOfferedOnceThenKeptAsideUntilTheNormalClose) {
    const StartCase& c = GetParam();
    QTemporaryDir folder;
    QString left;
    {
        Program killed(folder.path());
        killed.work();
        left = killed.keeper().files().copyPath();
    }  // gone without closing: its copy stays
    ASSERT_TRUE(QFileInfo::exists(left));
    if (c.damaged) {
        QFile file(left);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(file.size() / 2);
        file.write("dommage");
    }

    Program restarted(folder.path());
    restarted.boxes.queueAnswer(c.answer);
    restarted.window->offerRecovery();
    ASSERT_EQ(restarted.boxes.calls().size(), 1u);
    const auto& question = restarted.boxes.calls()[0];
    EXPECT_EQ(question.title, QString::fromUtf8(c.title));
    EXPECT_EQ(question.buttons, c.damaged ? MessageButtons::Ok : MessageButtons::RestoreIgnore);
    EXPECT_EQ(restarted.poured(), QString::fromUtf8(c.poured));
    EXPECT_EQ(restarted.window->exerciseSession().text().plainText().contains(QStringLiteral("Mes notes")),
              c.notes);
    // Asked once: neither again nor by a program started meanwhile.
    restarted.window->offerRecovery();
    Program meanwhile(folder.path());
    meanwhile.window->offerRecovery();
    EXPECT_EQ(restarted.boxes.calls().size(), 1u);
    EXPECT_TRUE(meanwhile.boxes.calls().empty());
    EXPECT_TRUE(QFileInfo::exists(left));

    restarted.closeNormally();
    EXPECT_FALSE(restarted.boxes.hasFailures()) << restarted.boxes.failures().join('\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_FALSE(QFileInfo::exists(restarted.keeper().files().copyPath()));
}

INSTANTIATE_TEST_SUITE_P(Answers, AtStartUp,
                         testing::Values(StartCase{"RestaurerShowsTheWorkAgain", false,
                                                   MessageAnswer::Restore, "Travail retrouvé", "1,0", true},
                                         StartCase{"IgnorerKeepsTheNewBench", false, MessageAnswer::Ignore,
                                                   "Travail retrouvé", "0,0", false},
                                         StartCase{"ADamagedCopyIsSaidToBeSo", true, MessageAnswer::Ok,
                                                   "Copie de secours", "0,0", false}),
                         [](const auto& info) { return std::string(info.param.name); });
