// The reader faces files it did not write: random bytes, cut or lengthened copies, damaged bytes.
// It must never crash, never read outside the bytes it was given (each input sits in a heap block
// of exactly its size, so the address sanitizer catches one byte too far), and never allocate more
// than the input justifies. A record's text takes at most 3 bytes of UTF-8 per byte on disk, so
// the bound is 3 times the input size; a reader that trusted a stored length (up to 65 535) or
// sized a buffer from a count would exceed it on small inputs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "configuration/configurationfile.h"
#include "configuration/recordbuffer.h"
#include "configuration/recordview.h"
#include "tests/configuration/allocationcounter.h"
#include "tests/configuration/entryfiles.h"
#include "tests/mutator.h"

using namespace configuration;
using testing_support::AllocationScope;

namespace {

// A heap block holding exactly these bytes, outside operator new so it is not counted.
class ExactBlock {
  public:
    explicit ExactBlock(const std::vector<unsigned char>& bytes)
        : m_data(static_cast<unsigned char*>(std::malloc(bytes.empty() ? 1 : bytes.size()))),
          m_size(bytes.size()) {
        if (m_size) std::memcpy(m_data, bytes.data(), m_size);
    }
    ~ExactBlock() { std::free(m_data); }
    ExactBlock(const ExactBlock&) = delete;
    ExactBlock& operator=(const ExactBlock&) = delete;
    std::span<const unsigned char> bytes() const { return {m_data, m_size}; }

  private:
    unsigned char* m_data;
    std::size_t m_size;
};

struct Outcome {
    LoadResult result;
    ConfigurationFile configuration;
    std::size_t peakBytes;
};

Outcome readFromExactBlock(const std::vector<unsigned char>& bytes) {
    ExactBlock block(bytes);
    Outcome outcome{LoadResult::ReadFailed, ConfigurationFile{}, 0};
    {
        AllocationScope scope;
        RecordView view(block.bytes());
        outcome.result = readConfiguration(view, outcome.configuration);
        outcome.peakBytes = scope.peakBytes();
    }
    return outcome;
}

// A real file with long texts in every text record, so that reading it does allocate.
std::vector<unsigned char> realFile(const std::string& filler) {
    ConfigurationFile c;
    c.boldStrokes = true;
    for (int i = 0; i < kSituationCount; ++i) {
        auto& s = c.situations[i];
        std::string text;
        while (text.size() + filler.size() <= 90) text += filler;
        s.otherPKaText = s.titrantConcentrationText = s.pouredVolumeText = text + std::to_string(i);
        s.beakerConcentrationText = s.beakerVolumeText = s.waterVolumeText = std::to_string(i) + text;
        s.speciesIndex = static_cast<std::int16_t>(i * 3 - 1);
    }
    RecordBuffer buffer;
    EXPECT_TRUE(writeConfiguration(buffer, c));
    return buffer.bytes();
}

// Random records that pass the signature: lengths around the limit, texts from the whole code page.
std::vector<unsigned char> structuredRandom(std::mt19937& random, std::size_t records) {
    RecordBuffer buffer;
    EXPECT_TRUE(buffer.write(1, "Qelvo"));
    auto bytes = buffer.bytes();
    bytes.resize(records * kRecordSize);
    for (std::size_t r = 1; r < records; ++r) {
        unsigned char* record = bytes.data() + r * kRecordSize;
        record[0] = static_cast<unsigned char>(random() % 130);
        record[1] = random() % 8 == 0 ? static_cast<unsigned char>(random()) : 0;
        for (std::size_t k = 2; k < kRecordSize; ++k)
            record[k] =
                static_cast<unsigned char>(random() % 3 == 0 ? '0' + random() % 10 : 0x80 + random() % 128);
    }
    return bytes;
}

}  // namespace

TEST(AllocationCounter, SeesAnAllocationMadeWhileMeasuring) {
    static std::string sink;
    AllocationScope scope;
    sink.assign(1000, 'x');
    EXPECT_GE(scope.peakBytes(), 1000u);
}

