#include <gtest/gtest.h>

#include "tests/support/childprocess.h"
#include "tests/support/filesystemabilities.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "configuration/configurationfile.h"
#include "configuration/recordbuffer.h"
#include "configuration/recordfile.h"
#include "configuration/recordview.h"
#include "entryfiles.h"
#include "filebytes.h"
#include "numbers/windows1252.h"

using namespace configuration;
namespace fs = std::filesystem;

namespace {

using filebytes::fileBytes;
using filebytes::padded;

// Every field of every situation different from every other, and from the defaults.
ConfigurationFile distinctConfiguration() {
    ConfigurationFile c;
    c.concentrationMasked = true;
    c.superposeCurves = false;
    c.boldStrokes = true;
    for (int i = 0; i < kSituationCount; ++i) {
        auto& s = c.situations[i];
        const std::string n = std::to_string(i + 1);
        s.completed = i % 2 == 0;
        s.otherPKaText = "4," + n;
        s.titrantConcentrationText = "0,0" + n;
        s.pouredVolumeText = n + ",5";
        s.beakerConcentrationText = "1E-" + n;
        s.beakerVolumeText = n + "0,0";
        s.waterVolumeText = "1" + n + ",2";
        s.reservedInteger = static_cast<std::int16_t>(-32768 + i);
        s.speciesIndex = static_cast<std::int16_t>(i - 1);  // -1 for Situation 1
        s.indicatorIndex = static_cast<std::int16_t>(32767 - i);
        s.reservedFlag = i % 3 == 0;
        s.beakerIsAcid = i % 2 == 1;
        s.showBurette = i % 4 < 2;
        s.showPhMeter = i % 5 < 2;
        s.concentrationMasked = i % 3 == 1;
    }
    return c;
}

std::vector<unsigned char> encoded(const ConfigurationFile& configuration) {
    RecordBuffer buffer;
    EXPECT_TRUE(writeConfiguration(buffer, configuration));
    return buffer.bytes();
}

std::vector<unsigned char> recordAt(const std::vector<unsigned char>& bytes, std::int64_t n) {
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>((n - 1) * kRecordSize);
    return {begin, begin + static_cast<std::ptrdiff_t>(kRecordSize)};
}

void writeBytes(const fs::path& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

// Reads like the buffer it wraps, except that one record fails as a bad disk would.
class FailingReader : public RecordReader {
  public:
    FailingReader(RecordBuffer& inner, std::int64_t failing) : m_inner(inner), m_failing(failing) {}
    std::optional<std::string> read(std::int64_t n) override {
        if (n == m_failing) return std::nullopt;
        return m_inner.read(n);
    }

  private:
    RecordBuffer& m_inner;
    std::int64_t m_failing;
};

class TemporaryFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vireltra-configuration-" + std::to_string(testsupport::processId()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }
    fs::path m_folder;
};

}  // namespace

// --- Writing ---

TEST(ConfigurationWriter, StartUpFileHoldsDefaultsInEveryBlock) {
    const auto bytes = encoded(ConfigurationFile{});
    ASSERT_EQ(bytes.size(), 19712u);
    EXPECT_EQ(recordAt(bytes, 1), padded({0x05, 0x00, 0x51, 0x65, 0x6C, 0x76, 0x6F}));
    RecordView view(bytes);
    for (int n = 2; n <= 4; ++n) EXPECT_EQ(view.read(n), "0") << "display switch record " << n;
    const char* const block[kRecordsPerSituation] = {"0",  "7,0", "0,01", "0,0", "0,01", "20,0", "0,0", " 0",
                                                     " 0", " 0",  "0",    "1",   "1",    "1",    "0"};
    for (int s = 1; s <= kSituationCount; ++s) {
        for (int k = 0; k < kRecordsPerSituation; ++k)
            EXPECT_EQ(view.read(situationRecord(s, k)), block[k]) << "situation " << s << " record " << k;
    }
    // Byte for byte: an integer 0 and a set flag.
    EXPECT_EQ(recordAt(bytes, situationRecord(2, 7)), padded({0x02, 0x00, 0x20, 0x30}));
    EXPECT_EQ(recordAt(bytes, situationRecord(2, 11)), padded({0x01, 0x00, 0x31}));
}

