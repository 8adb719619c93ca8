// Polyacids, polybases and a second solute on the bench: the catalogue's new entries, and the
// readings, table, curve and analyses the mixture engine gives them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "numbers/picture.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/labelplacement.h"

using namespace state;
using chemistry::SpeciesCatalogue;

namespace {

struct ListedSpecies {
    bool acid;
    int index;
    const char* name;
    std::vector<double> pKa;  // as the table lists them, ascending
};

class NewSpecies : public ::testing::TestWithParam<ListedSpecies> {};

struct BeakerSetUp {
    const char* why;
    bool acid;
    int first;
    int second;  // -1: none
    const char* titrant;
    std::vector<std::string> columns;  // the forms' columns
};

class MixtureBench : public ::testing::TestWithParam<BeakerSetUp> {
  protected:
    void SetUp() override {
        setDefaults(bench);
        switchSituation(bench, 0);
    }
    void pourToTheEnd() {
        pressTap(bench);
        for (int ticks = 0; bench.burette.pouring && ticks < 400; ++ticks) pourTick(bench);
    }
    BenchState bench;
};

}  // namespace

TEST_P(NewSpecies, FollowTheMonoproticSolutesWithTheirStatedPKa) {
    const ListedSpecies& s = GetParam();
    const SpeciesCatalogue& c = catalogue();
    EXPECT_EQ(c.speciesName(s.acid, s.index), s.name);
    const chemistry::SpeciesData* data = c.speciesData(s.acid, s.index);
    ASSERT_NE(data, nullptr) << s.name;
    EXPECT_EQ(data->name, s.name);
    ASSERT_EQ(data->pairCount, static_cast<int>(s.pKa.size())) << s.name;
    for (std::size_t j = 0; j < s.pKa.size(); ++j) EXPECT_DOUBLE_EQ(data->pKa[j], s.pKa[j]) << s.name;
    EXPECT_FALSE(SpeciesCatalogue::isMonoprotic(s.index));
    // The lists end with the last new entry: the next index names nothing.
    EXPECT_FALSE(SpeciesCatalogue::isKnown(s.acid, SpeciesCatalogue::count(s.acid)));
    EXPECT_TRUE(c.speciesName(s.acid, SpeciesCatalogue::count(s.acid)).empty());
}

INSTANTIATE_TEST_SUITE_P(
    AfterTheFifteenth, NewSpecies,
    ::testing::Values(ListedSpecies{true, 15, "acide phosphorique", {2.15, 7.20, 12.35}},
                      ListedSpecies{true, 16, "acide oxalique", {1.25, 4.27}},
                      ListedSpecies{true, 17, "acide tartrique", {2.98, 4.34}},
                      ListedSpecies{true, 18, "acide citrique", {3.13, 4.76, 6.40}},
                      ListedSpecies{true, 19, "acide ascorbique", {4.10, 11.60}},
                      ListedSpecies{true, 20, "dioxyde de carbone dissous", {6.35, 10.33}},
                      ListedSpecies{true, 21, "autre diacide", {4.0, 9.0}},
                      ListedSpecies{false, 15, "carbonate de sodium", {6.35, 10.33}},
                      ListedSpecies{false, 16, "phosphate de sodium", {2.15, 7.20, 12.35}},
                      ListedSpecies{false, 17, "éthylènediamine", {6.85, 9.93}},
                      ListedSpecies{false, 18, "autre dibase", {4.0, 9.0}}));

