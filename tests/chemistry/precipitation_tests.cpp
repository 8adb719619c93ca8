// Precipitation titrations against the equilibrium solved apart in precipitationreference.h, the
// stoichiometric volumes, Kohlrausch's law with the tables' λ° and the silver electrode's Nernst
// law.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/precipitationreference.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;

namespace {

namespace ref = precipitation_reference;
using ::PrintTo;  // for the cases of this namespace

constexpr int kChloride = 0, kBromide = 1, kIodide = 2, kSulfate = 3;
constexpr int kSilverNitrate = 0, kBariumChloride = 1;
constexpr double kBeaker = 20;  // mL

numbers::TypedNumber commaText(double value) {
    std::string text = std::to_string(value);
    text[text.find('.')] = ',';
    return text;
}

struct Case {
    const char* why;
    int salt, titrant;
    double c0, ct, chromate;
    int second = -1;
    double c2 = 0;
};

SolutionSpec specOf(const Case& c) {
    SolutionSpec s;
    s.kind = TitrationKind::Precipitation;
    s.beakerConcentration = commaText(c.c0);
    s.titrantConcentration = commaText(c.ct);
    s.beakerVolume = "20,0";
    s.precipitation.salt = c.salt;
    s.precipitation.titrant = c.titrant;
    s.precipitation.chromate = commaText(c.chromate);
    s.precipitation.secondSalt = c.second;
    if (c.second >= 0) s.secondConcentration = commaText(c.c2);
    return s;
}

PrecipitationSetUp setUpOf(const Case& c) {
    const auto setUp = precipitationSetUp(specOf(c));
    EXPECT_TRUE(setUp.has_value()) << c.why;
    return setUp.value_or(PrecipitationSetUp{});
}

// The tables' pKs, with the cation's count per anion, typed apart from the catalogue.
ref::Anion anionOf(int salt, int titrant, double total) {
    if (titrant == kBariumChloride) return {total, 9.97, 1};
    const double pKs[] = {9.74, 12.30, 16.08};
    return {total, pKs[salt], 1};
}

struct Reference {
    ref::Equilibrium equilibrium;
    std::vector<ref::Anion> anions;
    double volume;
};

// The beaker's anions (its salt, its second salt, the chromate) diluted in 20 + V mL, by
// the reference.
// The engine reads every typed value in single precision, as the reference then does.
double single(double value) {
    return static_cast<float>(value);
}

Reference referenceAt(const Case& given, double volume) {
    Case c = given;
    c.c0 = single(c.c0);
    c.c2 = single(c.c2);
    c.ct = single(c.ct);
    c.chromate = single(c.chromate);
    const double dilution = kBeaker / (kBeaker + volume);
    std::vector<ref::Anion> anions{anionOf(c.salt, c.titrant, c.c0 * dilution)};
    if (c.second >= 0) anions.push_back(anionOf(c.second, c.titrant, c.c2 * dilution));
    if (c.chromate > 0)
        anions.push_back({c.chromate * dilution, c.titrant == kSilverNitrate ? 11.95 : 9.93,
                          c.titrant == kSilverNitrate ? 2 : 1});
    return {ref::solve(anions, c.ct * volume / (kBeaker + volume)), anions, volume};
}

Ion anionIon(int salt) {
    const Ion ions[] = {Ion::Chloride, Ion::Bromide, Ion::Iodide, Ion::Sulfate};
    return ions[salt];
}

const std::vector<Case> kCases = {
    {"NaCl by AgNO3", kChloride, kSilverNitrate, 0.01, 0.01, 0},
    {"NaCl by AgNO3 with Mohr's chromate", kChloride, kSilverNitrate, 0.01, 0.01, 0.005},
    {"KBr by AgNO3", kBromide, kSilverNitrate, 0.005, 0.01, 0},
    {"KI by AgNO3", kIodide, kSilverNitrate, 0.01, 0.02, 0.005},
    {"Na2SO4 by BaCl2", kSulfate, kBariumChloride, 0.01, 0.02, 0},
    {"NaCl and KI by AgNO3", kChloride, kSilverNitrate, 0.005, 0.01, 0, kIodide, 0.005},
    {"KBr and NaCl by AgNO3 with chromate", kBromide, kSilverNitrate, 0.004, 0.01, 0.002, kChloride, 0.006},
};

class PrecipitationCases : public ::testing::TestWithParam<Case> {};

TEST_P(PrecipitationCases, FreeIonsMatchTheReferenceEquilibrium) {
    const Case& c = GetParam();
    const PrecipitationSetUp setUp = setUpOf(c);
    for (double volume : {0.5, 3.0, 7.5, 9.9, 10.0, 10.1, 15.0, 19.9, 20.0, 20.05, 20.1, 22.0, 25.0}) {
        const auto point = solvePrecipitation(setUp, volume);
        ASSERT_TRUE(point.has_value()) << volume;
        const Reference r = referenceAt(c, volume);
        const Ion cation = c.titrant == kSilverNitrate ? Ion::Silver : Ion::Barium;
        EXPECT_NEAR(std::log10(point->concentration(cation)), std::log10(r.equilibrium.cation), 1e-6)
            << volume << " mL";
        std::vector<Ion> anions{anionIon(c.salt)};
        if (c.second >= 0) anions.push_back(anionIon(c.second));
        if (c.chromate > 0) anions.push_back(Ion::Chromate);
        for (std::size_t i = 0; i < anions.size(); ++i)
            EXPECT_NEAR(point->concentration(anions[i]), r.equilibrium.anions[i],
                        1e-6 * r.anions[i].total + 1e-15)
                << volume << " mL, anion " << i;
    }
}

std::vector<Case> silverCases() {
    std::vector<Case> cases;
    std::copy_if(kCases.begin(), kCases.end(), std::back_inserter(cases),
                 [](const Case& c) { return c.titrant == kSilverNitrate; });
    return cases;
}

class SilverCases : public ::testing::TestWithParam<Case> {};

TEST_P(SilverCases, SilverElectrodeFollowsNernstOnTheReferenceSilver) {
    const Case& c = GetParam();
    const PrecipitationSetUp setUp = setUpOf(c);
    for (double volume : {1.0, 10.0, 19.5, 20.0, 24.0}) {
        const auto point = solvePrecipitation(setUp, volume);
        ASSERT_TRUE(point.has_value());
        const double silver = referenceAt(c, volume).equilibrium.cation;
        EXPECT_NEAR(point->potential, 0.80 + 0.05916 * std::log10(silver), 1e-6) << volume << " mL";
    }
}

// λ° (mS · m² · mol-1) from the CRC tables: Ag⁺ 61,9, ½Ba²⁺ 63,6, Na⁺ 50,08, K⁺ 73,48, NO₃⁻ 71,42,
// Cl⁻ 76,31, Br⁻ 78,1, I⁻ 76,8, ½CrO₄²⁻ 85, ½SO₄²⁻ 80 S · cm² · mol-1, per ion.
double referenceConductivity(const Case& c, double volume) {
    const Reference r = referenceAt(c, volume);
    const double total = kBeaker + volume;
    const double lambdaAnion[] = {7.631, 7.81, 7.68, 16.0};
    const double lambdaCation[] = {5.008, 7.348, 7.348, 5.008};
    const int cationsPerSalt[] = {1, 1, 1, 2};
    double sigma = 0;
    sigma += lambdaAnion[c.salt] * r.equilibrium.anions[0];
    sigma += lambdaCation[c.salt] * cationsPerSalt[c.salt] * c.c0 * kBeaker / total;
    std::size_t next = 1;
    if (c.second >= 0) {
        sigma += lambdaAnion[c.second] * r.equilibrium.anions[next++];
        sigma += lambdaCation[c.second] * c.c2 * kBeaker / total;
    }
    if (c.chromate > 0) {
        sigma += 17.0 * r.equilibrium.anions[next];
        sigma += 7.348 * 2 * c.chromate * kBeaker / total;
    }
    const double poured = c.ct * volume / total;
    if (c.titrant == kSilverNitrate)
        sigma += 6.19 * r.equilibrium.cation + 7.142 * poured;
    else
        sigma += 12.72 * r.equilibrium.cation + 7.631 * 2 * poured;
    return 10 * sigma;  // mS/cm
}

TEST_P(PrecipitationCases, ConductivityIsKohlrauschsLawOverTheReferenceIons) {
    const Case& c = GetParam();
    const PrecipitationSetUp setUp = setUpOf(c);
    for (double volume : {0.0, 5.0, 10.0, 20.0, 25.0}) {
        const auto point = solvePrecipitation(setUp, volume);
        ASSERT_TRUE(point.has_value());
        const double expected = referenceConductivity(c, volume);
        EXPECT_NEAR(point->conductivity, expected, 2e-3 * expected) << volume << " mL";
    }
}

INSTANTIATE_TEST_SUITE_P(Titrations, PrecipitationCases, ::testing::ValuesIn(kCases));
INSTANTIATE_TEST_SUITE_P(Titrations, SilverCases, ::testing::ValuesIn(silverCases()));

const Case kMohr{"NaCl by AgNO3 with Mohr's chromate", kChloride, kSilverNitrate, 0.01, 0.01, 0.005};

TEST(PrecipitationEquivalence, ChlorideBySilverAtTwentyMillilitres) {
    const auto volumes = precipitationEquivalences(setUpOf(kMohr));
    ASSERT_EQ(volumes.size(), 1u);
    EXPECT_NEAR(volumes[0], 0.01 * 20 / 0.01, 1e-4);
}

TEST(PrecipitationEquivalence, SilverAtEquivalenceIsTheRootOfKs) {
    Case c = kMohr;
    c.chromate = 0;
    const auto point = solvePrecipitation(setUpOf(c), 20.0);
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->concentration(Ion::Silver), 1.35e-5, 0.01 * 1.35e-5);
    EXPECT_NEAR(point->concentration(Ion::Chloride), point->concentration(Ion::Silver), 1e-9);
}

