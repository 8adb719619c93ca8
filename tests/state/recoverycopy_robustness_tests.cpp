// The recovery copy's reader faces bytes it did not write: mutants of real copies, with their
// check value left as it was (damage on the disk) or made to match again (so that the layout
// itself is put to the test). It never crashes, never reads past the bytes it is given (each input
// sits in a heap block of exactly its size), allocates no more than the input justifies, and what
// it accepts holds values the bench can show and is written back to the same bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "state/actions.h"
#include "state/benchrecovery.h"
#include "state/recoverycopy.h"
#include "tests/configuration/allocationcounter.h"
#include "tests/mutator.h"

using namespace state;

namespace {

std::string seedOf(const std::function<void(BenchState&)>& work, const std::string& rtf) {
    BenchState b;
    setDefaults(b);
    start(b);
    work(b);
    RecoveryCopy copy;
    copy.savedAt = 1700000000;
    copy.bench = snapshotBench(b);
    copy.text.rtf = rtf;
    copy.text.exerciseName = "Qelvo.PEM";
    const auto bytes = encodeRecoveryCopy(copy);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> seeds() {
    return {
        seedOf([](BenchState&) {}, ""),
        seedOf(
            [](BenchState& b) {
                setMeasurements(b, {{0, 2.9, 0.1}, {12.5, 4.75, 0.3}});
                pressTap(b);
                for (int i = 0; i < 6; ++i) pourTick(b);
            },
            "{\\rtf1 Prise en main}"),
    };
}

const std::vector<std::string> kAlphabet = {
    std::string(1, '\0'), std::string(4, '\0'), "\x01", "\xFF\xFF\xFF\xFF", "\x7F", "0,01", "25,0", "\xE9"};

std::uint32_t referenceCrc(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The mutant's last four bytes replaced by the check value of the others.
std::string resealed(std::string text) {
    if (text.size() < 4) return text;
    text.resize(text.size() - 4);
    const std::uint32_t crc = referenceCrc(text);
    for (int i = 0; i < 4; ++i) text.push_back(static_cast<char>(crc >> (8 * i)));
    return text;
}

bool showable(const RecoveryCopy& copy) {
    const BenchSnapshot& b = copy.bench;
    if (b.current < 0 || b.current > 9 || b.stepTenths < 1 || b.stepTenths > 10) return false;
    for (const double v : b.rowVolumes)
        if (!(v >= 0 && v <= 25)) return false;
    for (const auto& points : b.measurements)
        for (const auto& p : points)
            if (!(p.volume >= 0 && p.volume <= 25 && p.pH >= 0 && p.pH <= 14 &&
                  std::isfinite(p.conductivity)))
                return false;
    return true;
}

struct Outcome {
    std::optional<RecoveryCopy> copy;
    std::size_t peakBytes = 0;
};

Outcome readExactly(const std::string& text) {
    auto* block = static_cast<unsigned char*>(std::malloc(text.empty() ? 1 : text.size()));
    std::memcpy(block, text.data(), text.size());
    Outcome outcome;
    {
        testing_support::AllocationScope scope;
        outcome.copy = decodeRecoveryCopy(std::span<const unsigned char>(block, text.size()));
        outcome.peakBytes = scope.peakBytes();
    }
    std::free(block);
    return outcome;
}

}  // namespace

TEST(RecoveryCopyRobustness, MutantsAreRefusedOrReadWithinBoundsAndWrittenBackTheSame) {
    const std::vector<std::string> pool = seeds();
    std::size_t longest = 0;
    for (const auto& seed : pool) longest = std::max(longest, seed.size());
    int read = 0;
    int refused = 0;
    std::optional<testing_support::Mutator> mutator;
    for (int round = 0; round < 20000; ++round) {
        if (round % 4 == 0) mutator.emplace(pool, kAlphabet, static_cast<std::uint32_t>(round), longest + 64);
        std::string text = mutator->next();
        // Most mutants keep their damage visible; the others get a check value that matches.
        if (round % 5 != 0) text = resealed(text);
        const Outcome outcome = readExactly(text);
        // Texts and lists never take more than the bytes they were read from.
        ASSERT_LE(outcome.peakBytes, 2 * text.size() + 256) << round;
        if (!outcome.copy) {
            ++refused;
            continue;
        }
        ++read;
        ASSERT_TRUE(showable(*outcome.copy)) << round;
        const auto again = encodeRecoveryCopy(*outcome.copy);
        ASSERT_EQ(std::string(again.begin(), again.end()), text) << round;
    }
    // Both answers must be common, or the mutants test one of them only.
    EXPECT_GT(read, 200);
    EXPECT_GT(refused, 3000);
}