TEST_P(MixtureBench, ReadingsRowsAndCurveFollowTheChargeBalance) {
    const BeakerSetUp& s = GetParam();
    chooseNature(bench, s.acid);
    chooseSolute(bench, s.first);
    chooseSecondSolute(bench, s.second);
    setFieldText(bench, Field::TitrantConcentration, s.titrant);
    validateField(bench, Field::TitrantConcentration);
    ASSERT_EQ(bench.rows.formNames(), s.columns) << s.why;
    ASSERT_EQ(bench.rows.columns(), 4 + static_cast<int>(s.columns.size())) << s.why;
    pourToTheEnd();

    const auto mixture = chemistry::beakerMixture(bench.solution, catalogue());
    ASSERT_TRUE(mixture) << s.why;
    ASSERT_EQ(bench.rows.count(), 51) << s.why;
    for (const chemistry::TitrationPoint& row : bench.rows.points()) {
        const auto expected = chemistry::solveMixture(*mixture, row.volume);
        ASSERT_TRUE(expected) << s.why;
        EXPECT_NEAR(row.pH, expected->pH, 1e-5) << s.why << " at " << row.volume << " mL";
        ASSERT_EQ(row.formCount, static_cast<int>(s.columns.size())) << s.why;
        // The first solute's forms hold all of it, diluted by what was poured.
        int firstForms = 0;
        for (int j = 0; j <= mixture->solutes[0].pairCount; ++j)
            firstForms += chemistry::formInWater(mixture->solutes[0], s.acid, j);
        double total = 0;
        for (int j = 0; j < firstForms; ++j) total += row.forms[static_cast<std::size_t>(j)];
        EXPECT_NEAR(total, 0.01 * 20 / (20 + row.volume), 1e-9) << s.why << " at " << row.volume << " mL";
        EXPECT_EQ(bench.rows.texts(0).size(), s.columns.size() + 4);
    }
    // The text copy names the forms in its header row.
    std::string header = "V₁ (mL)\tpH\t[H₃O⁺] (mol · L⁻¹)\t[HO⁻] (mol · L⁻¹)";
    for (const std::string& form : s.columns) header += "\t[" + form + "] (mol · L⁻¹)";
    EXPECT_EQ(bench.rows.contentsText().substr(0, header.size() + 1), header + "\n") << s.why;
    EXPECT_EQ(bench.readings.pH, numbers::formatPicture(chemistry::solveMixture(*mixture, 25)->pH, "#0.00"));

    const std::vector<GraphCurve> curves = bench.graph.curves();
    ASSERT_FALSE(curves.empty()) << s.why;
    EXPECT_EQ(curves.back().points, seriesOf(chemistry::mixtureCurve(*mixture))) << s.why;
    EXPECT_TRUE(bench.controls.toolbarVisible);
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, MixtureBench,
    ::testing::Values(
        BeakerSetUp{"phosphoric acid", true, 15, -1, "0,02", {"H₃PO₄", "H₂PO₄⁻", "HPO₄²⁻", "PO₄³⁻"}},
        BeakerSetUp{"hydrochloric and ethanoic acids", true, 2, 4, "0,02", {"Cl⁻", "CH₃COOH", "CH₃COO⁻"}},
        BeakerSetUp{"sodium hydroxide and ammonia", false, 8, 1, "0,02", {"Na⁺", "NH₄⁺", "NH₃"}},
        BeakerSetUp{"sodium carbonate", false, 15, -1, "0,02", {"CO₂,H₂O", "HCO₃⁻", "CO₃²⁻"}},
        BeakerSetUp{"free dibase with ammonia", false, 18, 1, "0,01", {"H₂B²⁺", "HB⁺", "B", "NH₄⁺", "NH₃"}}));

namespace {

struct TangentsCase {
    const char* name;
    int first;
    int second;                 // -1: none
    const char* concentration;  // of each solute, mol · L-1
    const char* titrant;
    std::vector<int> drawn;  // the equivalences constructed, by number
    const char* hint;        // nullptr: none
};

class MixtureTangents : public ::testing::TestWithParam<TangentsCase> {};

}  // namespace

// Each equivalence keeps the number the chemistry gives it; a refused construction leaves no line
// and the hint line says why, without any volume; the numbered labels keep off the curve.
TEST_P(MixtureTangents, NumberTheEquivalencesByTheChemistryAndSayWhyOneIsMissing) {
    const TangentsCase& t = GetParam();
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    chooseSolute(bench, t.first);
    chooseSecondSolute(bench, t.second);
    for (const Field f : {Field::BeakerConcentration, Field::SecondConcentration}) {
        setFieldText(bench, f, t.concentration);
        validateField(bench, f);
    }
    setFieldText(bench, Field::TitrantConcentration, t.titrant);
    validateField(bench, Field::TitrantConcentration);
    quickTrace(bench);

    const ActionResult result = drawTangents(bench);
    EXPECT_TRUE(result.messages.empty()) << t.name;
    if (t.hint) {
        EXPECT_EQ(result.hint.value_or(""), t.hint) << t.name;
    } else {
        EXPECT_FALSE(result.hint) << t.name << ": " << result.hint.value_or("");
    }
    const auto mixture = chemistry::beakerMixture(bench.solution, catalogue());
    ASSERT_TRUE(mixture);
    std::vector<state::PlotPoint> curve;
    for (const chemistry::CurveVertex& v : chemistry::mixtureCurve(*mixture))
        curve.push_back(state::PlotFrame::point(v.volume, v.pH));
    std::vector<int> numbers;
    for (const GraphItem& item : bench.graph.items()) {
        const auto* overlay = std::get_if<TangentOverlay>(&item);
        if (!overlay) continue;
        EXPECT_EQ(overlay->construction.outcome, state::TangentConstruction::Outcome::Drawn) << t.name;
        numbers.push_back(overlay->number);
        ASSERT_TRUE(overlay->label) << t.name;
        // The equivalence it names: the titrant has then taken that many pairs' protons.
        const double each = 20 * std::stod(std::string(t.concentration).replace(1, 1, ".")) /
                            std::stod(std::string(t.titrant).replace(1, 1, "."));
        EXPECT_NEAR(overlay->construction.constructedVolume, overlay->number * each, 0.2) << t.name;
        for (std::size_t i = 1; i < curve.size(); ++i) {
            EXPECT_FALSE(segmentTouchesBox({curve[i - 1], curve[i]}, *overlay->label, {14, 19}, 1))
                << t.name << ": E" << overlay->number << "'s label on the curve at " << curve[i].x;
        }
    }
    EXPECT_EQ(numbers, t.drawn) << t.name;
}