// The volume (mL) where silver chromate first appears, by bisection on the reference's phases.
double referenceMohrVolume(const Case& c) {
    double low = 15, high = 25;
    for (int pass = 0; pass < 60; ++pass) {
        const double middle = (low + high) / 2;
        (referenceAt(c, middle).equilibrium.present.back() ? high : low) = middle;
    }
    return (low + high) / 2;
}

TEST(PrecipitationMohr, RedSilverChromateAppearsJustPastTheEquivalence) {
    const PrecipitationSetUp setUp = setUpOf(kMohr);
    const std::size_t chromate =
        static_cast<std::size_t>(std::find_if(precipitationSolids().begin(), precipitationSolids().end(),
                                              [](const Precipitate& s) { return s.formula == "Ag₂CrO₄"; }) -
                                 precipitationSolids().begin());
    double first = -1;
    for (int hundredth = 1500; hundredth <= 2500 && first < 0; ++hundredth) {
        const auto point = solvePrecipitation(setUp, hundredth / 100.0);
        ASSERT_TRUE(point.has_value());
        if (point->solids.at(chromate) > 0) first = hundredth / 100.0;
    }
    EXPECT_GE(first, 20.0);
    EXPECT_LE(first, 20.3);
    EXPECT_NEAR(first, referenceMohrVolume(kMohr), 0.011);
}

