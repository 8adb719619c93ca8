// The bench to its configuration file and back: every feature's codec is on the list, writes its
// entries in the order files always had them, and comes back on loading.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "configuration/recordbuffer.h"
#include "state/actions.h"
#include "state/benchconfiguration.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "tests/labpoints.h"

using namespace state;

namespace {

BenchState startedBench() {
    BenchState bench;
    setDefaults(bench);
    start(bench);
    return bench;
}

std::vector<unsigned char> bytesOf(const configuration::ConfigurationFile& file) {
    configuration::RecordBuffer buffer;
    EXPECT_TRUE(configuration::writeConfiguration(buffer, file));
    return buffer.bytes();
}

const MeasuredPoints kPoints = testing_points::labPoints({{0, 2.88, 0}, {12.5, 4.76, 1.25}});

void measure(BenchState& b) {
    setMeasurements(b, kPoints);
}
void conduct(BenchState& b) {
    showConductimeter(b, true);
    showConductivityGraph(b, true);
}
void addSecondSolute(BenchState& b) {
    b.situations.records[2].secondSpeciesIndex = 4;
    b.situations.records[2].secondConcentrationText = "0,005";
}
void contrast(BenchState& b) {
    setHighContrast(b, true);
}

struct FeatureCase {
    const char* why;
    std::function<void(BenchState&)> set;
    std::vector<std::string> keys;  // as written
    std::function<bool(const BenchState&)> isBack;
};

void PrintTo(const FeatureCase& c, std::ostream* out) {
    *out << c.why;
}

class FeatureThroughTheFile : public ::testing::TestWithParam<FeatureCase> {};

}  // namespace

TEST_P(FeatureThroughTheFile, WritesItsEntriesAndComesBackOnLoading) {
    const FeatureCase& c = GetParam();
    BenchState bench = startedBench();
    c.set(bench);
    const configuration::ConfigurationFile saved = configurationFromBench(bench);
    std::vector<std::string> keys;
    for (const auto& entry : saved.extensions.entries()) keys.push_back(entry.key);
    EXPECT_EQ(keys, c.keys) << c.why;

    configuration::RecordBuffer buffer;
    ASSERT_TRUE(configuration::writeConfiguration(buffer, saved));
    configuration::ConfigurationFile read;
    ASSERT_EQ(configuration::readConfiguration(buffer, read), configuration::LoadResult::Loaded);
    ASSERT_TRUE(acceptConfiguration(read)) << c.why;
    EXPECT_FALSE(correctConfiguration(read).has_value()) << c.why;
    BenchState loaded = startedBench();
    ASSERT_FALSE(c.isBack(loaded)) << c.why;
    loadConfiguration(loaded, read);
    EXPECT_TRUE(c.isBack(loaded)) << c.why;
    EXPECT_EQ(bytesOf(configurationFromBench(loaded)), buffer.bytes()) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Features, FeatureThroughTheFile,
    ::testing::Values(
        FeatureCase{"measurements",
                    measure,
                    {"s1.mesure", "s1.mesure"},
                    [](const BenchState& b) { return b.lab.points[0] == kPoints; }},
        FeatureCase{"conductimeter and σ graph",
                    conduct,
                    {"conductimètre", "graphe"},
                    [](const BenchState& b) { return b.switches.conductivityGraph; }},
        FeatureCase{"second solute",
                    addSecondSolute,
                    {"s3.soluté2", "s3.c2"},
                    [](const BenchState& b) { return b.situations.records[2].secondSpeciesIndex == 4; }},
        FeatureCase{"high contrast",
                    contrast,
                    {"contraste"},
                    [](const BenchState& b) { return b.switches.highContrast; }},
        FeatureCase{"every feature",
                    [](BenchState& b) {
                        contrast(b);
                        addSecondSolute(b);
                        conduct(b);
                        measure(b);
                    },
                    {"s1.mesure", "s1.mesure", "conductimètre", "graphe", "s3.soluté2", "s3.c2", "contraste"},
                    [](const BenchState& b) {
                        return b.lab.points[0] == kPoints && b.switches.conductivityGraph &&
                               b.situations.records[2].secondSpeciesIndex == 4 && b.switches.highContrast;
                    }}));

TEST(ReadConfiguration, RefusesAnUnknownSoluteAndTellsOfEveryCorrection) {
    const struct {
        const char* why;
        std::function<void(configuration::ConfigurationFile&)> damage;
        bool accepted;
        bool corrected;
    } cases[] = {
        {"a sound file", [](auto&) {}, true, false},
        {"a second solute beyond the list", [](auto& f) { f.extensions.set("s2.soluté2", "99"); }, false,
         false},
        {"a second solute index that is no number", [](auto& f) { f.extensions.set("s1.soluté2", "x"); },
         false, false},
        {"a first solute beyond the list", [](auto& f) { f.situations[0].speciesIndex = 40; }, false, false},
        {"entries left out", [](auto& f) { f.damagedEntriesLeftOut = true; }, true, true},
        {"a volume that is no number", [](auto& f) { f.situations[1].beakerVolumeText = "NaN"; }, true, true},
        {"a measured pH beyond 14", [](auto& f) { f.extensions.add("s2.mesure", "5;15"); }, true, true},
    };
    for (const auto& c : cases) {
        configuration::ConfigurationFile file;
        c.damage(file);
        ASSERT_EQ(acceptConfiguration(file), c.accepted) << c.why;
        if (!c.accepted) continue;
        const auto notice = correctConfiguration(file);
        EXPECT_EQ(notice.has_value(), c.corrected) << c.why;
        if (notice) {
            EXPECT_EQ(notice->text,
                      "Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées.");
        }
    }
}
