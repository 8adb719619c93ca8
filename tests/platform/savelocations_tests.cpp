// The data folder no save may go into, however a path leads there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string_view>

#include "platform/savelocations.h"
#include "tests/support/filesystemabilities.h"

TEST(SaveLocations, TheDataFolderHoldsEveryPathThatLeadsIntoIt) {
    QTemporaryDir folder;
    QDir dir(folder.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("data/exercises")) && dir.mkpath(QStringLiteral("autre")));
    const bool linked = testsupport::canLinkFiles();
    if (linked) {
        ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("data/exercises")),
                                dir.filePath(QStringLiteral("lien"))));
    }
    const platform::SaveLocations locations(dir.filePath(QStringLiteral("data/")));
    const std::pair<const char*, bool> cases[] = {
        {"data/exercises/A.RTF", true}, {"data/absent/essai.C13", true}, {"autre/../data/essai.C13", true},
        {"lien/A.RTF", true},           {"data2/essai.C13", false},      {"essai.C13", false}};
    for (const auto& [target, inside] : cases) {
        if (!linked && std::string_view(target).starts_with("lien")) continue;
        EXPECT_EQ(locations.isInDataFolder(dir.filePath(QString::fromLatin1(target))), inside) << target;
    }
    // A program without a data folder refuses nothing.
    EXPECT_FALSE(
        platform::SaveLocations(QString()).isInDataFolder(dir.filePath(QStringLiteral("essai.C13"))));
    if (!linked) GTEST_SKIP() << "the path through a link: " << testsupport::kNoLinkReason;
}
