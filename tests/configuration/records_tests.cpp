#include <gtest/gtest.h>

#include "tests/support/childprocess.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "configuration/recordbuffer.h"
#include "configuration/recordfile.h"
#include "configuration/recordview.h"
#include "filebytes.h"

using namespace configuration;
namespace fs = std::filesystem;

namespace {

using filebytes::fileBytes;
using filebytes::padded;

std::vector<unsigned char> bytesOf(const RecordBytes& record) {
    return {record.begin(), record.end()};
}

class RecordFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vireltra-records-" + std::to_string(testsupport::processId()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    fs::path m_folder;
};

}  // namespace

// --- Encoding and decoding one record ---

TEST(RecordEncoding, SignatureFlagAndZeroMatchTheFileBytes) {
    EXPECT_EQ(bytesOf(*encodeRecord("Qelvo")), padded({0x05, 0x00, 0x51, 0x65, 0x6C, 0x76, 0x6F}));
    EXPECT_EQ(bytesOf(*encodeRecord("1")), padded({0x01, 0x00, 0x31}));
    EXPECT_EQ(bytesOf(*encodeRecord(" 0")), padded({0x02, 0x00, 0x20, 0x30}));
}

TEST(RecordEncoding, LengthCountsWindows1252BytesNotUtf8Bytes) {
    // 126 accented letters are 252 bytes of UTF-8 but fit exactly.
    std::string accented;
    for (int i = 0; i < 126; ++i) accented += "é";
    const auto record = encodeRecord(accented);
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ((*record)[0], 126);
    EXPECT_EQ((*record)[127], 0xE9);
    EXPECT_FALSE(encodeRecord(std::string(127, 'x')).has_value());
    EXPECT_FALSE(encodeRecord(accented + "€").has_value());
    std::string foreign;
    for (int i = 0; i < 127; ++i) foreign += "日";  // each one "?" on disk
    EXPECT_FALSE(encodeRecord(foreign).has_value());
}

TEST(RecordDecoding, DamagedRecordsReadAsEmptyWithoutReadingPastTheirBytes) {
    struct Case {
        const char* why;
        std::vector<unsigned char> bytes;
        std::string expected;
    };
    std::vector<unsigned char> longest = padded({126, 0});
    std::fill(longest.begin() + 2, longest.end(), 'a');
    std::vector<unsigned char> tooLong = longest;
    tooLong[0] = 127;
    const Case cases[] = {
        {"nothing at all", {}, ""},
        {"half a length", {0x05}, ""},
        {"length beyond the record", tooLong, ""},
        {"length of 65535", padded({0xFF, 0xFF, 'a'}), ""},
        {"text cut by the end of the file", {0x04, 0x00, '0', ',', '0'}, ""},
        {"text exactly at the end of the file", {0x03, 0x00, '0', ',', '5'}, "0,5"},
        {"longest text", longest, std::string(126, 'a')},
        {"rest of the record not looked at", padded({0x01, 0x00, '1', 'x', 'y'}), "1"},
        {"second byte is the high byte", padded({0x00, 0x01, 'a'}), ""},
    };
    for (const auto& c : cases) {
        // Copied into a buffer of exactly that size, so a read past it is caught by the sanitizer.
        std::vector<unsigned char> exact(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(decodeRecord(exact), c.expected) << c.why;
    }
}

// --- Records in memory ---

TEST(RecordView, RecordsBeyondTheEndReadEmptyAndBadNumbersReadNothing) {
    RecordBuffer built;
    ASSERT_TRUE(built.write(1, "Qelvo"));
    ASSERT_TRUE(built.write(2, "0,01"));
    RecordView view(built.bytes());
    EXPECT_EQ(view.read(1), "Qelvo");
    EXPECT_EQ(view.read(2), "0,01");
    EXPECT_EQ(view.read(3), "");
    EXPECT_EQ(view.read(kMaxRecordNumber), "");
    EXPECT_EQ(view.read(0), std::nullopt);
    EXPECT_EQ(view.read(-1), std::nullopt);
    EXPECT_EQ(view.read(kMaxRecordNumber + 1), std::nullopt);
    EXPECT_EQ(view.read(INT64_MAX), std::nullopt);
}

TEST(RecordBuffer, WritingPastTheEndFillsTheGapWithEmptyRecords) {
    RecordBuffer buffer;
    ASSERT_TRUE(buffer.write(3, "trois"));
    EXPECT_EQ(buffer.bytes().size(), 3 * kRecordSize);
    EXPECT_EQ(buffer.read(1), "");
    EXPECT_EQ(buffer.read(2), "");
    EXPECT_EQ(buffer.read(3), "trois");
    ASSERT_TRUE(buffer.write(1, "un"));
    EXPECT_EQ(buffer.bytes().size(), 3 * kRecordSize);
    EXPECT_EQ(buffer.read(3), "trois");
}

TEST(RecordBuffer, RefusedWritesChangeNothing) {
    RecordBuffer buffer;
    ASSERT_TRUE(buffer.write(1, "avant"));
    const auto before = buffer.bytes();
    EXPECT_FALSE(buffer.write(1, std::string(127, 'x')));
    EXPECT_FALSE(buffer.write(0, "x"));
    EXPECT_FALSE(buffer.write(kMaxRecordNumber + 1, "x"));
    EXPECT_EQ(buffer.bytes(), before);
}

// --- Records on disk ---

TEST_F(RecordFileTest, WrittenRecordsReadBackFromDisk) {
    const fs::path path = m_folder / "a.dat";
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));  // created
    ASSERT_TRUE(file.write(2, "Chargé à 0,5 €"));
    ASSERT_TRUE(file.write(1, "Qelvo"));
    EXPECT_EQ(file.read(2), "Chargé à 0,5 €");
    EXPECT_TRUE(file.close());
    EXPECT_EQ(fs::file_size(path), 2 * kRecordSize);

    ASSERT_TRUE(file.open(path, RecordFile::Mode::Read));
    EXPECT_EQ(file.read(1), "Qelvo");
    EXPECT_EQ(file.read(2), "Chargé à 0,5 €");
    EXPECT_EQ(file.read(3), "");       // beyond the end
    EXPECT_EQ(file.read(1), "Qelvo");  // reading on after the end still works
    EXPECT_FALSE(file.write(1, "x"));  // opened for reading only
    EXPECT_TRUE(file.close());
    EXPECT_EQ(fileBytes(path)[kRecordSize + 2 + 5], 0xE9);  // 'é' of "Chargé" as one Windows-1252 byte
}

