// The recovery copy's reader faces bytes it did not write: mutants of real copies, with their
// check value left as it was (damage on the disk: always refused) or made to match again (so that
// the layout itself is put to the test). It never crashes, never reads past the bytes it is given
// (each input sits in a heap block of exactly its size), allocates no more than the input
// justifies, and what it accepts holds values the bench can show and is written back the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "chemistry/fieldvalidation.h"
#include "state/actions.h"
#include "state/benchrecovery.h"
#include "tests/configuration/allocationcounter.h"
#include "tests/labpoints.h"
#include "tests/mutator.h"

using namespace state;

namespace {

std::string seedOf(bool worked) {
    BenchState b;
    setDefaults(b);
    start(b);
    RecoveryCopy copy;
    if (worked) {
        setMeasurements(b, testing_points::labPoints({{0, 2.9, 0.1}, {12.5, 4.75, 0.3}}));
        pressTap(b);
        for (int i = 0; i < 6; ++i) pourTick(b);
        copy.text.rtf = "{\\rtf1 Prise en main}";
    }
    copy.bench = snapshotBench(b);
    const auto bytes = encodeRecoveryCopy(copy);
    return std::string(bytes.begin(), bytes.end());
}

// The mutant's last four bytes replaced by the CRC-32 of the others, computed bit by bit.
std::string resealed(std::string text) {
    if (text.size() < 4) return text;
    text.resize(text.size() - 4);
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : text) {
        crc ^= static_cast<unsigned char>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    for (int i = 0; i < 4; ++i) text.push_back(static_cast<char>(~crc >> (8 * i)));
    return text;
}

bool showable(const BenchSnapshot& b) {
    bool ok = b.current >= 0 && b.current < 10 && b.stepTenths >= 1 && b.stepTenths <= 10;
    for (const double v : b.rowVolumes) ok = ok && v >= 0 && v <= 25;
    for (const auto& points : b.measurements)
        for (const auto& p : points)
            ok = ok && p.volume >= 0 && p.volume <= 25 && testing_points::pHOf(p) >= 0 &&
                 testing_points::pHOf(p) <= 14;
    for (const auto& s : b.records) ok = ok && s.speciesIndex >= 0 && chemistry::knowsItsSolutes(s);
    return ok && chemistry::knowsItsSolutes(b.panel);
}

}  // namespace

TEST(RecoveryCopyRobustness, MutantsAreRefusedOrReadWithinBoundsAndWrittenBackTheSame) {
    const std::vector<std::string> seeds = {seedOf(false), seedOf(true)};
    const std::vector<std::string> alphabet = {
        std::string(1, '\0'), std::string(4, '\0'), "\x01", "\xFF\xFF\xFF\xFF", "0,01", "\xE9"};
    int read = 0;
    std::optional<testing_support::Mutator> mutator;
    for (int round = 0; round < 20000; ++round) {
        // Short runs of edits keep a good share of the mutants readable.
        if (round % 4 == 0) mutator.emplace(seeds, alphabet, static_cast<std::uint32_t>(round), 4096);
        std::string text = mutator->next();
        const bool sealed = round % 5 != 0;
        if (sealed) text = resealed(text);
        auto* block = static_cast<unsigned char*>(std::malloc(std::max<std::size_t>(text.size(), 1)));
        std::memcpy(block, text.data(), text.size());
        std::optional<RecoveryCopy> copy;
        std::size_t peak = 0;
        {
            testing_support::AllocationScope scope;
            copy = decodeRecoveryCopy(std::span<const unsigned char>(block, text.size()));
            peak = scope.peakBytes();
        }
        std::free(block);
        // Texts and lists never take more than the bytes they were read from.
        ASSERT_LE(peak, 2 * text.size() + 256) << round;
        if (!sealed && std::find(seeds.begin(), seeds.end(), text) == seeds.end()) {
            ASSERT_FALSE(copy) << round;
        }
        if (!copy) continue;
        ++read;
        ASSERT_TRUE(showable(copy->bench)) << round;
        const auto again = encodeRecoveryCopy(*copy);
        ASSERT_EQ(std::string(again.begin(), again.end()), text) << round;
    }
    // Both answers must be common, or the mutants test one of them only.
    EXPECT_GT(read, 200);
    EXPECT_LT(read, 10000);
}
