// The window keeps a recovery copy of its work between the ticks of a pour, offers once at start-up
// what a program left without closing, and removes the copies when it closes normally.
#include <gtest/gtest.h>

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
using workbench::RecoveryKeeper;

namespace {

// A window of the program keeping its copy in `folder`, with scripted services.
struct Program {
    explicit Program(const QString& folder) {
        testsupport::application();
        window = std::make_unique<workbench::MainWindow>(
            workbench::Services{boxes, clipboard, fileDialogs, printer, data.path(), {}, nullptr, folder});
        keeper().setDelay(20);
    }
    RecoveryKeeper& keeper() { return *window->recovery(); }
    workbench::BenchController& bench() { return window->workbench(); }
    bool waitForCopy() { return QSignalSpy(&keeper(), &RecoveryKeeper::copyWritten).wait(5000); }

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
    program.bench().pressTap(workbench::Input::Mouse);
    program.bench().perform(state::pourTick);
    const QString copy = program.keeper().files().copyPath();
    EXPECT_FALSE(QFileInfo::exists(copy)) << "written inside the tick";
    ASSERT_TRUE(program.waitForCopy());  // the tap's timer pours meanwhile
    EXPECT_TRUE(program.bench().state().burette.pouring);
    program.bench().perform(state::releaseTap);
    const auto read = state::decodeRecoveryCopy(platform::RecoveryFiles::read(copy).value());
    ASSERT_TRUE(read.has_value());
    const double saved = numbers::TypedNumber(read->bench.panel.pouredVolumeText).valueOr(0);
    EXPECT_GE(saved, 0.1);
    EXPECT_LE(saved, state::fieldValue(program.bench().state(), state::Field::PouredVolume));
}

namespace {

struct StartCase {
    const char* name;
    bool damaged;
    MessageAnswer answer;
    const char* title;
    const char* poured;  // what the window shows after the answer
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
        killed.bench().perform(state::quickTrace);
        QTest::keyClicks(&killed.window->exerciseSession().text(), QStringLiteral("Mes notes"));
        while (killed.keeper().pending()) ASSERT_TRUE(killed.waitForCopy());
        left = killed.keeper().files().copyPath();
    }  // gone without closing: its copy stays
    if (c.damaged) {
        QFile file(left);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(file.size() / 2) && file.write("x") == 1);
    }

    Program restarted(folder.path());
    restarted.boxes.queueAnswer(c.answer);
    restarted.window->offerRecovery();
    restarted.window->offerRecovery();
    Program meanwhile(folder.path());
    meanwhile.window->offerRecovery();
    ASSERT_EQ(restarted.boxes.calls().size(), 1u);
    EXPECT_EQ(restarted.boxes.calls()[0].title, QString::fromUtf8(c.title));
    EXPECT_TRUE(meanwhile.boxes.calls().empty());
    EXPECT_EQ(restarted.bench().fieldText(state::Field::PouredVolume), QString::fromUtf8(c.poured));
    EXPECT_EQ(restarted.window->exerciseSession().text().plainText().contains(QStringLiteral("Mes notes")),
              c.answer == MessageAnswer::Restore);
    EXPECT_TRUE(QFileInfo::exists(left));

    restarted.boxes.queueAnswer(MessageAnswer::Ok);  // "Quitter vraiment Vireltra ?"
    restarted.window->close();
    EXPECT_FALSE(restarted.boxes.hasFailures()) << restarted.boxes.failures().join('\n').toStdString();
    EXPECT_FALSE(QFileInfo::exists(left) || QFileInfo::exists(restarted.keeper().files().copyPath()));
}

INSTANTIATE_TEST_SUITE_P(Answers, AtStartUp,
                         testing::Values(StartCase{"RestaurerShowsTheWorkAgain", false,
                                                   MessageAnswer::Restore, "Travail retrouvé", "25,0"},
                                         StartCase{"IgnorerKeepsTheNewBench", false, MessageAnswer::Ignore,
                                                   "Travail retrouvé", "0,0"},
                                         StartCase{"ADamagedCopyIsSaidToBeSo", true, MessageAnswer::Ok,
                                                   "Copie de secours", "0,0"}),
                         [](const auto& info) { return std::string(info.param.name); });