TEST(ReaderRobustness, RandomBytesOfEverySizeAreRefusedWithoutAllocating) {
    std::mt19937 random(13);
    for (const std::size_t size : {0, 1, 2, 5, 127, 128, 129, 1000, 19711, 19712, 19713, 40000}) {
        for (int round = 0; round < 20; ++round) {
            std::vector<unsigned char> bytes(size);
            for (auto& b : bytes) b = static_cast<unsigned char>(random());
            const auto outcome = readFromExactBlock(bytes);
            EXPECT_NE(outcome.result, LoadResult::Loaded);
            EXPECT_LE(outcome.peakBytes, 3 * size) << size;
        }
    }
}

TEST(ReaderRobustness, RandomRecordsAfterTheSignatureStayWithinBounds) {
    std::mt19937 random(154);
    for (const std::size_t records : {1, 2, 12, 80, 154, 160}) {
        for (int round = 0; round < 30; ++round) {
            auto bytes = structuredRandom(random, records);
            if (round % 2) bytes.resize(bytes.size() - 1 - random() % (kRecordSize - 1));  // cut the last one
            const auto outcome = readFromExactBlock(bytes);
            // A cut record 154 may or may not still hold its text.
            if (records < 154) {
                EXPECT_EQ(outcome.result, LoadResult::ReadFailed) << records << " records";
            } else if (records > 154 || round % 2 == 0) {
                EXPECT_EQ(outcome.result, LoadResult::Loaded) << records << " records";
            }
            EXPECT_LE(outcome.peakBytes, 3 * bytes.size()) << records << " records";
        }
    }
}

TEST(ReaderRobustness, CutCopiesOfARealFileAreRefusedAndAllocateNoMoreThanTheirSize) {
    const auto full = realFile("0,0123456789 ");  // plain ASCII: one byte in memory per byte on disk
    ASSERT_EQ(full.size(), 19712u);
    const auto complete = readFromExactBlock(full);
    ASSERT_EQ(complete.result, LoadResult::Loaded);
    EXPECT_GT(complete.peakBytes, 1000u) << "the real file should make the reader allocate";
    // Every size at both ends, record 154 included; every 61st between.
    for (std::size_t size = 0; size <= full.size();
         size += size < 1024 || size + 61 > 153 * kRecordSize ? 1 : 61) {
        const std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        const auto outcome = readFromExactBlock(cut);
        // The file is whole once record 154 holds its one-byte flag.
        const LoadResult expected = size < 7                       ? LoadResult::NotAConfigurationFile
                                    : size < 153 * kRecordSize + 3 ? LoadResult::ReadFailed
                                                                   : LoadResult::Loaded;
        EXPECT_EQ(outcome.result, expected) << size;
        if (expected != LoadResult::Loaded) {
            EXPECT_EQ(outcome.configuration, ConfigurationFile{}) << size;
        }
        EXPECT_LE(outcome.peakBytes, size) << size;
    }
}

TEST(ReaderRobustness, AccentedRealFileStaysWithinThreeBytesPerByte) {
    const auto full = realFile("€é—œ ");
    for (std::size_t size = 0; size <= full.size(); size += 37) {
        const std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_LE(readFromExactBlock(cut).peakBytes, 3 * size) << size;
    }
}

TEST(ReaderRobustness, LengthenedCopiesReadLikeTheOriginal) {
    const auto full = realFile("20,0 ");
    const auto original = readFromExactBlock(full);
    std::mt19937 random(7);
    for (const std::size_t extra : {1, 127, 128, 129, 4096, 1 << 20}) {
        auto longer = full;
        for (std::size_t i = 0; i < extra; ++i) longer.push_back(static_cast<unsigned char>(random()));
        const auto outcome = readFromExactBlock(longer);
        EXPECT_EQ(outcome.result, LoadResult::Loaded);
        EXPECT_EQ(outcome.configuration, original.configuration) << extra;
        EXPECT_LE(outcome.peakBytes, full.size()) << "bytes after record 154 cost nothing: " << extra;
    }
}

TEST(ReaderRobustness, DamagedBytesInARealFileNeverEscapeTheBounds) {
    const auto full = realFile("pH 7,0 ");
    std::mt19937 random(2024);
    for (int round = 0; round < 2000; ++round) {
        auto damaged = full;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < changes; ++i)
            damaged[random() % damaged.size()] = static_cast<unsigned char>(random());
        if (round % 3 == 0) damaged.resize(random() % damaged.size());
        const auto outcome = readFromExactBlock(damaged);
        EXPECT_LE(outcome.peakBytes, 3 * damaged.size());
    }
}