TEST(ConfigurationWriter, EachDisplaySwitchGoesToItsOwnRecord) {
    ConfigurationFile c;
    c.superposeCurves = true;
    const auto bytes = encoded(c);
    EXPECT_EQ(recordAt(bytes, 2), padded({0x01, 0x00, 0x30}));
    EXPECT_EQ(recordAt(bytes, 3), padded({0x01, 0x00, 0x31}));
    EXPECT_EQ(recordAt(bytes, 4), padded({0x01, 0x00, 0x30}));
}

TEST(ConfigurationWriter, IntegersKeepOneCharacterForTheSign) {
    auto c = distinctConfiguration();
    c.situations[0].speciesIndex = 3;
    c.situations[0].indicatorIndex = -1;
    c.situations[1].reservedInteger = -32768;
    c.situations[1].indicatorIndex = 32767;
    const auto bytes = encoded(c);
    RecordView view(bytes);
    EXPECT_EQ(view.read(situationRecord(1, 8)), " 3");
    EXPECT_EQ(view.read(situationRecord(1, 9)), "-1");
    EXPECT_EQ(view.read(situationRecord(2, 7)), "-32768");
    EXPECT_EQ(view.read(situationRecord(2, 9)), " 32767");
}

TEST(ConfigurationWriter, TextTooLongForARecordFails) {
    auto c = distinctConfiguration();
    c.situations[9].waterVolumeText = std::string(127, '1');
    RecordBuffer buffer;
    EXPECT_FALSE(writeConfiguration(buffer, c));
    c.situations[9].waterVolumeText = std::string(126, '1');
    EXPECT_TRUE(writeConfiguration(buffer, c));
}

// --- Reading ---

TEST(ConfigurationReader, SavedThenReadGivesBackEveryField) {
    for (const auto& original : {distinctConfiguration(), ConfigurationFile{}}) {
        RecordBuffer buffer;
        ASSERT_TRUE(writeConfiguration(buffer, original));
        ConfigurationFile loaded =
            original == ConfigurationFile{} ? distinctConfiguration() : ConfigurationFile{};
        ASSERT_EQ(readConfiguration(buffer, loaded), LoadResult::Loaded);
        EXPECT_EQ(loaded, original);
    }
}

TEST(ConfigurationReader, FlagIsTrueOnlyForExactlyOne) {
    const struct {
        const char* text;
        bool expected;
    } cases[] = {{"1", true},  {" 1", false}, {"-1", false},   {"1 ", false},  {"11", false},
                 {"0", false}, {"", false},   {"Vrai", false}, {"true", false}};
    const auto base = encoded(distinctConfiguration());
    for (const auto& c : cases) {
        for (const std::int64_t n : {std::int64_t{2}, situationRecord(4, 11)}) {
            RecordBuffer buffer(base);
            ASSERT_TRUE(buffer.write(n, c.text));
            ConfigurationFile loaded;
            loaded.concentrationMasked = !c.expected;
            loaded.situations[3].beakerIsAcid = !c.expected;
            ASSERT_EQ(readConfiguration(buffer, loaded), LoadResult::Loaded);
            const bool read = n == 2 ? loaded.concentrationMasked : loaded.situations[3].beakerIsAcid;
            EXPECT_EQ(read, c.expected) << "\"" << c.text << "\" in record " << n;
        }
    }
}

