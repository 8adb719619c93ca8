// The glassware on the bench: its line in the configuration file, what is refused rather than
// misread, and the situations titrating with what their glassware delivers.
#include <gtest/gtest.h>

#include <string>

#include "chemistry/titrationmodel.h"
#include "state/actions.h"
#include "state/benchconfiguration.h"
#include "state/glasswaretext.h"
#include "state/stepdescription.h"

namespace state {

namespace {

BenchState startedBench() {
    BenchState b;
    setDefaults(b);
    start(b);
    return b;
}

chemistry::Glassware dilutedGlassware() {
    chemistry::Glassware g = usualGlassware(12, 0.01);
    g.diluted = true;
    g.titrantUncertainty = 0.00015;
    return g;
}

double firstEquivalence(const chemistry::SolutionSpec& setUp) {
    const auto volumes = chemistry::makeTitrationModel(setUp, catalogue())->equivalenceVolumes();
    return volumes.empty() ? 0 : volumes.front();
}

}  // namespace

TEST(GlasswareEntries, TheChoiceComesBackAndAnExactFileHasNoEntry) {
    BenchState b = startedBench();
    EXPECT_FALSE(configurationFromBench(b).extensions.value("verrerie").has_value());

    chooseGlassware(b, dilutedGlassware());
    const configuration::ConfigurationFile saved = configurationFromBench(b);
    const auto line = saved.extensions.value("verrerie");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(readGlasswareText(*line), dilutedGlassware());

    configuration::ConfigurationFile read = saved;
    ASSERT_TRUE(acceptConfiguration(read));
    BenchState loaded = startedBench();
    loadConfiguration(loaded, read);
    EXPECT_EQ(loaded.glassware, dilutedGlassware());
    EXPECT_EQ(loaded.solution.delivery, b.solution.delivery);

    chooseGlassware(b, chemistry::Glassware{});
    EXPECT_FALSE(configurationFromBench(b).extensions.value("verrerie").has_value());
}

TEST(GlasswareEntries, ALineThisProgramCannotReadRefusesTheFile) {
    const char* odd[] = {
        "graine=3;v0=4:0,03",            // a burette for the beaker's volume
        "graine=3;v0=2:-0,03",           // a negative tolerance
        "graine=3;v0=2:0,03;couleur=1",  // a field this program does not know
        "graine=3;v0=99:0,03",           // no such piece
        "graine=x",
        "graine=3;titrant=0,5",      // beyond 0,1 mol · L-1
        "graine=3;dilution=1:0,02",  // a dilution without its flask
        "v0",
    };
    for (const char* text : odd) {
        EXPECT_FALSE(readGlasswareText(text).has_value()) << text;
        configuration::ConfigurationFile file = configurationFromBench(startedBench());
        file.extensions.set("verrerie", text);
        EXPECT_FALSE(acceptConfiguration(file)) << text;
    }
}

TEST(GlasswareBench, EachSituationTitratesWithWhatItsGlasswareDelivered) {
    BenchState b = startedBench();
    const double typed = firstEquivalence(setUpOf(b, 0));
    chooseGlassware(b, dilutedGlassware());
    EXPECT_EQ(describeStep(startedBench(), b), "verrerie : titrage exact → verrerie mesurée (graine 12)");

    // The shown situation and a stored one each carry their own draw, the same as the glassware gives
    // them; the shown one keeps it when it is stored and shown again.
    const chemistry::Delivery first = b.solution.delivery;
    EXPECT_EQ(first, chemistry::situationDelivery(b.glassware, nominalValuesOf(b.glassware, b.solution), 0));
    EXPECT_EQ(setUpOf(b, 1).delivery,
              chemistry::situationDelivery(b.glassware, nominalValuesOf(b.glassware, b.solution), 1));
    EXPECT_NE(setUpOf(b, 1).delivery, first);
    switchSituation(b, 1);
    switchSituation(b, 0);
    EXPECT_EQ(b.solution.delivery, first);

    // V_E = c₀·V₀·f / c_B for the strong acid, with what was delivered.
    const chemistry::SolutionSpec s = setUpOf(b, 0);
    const double delivered =
        0.01 * (20 + first.beakerVolume) * first.beakerConcentration / (0.01 + first.titrantConcentration);
    EXPECT_NEAR(firstEquivalence(s), delivered, 1e-4);
    EXPECT_NE(firstEquivalence(s), typed);

    // A value typed afterwards keeps the same errors.
    setFieldText(b, Field::BeakerVolume, "10");
    validateField(b, Field::BeakerVolume);
    EXPECT_EQ(b.solution.delivery, first);
}

}  // namespace state