TEST(PrecipitationMohr, LiquidTurnsRedBrownOnlyOnceSilverChromateAppears) {
    const PrecipitationSetUp setUp = setUpOf(kMohr);
    const auto before = solvePrecipitation(setUp, 19.0);
    const auto after = solvePrecipitation(setUp, 21.0);
    ASSERT_TRUE(before && after);
    const numbers::Rgb cloudy = precipitationLiquidColour(setUp, *before);
    const numbers::Rgb red = precipitationLiquidColour(setUp, *after);
    // The white cloud over the chromate's yellow keeps green high; the red-brown solid takes it.
    EXPECT_GT(cloudy.green, 180);
    EXPECT_LT(red.green, cloudy.green - 40);
    EXPECT_GT(red.red, red.blue + 60);
}

TEST(PrecipitationConductivity, LowestAtTheEquivalence) {
    Case c = kMohr;
    c.chromate = 0;
    const PrecipitationSetUp setUp = setUpOf(c);
    double lowest = 1e9, at = -1;
    for (int tenth = 0; tenth <= 250; ++tenth) {
        const auto point = solvePrecipitation(setUp, tenth / 10.0);
        ASSERT_TRUE(point.has_value());
        if (point->conductivity < lowest) {
            lowest = point->conductivity;
            at = tenth / 10.0;
        }
    }
    EXPECT_NEAR(at, 20.0, 0.1 + 1e-9);
}