TEST(ConfigurationReader, IntegersAreReadAsNumbersRoundedHalfToEven) {
    constexpr std::int16_t kBefore = 11;  // what the field held before the load
    const struct {
        const char* text;
        std::int16_t expected;
    } cases[] = {
        {"-1", -1},
        {" 3", 3},
        {"2,7", 2},  // the comma ends the number
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"0.5", 0},
        {"", 0},
        {"abc", 0},
        {"1e3", 1000},
        {"  -7xyz", -7},
        {"32767", 32767},
        {"-32768", -32768},
        {"32767.5", kBefore},  // rounds to 32768
        {"32768", kBefore},
        {"-32769", kBefore},
        {"1E400", kBefore},
        {"-1D300", kBefore},
    };
    const auto base = encoded(distinctConfiguration());
    for (const auto& c : cases) {
        RecordBuffer buffer(base);
        ASSERT_TRUE(buffer.write(situationRecord(3, 8), c.text));
        ConfigurationFile loaded;
        loaded.situations[2].speciesIndex = kBefore;
        ASSERT_EQ(readConfiguration(buffer, loaded), LoadResult::Loaded);
        EXPECT_EQ(loaded.situations[2].speciesIndex, c.expected) << "\"" << c.text << "\"";
        EXPECT_EQ(loaded.situations[2].indicatorIndex, distinctConfiguration().situations[2].indicatorIndex);
    }
}

TEST(ConfigurationReader, TextsAreTakenAsTheyStand) {
    auto c = distinctConfiguration();
    c.situations[4].otherPKaText = "  4,75 ";
    c.situations[4].beakerConcentrationText = "";
    c.situations[4].beakerVolumeText = "vingt";
    RecordBuffer buffer;
    ASSERT_TRUE(writeConfiguration(buffer, c));
    ConfigurationFile loaded;
    ASSERT_EQ(readConfiguration(buffer, loaded), LoadResult::Loaded);
    EXPECT_EQ(loaded.situations[4], c.situations[4]);
}

TEST(ConfigurationReader, SignatureMustBeExactlyQelvo) {
    const auto base = encoded(distinctConfiguration());
    for (const char* signature : {"qelvo", " Qelvo", "Qelvo ", "QELVO", "Qelv", "Qelvo1", ""}) {
        RecordBuffer buffer(base);
        ASSERT_TRUE(buffer.write(1, signature));
        ConfigurationFile loaded;
        EXPECT_EQ(readConfiguration(buffer, loaded), LoadResult::NotAConfigurationFile) << signature;
        EXPECT_EQ(loaded, ConfigurationFile{}) << "changed by a refused file: " << signature;
    }
    RecordBuffer empty;
    ConfigurationFile loaded;
    EXPECT_EQ(readConfiguration(empty, loaded), LoadResult::NotAConfigurationFile);
    EXPECT_EQ(loaded, ConfigurationFile{});
}

TEST(ConfigurationReader, BytesAfterRecord154AreIgnored) {
    const auto original = distinctConfiguration();
    auto bytes = encoded(original);
    const auto other = encoded(ConfigurationFile{});
    bytes.insert(bytes.end(), other.begin(), other.end());
    std::mt19937 random(154);
    for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<unsigned char>(random()));
    RecordView view(bytes);
    ConfigurationFile loaded;
    ASSERT_EQ(readConfiguration(view, loaded), LoadResult::Loaded);
    EXPECT_EQ(loaded, original);
}

// After record 154, only the marker and, when it is not there, the record where its check entry
// would stand (a damaged marker) are looked at.
TEST(ConfigurationReader, ReadsEachRecordOnceInOrderAndAfter154OnlyWhereTheEntriesBegin) {
    class Recording : public RecordReader {
      public:
        std::vector<std::int64_t> asked;
        std::optional<std::string> read(std::int64_t n) override {
            asked.push_back(n);
            return n == 1 ? "Qelvo" : "";
        }
    } recording;
    ConfigurationFile loaded;
    ASSERT_EQ(readConfiguration(recording, loaded), LoadResult::Loaded);
    ASSERT_EQ(recording.asked.size(), 156u);
    for (std::size_t i = 0; i < recording.asked.size(); ++i)
        EXPECT_EQ(recording.asked[i], std::int64_t(i + 1));
}

