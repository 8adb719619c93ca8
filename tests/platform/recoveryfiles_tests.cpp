// Where the recovery copies live, and whose they are: each running program writes its own, and a
// copy is offered only once its program is gone, newest first, to one program at a time.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QTemporaryDir>
#include <cstring>
#include <memory>

#include "platform/folders.h"
#include "platform/recoveryfiles.h"
#include "tests/homefolder.h"

using platform::RecoveryFiles;

TEST(UserStateFolder, IsTheXdgStateHomeWhenAbsoluteElseTheOneInTheHomeFolder) {
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP()
            << "Windows keeps this state in the user's local application data, not under XDG_STATE_HOME";
    QTemporaryDir home;
    const testing_support::HomeFolder moved(home.path());
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    const QString inHome = home.path() + QStringLiteral("/.local/state/vireltra");
    for (const auto& [stateHome, expected] :
         {std::pair<const char*, QString>{"", inHome},
          {"relatif/état", inHome},
          {"/var/tmp/élève/", QStringLiteral("/var/tmp/élève/vireltra")}}) {
        qputenv("XDG_STATE_HOME", stateHome);
        EXPECT_EQ(platform::userStateFolder(), expected) << stateHome;
    }
    qputenv("XDG_STATE_HOME", previous);
}

TEST(RecoveryFiles, RunningProgramsKeepTheirOwnCopyAndTheNextStartTakesThoseOfProgramsGone) {
    QTemporaryDir folder;
    const auto bytes = [](const char* text) {
        return std::vector<unsigned char>(text, text + std::strlen(text));
    };
    QString older;
    QString newer;
    for (QString* path : {&older, &newer}) {
        RecoveryFiles gone(folder.filePath(QStringLiteral("état")));  // gone without closing
        ASSERT_TRUE(gone.write(bytes("travail")));
        *path = gone.copyPath();
    }
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();

    RecoveryFiles restarted(folder.filePath(QStringLiteral("état")));
    auto meanwhile = std::make_unique<RecoveryFiles>(folder.filePath(QStringLiteral("état")));
    ASSERT_TRUE(restarted.write(bytes("suite")) && meanwhile->write(bytes("autre")));
    EXPECT_EQ(RecoveryFiles::read(restarted.copyPath()), bytes("suite"));
    EXPECT_EQ(restarted.takeLeftCopy().value().path, newer);
    // A program started meanwhile is offered only what the first did not take, never a live copy.
    EXPECT_EQ(meanwhile->takeLeftCopy().value().path, older);
    EXPECT_FALSE(restarted.takeLeftCopy().has_value());

    restarted.removeAll();
    EXPECT_FALSE(QFileInfo::exists(newer) || QFileInfo::exists(restarted.copyPath()));
    // Ended without a normal close, a program gives back what it took, for the next start.
    const QString kept = meanwhile->copyPath();
    meanwhile.reset();
    RecoveryFiles next(folder.filePath(QStringLiteral("état")));
    EXPECT_EQ(next.takeLeftCopy().value().path, kept);
    EXPECT_EQ(next.takeLeftCopy().value().path, older);
}
