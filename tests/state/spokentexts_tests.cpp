// What a screen reader is told about the bench, read from the state as the actions leave it.
#include <gtest/gtest.h>

#include <string>

#include "state/actions.h"
#include "state/amountgraph.h"
#include "state/conductimetry.h"
#include "state/spokentexts.h"

using namespace state;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct ColourCase {
    const char* reason;
    int indicator;
    double pH;
    const char* words;
};

class LiquidColourWords : public ::testing::TestWithParam<ColourCase> {};

TEST_P(LiquidColourWords, NameTheColourAndTheIndicatorZone) {
    EXPECT_EQ(liquidColourWords(GetParam().indicator, GetParam().pH), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(
    Indicators, LiquidColourWords,
    ::testing::Values(
        ColourCase{"NoIndicatorIsColourless", 0, 3.0, "incolore, sans indicateur"},
        ColourCase{"BromothymolBlueAboveItsZoneIsBlue", 5, 11.0,
                   "bleu : zone basique du bleu de bromothymol"},
        ColourCase{"BromothymolBlueBelowItsZoneIsYellow", 5, 3.0,
                   "jaune : zone acide du bleu de bromothymol"},
        ColourCase{"BromothymolBlueInItsZoneIsGreen", 5, 6.8, "vert : zone de virage du bleu de bromothymol"},
        ColourCase{"PhenolphthaleinInAcidIsColourless", 3, 4.0,
                   "incolore : zone acide de la phénolphtaléine"},
        ColourCase{"PhenolphthaleinInBaseIsPink", 3, 12.0, "rose : zone basique de la phénolphtaléine"},
        ColourCase{"HelianthineElidesItsArticle", 8, 1.0, "rouge : zone acide de l'hélianthine"},
        ColourCase{"AnIndexOutOfTheListHasNoIndicator", 12, 7.0, "incolore, sans indicateur"}),
    [](const auto& info) { return std::string(info.param.reason); });

class SpokenBench : public ::testing::Test {
  protected:
    SpokenBench() {
        setDefaults(bench);
        switchSituation(bench, 0);
    }
    void pourToTheEnd() {
        pressTap(bench);
        for (int ticks = 0; bench.burette.pouring && ticks < 400; ++ticks) pourTick(bench);
    }
    BenchState bench;
};

TEST_F(SpokenBench, SituationButtonsSayWhetherTheirTitrationIsDone) {
    EXPECT_EQ(situationButtonName(bench, 2), "Situation n° 3, titrage non commencé");
    setFieldText(bench, Field::PouredVolume, "5");
    validateField(bench, Field::PouredVolume);
    EXPECT_EQ(situationButtonName(bench, 0), "Situation n° 1, titrage en cours");
    quickTrace(bench);
    switchSituation(bench, 2);
    EXPECT_EQ(situationButtonName(bench, 0), "Situation n° 1, titrage terminé");
    EXPECT_EQ(situationButtonName(bench, 2), "Situation n° 3, titrage non commencé");
}

TEST_F(SpokenBench, IllustrationFollowsThePouringAndTheApparatusShown) {
    chooseIndicator(bench, 5);
    const std::string before = illustrationDescription(bench);
    EXPECT_TRUE(contains(before, "solution aqueuse d'hydroxyde de sodium à 0,01 mol par litre")) << before;
    EXPECT_TRUE(contains(before, "volume versé : 0,0 mL")) << before;
    EXPECT_TRUE(contains(before, "jaune : zone acide du bleu de bromothymol")) << before;
    EXPECT_TRUE(contains(before, "pH-mètre : " + bench.readings.pH)) << before;

    pourToTheEnd();
    const std::string after = illustrationDescription(bench);
    EXPECT_TRUE(contains(after, "volume versé : 25,0 mL")) << after;
    EXPECT_TRUE(contains(after, "bleu : zone basique du bleu de bromothymol")) << after;

    showApparatusPart(bench, ApparatusPart::PhMeter, false);
    showApparatusPart(bench, ApparatusPart::Burette, false);
    EXPECT_TRUE(contains(illustrationDescription(bench), "Burette non affichée. Bécher : solution d'acide"));
}

TEST_F(SpokenBench, GraphNamesItsCurvesMarksAndTheEquivalenceFound) {
    const std::string empty = graphDescription(bench);
    EXPECT_TRUE(contains(empty, "1 mesure de la situation n° 1")) << empty;
    EXPECT_TRUE(contains(empty, "onglet Tableau de valeurs")) << empty;

    pourToTheEnd();
    const std::string finished = graphDescription(bench);
    EXPECT_TRUE(contains(finished, "Courbe théorique de la situation n° 1")) << finished;
    EXPECT_FALSE(contains(finished, "mesures de la situation")) << finished;
    EXPECT_TRUE(contains(finished, "Tableau de valeurs (51 lignes)")) << finished;

    drawTangents(bench);
    const std::string tangents = graphDescription(bench);
    EXPECT_TRUE(contains(tangents, "point d'équivalence E à V = 20,0 mL, pH = ")) << tangents;

    showDistribution(bench);
    EXPECT_TRUE(contains(graphDescription(bench), "Diagramme de distribution"));
}

TEST_F(SpokenBench, TableHeadingsFollowTheColumnsOfTheSolute) {
    EXPECT_EQ(columnHeading(bench.rows, 0), "V₁, volume versé (mL)");
    EXPECT_EQ(columnHeading(bench.rows, 5), "[base] (mol · L⁻¹)");
    EXPECT_EQ(columnHeading(bench.rows, 6), "");
    chooseSolute(bench, 2);  // hydrochloric acid: no pair, four columns
    EXPECT_EQ(columnHeading(bench.rows, 3), "[HO⁻] (mol · L⁻¹)");
    EXPECT_EQ(columnHeading(bench.rows, 4), "");
}

}  // namespace

namespace {

TEST_F(SpokenBench, TheConductimeterIsReadOutBesideThePHMeter) {
    showConductimeter(bench, true);
    EXPECT_TRUE(
        contains(illustrationDescription(bench), "Conductimètre : " + bench.readings.conductivity + "."));
    pourToTheEnd();
    const int columns = bench.rows.columns();
    EXPECT_EQ(columnHeading(bench.rows, columns), "σ, conductivité (mS/cm)");
    EXPECT_EQ(columnHeading(bench.rows, columns + 1), "");
    EXPECT_TRUE(contains(measurementAnnouncement(bench.rows), "25,0 mL versés, pH "))
        << measurementAnnouncement(bench.rows);
    EXPECT_TRUE(contains(measurementAnnouncement(bench.rows), " mS/cm"));
    EXPECT_TRUE(contains(titrationEndAnnouncement(bench), ", σ " + bench.readings.conductivity));

    showConductivityGraph(bench, true);
    drawStraightLines(bench);
    const std::string graph = graphDescription(bench);
    EXPECT_TRUE(contains(graph, "Graphe de la conductivité σ en fonction du volume versé")) << graph;
    EXPECT_TRUE(
        contains(graph, "Méthode des droites sur σ corrigée de la dilution : point d'équivalence E à V = "))
        << graph;

    // n = f(V) of hydrochloric acid: its frame in words, then the species of its legend.
    chooseSolute(bench, 2);
    showAmountGraph(bench, true);
    const std::string amounts = graphDescription(bench);
    EXPECT_TRUE(contains(
        amounts, "Graphe de la quantité de matière n en fonction du volume versé, n de 0 à 0,200 mmol"))
        << amounts;
    EXPECT_TRUE(contains(amounts, "Quantités de matière : H₃O⁺, HO⁻.")) << amounts;
}

}  // namespace