// Entries after record 154 come back as they were written, repeated keys and accents included,
// after the marker and the check entry.
TEST(ConfigurationExtensions, EntriesRoundTripBehindTheirCheck) {
    ConfigurationFile original = distinctConfiguration();
    original.extensions.set("conductimètre", "1");
    original.extensions.add(situationKey(2, "mesure"), "12,5;4,76");
    original.extensions.add(situationKey(2, "mesure"), "13;5=5");
    RecordBuffer buffer;
    ASSERT_TRUE(writeConfiguration(buffer, original));
    EXPECT_EQ(buffer.bytes().size(), (kConfigurationRecords + 6) * kRecordSize);
    EXPECT_EQ(buffer.read(kConfigurationRecords + 2).value_or("").substr(0, 12), "contrôle=3;");
    ConfigurationFile loaded;
    ASSERT_EQ(readConfiguration(buffer, loaded), LoadResult::Loaded);
    EXPECT_EQ(loaded, original);
    EXPECT_EQ(loaded.extensions.values("s3.mesure"), (std::vector<std::string_view>{"12,5;4,76", "13;5=5"}));

    ConfigurationFile tooLong;
    tooLong.extensions.add("note", std::string(126, 'x'));
    RecordBuffer refused;
    EXPECT_FALSE(writeConfiguration(refused, tooLong));
}

namespace {

constexpr std::size_t kPoints = 100;

// The first byte of record n.
std::size_t at(std::int64_t n) {
    return static_cast<std::size_t>(n - 1) * kRecordSize;
}

struct EntryDamage {
    const char* why;
    bool checked;  // written with the check entry, as the program writes now
    std::function<void(std::vector<unsigned char>&)> damage;
    std::size_t kept;  // entries read back
    bool leftOut;      // and the pupil is told that some were left out
};

void PrintTo(const EntryDamage& c, std::ostream* out) {
    *out << c.why;
}

class DamagedEntries : public ::testing::TestWithParam<EntryDamage> {};

}  // namespace

// Entries cut off or damaged never go unnoticed: those that are whole are kept, and the file
// loads with its 154 records and says that some values were incorrect.
TEST_P(DamagedEntries, AreLeftOutAndSaid) {
    const EntryDamage& c = GetParam();
    const ConfigurationFile original = entryfiles::withPoints(distinctConfiguration());
    auto bytes = c.checked ? entryfiles::written(original) : entryfiles::writtenWithoutCheck(original);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(32 * 1024 + (c.checked ? kRecordSize : 0)));
    c.damage(bytes);
    RecordView view(bytes);
    ConfigurationFile loaded;
    ASSERT_EQ(readConfiguration(view, loaded), LoadResult::Loaded);
    EXPECT_EQ(loaded.extensions.entries().size(), c.kept);
    EXPECT_EQ(loaded.damagedEntriesLeftOut, c.leftOut);
    EXPECT_EQ(loaded.situations, distinctConfiguration().situations);
    // What was kept are entries as written, unless nothing could tell.
    const auto& written = original.extensions.entries();
    const auto& kept = loaded.extensions.entries();
    EXPECT_TRUE((!c.checked && !c.leftOut) ||
                std::all_of(kept.begin(), kept.end(), [&written](const auto& e) {
                    return std::find(written.begin(), written.end(), e) != written.end();
                }));
}

