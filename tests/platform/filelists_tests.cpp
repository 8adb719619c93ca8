#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include "tests/support/childprocess.h"

#include "platform/directorylist.h"
#include "platform/drivelist.h"
#include "platform/filelist.h"

using platform::DirectoryList;
using platform::Drive;
using platform::DriveList;
using platform::FileList;
using platform::MountedVolume;

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// A folder of exercises and configurations, with hidden entries that the lists must not show.
class Folder {
  public:
    Folder() {
        for (const char* sub : {"Travail", "annexes", "exos10", "exos9", ".cache"}) root().mkdir(sub);
        for (const char* file :
             {"essai.C13", "autre.c13", "Mixte.C13", "essai10.C13", "essai2.C13", "notes.txt", ".cachee.C13",
              "C13", "copie.C13.bak", "serie.E36", "Serie2.e36"})
            touch(root().filePath(file));
    }
    QDir root() const { return QDir(m_dir.path()); }
    QString path(const QString& relative = QString()) const {
        return QDir::toNativeSeparators(relative.isEmpty() ? m_dir.path() : root().filePath(relative));
    }

  private:
    QTemporaryDir m_dir;
};

QStringList entries(const QListWidget& list, int from = 0) {
    QStringList texts;
    for (int row = from; row < list.count(); ++row) texts << list.item(row)->text();
    return texts;
}

}  // namespace

// --- Drives -------------------------------------------------------------------------------

struct VolumeCase {
    const char* name;
    MountedVolume volume;
    bool listed;
    const char* label;
};

void PrintTo(const VolumeCase& c, std::ostream* out) {
    *out << c.name;
}

class UserDrives : public testing::TestWithParam<VolumeCase> {};