TEST(ReaderRobustness, HugeStoredLengthInATinyFileAllocatesNothing) {
    // Record 1 claims 65 535 bytes; record 2 claims 65 535 too, with only its length present.
    std::vector<unsigned char> bytes(kRecordSize + 2, 'Q');
    bytes[0] = bytes[1] = 0xFF;
    bytes[kRecordSize] = bytes[kRecordSize + 1] = 0xFF;
    const auto outcome = readFromExactBlock(bytes);
    EXPECT_EQ(outcome.result, LoadResult::NotAConfigurationFile);
    EXPECT_EQ(outcome.peakBytes, 0u);
}

// Mutants of files with entries, seeded with the faults they once hid (a file cut at 25 KB of
// 32 KB, one damaged length byte): whatever the damage, the reader keeps within its bounds, and a
// file whose check entry is intact either gives back exactly the entries written or says that some
// were left out. What it read, written back, reads the same.
TEST(ReaderRobustness, MutatedEntriesAreReadWholeOrSaidToBeLeftOut) {
    ConfigurationFile original = entryfiles::withPoints();
    original.extensions.set("conductimètre", "1");
    const auto whole = entryfiles::written(original);
    const std::int64_t check = kConfigurationRecords + 2;
    const auto checkRecord = std::vector<unsigned char>(whole.begin() + (check - 1) * kRecordSize,
                                                        whole.begin() + check * kRecordSize);
    // The file cut at 25 KB of 32 KB, one damaged length byte, and both as files without the check.
    std::vector<std::string> seeds;
    for (auto bytes : {whole, entryfiles::writtenWithoutCheck(original)}) {
        seeds.emplace_back(bytes.begin(), bytes.end());
        seeds.emplace_back(bytes.begin(), bytes.begin() + 25 * 1024);
        bytes[160 * kRecordSize] = 0xFF;
        seeds.emplace_back(bytes.begin(), bytes.end());
    }
    const std::vector<std::string> alphabet{"Vireltra",
                                            "contr\xF4le=",
                                            "s1.mesure=",
                                            "=",
                                            ";",
                                            "\xFF",
                                            "\x13",
                                            std::string(2, '\0'),
                                            std::string(kRecordSize, '\0')};
    int silent = 0;
    int told = 0;
    std::optional<testing_support::Mutator> mutator;
    for (int round = 0; round < 3000; ++round) {
        if (round % 30 == 0) mutator.emplace(seeds, alphabet, static_cast<std::uint32_t>(round), 40000);
        const std::string mutant = mutator->next();
        const std::vector<unsigned char> bytes(mutant.begin(), mutant.end());
        const auto outcome = readFromExactBlock(bytes);
        ASSERT_LE(outcome.peakBytes, 5 * bytes.size() + 1024) << "round " << round;
        if (outcome.result != LoadResult::Loaded) continue;
        const ConfigurationFile& loaded = outcome.configuration;
        (loaded.damagedEntriesLeftOut ? told : silent) += 1;
        const bool checkIntact =
            bytes.size() >= static_cast<std::size_t>(check) * kRecordSize &&
            std::equal(checkRecord.begin(), checkRecord.end(), bytes.begin() + (check - 1) * kRecordSize);
        if (checkIntact && !loaded.damagedEntriesLeftOut) {
            ASSERT_EQ(loaded.extensions, original.extensions) << "round " << round;
        }

        RecordBuffer again;
        ASSERT_TRUE(writeConfiguration(again, loaded)) << "round " << round;
        ConfigurationFile reread, expected = loaded;
        expected.damagedEntriesLeftOut = false;
        ASSERT_EQ(readConfiguration(again, reread), LoadResult::Loaded) << "round " << round;
        ASSERT_EQ(reread, expected) << "round " << round;
    }
    // Both answers must be common, or the mutants try one of them only.
    EXPECT_GT(silent, 200) << told;
    EXPECT_GT(told, 200) << silent;
}