// Entry k (from 0) of a file with the check lies in record 157 + k; 156 + k without it.
INSTANTIATE_TEST_SUITE_P(
    Files, DamagedEntries,
    ::testing::Values(
        EntryDamage{"whole", true, [](auto&) {}, kPoints, false},
        EntryDamage{"whole, written before the check", false, [](auto&) {}, kPoints, false},
        EntryDamage{"cut at 25 KB of 32 KB", true, [](auto& b) { b.resize(25 * 1024); }, 200 - 156, true},
        EntryDamage{"cut at 25 KB, written before the check", false, [](auto& b) { b.resize(25 * 1024); },
                    200 - 155, true},
        EntryDamage{"cut before the closing record, written before the check", false,
                    [](auto& b) { b.resize(at(256)); }, kPoints, true},
        EntryDamage{"one damaged length byte", true, [](auto& b) { b[at(161)] = 0xFF; }, kPoints - 1, true},
        EntryDamage{"one damaged length byte, written before the check", false,
                    [](auto& b) { b[at(160)] = 0xFF; }, kPoints - 1, true},
        EntryDamage{"a digit changed", true, [](auto& b) { b[at(200) + 15] ^= 1; }, 0, true},
        EntryDamage{"a digit changed, written before the check: nothing can tell", false,
                    [](auto& b) { b[at(200) + 15] ^= 1; }, kPoints, false},
        EntryDamage{"the sum of the check damaged", true,
                    [](auto& b) { b[at(156) + 16] = b[at(156) + 16] == '0' ? '1' : '0'; }, 0, true},
        EntryDamage{"the marker damaged", true, [](auto& b) { b[at(155) + 3] = 'X'; }, kPoints, true},
        EntryDamage{"a byte after a text, which means nothing", true, [](auto& b) { b[at(190) + 100] = 7; },
                    kPoints, false}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ConfigurationReader, UnreadableSignatureFailsAndLaterUnreadableRecordsKeepTheirField) {
    RecordBuffer buffer(encoded(distinctConfiguration()));
    FailingReader failsFirst(buffer, 1);
    ConfigurationFile loaded;
    EXPECT_EQ(readConfiguration(failsFirst, loaded), LoadResult::ReadFailed);
    EXPECT_EQ(loaded, ConfigurationFile{});

    FailingReader failsLater(buffer, situationRecord(2, 2));
    ASSERT_EQ(readConfiguration(failsLater, loaded), LoadResult::Loaded);
    auto expected = distinctConfiguration();
    expected.situations[1].titrantConcentrationText = chemistry::defaultSituation().titrantConcentrationText;
    EXPECT_EQ(loaded, expected);
}

TEST(ConfigurationReader, EachResultCallsForItsMessage) {
    EXPECT_FALSE(failureMessage(LoadResult::Loaded).has_value());
    const auto refused = failureMessage(LoadResult::NotAConfigurationFile);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->text, "Ce fichier ne correspond pas à cette application");
    EXPECT_EQ(refused->title, "Fichier non valide");
    const auto unreadable = failureMessage(LoadResult::ReadFailed);
    ASSERT_TRUE(unreadable.has_value());
    EXPECT_EQ(unreadable->text, "Lecture impossible sur disque");
    EXPECT_EQ(unreadable->title, "Erreur lors du chargement du fichier");
    const auto denied = failureMessage(LoadResult::AccessDenied);
    ASSERT_TRUE(denied.has_value());
    EXPECT_EQ(denied->text, "Accès refusé : vous n'avez pas le droit de lire ce fichier.");
    EXPECT_EQ(denied->title, "Erreur lors du chargement du fichier");
}

// --- On disk ---

using ConfigurationDiskTest = TemporaryFolderTest;

