// A precipitation titration on the bench: the conductimeter and the silver electrode against the
// chemistry worked out here (AgCl's Ks, Kohlrausch's law with the tables' λ°), the liquid's Mohr
// red, and the configuration file's extension entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "chemistry/redox.h"
#include "state/actions.h"
#include "state/apparatusscene.h"
#include "state/benchconfiguration.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"

namespace state {

namespace {

constexpr double kSilverChlorideKs = 1.8197008586099827e-10;  // 10^-9,74

BenchState chlorideBench(const char* chromate) {
    BenchState b;
    setDefaults(b);
    start(b);
    chooseTitrationKind(b, chemistry::TitrationKind::Precipitation);
    setFieldText(b, Field::Chromate, chromate);
    validateField(b, Field::Chromate);
    showConductimeter(b, true);
    return b;
}

double shownNumber(const std::string& text) {
    std::string number = text.substr(text.find_first_of("-0123456789"));
    number = number.substr(0, number.find(' '));
    std::replace(number.begin(), number.end(), ',', '.');
    return std::stod(number);
}

// 20 mL of NaCl 0,01 mol · L-1 after V mL of AgNO₃ 0,01 mol · L-1, before the equivalence: the
// chloride left, Ag⁺ from Ks, and σ from λ° (mS · m² · mol-1) Na⁺ 5,01, Cl⁻ 7,63, NO₃⁻ 7,14,
// Ag⁺ 6,19.
struct BeforeEquivalence {
    double chloride, silver, sigma;
};

BeforeEquivalence beforeEquivalence(double volume) {
    const double total = 20 + volume;
    const double excess = (0.01 * 20 - 0.01 * volume) / total;
    // [Cl⁻] − [Ag⁺] = excess, [Cl⁻][Ag⁺] = Ks.
    const double chloride = (excess + std::sqrt(excess * excess + 4 * kSilverChlorideKs)) / 2;
    const double silver = kSilverChlorideKs / chloride;
    const double sodium = 0.01 * 20 / total;
    const double nitrate = 0.01 * volume / total;
    const double sigma = 10 * (5.01 * sodium + 7.63 * chloride + 7.14 * nitrate + 6.19 * silver);
    return {chloride, silver, sigma};
}

}  // namespace

TEST(PrecipitationBench, TheConductimeterFollowsKohlrauschsLawAlongTheTitration) {
    BenchState b = chlorideBench("0");
    for (const double volume : {0.0, 4.0, 10.0, 16.0}) {
        const auto sigma = panelConductivity(b, volume);
        ASSERT_TRUE(sigma.has_value()) << volume;
        const double expected = beforeEquivalence(volume).sigma;
        EXPECT_NEAR(*sigma, expected, 1e-3 * expected) << volume << " mL";
    }
    pressTap(b);
    for (int tick = 0; tick < 20 && b.burette.pouring; ++tick) pourTick(b);
    releaseTap(b);
    const double poured = b.engine.pouredVolume;
    ASSERT_GT(poured, 0);
    const double expected = beforeEquivalence(poured).sigma;
    EXPECT_NEAR(shownNumber(b.readings.conductivity), expected, 0.01 * expected) << b.readings.conductivity;
}

TEST(PrecipitationBench, TheSilverElectrodeReadsAgainstTheChosenReference) {
    BenchState b = chlorideBench("0");
    EXPECT_FALSE(electrodesShown(b)) << "no reference chosen";
    choosePrecipitationReference(b, 0);
    ASSERT_TRUE(electrodesShown(b));
    EXPECT_TRUE(potentialGraphShown(b));
    const double reference = chemistry::referenceElectrodes()[0].potential;
    for (const double volume : {2.0, 10.0, 18.0}) {
        const auto e = potentialAgainstReference(b.solution, volume);
        ASSERT_TRUE(e.has_value());
        EXPECT_NEAR(*e, 0.80 + 0.05916 * std::log10(beforeEquivalence(volume).silver) - reference, 1e-4)
            << volume << " mL";
    }
    // Across the equivalence, from the chloride's excess at 19,5 mL to the silver's at 20,5 mL.
    const auto curve = potentialCurve(b.solution);
    ASSERT_EQ(curve.size(), 251u);
    const double excess = 0.01 * 0.5 / 40.5;
    const double silverAfter = (excess + std::sqrt(excess * excess + 4 * kSilverChlorideKs)) / 2;
    EXPECT_NEAR(curve[205].value - curve[195].value,
                0.05916 * std::log10(silverAfter / beforeEquivalence(19.5).silver), 1e-4);
}

TEST(PrecipitationBench, BariumChlorideHasNoSilverElectrode) {
    BenchState b = chlorideBench("0");
    choosePrecipitationSalt(b, 3);  // sodium sulfate: the burette's becomes barium chloride
    EXPECT_EQ(b.solution.precipitation.titrant, 1);
    choosePrecipitationReference(b, 0);
    EXPECT_FALSE(electrodesShown(b));
    EXPECT_TRUE(panelConductivity(b, 5).has_value());
    // Silver nitrate does not titrate the sulfate.
    choosePrecipitationTitrant(b, 0);
    EXPECT_EQ(b.solution.precipitation.titrant, 1);
}

TEST(PrecipitationEntries, ASituationsChoicesComeBackAndAnAcidBaseFileHasNone) {
    BenchState b;
    setDefaults(b);
    start(b);
    switchSituation(b, 1);
    chooseTitrationKind(b, chemistry::TitrationKind::Precipitation);
    choosePrecipitationSalt(b, 2);
    chooseSecondPrecipitationSalt(b, 0);
    setFieldText(b, Field::Chromate, "0,002");
    validateField(b, Field::Chromate);
    choosePrecipitationReference(b, 1);
    switchSituation(b, 0);
    const configuration::ConfigurationFile saved = configurationFromBench(b);
    EXPECT_EQ(saved.extensions.value("s2.titrage"), std::optional<std::string_view>("précipitation"));
    EXPECT_EQ(saved.extensions.value("s2.chromate"), std::optional<std::string_view>("0,002"));

    configuration::ConfigurationFile read = saved;
    for (chemistry::Situation& s : read.situations) s = chemistry::Situation{};
    read.situations[1].completed = saved.situations[1].completed;
    ASSERT_TRUE(acceptConfiguration(read));
    const chemistry::Situation& back = read.situations[1];
    EXPECT_EQ(back.kind, chemistry::TitrationKind::Precipitation);
    EXPECT_EQ(std::make_tuple(back.precipitationSalt, back.precipitationSecondSalt, back.precipitationTitrant,
                              back.precipitationReference, back.chromateText),
              std::make_tuple(2, 0, 0, 1, std::string("0,002")));

    BenchState acidBase;
    setDefaults(acidBase);
    start(acidBase);
    const configuration::ConfigurationFile plain = configurationFromBench(acidBase);
    for (const auto& entry : plain.extensions.entries()) {
        EXPECT_EQ(entry.key.find("sel"), std::string::npos) << entry.key;
        EXPECT_EQ(entry.key.find("chromate"), std::string::npos) << entry.key;
    }
}

TEST(PrecipitationEntries, ASaltOutOfTheListsOrOneThatDoesNotPrecipitateIsRefused) {
    struct Odd {
        const char* key;
        const char* value;
    };
    for (const Odd odd : {Odd{"s3.sel", "7"}, Odd{"s3.sel", "chlorure"},
                          // Sodium sulfate by silver nitrate does not precipitate here.
                          Odd{"s3.sel", "3"}, Odd{"s3.second_sel", "3"}}) {
        BenchState b;
        setDefaults(b);
        start(b);
        configuration::ConfigurationFile file = configurationFromBench(b);
        file.extensions.set("s3.titrage", "précipitation");
        file.extensions.set(odd.key, odd.value);
        EXPECT_FALSE(acceptConfiguration(file)) << odd.key << " = " << odd.value;
    }
}

}  // namespace state