TEST_P(UserDrives, KeepsOnlyVolumesTheUserSees) {
    const std::vector<Drive> drives = platform::userDrives({GetParam().volume}, "/home/ana");
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[0], (Drive{"/", "/"}));
    EXPECT_EQ(drives[1], (Drive{"/home/ana", "Dossier personnel"}));
    if (GetParam().listed) {
        ASSERT_EQ(drives.size(), 3u);
        EXPECT_EQ(drives[2].root, QDir::cleanPath(GetParam().volume.rootPath));
        EXPECT_EQ(drives[2].label, QString::fromUtf8(GetParam().label));
    } else {
        EXPECT_EQ(drives.size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Volumes, UserDrives,
    testing::Values(
        VolumeCase{
            "UsbKeyUnderMediaByItsName", {"/media/ana/CLE", "vfat", "CLE VERTE", true}, true, "CLE VERTE"},
        VolumeCase{"UnnamedDiskUnderRunMediaByItsFolder",
                   {"/run/media/ana/DISQUE", "ext4", "", true},
                   true,
                   "DISQUE"},
        VolumeCase{"DataDiskUnderMnt", {"/mnt/donnees/", "ext4", "donnees", true}, true, "donnees"},
        VolumeCase{"MacVolume", {"/Volumes/Clef", "msdos", "Clef", true}, true, "Clef"},
        VolumeCase{"SystemPartitionIsNotAUserVolume", {"/boot/efi", "vfat", "EFI", true}, false, ""},
        VolumeCase{"TmpfsOfTheSessionIsNotAUserVolume", {"/run/user/1000", "tmpfs", "", true}, false, ""},
        VolumeCase{"PseudoFileSystemUnderMediaIsSkipped", {"/media/ana/x", "tmpfs", "", true}, false, ""},
        VolumeCase{"SnapImageIsSkipped", {"/mnt/snap", "squashfs", "", true}, false, ""},
        VolumeCase{"EmptyCdDriveIsSkipped", {"/media/ana/CDROM", "iso9660", "CD", false}, false, ""},
        VolumeCase{"MntItselfIsNotAVolume", {"/mnt", "ext4", "", true}, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UserDrives, ListsEachVolumeOnceInPathOrderAfterRootAndHome) {
    const std::vector<Drive> drives = platform::userDrives({{"/media/ana/ZED", "vfat", "ZED", true},
                                                            {"/", "ext4", "", true},
                                                            {"/media/ana/ABC", "vfat", "ABC", true},
                                                            {"/media/ana/ZED", "vfat", "ZED", true}},
                                                           "/home/ana/");
    std::vector<QString> roots;
    for (const Drive& d : drives) roots.push_back(d.root);
    EXPECT_EQ(roots, (std::vector<QString>{"/", "/home/ana", "/media/ana/ABC", "/media/ana/ZED"}));
}

class DriveListTest : public testing::Test {
  protected:
    DriveListTest() {
        list.setDrives({{"/", "/"}, {"/home/ana", "Dossier personnel"}, {"/media/ana/CLE", "CLE"}});
    }
    DriveList list;
};

TEST_F(DriveListTest, ChoosesTheDeepestDriveThatHoldsThePathAndSaysSo) {
    QSignalSpy changes(&list, &DriveList::driveChanged);
    EXPECT_TRUE(list.setDrive("/home/ana/Documents/chimie"));
    EXPECT_EQ(list.drive(), "/home/ana");
    EXPECT_TRUE(list.setDrive("/media/ana/CLE"));
    EXPECT_EQ(list.drive(), "/media/ana/CLE");
    EXPECT_TRUE(list.setDrive("/media/ana/CLEF/x"));  // another folder that starts alike
    EXPECT_EQ(list.drive(), "/");
    ASSERT_EQ(changes.count(), 3);
    EXPECT_EQ(changes[0][0].toString(), "/home/ana");
    EXPECT_EQ(changes[2][0].toString(), "/");
}

TEST_F(DriveListTest, TheSameDriveAgainIsNoChange) {
    list.setDrive("/home/ana");
    QSignalSpy changes(&list, &DriveList::driveChanged);
    EXPECT_TRUE(list.setDrive("/home/ana/Bureau"));
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(DriveListTest, APathNoDriveHoldsChangesNothing) {
    list.setDrive("/home/ana");
    QSignalSpy changes(&list, &DriveList::driveChanged);
    EXPECT_FALSE(list.setDrive(""));
    EXPECT_EQ(list.drive(), "/home/ana");
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(DriveListTest, NewDrivesKeepTheCurrentOneWhileItIsListed) {
    list.setDrive("/media/ana/CLE");
    QSignalSpy changes(&list, &DriveList::driveChanged);
    list.setDrives({{"/", "/"}, {"/media/ana/CLE", "CLE"}});
    EXPECT_EQ(list.drive(), "/media/ana/CLE");
    EXPECT_TRUE(changes.isEmpty());
    list.setDrives({{"/", "/"}});
    EXPECT_EQ(list.drive(), "/");
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(DriveListTest, TheKeyboardChoosesADrive) {
    list.show();
    list.setFocus();
    QSignalSpy changes(&list, &DriveList::driveChanged);
    QTest::keyClick(&list, Qt::Key_Down);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), "/home/ana");
    EXPECT_EQ(list.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

TEST(DriveListSystem, ListsTheRootAndTheHomeFolder) {
    DriveList list;
    ASSERT_GE(list.drives().size(), 1u);
    EXPECT_TRUE(list.setDrive(QDir::homePath()));
    EXPECT_FALSE(list.drive().isEmpty());
    EXPECT_TRUE(QDir(list.drive()).exists());
}

// --- Directory list -------------------------------------------------------------------------

class DirectoryListTest : public testing::Test {
  protected:
    DirectoryListTest() {
        EXPECT_TRUE(list.setPath(folder.path()));
        list.resize(300, 600);
        list.show();
    }
    Folder folder;
    DirectoryList list;
};

TEST_F(DirectoryListTest, ShowsTheAncestorsThenTheSubFoldersWithoutHiddenOnes) {
    EXPECT_EQ(list.path(), folder.path());
    EXPECT_EQ(list.entryPath(list.pathRow()), folder.path());
    EXPECT_EQ(list.currentRow(), list.pathRow());
    EXPECT_EQ(entries(list, list.pathRow() + 1), (QStringList{"annexes", "exos9", "exos10", "Travail"}));
    EXPECT_EQ(list.entryPath(0), QDir::toNativeSeparators(QDir::rootPath()));
    for (int row = 1; row <= list.pathRow(); ++row) {
        EXPECT_EQ(QDir::toNativeSeparators(QFileInfo(list.entryPath(row)).absolutePath()),
                  list.entryPath(row - 1))
            << row;
    }
    EXPECT_EQ(list.entryPath(list.count()), QString());
}

TEST_F(DirectoryListTest, ArrowKeysMoveTheSelectionAndEnterOpensIt) {
    QSignalSpy changes(&list, &DirectoryList::pathChanged);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Down);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.currentRow(), list.pathRow() + 2);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_EQ(list.path(), folder.path());
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), folder.path("exos9"));
    EXPECT_EQ(list.path(), folder.path("exos9"));
    EXPECT_EQ(list.count(), list.pathRow() + 1);  // no sub-folder
}

TEST_F(DirectoryListTest, ADoubleClickOpensAnAncestor) {
    QSignalSpy changes(&list, &DirectoryList::pathChanged);
    QListWidgetItem* parent = list.item(list.pathRow() - 1);
    const QString parentPath = list.entryPath(list.pathRow() - 1);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(parent).center());
    EXPECT_EQ(list.path(), parentPath);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(DirectoryListTest, ASingleClickOnlySelects) {
    QSignalSpy changes(&list, &DirectoryList::pathChanged);
    QListWidgetItem* child = list.item(list.pathRow() + 1);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(child).center());
    EXPECT_EQ(list.currentItem(), child);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(DirectoryListTest, SettingThePathItHasReadsItAgainWithoutAChange) {
    folder.root().mkdir("nouveau");
    QSignalSpy changes(&list, &DirectoryList::pathChanged);
    EXPECT_TRUE(list.setPath(folder.path()));
    EXPECT_TRUE(entries(list).contains("nouveau"));
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(DirectoryListTest, ARelativePathIsTakenFromTheCurrentDirectory) {
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const bool set = list.setPath("Travail");
    QDir::setCurrent(previous);
    EXPECT_TRUE(set);
    EXPECT_EQ(list.path(), folder.path("Travail"));
}

struct UnreadableCase {
    const char* name;
    const char* relative;
};

void PrintTo(const UnreadableCase& c, std::ostream* out) {
    *out << c.name;
}

class DirectoryListUnreadable : public DirectoryListTest,
                                public testing::WithParamInterface<UnreadableCase> {};

TEST_P(DirectoryListUnreadable, IsReportedAndChangesNothing) {
    const int entriesBefore = list.count();
    QSignalSpy changes(&list, &DirectoryList::pathChanged);
    const QString relative = QString::fromUtf8(GetParam().relative);
    EXPECT_FALSE(list.setPath(relative.isEmpty() ? QString() : folder.path(relative)));
    EXPECT_EQ(list.path(), folder.path());
    EXPECT_EQ(list.count(), entriesBefore);
    EXPECT_TRUE(changes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Paths, DirectoryListUnreadable,
                         testing::Values(UnreadableCase{"MissingFolderAsAnUnpluggedDrive", "absent/dossier"},
                                         UnreadableCase{"AFileIsNotAFolder", "notes.txt"},
                                         UnreadableCase{"EmptyPath", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DirectoryListTest, AFolderWithoutReadPermissionIsRefused) {
    if (testsupport::runsAsRoot()) GTEST_SKIP() << "root reads every folder";
    if (!testsupport::permissionsDenyOwner()) GTEST_SKIP() << testsupport::kNoUnreadableFileReason;
    const QString locked = folder.path("Travail");
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    const bool set = list.setPath(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(set);
    EXPECT_EQ(list.path(), folder.path());
}

// --- File list ------------------------------------------------------------------------------

struct PatternCase {
    const char* name;
    const char* pattern;
    QStringList expected;
};

void PrintTo(const PatternCase& c, std::ostream* out) {
    *out << c.name;
}

class FileListPattern : public testing::TestWithParam<PatternCase> {};

TEST_P(FileListPattern, ListsTheMatchingVisibleFilesInTheUsersOrder) {
    Folder folder;
    FileList list;
    ASSERT_TRUE(list.setPath(folder.path()));
    list.setPattern(GetParam().pattern);
    EXPECT_EQ(entries(list), GetParam().expected);
    EXPECT_EQ(list.count(), GetParam().expected.size());
    EXPECT_EQ(list.fileName(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FileListPattern,
    testing::Values(PatternCase{"UpperCasePatternMatchesAnyCaseWithoutHiddenFiles",
                                "*.C13",
                                {"autre.c13", "essai.C13", "essai2.C13", "essai10.C13", "Mixte.C13"}},
                    PatternCase{"LowerCasePatternMatchesTheSame",
                                "*.c13",
                                {"autre.c13", "essai.C13", "essai2.C13", "essai10.C13", "Mixte.C13"}},
                    PatternCase{"ExerciseFiles", "*.E36", {"serie.E36", "Serie2.e36"}},
                    PatternCase{"SeveralPatterns", "*.txt;*.e36", {"notes.txt", "serie.E36", "Serie2.e36"}},
                    PatternCase{"EveryVisibleFile",
                                "*.*",
                                {"autre.c13", "C13", "copie.C13.bak", "essai.C13", "essai2.C13",
                                 "essai10.C13", "Mixte.C13", "notes.txt", "serie.E36", "Serie2.e36"}},
                    PatternCase{"NoMatch", "*.PEM", {}}),
    [](const auto& info) { return std::string(info.param.name); });

class FileListTest : public testing::Test {
  protected:
    FileListTest() {
        EXPECT_TRUE(list.setPath(folder.path()));
        list.setPattern("*.C13");
        list.resize(300, 400);
        list.show();
    }
    Folder folder;
    FileList list;
};

TEST_F(FileListTest, AClickSelectsAFileAndIsReported) {
    QSignalSpy clicks(&list, &FileList::fileClicked);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
    EXPECT_EQ(list.fileName(), "essai.C13");
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toString(), "essai.C13");
}

TEST_F(FileListTest, ADoubleClickIsReportedAfterItsClick) {
    QSignalSpy clicks(&list, &FileList::fileClicked);
    QSignalSpy doubleClicks(&list, &FileList::fileDoubleClicked);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(4)).center());
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks[0][0].toString(), "Mixte.C13");
    EXPECT_GE(clicks.count(), 1);
}

TEST_F(FileListTest, ArrowKeysSelectAsClicksAndEnterIsReported) {
    QSignalSpy clicks(&list, &FileList::fileClicked);
    QSignalSpy enters(&list, &FileList::fileEntered);
    list.setFocus();
    list.selectFile(0);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.fileName(), "essai.C13");
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks[1][0].toString(), "essai.C13");
    QTest::keyClick(&list, Qt::Key_Return);
    ASSERT_EQ(enters.count(), 1);
    EXPECT_EQ(enters[0][0].toString(), "essai.C13");
}

TEST_F(FileListTest, EnterWithNothingSelectedIsNotReported) {
    QSignalSpy enters(&list, &FileList::fileEntered);
    list.setFocus();
    QTest::keyClick(&list, Qt::Key_Enter);
    EXPECT_TRUE(enters.isEmpty());
}

TEST_F(FileListTest, SelectingByIndexIsAClickAndOutOfRangeClearsTheSelection) {
    QSignalSpy clicks(&list, &FileList::fileClicked);
    list.selectFile(2);
    EXPECT_EQ(list.fileName(), "essai2.C13");
    EXPECT_EQ(clicks.count(), 1);
    list.selectFile(list.count());
    EXPECT_EQ(list.fileName(), QString());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FileListTest, AnotherFolderIsListedWithNothingSelectedAndReported) {
    touch(folder.root().filePath("Travail/dosage.C13"));
    list.selectFile(0);
    QSignalSpy changes(&list, &FileList::pathChanged);
    EXPECT_TRUE(list.setPath(folder.path("Travail")));
    EXPECT_EQ(entries(list), QStringList{"dosage.C13"});
    EXPECT_EQ(list.fileName(), QString());
    EXPECT_EQ(list.path(), folder.path("Travail"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), folder.path("Travail"));
    EXPECT_TRUE(list.setPath(folder.path("Travail")));
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(FileListTest, AnUnreadableFolderKeepsTheListAsItWas) {
    QSignalSpy changes(&list, &FileList::pathChanged);
    EXPECT_FALSE(list.setPath(folder.path("absent")));
    EXPECT_EQ(list.path(), folder.path());
    EXPECT_EQ(list.count(), 5);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(FileListTest, ThePathUsesThePlatformSeparator) {
    EXPECT_TRUE(list.setPath(folder.path("Travail") + QDir::separator()));
    EXPECT_EQ(list.path(), folder.path("Travail"));
    EXPECT_FALSE(list.path().endsWith(QDir::separator()));
    // Where the separator is "\\", the "/" that Qt writes is taken as well.
    if (QDir::separator() != QLatin1Char('/')) {
        EXPECT_TRUE(list.setPath(QDir::fromNativeSeparators(folder.path("annexes"))));
        EXPECT_EQ(list.path(), folder.path("annexes"));
    }
}

// --- Focus --------------------------------------------------------------------------------

TEST(ListBoxFocus, AFrameInTheHighlightColourShowsTheKeyboardFocus) {
    QWidget window;
    FileList files(&window);
    QLineEdit other(&window);
    files.setGeometry(0, 0, 200, 150);
    other.setGeometry(0, 160, 200, 20);
    window.show();
    QApplication::setActiveWindow(&window);
    const QPoint edge(files.viewport()->geometry().left() - 1, files.height() / 2);
    const QColor highlight = files.palette().color(QPalette::Highlight);

    files.setFocus();
    ASSERT_TRUE(files.hasFocus());
    EXPECT_EQ(files.grab().toImage().pixelColor(edge), highlight);
    other.setFocus();
    EXPECT_NE(files.grab().toImage().pixelColor(edge), highlight);
}
