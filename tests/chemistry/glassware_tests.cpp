// The glassware's draws against the laws they follow, the situations' deliveries, and the
// oxidation-reduction and precipitation engines computing with what was delivered.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chemistry/chemistry.h"
#include "chemistry/glassware.h"

using namespace chemistry;

namespace {

struct Moments {
    double mean = 0;
    double deviation = 0;
};

template <typename Draw>
Moments momentsOf(int count, Draw draw) {
    std::vector<double> values(static_cast<std::size_t>(count));
    for (double& v : values) v = draw();
    double sum = 0;
    for (double v : values) sum += v;
    const double mean = sum / count;
    double squares = 0;
    for (double v : values) squares += (v - mean) * (v - mean);
    return {mean, std::sqrt(squares / (count - 1))};
}

Glassware classA() {
    Glassware g;
    g.exact = false;
    g.beaker = {GlasswareRole::BeakerVolume, 2, 0.03};
    g.water = {GlasswareRole::WaterVolume, 11, 0.5};
    g.burette = {GlasswareRole::Burette, 4, 0.05};
    g.readingHalfWidth = 0.025;
    g.diluted = true;
    g.dilutionPipette = {GlasswareRole::DilutionPipette, 1, 0.02};
    g.dilutionFlask = {GlasswareRole::DilutionFlask, 7, 0.10};
    g.titrantUncertainty = 0.001;
    g.seed = 7;
    return g;
}

const NominalValues kNominal{20, 10, 0.1, 10, 100, 10};

}  // namespace

TEST(GlasswareDraws, FollowTheirLaws) {
    DrawGenerator generator(42);
    constexpr int kCount = 200000;
    const Moments rectangular = momentsOf(kCount, [&] { return generator.rectangular(0.05); });
    const Moments normal = momentsOf(kCount, [&] { return generator.normal(0.001); });
    EXPECT_NEAR(rectangular.mean, 0, 0.0005);
    EXPECT_NEAR(rectangular.deviation, 0.05 / std::sqrt(3.0), 0.0003);
    EXPECT_NEAR(normal.mean, 0, 1e-5);
    EXPECT_NEAR(normal.deviation, 0.001, 1e-5);
    // A rectangular draw never leaves its tolerance.
    for (int i = 0; i < 10000; ++i) EXPECT_LE(std::abs(generator.rectangular(0.03)), 0.03);
}

TEST(GlasswareDraws, SituationsShareTheBenchsSystematicErrorsAndDrawTheirOwn) {
    const Glassware g = classA();
    const Delivery first = situationDelivery(g, kNominal, 0);
    const Delivery again = situationDelivery(g, kNominal, 0);
    const Delivery second = situationDelivery(g, kNominal, 1);
    EXPECT_EQ(first, again);
    EXPECT_EQ(first.titrantConcentration, second.titrantConcentration);
    EXPECT_EQ(first.beakerConcentration, second.beakerConcentration);
    EXPECT_NE(first.beakerVolume, second.beakerVolume);
    EXPECT_NE(first.readingError, second.readingError);
    // Each error stays within its tolerances: the burette's and its two readings for the volume read.
    EXPECT_LE(std::abs(first.beakerVolume), 0.03);
    EXPECT_LE(std::abs(first.waterVolume), 0.5);
    EXPECT_LE(std::abs(first.readingError), 0.05 + 2 * 0.025);
    EXPECT_LE(std::abs(first.beakerConcentration - 1), 0.02 / 10 + 0.10 / 100 + 1e-5);
    Glassware otherSeed = g;
    otherSeed.seed = 8;
    EXPECT_NE(situationDelivery(otherSeed, kNominal, 0).titrantConcentration, first.titrantConcentration);
    Glassware exact = g;
    exact.exact = true;
    EXPECT_EQ(situationDelivery(exact, kNominal, 3), Delivery{});
}

TEST(GlasswareDraws, UncertaintiesComposeTheTolerances) {
    const InputUncertainties u = inputUncertainties(classA(), kNominal);
    const double r3 = std::sqrt(3.0);
    EXPECT_NEAR(u.beakerVolume, 0.03 / r3 / 20, 1e-12);
    EXPECT_NEAR(u.dilution, std::sqrt(std::pow(0.02 / r3 / 10, 2) + std::pow(0.10 / r3 / 100, 2)), 1e-12);
    EXPECT_NEAR(u.titrantConcentration, 0.01, 1e-12);
    EXPECT_NEAR(u.equivalenceVolume, std::sqrt(0.05 * 0.05 / 3 + 2 * 0.025 * 0.025 / 3), 1e-12);
    // The draws of many titrations spread as the uncertainties say.
    DrawGenerator generator(3);
    const Glassware g = classA();
    const Moments titrant =
        momentsOf(50000, [&] { return drawDelivery(g, kNominal, generator).titrantConcentration; });
    EXPECT_NEAR(titrant.deviation / kNominal.titrantConcentration, u.titrantConcentration, 2e-4);
    const Moments read = momentsOf(50000, [&] { return drawDelivery(g, kNominal, generator).readingError; });
    EXPECT_NEAR(read.deviation, u.equivalenceVolume, 3e-4);
}

namespace {

struct DeliveredCase {
    const char* why;
    TitrationKind kind;
    double equivalence;  // mL with the typed values, from the reaction's coefficients
};

SolutionSpec specOf(const DeliveredCase& c) {
    SolutionSpec s;
    s.kind = c.kind;
    s.beakerConcentration = "0,05";
    s.titrantConcentration = "0,02";
    s.beakerVolume = "20,0";
    return s;
}

}  // namespace

TEST(GlasswareDraws, EveryKindComputesWithWhatWasDelivered) {
    // Fe²⁺ by MnO₄⁻ takes five iron(II) per permanganate; Cl⁻ by Ag⁺ one for one.
    const DeliveredCase cases[] = {
        {"IronByPermanganate", TitrationKind::Redox, 0.05 * 20 / (5 * 0.02)},
        {"ChlorideBySilver", TitrationKind::Precipitation, 0.05 * 20 / 0.02},
    };
    for (const DeliveredCase& c : cases) {
        SolutionSpec spec = specOf(c);
        const auto typed = makeTitrationModel(spec, SpeciesCatalogue())->equivalenceVolumes();
        ASSERT_FALSE(typed.empty()) << c.why;
        EXPECT_NEAR(typed[0], c.equivalence, 1e-4) << c.why;
        spec.delivery = {-0.2, 0, 1.02, -0.0004, 0.03};
        const auto delivered = makeTitrationModel(spec, SpeciesCatalogue())->equivalenceVolumes();
        ASSERT_FALSE(delivered.empty()) << c.why;
        EXPECT_NEAR(delivered[0], c.equivalence * 19.8 / 20 * 1.02 * 0.02 / 0.0196, 1e-4) << c.why;
    }
}