TEST_F(ConfigurationDiskTest, SavedFileLoadsBackWithAccentsInWindows1252) {
    std::string high;  // every character of bytes 0x80 to 0xFF, in two texts of 64
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    auto c = distinctConfiguration();
    c.situations[0].otherPKaText = numbers::windows1252ToUtf8(high.substr(0, 64));
    c.situations[9].waterVolumeText = numbers::windows1252ToUtf8(high.substr(64));
    c.situations[5].beakerConcentrationText = "Méthylorange à 3,1 — œuf € ≈";
    const fs::path path = m_folder / "accents.C13";
    ASSERT_TRUE(saveConfigurationFile(path, c));

    const auto bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 19712u);
    auto expectRecord = [&](std::int64_t n, const std::string& text) {
        std::vector<unsigned char> head = {static_cast<unsigned char>(text.size()), 0};
        head.insert(head.end(), text.begin(), text.end());
        EXPECT_EQ(recordAt(bytes, n), padded(head)) << "record " << n;
    };
    expectRecord(situationRecord(1, 1), high.substr(0, 64));
    expectRecord(situationRecord(10, 6), high.substr(64));
    expectRecord(situationRecord(6, 4),
                 "M\xE9thylorange \xE0 3,1 \x97 \x9C"
                 "uf \x80 ?");

    ConfigurationFile loaded;
    ASSERT_EQ(loadConfigurationFile(path, loaded), LoadResult::Loaded);
    auto expected = c;
    expected.situations[5].beakerConcentrationText = "Méthylorange à 3,1 — œuf € ?";  // ≈ has no byte
    EXPECT_EQ(loaded, expected);
}

TEST_F(ConfigurationDiskTest, LoadFailuresTellWhichMessage) {
    ConfigurationFile loaded;
    EXPECT_EQ(loadConfigurationFile(m_folder / "absent.C13", loaded), LoadResult::ReadFailed);
    EXPECT_EQ(loadConfigurationFile(m_folder, loaded), LoadResult::ReadFailed);
    writeBytes(m_folder / "empty.C13", {});
    EXPECT_EQ(loadConfigurationFile(m_folder / "empty.C13", loaded), LoadResult::NotAConfigurationFile);
    writeBytes(m_folder / "text.C13", {'Q', 'e', 'l', 'v', 'o', '\n'});
    EXPECT_EQ(loadConfigurationFile(m_folder / "text.C13", loaded), LoadResult::NotAConfigurationFile);
    EXPECT_EQ(loaded, ConfigurationFile{});
}

namespace {

// A file without read permission for this user, read by the user. Root reads any file, so the test
// then runs the reading in a child that has become nobody.
int readAsUnprivilegedUser(const fs::path& path) {
    fs::permissions(path, fs::perms::none);
    const auto read = [&path] {
        ConfigurationFile loaded;
        return static_cast<int>(loadConfigurationFile(path, loaded)) * 2 + (readingDenied(path) ? 1 : 0);
    };
    if (!testsupport::runsAsRoot()) return read();
    const auto end = testsupport::inChildAsNobody(read);
    return end ? end->exitCode : -1;
}

}  // namespace

TEST_F(ConfigurationDiskTest, AFileThisUserMayNotReadIsAnAccessRefused) {
    if (!testsupport::permissionsDenyOwner()) GTEST_SKIP() << testsupport::kNoUnreadableFileReason;
    const fs::path path = m_folder / "prive.C13";
    ASSERT_TRUE(saveConfigurationFile(path, distinctConfiguration()));
    EXPECT_EQ(readAsUnprivilegedUser(path), static_cast<int>(LoadResult::AccessDenied) * 2 + 1);
    // Missing files, folders and readable files are not refused for their permissions.
    ASSERT_TRUE(saveConfigurationFile(m_folder / "lisible.C13", distinctConfiguration()));
    for (const fs::path& other : {m_folder / "absent.C13", m_folder, m_folder / "lisible.C13"})
        EXPECT_FALSE(readingDenied(other)) << other;
}

TEST_F(ConfigurationDiskTest, SaveReplacesALongerFileWithExactly154Records) {
    const fs::path path = m_folder / "long.C13";
    writeBytes(path, std::vector<unsigned char>(200 * kRecordSize, 0x41));
    ASSERT_TRUE(saveConfigurationFile(path, distinctConfiguration()));
    EXPECT_EQ(fileBytes(path), encoded(distinctConfiguration()));
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"long.C13"});
}