INSTANTIATE_TEST_SUITE_P(
    Jumps, MixtureTangents,
    ::testing::Values(TangentsCase{"PhosphoricAcidBothConstructed", 15, -1, "0,005", "0,01", {1, 2}, nullptr},
                      TangentsCase{"OxalicAcidSecondOnly",
                                   16,
                                   -1,
                                   "0,005",
                                   "0,01",
                                   {2},
                                   "Pas de point E₁ : le saut de pH est trop faible pour que les tangentes "
                                   "se distinguent."},
                      TangentsCase{"HydrochloricAndEthanoicSecondOnly",
                                   2,
                                   4,
                                   "0,005",
                                   "0,01",
                                   {2},
                                   "Pas de point E₁ : le saut de pH est trop faible pour que les tangentes "
                                   "se distinguent."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MixtureAnalyses, TheFormsOfPhosphoricAcidAreDrawnWithTheirNames) {
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    chooseSolute(bench, 15);
    setFieldText(bench, Field::TitrantConcentration, "0,02");
    validateField(bench, Field::TitrantConcentration);
    quickTrace(bench);

    showDistribution(bench);
    const auto* forms = std::get_if<FormsOverlay>(&bench.graph.items().back());
    ASSERT_NE(forms, nullptr);
    EXPECT_EQ(forms->names, (std::vector<std::string>{"H₃PO₄", "H₂PO₄⁻", "HPO₄²⁻", "PO₄³⁻"}));
    ASSERT_FALSE(forms->vertices.empty());
    // At the first equivalence nearly all of it is H₂PO₄⁻.
    for (const chemistry::FormShares& v : forms->vertices) {
        if (std::abs(v.volume - 10.0f) < 0.5f) {
            EXPECT_GT(v.percent[1], 90.0f) << v.volume;
        }
    }
}

TEST(SecondSolute, TheDieDrawsBothConcentrationsAndTheReportHidesBoth) {
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    chooseSecondSolute(bench, 4);  // "acide éthanoïque"
    drawRandomConcentration(bench);
    EXPECT_TRUE(bench.switches.concentrationMasked);
    for (const Field f : {Field::BeakerConcentration, Field::SecondConcentration}) {
        const double drawn = fieldValue(bench, f);
        EXPECT_TRUE(drawn >= 0.0001 && drawn <= 0.0999) << drawn;
    }
    quickTrace(bench);
    switchSituation(bench, 0);
    const auto reports = chemistry::completedSituationReports(bench.situations.records, catalogue());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].secondSpeciesName, "acide éthanoïque");
    EXPECT_TRUE(reports[0].concentrationHidden);
    EXPECT_TRUE(reports[0].secondConcentration.empty());

    revealConcentration(bench);
    switchSituation(bench, 0);
    const auto shown = chemistry::completedSituationReports(bench.situations.records, catalogue());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].secondConcentration, field(bench, Field::SecondConcentration).text());
    // A change of nature leaves no second solute of the other nature behind.
    chooseNature(bench, false);
    EXPECT_EQ(bench.solution.secondSpeciesIndex, -1);
}

namespace {

struct LabelledBeaker {
    const char* why;
    bool acid;
    int first;
    int second;
    std::vector<BeakerSolute> label;
};

class ApparatusLabel : public ::testing::TestWithParam<LabelledBeaker> {};

}  // namespace

TEST_P(ApparatusLabel, NamesEachSoluteWithItsForms) {
    const LabelledBeaker& l = GetParam();
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    if (!l.acid) chooseNature(bench, false);
    chooseSolute(bench, l.first);
    const ActionResult chosen = chooseSecondSolute(bench, l.second);
    EXPECT_EQ(apparatusScene(bench).beakerSolutes, l.label) << l.why;
    // The drawing the choice asks for carries the label.
    ASSERT_FALSE(chosen.apparatus.empty()) << l.why;
    EXPECT_EQ(chosen.apparatus.back().scene.beakerSolutes, l.label) << l.why;
}

INSTANTIATE_TEST_SUITE_P(
    Beakers, ApparatusLabel,
    ::testing::Values(
        LabelledBeaker{"a monoprotic acid keeps the illustration as it was", true, 4, -1, {}},
        LabelledBeaker{
            "phosphoric acid", true, 15, -1, {{"acide phosphorique", "H₃PO₄, H₂PO₄⁻, HPO₄²⁻, PO₄³⁻"}}},
        LabelledBeaker{"hydrochloric acid holds no HCl in water",
                       true,
                       2,
                       4,
                       {{"acide chlorhydrique", "Cl⁻"}, {"acide éthanoïque", "CH₃COOH, CH₃COO⁻"}}},
        LabelledBeaker{"sodium hydroxide holds no NaOH in water",
                       false,
                       1,
                       8,
                       {{"ammoniac", "NH₄⁺, NH₃"}, {"hydroxyde de sodium", "Na⁺"}}}));
