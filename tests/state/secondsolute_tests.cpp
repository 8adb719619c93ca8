// The second solute's entries after the 154 records: written only when a situation has something
// to say, read back into the situations, and a solute this program does not know refused.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/fieldvalidation.h"
#include "configuration/configurationfile.h"
#include "configuration/recordbuffer.h"
#include "state/secondsolutecodec.h"

using namespace configuration;
using namespace state;

namespace {

struct EntryCase {
    const char* why;
    std::function<void(chemistry::Situation&)> change;  // on Situation 3
    std::vector<ExtensionEntry> entries;
};

class SecondSoluteEntries : public ::testing::TestWithParam<EntryCase> {};

std::vector<unsigned char> bytesOf(const ConfigurationFile& file) {
    RecordBuffer buffer;
    EXPECT_TRUE(writeConfiguration(buffer, file));
    return buffer.bytes();
}

struct KnownCase {
    const char* why;
    bool acid;
    int first;
    int second;
    bool known;
};

class KnownSolutes : public ::testing::TestWithParam<KnownCase> {};

}  // namespace

TEST_P(SecondSoluteEntries, AreWrittenOnlyWhenSetAndReadBackIntoTheSituations) {
    const EntryCase& c = GetParam();
    ConfigurationFile file;
    c.change(file.situations[2]);
    const ConfigurationFile set = file;
    writeSecondSolutes(file);
    EXPECT_EQ(file.extensions.entries(), c.entries) << c.why;
    if (c.entries.empty()) {
        // A file with nothing to add is byte for byte the file of 154 records.
        EXPECT_EQ(bytesOf(file), bytesOf(ConfigurationFile{})) << c.why;
    }

    RecordBuffer buffer;
    ASSERT_TRUE(writeConfiguration(buffer, file));
    ConfigurationFile read;
    read.situations[5].secondSpeciesIndex = 3;  // what was there before does not survive the read
    ASSERT_EQ(readConfiguration(buffer, read), LoadResult::Loaded);
    ASSERT_TRUE(readSecondSolutes(read)) << c.why;
    EXPECT_EQ(read.situations, set.situations) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Situations, SecondSoluteEntries,
    ::testing::Values(EntryCase{"nothing beyond the records", [](chemistry::Situation&) {}, {}},
                      EntryCase{"a second solute at the default concentration",
                                [](chemistry::Situation& s) { s.secondSpeciesIndex = 4; },
                                {{"s3.soluté2", "4"}}},
                      EntryCase{"a second solute and its concentration",
                                [](chemistry::Situation& s) {
                                    s.secondSpeciesIndex = 2;
                                    s.secondConcentrationText = "0,005";
                                },
                                {{"s3.soluté2", "2"}, {"s3.c2", "0,005"}}},
                      EntryCase{"the free diacid's second pKa",
                                [](chemistry::Situation& s) {
                                    s.speciesIndex = 21;
                                    s.secondPKaText = "10,5";
                                },
                                {{"s3.pKa2", "10,5"}}}));

TEST(SecondSoluteEntries, AnIndexThatIsNoWholeNumberIsRefusedWithNothingChanged) {
    for (const char* text : {"", "x", "4,5", " 4", "99999"}) {
        ConfigurationFile file;
        file.extensions.set("s1.soluté2", text);
        const auto before = file.situations;
        EXPECT_FALSE(readSecondSolutes(file)) << '"' << text << '"';
        EXPECT_EQ(file.situations, before);
    }
}

TEST_P(KnownSolutes, AreThoseOfTheListOfTheNatureAndNoFreeOneSecond) {
    const KnownCase& c = GetParam();
    chemistry::Situation s;
    s.beakerIsAcid = c.acid;
    s.speciesIndex = static_cast<std::int16_t>(c.first);
    s.secondSpeciesIndex = static_cast<std::int16_t>(c.second);
    EXPECT_EQ(chemistry::knowsItsSolutes(s), c.known) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Indices, KnownSolutes,
                         ::testing::Values(KnownCase{"the first monoprotic acid", true, 0, -1, true},
                                           KnownCase{"nothing chosen", true, -1, -1, true},
                                           KnownCase{"the free diacid, the last acid", true, 21, -1, true},
                                           KnownCase{"one acid beyond the list", true, 22, -1, false},
                                           KnownCase{"the free dibase, the last base", false, 18, -1, true},
                                           KnownCase{"one base beyond the list", false, 19, -1, false},
                                           KnownCase{"a negative index other than none", true, -2, -1, false},
                                           KnownCase{"ethanoic acid second", true, 15, 4, true},
                                           KnownCase{"a free acid cannot be second", true, 2, 14, false},
                                           KnownCase{"a second acid beyond the list", true, 2, 22, false}));