TEST_F(ConfigurationDiskTest, SaveKeepsPermissionsAndFollowsSymbolicLinks) {
    if (!testsupport::keepsPermissionBits()) GTEST_SKIP() << testsupport::kNoPermissionBitsReason;
    if (!testsupport::canLinkFiles()) GTEST_SKIP() << testsupport::kNoLinkReason;
    const fs::path real = m_folder / "real.C13";
    const fs::path link = m_folder / "link.C13";
    ASSERT_TRUE(saveConfigurationFile(real, ConfigurationFile{}));
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(real, permissions);
    fs::create_symlink(real.filename(), link);
    ASSERT_TRUE(saveConfigurationFile(link, distinctConfiguration()));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fileBytes(real), encoded(distinctConfiguration()));
    EXPECT_EQ(fs::status(real).permissions(), permissions);
    EXPECT_EQ(namesIn(m_folder), (std::set<std::string>{"link.C13", "real.C13"}));
}

// A failed save must leave the previous file byte for byte and no temporary file behind.
using FailedSaveTest = TemporaryFolderTest;

TEST_F(FailedSaveTest, TooLongTextsAndUnwritablePathsKeepThePreviousFile) {
    const fs::path previous = m_folder / "eleve.C13";
    ASSERT_TRUE(saveConfigurationFile(previous, ConfigurationFile{}));
    const auto before = fileBytes(previous);
    fs::create_directory(m_folder / "dossier.C13");

    auto tooLong = distinctConfiguration();
    tooLong.situations[6].beakerVolumeText = std::string(127, '2');
    auto tooLongOnceEncoded = distinctConfiguration();
    for (int i = 0; i < 127; ++i) tooLongOnceEncoded.situations[9].otherPKaText += "é";  // 254 bytes of UTF-8
    const struct {
        const char* why;
        fs::path target;
        ConfigurationFile content;
    } cases[] = {
        {"a text of 127 bytes", previous, tooLong},
        {"127 accented letters", previous, tooLongOnceEncoded},
        {"the target is a folder", m_folder / "dossier.C13", distinctConfiguration()},
        {"the folder does not exist", m_folder / "absent" / "eleve.C13", distinctConfiguration()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(saveConfigurationFile(c.target, c.content)) << c.why;
        EXPECT_EQ(fileBytes(previous), before) << c.why;
        EXPECT_EQ(namesIn(m_folder), (std::set<std::string>{"dossier.C13", "eleve.C13"})) << c.why;
        EXPECT_TRUE(fs::is_directory(m_folder / "dossier.C13")) << c.why;
    }
}

TEST_F(FailedSaveTest, DiskFillingUpHalfWayKeepsThePreviousFile) {
    // A file-size limit stops the write after a few records, even for root.
    const fs::path previous = m_folder / "eleve.C13";
    ASSERT_TRUE(saveConfigurationFile(previous, ConfigurationFile{}));
    const auto before = fileBytes(previous);
    const auto end = testsupport::inChild([&previous] {
        const testsupport::FileSizeLimit limit(5000);
        return saveConfigurationFile(previous, distinctConfiguration()) ? 0 : 1;
    });
    if (!end) GTEST_SKIP() << testsupport::kNoChildReason;
    ASSERT_FALSE(end->killed);
    EXPECT_EQ(end->exitCode, 1) << "the save did not report its failure";
    EXPECT_EQ(fileBytes(previous), before);
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
}

TEST_F(FailedSaveTest, ReadOnlyFolderKeepsThePreviousFile) {
    if (testsupport::runsAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    if (!testsupport::readOnlyFoldersRefuseFiles())
        GTEST_SKIP() << testsupport::kWritableReadOnlyFolderReason;
    const fs::path previous = m_folder / "eleve.C13";
    ASSERT_TRUE(saveConfigurationFile(previous, ConfigurationFile{}));
    const auto before = fileBytes(previous);
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(saveConfigurationFile(previous, distinctConfiguration()));
    fs::permissions(m_folder, fs::perms::owner_all);
    EXPECT_EQ(fileBytes(previous), before);
    EXPECT_EQ(namesIn(m_folder), std::set<std::string>{"eleve.C13"});
}
