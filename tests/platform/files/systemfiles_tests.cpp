// The file operations written once per system: the same table holds on Linux and on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/files/systemfiles.h"
#include "tests/support/childprocess.h"

namespace {

namespace fs = std::filesystem;
using platform::files::Creation;
using platform::files::HeldFile;
using platform::files::WriteMode;
using platform::files::WriteOutcome;

class SystemFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vireltra-system-files-" + std::to_string(testsupport::processId()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(m_folder, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, ignored);
        fs::remove_all(m_folder, ignored);
    }
    fs::path path(const std::string& name) const {
        return m_folder / fs::path(std::u8string(name.begin(), name.end()));
    }
    void write(const fs::path& file, const std::string& text) const {
        std::ofstream(file, std::ios::binary) << text;
    }
    std::optional<std::string> contentOf(const fs::path& file) const {
        std::ifstream in(file, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_folder;
};

enum class Before { Nothing, File, MissingFolder };

struct CreationCase {
    const char* why;
    Before before;
    Creation expected;
};

TEST_F(SystemFilesTest, ANewFileIsCreatedOnlyWhereNothingHasItsName) {
    const CreationCase cases[] = {
        {"a free name", Before::Nothing, Creation::Created},
        {"a file's name", Before::File, Creation::NameTaken},
        {"in a folder that does not exist", Before::MissingFolder, Creation::Refused},
    };
    for (const CreationCase& c : cases) {
        fs::path target = path("élève.tmp");
        fs::remove(target);
        if (c.before == Before::File) write(target, "déjà là");
        if (c.before == Before::MissingFolder) target = path("absent") / "élève.tmp";
        HeldFile held;
        EXPECT_EQ(platform::files::createHeld(target, held), c.expected) << c.why;
        EXPECT_EQ(held.held(), c.expected == Creation::Created) << c.why;
        if (c.before == Before::File) {
            EXPECT_EQ(contentOf(target), "déjà là") << c.why;
        }
        if (c.expected == Creation::Created) {
            EXPECT_EQ(contentOf(target), "") << c.why;
        }
    }
}

TEST_F(SystemFilesTest, OnlyAFileNoOneHoldsIsRemoved) {
    const fs::path heldPath = path("tenu.tmp");
    HeldFile held;
    ASSERT_EQ(platform::files::createHeld(heldPath, held), Creation::Created);
    // The holder writes and renames the file it holds, as a save does.
    write(heldPath, "en cours");
    platform::files::removeIfUnheld(heldPath);
    EXPECT_TRUE(fs::exists(heldPath)) << "a held file was removed";
    const fs::path renamed = path("renommé.tmp");
    fs::rename(heldPath, renamed);
    EXPECT_EQ(contentOf(renamed), "en cours");

    held = HeldFile();
    platform::files::removeIfUnheld(renamed);
    EXPECT_FALSE(fs::exists(renamed)) << "a file its holder let go stayed";

    const fs::path folder = path("dossier.tmp");
    fs::create_directory(folder);
    platform::files::removeIfUnheld(folder);
    EXPECT_TRUE(fs::is_directory(folder)) << "a folder is never the one to remove";
    platform::files::removeIfUnheld(path("absent.tmp"));  // nothing to do, nothing thrown
}

struct WriteCase {
    const char* why;
    WriteMode mode;
    std::optional<std::string> before;
    WriteOutcome expected;
    std::optional<std::string> after;
};

TEST_F(SystemFilesTest, ADurableWriteTruncatesOrCreatesAsAsked) {
    const std::string bytes = "nouveau";
    const WriteCase cases[] = {
        {"a longer file emptied first", WriteMode::Truncate, "ancien contenu plus long",
         WriteOutcome::Written, bytes},
        {"truncating what is not there", WriteMode::Truncate, std::nullopt, WriteOutcome::Failed,
         std::nullopt},
        {"a new file", WriteMode::CreateNew, std::nullopt, WriteOutcome::Written, bytes},
        {"a new file over an existing one", WriteMode::CreateNew, "ancien", WriteOutcome::Failed, "ancien"},
    };
    for (const WriteCase& c : cases) {
        const fs::path target = path("résultat.C13");
        fs::remove(target);
        if (c.before) write(target, *c.before);
        int synced = 0;
        EXPECT_EQ(platform::files::writeDurably(target, c.mode, bytes, [&synced] { ++synced; }), c.expected)
            << c.why;
        EXPECT_EQ(contentOf(target), c.after) << c.why;
        EXPECT_EQ(synced, c.expected == WriteOutcome::Written ? 1 : 0) << c.why;
    }
}

TEST_F(SystemFilesTest, AReadOnlyFileIsNotToBeWrittenWhoeverTheUser) {
    EXPECT_TRUE(platform::files::permissionsAllowWriting(path("absent.C13")));
    const fs::path file = path("eleve.C13");
    write(file, "x");
    EXPECT_TRUE(platform::files::permissionsAllowWriting(file));
    EXPECT_FALSE(platform::files::readingDenied(file));
    EXPECT_FALSE(platform::files::readingDenied(path("absent.C13")));
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(platform::files::permissionsAllowWriting(file));
    EXPECT_FALSE(platform::files::readingDenied(file)) << "read-only is not unreadable";
}

}  // namespace