// The steepest rise of E between 0,1 mL steps within `from` to `to` mL.
double steepestPotential(const PrecipitationSetUp& setUp, double from, double to) {
    double steepest = 0, at = -1;
    for (double v = from; v < to - 1e-9; v += 0.1) {
        const auto a = solvePrecipitation(setUp, v);
        const auto b = solvePrecipitation(setUp, v + 0.1);
        if (!a || !b) continue;
        if (b->potential - a->potential > steepest) {
            steepest = b->potential - a->potential;
            at = v + 0.05;
        }
    }
    return at;
}

TEST(PrecipitationTwoHalides, IodideThenChlorideGiveTwoStepsAtTheStoichiometricVolumes) {
    const Case c{"NaCl and KI", kChloride, kSilverNitrate, 0.005, 0.01, 0, kIodide, 0.005};
    const PrecipitationSetUp setUp = setUpOf(c);
    const auto volumes = precipitationEquivalences(setUp);
    ASSERT_EQ(volumes.size(), 2u);
    EXPECT_NEAR(volumes[0], 0.005 * 20 / 0.01, 1e-4);
    EXPECT_NEAR(volumes[1], 2 * 0.005 * 20 / 0.01, 1e-4);
    EXPECT_NEAR(steepestPotential(setUp, 5, 15), 10.0, 0.1);
    EXPECT_NEAR(steepestPotential(setUp, 15, 25), 20.0, 0.1);
    // Before the first step only the iodide precipitates.
    const Reference r = referenceAt(c, 5);
    EXPECT_FALSE(r.equilibrium.present[0]);
    EXPECT_TRUE(r.equilibrium.present[1]);
    const auto point = solvePrecipitation(setUp, 5);
    ASSERT_TRUE(point.has_value());
    EXPECT_NEAR(point->concentration(Ion::Chloride), single(0.005) * 20 / 25, 1e-12);
}

struct Pairing {
    const char* why;
    int salt, titrant;
    bool happens;
    const char* equation;
};

class PrecipitationPairings : public ::testing::TestWithParam<Pairing> {};

TEST_P(PrecipitationPairings, OnlyAnInsolubleSaltTitrates) {
    const Pairing& p = GetParam();
    EXPECT_EQ(precipitationHappens(p.salt, p.titrant), p.happens);
    EXPECT_EQ(precipitationEquation(p.salt, p.titrant), p.equation);
    SolutionSpec s = specOf({p.why, p.salt, p.titrant, 0.01, 0.01, 0});
    EXPECT_EQ(precipitationSetUp(s).has_value(), p.happens);
}

INSTANTIATE_TEST_SUITE_P(
    Salts, PrecipitationPairings,
    ::testing::Values(Pairing{"chloride by silver", kChloride, kSilverNitrate, true, "Ag⁺ + Cl⁻ → AgCl"},
                      Pairing{"iodide by silver", kIodide, kSilverNitrate, true, "Ag⁺ + I⁻ → AgI"},
                      Pairing{"sulfate by barium", kSulfate, kBariumChloride, true, "Ba²⁺ + SO₄²⁻ → BaSO₄"},
                      Pairing{"chloride by barium", kChloride, kBariumChloride, false, ""},
                      Pairing{"sulfate by silver", kSulfate, kSilverNitrate, false, ""}));

