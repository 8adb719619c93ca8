#include <gtest/gtest.h>

#include "tests/support/childprocess.h"
#include "tests/support/filesystemabilities.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "configuration/atomicfile.h"

using namespace configuration;
namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

class AtomicFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() / ("vireltra-atomic-" + std::to_string(testsupport::processId()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_target = m_folder / "eleve.C13";
        std::ofstream(m_target, std::ios::binary) << "ancien contenu";
    }
    void TearDown() override { fs::remove_all(m_folder); }
    fs::path m_folder;
    fs::path m_target;
};

}  // namespace

TEST_F(AtomicFileTest, ReplacesTheTargetOnlyAfterTheWholeContentIsWritten) {
    fs::path seen;
    const bool ok = replaceFileAtomically(m_target, [&](const fs::path& temporary) {
        seen = temporary;
        // While the new content is being written the target is still the old file.
        EXPECT_EQ(contentOf(m_target), "ancien contenu");
        std::ofstream(temporary, std::ios::binary) << "nouveau";
        return true;
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(seen.parent_path(), m_folder) << "the temporary file must sit beside the target";
    EXPECT_EQ(contentOf(m_target), "nouveau");
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
}

TEST_F(AtomicFileTest, WriterFailingHalfWayLeavesTheTargetAndNoTemporaryFile) {
    const bool ok = replaceFileAtomically(m_target, [](const fs::path& temporary) {
        std::ofstream(temporary, std::ios::binary) << "moitié";
        return false;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(contentOf(m_target), "ancien contenu");
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
    EXPECT_FALSE(replaceFileAtomically(m_target, nullptr));
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
}

TEST_F(AtomicFileTest, BytesAreWrittenExactlyAndANewFileIsCreated) {
    const std::vector<unsigned char> bytes = {0x00, 0xFF, 0x80, '\n', '\r', 0x1A};
    ASSERT_TRUE(writeFileAtomically(m_folder / "nouveau.C13", bytes));
    EXPECT_EQ(contentOf(m_folder / "nouveau.C13"), std::string("\x00\xFF\x80\n\r\x1A", 6));
    ASSERT_TRUE(writeFileAtomically(m_target, {}));
    EXPECT_EQ(fs::file_size(m_target), 0u);
}

TEST_F(AtomicFileTest, NameNearTheSystemLimitStillSaves) {
    const fs::path target = m_folder / (std::string(240, 'n') + ".C13");
    ASSERT_TRUE(writeFileAtomically(target, std::vector<unsigned char>{'o', 'k'}));
    EXPECT_EQ(contentOf(target), "ok");
    EXPECT_EQ(namesIn(m_folder).size(), 2u);
}

TEST_F(AtomicFileTest, WriteProtectedTargetIsNeverReplacedWhoeverTheUserIs) {
    // The folder stays writable: the file's own bits decide, for root as for a pupil.
    if (!testsupport::keepsPermissionBits()) GTEST_SKIP() << testsupport::kNoPermissionBitsReason;
    if (!testsupport::canLinkFiles()) GTEST_SKIP() << testsupport::kNoLinkReason;
    using P = fs::perms;
    const struct {
        P mode;
        bool viaLink;
        bool replaced;
    } cases[] = {{P::owner_read | P::group_read | P::others_read, false, false},
                 {P::owner_read | P::group_read | P::group_write, false, false},  // the owner's bit counts
                 {P::owner_read, true, false},
                 {P::owner_read | P::owner_write, true, true}};
    for (const auto& c : cases) {
        std::ofstream(m_target, std::ios::binary | std::ios::trunc) << "ancien contenu";
        fs::permissions(m_target, c.mode);
        const fs::path aimed = c.viaLink ? m_folder / "lien.C13" : m_target;
        if (c.viaLink) fs::create_symlink(m_target.filename(), aimed);
        EXPECT_EQ(writeFileAtomically(aimed, std::vector<unsigned char>{'n', 'e', 'w'}), c.replaced);
        EXPECT_EQ(fs::status(m_target).permissions(), c.mode);
        fs::permissions(m_target, P::owner_read | P::owner_write);
        EXPECT_EQ(contentOf(m_target), c.replaced ? "new" : "ancien contenu");
        fs::remove(m_folder / "lien.C13");
        EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
    }
}

TEST_F(AtomicFileTest, TemporaryOfASaveKilledMidwayIsRemovedByTheNextSave) {
    // Only this target's temporary files are the save's to remove.
    const std::set<std::string> others = {".autre.C13.12-3.tmp", ".eleve.C13.notes.tmp"};
    for (const auto& name : others) std::ofstream(m_folder / name) << "x";
    const auto end = testsupport::inChild([this] {
        replaceFileAtomically(m_target, [](const fs::path& temporary) {
            std::ofstream(temporary, std::ios::binary) << "moiti";
            testsupport::killThisProcess();
            return true;
        });
        return 0;
    });
    if (!end) GTEST_SKIP() << testsupport::kNoChildReason;
    ASSERT_TRUE(end->killed);
    EXPECT_EQ(contentOf(m_target), "ancien contenu");
    ASSERT_EQ(namesIn(m_folder).size(), others.size() + 2) << "the killed save left no temporary file";
    ASSERT_TRUE(writeFileAtomically(m_target, std::vector<unsigned char>{'o', 'k'}));
    auto expected = others;
    expected.insert("eleve.C13");
    EXPECT_EQ(namesIn(m_folder), expected);
}

TEST_F(AtomicFileTest, SaveStillWritingKeepsItsTemporaryWhileAnotherSaveRuns) {
    EXPECT_TRUE(replaceFileAtomically(m_target, [&](const fs::path& temporary) {
        std::ofstream(temporary, std::ios::binary) << "premier";
        EXPECT_TRUE(writeFileAtomically(m_target, std::vector<unsigned char>{'s', 'e', 'c'}));
        return fs::exists(temporary);
    }));
    EXPECT_EQ(contentOf(m_target), "premier");
}

TEST_F(AtomicFileTest, ASetOfFilesIsReplacedWholeOrNotAtAll) {
    // Three files, the first two already there: a fault at any step leaves all three as they were.
    enum class Fault { None, SecondWriterFails, ThirdCannotBeRenamed, SecondWriteProtected };
    const struct {
        const char* why;
        Fault fault;
        std::size_t failedFile;
    } cases[] = {{"every file written", Fault::None, 9},
                 {"a writer stops half-way", Fault::SecondWriterFails, 1},
                 {"the last rename fails once the others are done", Fault::ThirdCannotBeRenamed, 2},
                 {"a target is write-protected", Fault::SecondWriteProtected, 1}};
    const fs::path targets[] = {m_folder / "a.E36", m_folder / "a.RTF", m_folder / "a.C13"};
    for (const auto& c : cases) {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        std::ofstream(targets[0], std::ios::binary) << "ancien 0";
        std::ofstream(targets[1], std::ios::binary) << "ancien 1";
        if (c.fault == Fault::SecondWriteProtected) fs::permissions(targets[1], fs::perms::owner_read);
        std::vector<FileReplacement> set;
        for (int i = 0; i < 3; ++i) {
            set.push_back({targets[i], [&, i](const fs::path& temporary) {
                               // Nothing is replaced while the set is being written.
                               EXPECT_EQ(contentOf(targets[0]), "ancien 0") << c.why;
                               std::ofstream(temporary, std::ios::binary) << "nouveau " << i;
                               if (i == 2 && c.fault == Fault::ThirdCannotBeRenamed)
                                   fs::create_directories(targets[2] / "occupé");
                               return !(i == 1 && c.fault == Fault::SecondWriterFails);
                           }});
        }
        std::size_t failed = 9;
        const bool replaced = replaceFilesAtomically(set, &failed);
        EXPECT_EQ(replaced, c.fault == Fault::None) << c.why;
        EXPECT_EQ(failed, c.failedFile) << c.why;
        fs::permissions(targets[1], fs::perms::owner_read | fs::perms::owner_write);
        if (c.fault == Fault::None) {
            for (int i = 0; i < 3; ++i) EXPECT_EQ(contentOf(targets[i]), "nouveau " + std::to_string(i));
        } else {
            EXPECT_EQ(contentOf(targets[0]), "ancien 0") << c.why;
            EXPECT_EQ(contentOf(targets[1]), "ancien 1") << c.why;
            EXPECT_FALSE(fs::is_regular_file(targets[2])) << c.why;
        }
        if (c.fault == Fault::ThirdCannotBeRenamed) fs::remove_all(targets[2] / "occupé");
        std::set<std::string> expected{"a.E36", "a.RTF"};
        if (c.fault == Fault::None || c.fault == Fault::ThirdCannotBeRenamed) expected.insert("a.C13");
        EXPECT_EQ(namesIn(m_folder), expected) << c.why << ": no temporary file stays";
    }
}
