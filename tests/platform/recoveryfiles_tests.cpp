// Where the recovery copies live, and whose they are: each running program writes its own, and a
// copy is offered only once its program is gone, to one program at a time.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <memory>

#include "platform/folders.h"
#include "platform/recoveryfiles.h"
#include "tests/homefolder.h"

using platform::RecoveryFiles;

namespace {

struct StateFolderCase {
    const char* name;
    const char* stateHome;  // nullptr: unset
    const char* expected;   // under the home folder, unless it starts with "/"
};

void PrintTo(const StateFolderCase& c, std::ostream* out) {
    *out << c.name;
}

class UserStateFolder : public testing::TestWithParam<StateFolderCase> {};

std::vector<unsigned char> bytesOf(const char* text) {
    return std::vector<unsigned char>(text, text + std::strlen(text));
}

}  // namespace

TEST_P(UserStateFolder, FollowsTheXdgStateHome) {
    QTemporaryDir home;
    const testing_support::HomeFolder moved(home.path());
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    if (GetParam().stateHome) {
        qputenv("XDG_STATE_HOME", GetParam().stateHome);
    } else {
        qunsetenv("XDG_STATE_HOME");
    }
    const QString expected = QString::fromUtf8(GetParam().expected);
    EXPECT_EQ(platform::userStateFolder(),
              expected.startsWith('/') ? expected : home.path() + '/' + expected);
    if (previous.isNull()) {
        qunsetenv("XDG_STATE_HOME");
    } else {
        qputenv("XDG_STATE_HOME", previous);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Environment, UserStateFolder,
    testing::Values(StateFolderCase{"Unset", nullptr, ".local/state/vireltra"},
                    StateFolderCase{"Empty", "", ".local/state/vireltra"},
                    StateFolderCase{"Absolute", "/var/tmp/élève/state/", "/var/tmp/élève/state/vireltra"},
                    StateFolderCase{"RelativeIsIgnored", "state", ".local/state/vireltra"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecoveryFiles, TwoRunningProgramsWriteTwoCopiesAndOfferNeitherToTheOther) {
    QTemporaryDir folder;
    const QString inside = folder.filePath(QStringLiteral("état/vireltra"));
    RecoveryFiles first(inside);
    RecoveryFiles second(inside);
    ASSERT_TRUE(first.usable() && second.usable());
    EXPECT_NE(first.copyPath(), second.copyPath());
    ASSERT_TRUE(first.write(bytesOf("premier")));
    ASSERT_TRUE(second.write(bytesOf("second")));
    ASSERT_TRUE(first.write(bytesOf("premier, encore")));
    EXPECT_EQ(RecoveryFiles::read(first.copyPath()), bytesOf("premier, encore"));
    EXPECT_EQ(RecoveryFiles::read(second.copyPath()), bytesOf("second"));
    EXPECT_FALSE(first.takeLeftCopy().has_value());
    EXPECT_FALSE(second.takeLeftCopy().has_value());
    // What the pupil was doing stays the pupil's.
    EXPECT_EQ(QFileInfo(inside).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
}

TEST(RecoveryFiles, CopiesOfProgramsGoneAreTakenNewestFirstOnceEachAndGoAtTheNormalClose) {
    QTemporaryDir folder;
    QString older;
    QString newer;
    for (QString* path : {&older, &newer}) {
        RecoveryFiles gone(folder.path());  // gone without closing: its copy stays
        ASSERT_TRUE(gone.write(bytesOf("travail")));
        *path = gone.copyPath();
    }
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();

    RecoveryFiles restarted(folder.path());
    auto meanwhile = std::make_unique<RecoveryFiles>(folder.path());
    const auto first = restarted.takeLeftCopy();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->path, newer);
    // A program started meanwhile is offered only what the first did not take.
    const auto second = meanwhile->takeLeftCopy();
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->path, older);
    EXPECT_FALSE(restarted.takeLeftCopy().has_value());

    ASSERT_TRUE(restarted.write(bytesOf("suite")));
    restarted.removeAll();
    EXPECT_FALSE(QFileInfo::exists(newer));
    EXPECT_FALSE(QFileInfo::exists(restarted.copyPath()));
    EXPECT_TRUE(QFileInfo::exists(older));
    // Ended without a normal close, a program gives back what it took, for the next start.
    meanwhile.reset();
    RecoveryFiles next(folder.path());
    const auto again = next.takeLeftCopy();
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->path, older);
    EXPECT_EQ(RecoveryFiles::read(again->path), bytesOf("travail"));
}