TEST(PrecipitationSetUpReading, RefusesAChromateOrSecondSaltItCannotTake) {
    SolutionSpec s = specOf(kMohr);
    s.precipitation.chromate = "abc";
    EXPECT_FALSE(precipitationSetUp(s).has_value());
    s = specOf(kMohr);
    s.precipitation.secondSalt = kSulfate;  // only a halide beside a halide
    EXPECT_FALSE(precipitationSetUp(s).has_value());
    s.precipitation.secondSalt = kChloride;  // the same salt twice
    EXPECT_FALSE(precipitationSetUp(s).has_value());
    s.precipitation.secondSalt = kBromide;
    EXPECT_TRUE(precipitationSetUp(s).has_value());
}

TEST(PrecipitationModel, FeedsSigmaAndTheSilverElectrodeAtNeutralPH) {
    const SpeciesCatalogue catalogue;
    SolutionSpec s = specOf(kMohr);
    s.pouredVolume = "12,5";
    const auto model = makeTitrationModel(s, catalogue);
    const auto meters = model->meters();
    EXPECT_NE(std::find(meters.begin(), meters.end(), kPotentialMeter), meters.end());
    EXPECT_NE(std::find(meters.begin(), meters.end(), kConductivityMeter), meters.end());
    EXPECT_NEAR(model->reading(kConductivityMeter, 12.5).value_or(-1), referenceConductivity(kMohr, 12.5),
                2e-3 * referenceConductivity(kMohr, 12.5));
    const double silver = referenceAt(kMohr, 12.5).equilibrium.cation;
    EXPECT_NEAR(model->reading(kPotentialMeter, 12.5).value_or(-1), 0.80 + 0.05916 * std::log10(silver),
                1e-6);
    EXPECT_NEAR(model->reading(kPhMeter, 12.5).value_or(-1), 7.0, 1e-9);
    EngineState state = deriveEngineState(s, catalogue);
    model->solve(state);
    const TitrationPoint point = model->point(state);
    // The titrant's cation first, then the chloride.
    ASSERT_GE(point.formCount, 2);
    EXPECT_NEAR(point.forms[0], silver, 1e-6 * silver);
    EXPECT_NEAR(point.forms[1], std::pow(10.0, -9.74) / silver, 1e-6 * point.forms[1]);
    EXPECT_EQ(model->equivalenceVolumes().size(), 1u);
}

TEST(PrecipitationModel, BariumTitrationHasNoSilverElectrode) {
    const SpeciesCatalogue catalogue;
    const auto model = makeTitrationModel(specOf(kCases[4]), catalogue);
    const auto meters = model->meters();
    EXPECT_EQ(std::find(meters.begin(), meters.end(), kPotentialMeter), meters.end());
    EXPECT_FALSE(model->reading(kPotentialMeter, 5).has_value());
    EXPECT_TRUE(model->reading(kConductivityMeter, 5).has_value());
}

}  // namespace

namespace {

// The table's columns: each form the model gives is the ion its heading names.
TEST(PrecipitationModel, EachFormIsTheIonItsHeadingNames) {
    const SpeciesCatalogue catalogue;
    SolutionSpec s = specOf(kMohr);
    s.pouredVolume = "12,5";
    const auto model = makeTitrationModel(s, catalogue);
    EngineState state = deriveEngineState(s, catalogue);
    model->solve(state);
    const TitrationPoint point = model->point(state);
    const std::vector<std::string> names = formNames(s, catalogue);
    ASSERT_EQ(static_cast<int>(names.size()), point.formCount);
    const double total = 20 + 12.5;
    const double silver = referenceAt(kMohr, 12.5).equilibrium.cation;
    const double chromate = single(0.005) * 20 / total;
    const std::vector<std::pair<std::string, double>> expected = {
        {"Ag⁺", silver},
        {"Cl⁻", std::pow(10.0, -9.74) / silver},
        {"CrO₄²⁻", chromate},
        {"NO₃⁻", single(0.01) * 12.5 / total},
        {"Na⁺", single(0.01) * 20 / total},
        {"K⁺", 2 * chromate},
    };
    ASSERT_EQ(names.size(), expected.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto found = std::find_if(expected.begin(), expected.end(),
                                        [&](const auto& e) { return e.first == names[i]; });
        ASSERT_NE(found, expected.end()) << names[i];
        EXPECT_NEAR(point.forms[i], found->second, 1e-6 * found->second) << names[i];
    }
}

}  // namespace