TEST_F(RecordFileTest, OpeningForWritingKeepsTheRecordsAlreadyThere) {
    const fs::path path = m_folder / "shared.tmp";
    {
        RecordFile file;
        ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
        ASSERT_TRUE(file.write(3, "trois"));
    }  // closed by the destructor
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::ReadWrite));
    ASSERT_TRUE(file.write(1, "un"));
    ASSERT_TRUE(file.close());
    EXPECT_EQ(fs::file_size(path), 3 * kRecordSize);
    ASSERT_TRUE(file.open(path, RecordFile::Mode::Read));
    EXPECT_EQ(file.read(1), "un");
    EXPECT_EQ(file.read(2), "");
    EXPECT_EQ(file.read(3), "trois");
}

TEST_F(RecordFileTest, MissingFilesAndFoldersDoNotOpen) {
    RecordFile file;
    EXPECT_FALSE(file.open(m_folder / "absent.C13", RecordFile::Mode::Read));
    EXPECT_FALSE(fs::exists(m_folder / "absent.C13"));
    EXPECT_FALSE(file.open(m_folder, RecordFile::Mode::Read));
    EXPECT_FALSE(file.open(m_folder, RecordFile::Mode::ReadWrite));
    EXPECT_FALSE(file.open(m_folder / "no-such-folder" / "a.C13", RecordFile::Mode::ReadWrite));
    EXPECT_EQ(file.read(1), std::nullopt);
    EXPECT_FALSE(file.write(1, "x"));
}

TEST_F(RecordFileTest, RecordCutByTheEndOfTheFileReadsEmpty) {
    const fs::path path = m_folder / "short.dat";
    {
        std::vector<unsigned char> bytes = padded({0x01, 0x00, '1'});
        // Record 2 announces three bytes and the file ends after one.
        bytes.insert(bytes.end(), {0x03, 0x00, 'a'});
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    RecordFile file;
    ASSERT_TRUE(file.open(path, RecordFile::Mode::Read));
    EXPECT_EQ(file.read(1), "1");
    EXPECT_EQ(file.read(2), "");
    EXPECT_EQ(file.read(3), "");
}
