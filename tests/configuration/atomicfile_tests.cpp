#include <gtest/gtest.h>

#include <unistd.h>

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
            fs::temp_directory_path() / ("vireltra-atomic-" + std::to_string(getpid()) + "-" +
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
