// The reader faces files it did not write. Mutants of real files must never crash it, and every
// answer is all or nothing: points within the limits and no message, or a message (naming a line
// of the file, or none) and no point. Whatever it reads, written back as CSV, reads as the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measurementreader.h"
#include "numbers/windows1252.h"
#include "state/meters.h"
#include "tests/mutator.h"

using namespace measurements;

namespace {

// UTF-16 little endian without its mark, as some loggers write it.
std::string utf16WithoutMark(std::string_view ascii) {
    std::string out;
    for (const char c : ascii) out += std::string{c, '\0'};
    return out;
}

const std::vector<std::string> kSeeds = {
    "V (mL);pH\r\nmL;\r\n0;2,88\r\n1;3,52\r\n2,5;4,01\r\n12,5;4,75\r\n25;11,05\r\n",
    "\xEF\xBB\xBFV\tpH\tsigma\n0\t2.88\t0.12\n1.5\t3.6\t0.2\n",
    "# essai\nt (s),pH,V (mL)\n0,2.9,0\n30,3.5,1.2\n",
    "\"V\";\"pH\"\n\"0\";\"2,9\"\n\"0,5\";\"3,1\"\n",
    "Volume vers\xE9;pH\r0;3\r24,9;12\r",
    // Files that were read wrong without a word: decimal commas between commas, a time column, a
    // heading in another language, more fields than headings, volumes out of order, σ in µS/cm,
    // UTF-16 without its mark.
    "V (mL),pH\r\n2,5,3,8\r\n2,6,3,9\r\n12,0,4,75\r\n",
    "0,0,2,91\n1,0,3,60\n",
    "t (s);V (mL);pH\n0;0;2,9\n30;1;3,5\n",
    "Zeit\tpH\n0\t2.9\n10\t3.1\n",
    "V;pH\n0;2,9\n1;3;5\n",
    "V;pH\n0;2,9\n5;3,5\n5;3,6\n4;3,4\n",
    "Vb/mL;pH;\xCF\x83 [\xC2\xB5S/cm]\n0;2,9;120\n12,5;4,75;150\n",
    utf16WithoutMark("V;pH\r\n0;2,9\r\n1;3,1\r\n"),
};

const std::vector<std::string> kAlphabet = {";",        "\t",    ",",   ".",       "\n",
                                            "\r\n",     "\r",    "\"",  "#",       "//",
                                            " ",        "0",     "1",   "9",       "25",
                                            "14",       "-",     "e",   "E+9",     "V",
                                            "pH",       "sigma", "σ",   "mL",      "\xEF\xBB\xBF",
                                            "\xFF\xFE", "\xE9",  "(",   ")",       "/",
                                            "\xC2\xA0", "µS/cm", "S/m", "L",       "t (s)",
                                            "Zeit",     "Vb",    "cm3", "(µS/cm)", std::string(1, '\0')};

// Short in CI, and under the sanitizers too: whichever bound comes first.
constexpr int kMaxRounds = 20000;
constexpr auto kTimeBudget = std::chrono::seconds(10);

int lineCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n') +
                            std::count(text.begin(), text.end(), '\r')) +
           1;
}

const std::size_t kPh = state::phReading().slot;
const std::size_t kSigma = state::conductivityReading().slot;

bool withinLimits(const MeasuredPoint& p) {
    const double pH = p.reading(kPh);
    const double sigma = p.reading(kSigma);
    return p.volume >= 0 && p.volume <= kMaxVolume && p.has(kPh) && pH >= kMinPh && pH <= kMaxPh &&
           sigma >= 0 && std::isfinite(sigma);
}

std::string csvOf(const ReadResult& result, CsvConvention convention) {
    CsvTable table;
    table.headers = {"V (mL)", "pH"};
    const bool sigma = result.has(state::conductivityReading());
    if (sigma) table.headers.push_back("σ (mS/cm)");
    for (const MeasuredPoint& p : result.points) {
        table.rows.push_back({p.volume, p.reading(kPh)});
        if (sigma) table.rows.back().push_back(p.has(kSigma) ? p.reading(kSigma) : std::nan(""));
    }
    return writeCsv(std::vector{table}, convention);
}

}  // namespace

TEST(MeasurementReaderRobustness, MutantsOfRealFilesAreReadWholeOrRefusedWhole) {
    int read = 0;
    int refused = 0;
    int rounds = 0;
    const auto deadline = std::chrono::steady_clock::now() + kTimeBudget;
    // Edits pile up within a run of mutants; short runs keep many files readable.
    std::optional<testing_support::Mutator> mutator;
    for (int round = 0; round < kMaxRounds && std::chrono::steady_clock::now() < deadline; ++round) {
        ++rounds;
        if (round % 20 == 0) mutator.emplace(kSeeds, kAlphabet, static_cast<std::uint32_t>(round));
        const std::string text = mutator->next();
        const ReadResult result = readMeasurements(text, state::labReadings());
        if (result.ok()) {
            ++read;
            ASSERT_FALSE(result.points.empty()) << text;
            ASSERT_TRUE(std::all_of(result.points.begin(), result.points.end(), withinLimits)) << text;
            const auto convention = round % 2 ? CsvConvention::French : CsvConvention::International;
            const ReadResult again = readMeasurements(csvOf(result, convention), state::labReadings());
            ASSERT_TRUE(again.ok()) << text << "\n" << again.error;
            ASSERT_EQ(again.points.size(), result.points.size()) << text;
            for (std::size_t i = 0; i < again.points.size(); ++i) {
                // Values a float holds exactly are written with the float's digits.
                ASSERT_EQ(float(again.points[i].volume), float(result.points[i].volume)) << text;
                ASSERT_EQ(float(again.points[i].reading(kPh)), float(result.points[i].reading(kPh))) << text;
                ASSERT_EQ(again.points[i].has(kSigma), result.points[i].has(kSigma)) << text;
                ASSERT_EQ(float(again.points[i].reading(kSigma)), float(result.points[i].reading(kSigma)))
                    << text;
            }
            ASSERT_EQ(again.columns, result.columns) << text;
        } else {
            ++refused;
            ASSERT_TRUE(result.points.empty()) << text;
            ASSERT_TRUE(numbers::isValidUtf8(result.error)) << text;
            ASSERT_GE(result.errorLine, 0);
            ASSERT_LE(result.errorLine, lineCount(text)) << text;
        }
    }
    // Both answers must be common, or the mutants test one of them only.
    EXPECT_GT(read, rounds / 20);
    EXPECT_GT(refused, rounds / 20);
    EXPECT_GT(rounds, 1000);
}
