// The reader faces files it did not write. Mutants of real files must never crash it, and every
// answer is all or nothing: points within the limits and no message, or a message (naming a line
// of the file, or none) and no point. Whatever it reads, written back as CSV, reads as the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measurementreader.h"
#include "numbers/windows1252.h"
#include "tests/mutator.h"

using namespace measurements;

namespace {

const std::vector<std::string> kSeeds = {
    "V (mL);pH\r\nmL;\r\n0;2,88\r\n1;3,52\r\n2,5;4,01\r\n12,5;4,75\r\n25;11,05\r\n",
    "\xEF\xBB\xBFV\tpH\tsigma\n0\t2.88\t0.12\n1.5\t3.6\t0.2\n",
    "# essai\nt (s),pH,V (mL)\n0,2.9,0\n30,3.5,1.2\n",
    "\"V\";\"pH\"\n\"0\";\"2,9\"\n\"0,5\";\"3,1\"\n",
    "Volume vers\xE9;pH\r0;3\r24,9;12\r",
};

const std::vector<std::string> kAlphabet = {
    ";",   "\t", ",",  ".",       "\n", "\r\n", "\r",           "\"",       "#",
    "//",  " ",  "0",  "1",       "9",  "25",   "14",           "-",        "e",
    "E+9", "V",  "pH", "sigma",   "σ",  "mL",   "\xEF\xBB\xBF", "\xFF\xFE", "\xE9",
    "(",   ")",  "/",  "\xC2\xA0"};

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                            std::count(text.begin(), text.end(), '\r')) +
           1;
}

bool withinLimits(const MeasuredPoint& p) {
    return p.volume >= 0 && p.volume <= kMaxVolume && p.pH >= kMinPh && p.pH <= kMaxPh &&
           p.conductivity >= 0 && std::isfinite(p.conductivity);
}

std::string csvOf(const ReadResult& result, CsvConvention convention) {
    CsvTable table;
    table.headers = {"V (mL)", "pH"};
    if (result.hasConductivity) table.headers.push_back("σ (mS/cm)");
    for (const MeasuredPoint& p : result.points) {
        table.rows.push_back({p.volume, p.pH});
        if (result.hasConductivity) table.rows.back().push_back(p.conductivity);
    }
    return writeCsv(table, {}, convention);
}

}  // namespace

TEST(MeasurementReaderRobustness, MutantsOfRealFilesAreReadWholeOrRefusedWhole) {
    int read = 0;
    int refused = 0;
    // Edits pile up within a run of mutants; short runs keep many files readable.
    std::optional<testing_support::Mutator> mutator;
    for (int round = 0; round < 20000; ++round) {
        if (round % 20 == 0) mutator.emplace(kSeeds, kAlphabet, static_cast<std::uint32_t>(round));
        const std::string text = mutator->next();
        const ReadResult result = readMeasurements(text);
        if (result.ok()) {
            ++read;
            ASSERT_FALSE(result.points.empty()) << text;
            ASSERT_TRUE(std::all_of(result.points.begin(), result.points.end(), withinLimits)) << text;
            const auto convention = round % 2 ? CsvConvention::French : CsvConvention::International;
            const ReadResult again = readMeasurements(csvOf(result, convention));
            ASSERT_TRUE(again.ok()) << text << "\n" << again.error;
            ASSERT_EQ(again.points.size(), result.points.size()) << text;
            for (std::size_t i = 0; i < again.points.size(); ++i) {
                // Values a float holds exactly are written with the float's digits.
                ASSERT_EQ(float(again.points[i].volume), float(result.points[i].volume)) << text;
                ASSERT_EQ(float(again.points[i].pH), float(result.points[i].pH)) << text;
                ASSERT_EQ(float(again.points[i].conductivity), float(result.points[i].conductivity)) << text;
            }
            ASSERT_EQ(again.hasConductivity, result.hasConductivity) << text;
        } else {
            ++refused;
            ASSERT_TRUE(result.points.empty()) << text;
            ASSERT_TRUE(numbers::isValidUtf8(result.error)) << text;
            ASSERT_GE(result.errorLine, 0);
            ASSERT_LE(result.errorLine, lineCount(text)) << text;
        }
    }
    // Both answers must be common, or the mutants test one of them only.
    EXPECT_GT(read, 2000);
    EXPECT_GT(refused, 2000);
}
