// The lab's measurements on the bench: kept with their situation, read back from a file's entries
// as typed values, drawn as crosses, and fitted against the engine's curve, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "configuration/configurationfile.h"
#include "configuration/recordbuffer.h"
#include "numbers/decimalreader.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/measuremententries.h"
#include "tests/chargebalance.h"
#include "tests/labpoints.h"

using namespace state;
using measurements::MeasuredPoint;

namespace {

struct EntryCase {
    const char* name;
    std::vector<std::string> texts;  // the values of "s1.mesure", in order
    std::vector<testing_points::PhPoint> expected;
    bool corrected;
};

class MeasurementEntryRead : public ::testing::TestWithParam<EntryCase> {};

std::vector<MeasuredPoint> crossesOf(const GraphContent& graph, Colour colour) {
    std::vector<MeasuredPoint> points;
    for (const GraphItem& item : graph.items()) {
        const auto* crosses = std::get_if<GraphCurve>(&item);
        if (crosses && crosses->style == SeriesStyle::MeasuredCrosses && crosses->colour == colour) {
            for (const SeriesPoint& p : crosses->points)
                points.push_back(testing_points::labPoint(p.volume, p.value));
        }
    }
    return points;
}

std::size_t fittedCurves(const GraphContent& graph) {
    std::size_t count = 0;
    for (const GraphItem& item : graph.items()) {
        const auto* curve = std::get_if<GraphCurve>(&item);
        count += curve && curve->style == SeriesStyle::FittedDashes ? 1 : 0;
    }
    return count;
}

// The independent solver's pH every half millilitre, plus a fixed noise within ±0,02.
std::vector<testing_points::PhPoint> solverPoints(const testing_support::Titration& t) {
    std::vector<testing_points::PhPoint> points;
    unsigned seed = 777;
    for (int i = 0; i <= 50; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double noise = 0.02 * (static_cast<double>((seed >> 16) % 2001) / 1000.0 - 1.0);
        points.push_back({0.5 * i, testing_support::titrationPh(t, 0.5 * i) + noise});
    }
    return points;
}

class LabBenchTest : public ::testing::Test {
  protected:
    LabBenchTest() {
        setDefaults(bench);
        start(bench);
    }

    void type(Field which, const char* text) {
        setFieldText(bench, which, text);
        validateField(bench, which);
    }

    // The engine's pH at each whole millilitre up to `count` − 1 mL, plus a fixed pseudo-random
    // noise of at most ±0,03.
    std::vector<MeasuredPoint> noisyPoints(int count) const {
        std::vector<MeasuredPoint> points;
        unsigned seed = 12345;
        for (int i = 0; i < count; ++i) {
            chemistry::SolutionSpec solution = bench.solution;
            solution.pouredVolume = numbers::TypedNumber(std::to_string(i));
            chemistry::EngineState engine;
            const double pH = chemistry::computeCurrentPoint(solution, catalogue(), engine);
            seed = seed * 1103515245u + 12345u;
            const double noise = 0.03 * (static_cast<double>((seed >> 16) % 2001) / 1000.0 - 1.0);
            points.push_back(testing_points::labPoint(static_cast<double>(i), pH + noise, 0));
        }
        return points;
    }

    BenchState bench;
};

}  // namespace

TEST_P(MeasurementEntryRead, ChecksEachValueAsATypedOne) {
    configuration::ExtensionEntries entries;
    for (const std::string& text : GetParam().texts) entries.add("s1.mesure", text);
    entries.add("s2.nom", "1;2");  // another capability's key, not a point
    const ReadMeasurements read = readMeasurementEntries(entries);
    EXPECT_EQ(read.book[0], testing_points::labPoints(GetParam().expected));
    for (std::size_t slot = 1; slot < read.book.size(); ++slot) EXPECT_TRUE(read.book[slot].empty());
    EXPECT_EQ(read.corrected, GetParam().corrected);
}

INSTANTIATE_TEST_SUITE_P(Entries, MeasurementEntryRead,
                         ::testing::Values(EntryCase{"none", {}, {}, false},
                                           EntryCase{"commaPointAndSigma",
                                                     {"12,5;4,76", "13.5;5;1,25"},
                                                     {{12.5, 4.76, 0}, {13.5, 5, 1.25}},
                                                     false},
                                           EntryCase{"volumeBeyondTheBurette", {"30;4"}, {{25, 4, 0}}, true},
                                           EntryCase{"pHBeyond14", {"3;15"}, {{3, 14, 0}}, true},
                                           EntryCase{"negativeBecomesZero", {"-1;3"}, {{0, 3, 0}}, true},
                                           EntryCase{
                                               "notANumberLeftOut", {"abc;3", "2;3"}, {{2, 3, 0}}, true},
                                           EntryCase{"wrongCountLeftOut", {"3", "1;2;3;4", ";"}, {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each value is written with the digits it needs to read back the same; values with no more digits
// than the grid shows are written as they always were.
TEST(MeasurementEntryWrite, ReplacesOnlyTheMeasurementsAndReadsBackTheSame) {
    configuration::ExtensionEntries entries;
    entries.add("s3.mesure", "1;1");
    entries.add("conductimètre", "1");
    MeasurementBook book{};
    book[0] = testing_points::labPoints({{0, 2.88, 0},
                                         {12.35, 4.76, 0},
                                         {24.5, 11.2, 1.2345},
                                         {12.5, 2.9123, 4e-5},
                                         {1.0 / 3, 7, 0},
                                         {0.05, 13.999, 1.2345678901234567e25},
                                         {20.0001, 7.25, 1e-7},
                                         {24.95, 0.5, 123.45}});
    book[9] = testing_points::labPoints({{1, 3, 0}});
    writeMeasurementEntries(book, entries);
    EXPECT_EQ(entries.value("conductimètre"), "1");
    EXPECT_EQ(
        entries.values("s1.mesure"),
        (std::vector<std::string_view>{"0,0;2,88", "12,35;4,76", "24,5;11,20;1,2345", "12,5;2,9123;0,00004",
                                       "0,3333333333333333;7,00", "0,05;13,999;1,2345678901234566e+25",
                                       "20,0001;7,25;0,0000001", "24,95;0,50;123,45"}));
    EXPECT_TRUE(entries.values("s3.mesure").empty());
    const ReadMeasurements read = readMeasurementEntries(entries);
    EXPECT_EQ(read.book, book);
    EXPECT_FALSE(read.corrected);

    writeMeasurementEntries(MeasurementBook{}, entries);
    EXPECT_EQ(entries.entries(), (std::vector<configuration::ExtensionEntry>{{"conductimètre", "1"}}));
}

struct CrossesCase {
    const char* name;
    bool superpose;
    bool completeSecond;  // Situation 2 traced to the end
    bool secondShown;     // its crosses over Situation 1's graph
};

class CrossesShown : public LabBenchTest, public ::testing::WithParamInterface<CrossesCase> {};

TEST_P(CrossesShown, WithTheirSituationInItsColour) {
    const std::vector<MeasuredPoint> first = testing_points::labPoints({{1, 3, 0}, {2, 3.5, 0}});
    const std::vector<MeasuredPoint> second = testing_points::labPoints({{5, 6, 0}});
    setMeasurements(bench, first);
    switchSituation(bench, 1);
    setMeasurements(bench, second);
    EXPECT_EQ(crossesOf(bench.graph, situationColour(bench, 1)), second);
    if (GetParam().completeSecond) quickTrace(bench);
    setSuperposeCurves(bench, GetParam().superpose);
    switchSituation(bench, 0);

    EXPECT_EQ(currentMeasurements(bench), first);
    EXPECT_EQ(crossesOf(bench.graph, situationColour(bench, 0)), first);
    EXPECT_EQ(crossesOf(bench.graph, situationColour(bench, 1)),
              GetParam().secondShown ? second : std::vector<MeasuredPoint>{});
    EXPECT_EQ(bench.lab.points[1], second);
}

INSTANTIATE_TEST_SUITE_P(Situations, CrossesShown,
                         ::testing::Values(CrossesCase{"alone", false, true, false},
                                           CrossesCase{"superposedUnfinished", true, false, false},
                                           CrossesCase{"superposedFinished", true, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    int solute;            // position in the acid list
    const char* otherPKa;  // for the free solute
    int pointCount;
    bool converged;
    const char* textStart;
};

class FitThroughTheBench : public LabBenchTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(FitThroughTheBench, RecoversTheConcentrationOrSaysWhyNot) {
    const FitCase& param = GetParam();
    chooseSolute(bench, param.solute);
    type(Field::OtherPKa, param.otherPKa);
    type(Field::BeakerConcentration, "0,0123");
    const std::vector<MeasuredPoint> points = noisyPoints(param.pointCount);
    type(Field::BeakerConcentration, "0,05");
    setMeasurements(bench, points);
    const chemistry::SolutionSpec panel = bench.solution;

    fitMeasurements(bench);
    fitMeasurements(bench);  // fitting again replaces the dashed curve

    EXPECT_EQ(bench.lab.fitText.rfind(param.textStart, 0), 0u) << bench.lab.fitText;
    EXPECT_EQ(bench.lab.fit.has_value(), param.converged);
    EXPECT_EQ(fittedCurves(bench.graph), param.converged ? 1u : 0u);
    if (param.converged) {
        EXPECT_NEAR(bench.lab.fit->concentration, 0.0123, 0.02 * 0.0123);
    }
    // The panel stays as it was until the pupil takes the value.
    EXPECT_EQ(bench.solution.beakerConcentration.text(), "0,05");
    EXPECT_EQ(bench.solution.otherPKa.text(), panel.otherPKa.text());
}

INSTANTIATE_TEST_SUITE_P(
    Solutes, FitThroughTheBench,
    ::testing::Values(FitCase{"aceticAcid", 4, "7,0", 25, true, "c₂ ajustée = (1,2"},
                      FitCase{"hydrochloricAcid", 2, "7,0", 25, true, "c₂ ajustée = (1,2"},
                      FitCase{"freeAcidWithItsPKa", chemistry::SpeciesCatalogue::kOtherIndex, "4,2", 25, true,
                              "c₂ ajustée = (1,2"},
                      FitCase{"phosphoricAcidThroughTheGeneralEngine", 15, "7,0", 25, true,
                              "c₂ ajustée = (1,2"},
                      FitCase{"fourPointsRefused", 4, "7,0", 4, false, "Il faut au moins 5 mesures"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabBenchTest, UsingTheFittedValueChangesTheConcentrationAndNothingElse) {
    chooseSolute(bench, 4);
    type(Field::BeakerConcentration, "0,0123");
    const std::vector<MeasuredPoint> points = noisyPoints(25);
    type(Field::BeakerConcentration, "0,05");
    setMeasurements(bench, points);
    // Taken before any fit: nothing to use.
    useFittedConcentration(bench);
    EXPECT_EQ(bench.solution.beakerConcentration.text(), "0,05");
    fitMeasurements(bench);
    ASSERT_TRUE(bench.lab.fit.has_value());
    const std::string fitted = concentrationFieldText(bench.lab.fit->concentration);
    const BenchState before = bench;

    useFittedConcentration(bench);

    EXPECT_EQ(fitted.rfind("0,012", 0), 0u) << fitted;
    EXPECT_EQ(bench.solution.beakerConcentration.value(), numbers::readTypedNumber(fitted));
    for (const Field other : {Field::TitrantConcentration, Field::OtherPKa, Field::BeakerVolume,
                              Field::WaterVolume, Field::PouredVolume}) {
        EXPECT_EQ(field(bench, other).text(), field(before, other).text());
    }
    EXPECT_EQ(bench.solution.speciesIndex, before.solution.speciesIndex);
    EXPECT_EQ(bench.solution.indicatorIndex, before.solution.indicatorIndex);
    EXPECT_EQ(bench.situations.current, before.situations.current);
    EXPECT_EQ(bench.lab.points, before.lab.points);
}

struct FreeSoluteCase {
    const char* name;
    bool acid;
    int solute;                          // position in the list
    const char* typedPKa[2];             // the panel's, wrong on purpose
    testing_support::Titration truth;    // the solver's
    std::vector<std::string> textParts;  // in the fit's label, in order: the values are checked apart
};

void PrintTo(const FreeSoluteCase& c, std::ostream* os) {
    *os << c.name;
}

class FreeSoluteFit : public LabBenchTest, public ::testing::WithParamInterface<FreeSoluteCase> {};

TEST_P(FreeSoluteFit, FindsTheConcentrationAndEveryPKa) {
    const FreeSoluteCase& param = GetParam();
    chooseNature(bench, param.acid);
    chooseSolute(bench, param.solute);
    type(Field::OtherPKa, param.typedPKa[0]);
    if (param.typedPKa[1]) type(Field::SecondPKa, param.typedPKa[1]);
    type(Field::BeakerConcentration, "0,05");
    setMeasurements(bench, testing_points::labPoints(solverPoints(param.truth)));

    fitMeasurements(bench);

    ASSERT_TRUE(bench.lab.fit.has_value()) << bench.lab.fitText;
    EXPECT_NEAR(bench.lab.fit->concentration, param.truth.concentration, 0.02 * param.truth.concentration);
    std::vector<double> pKa = param.truth.pKa;
    std::sort(pKa.begin(), pKa.end());
    for (std::size_t k = 0; k < pKa.size(); ++k) EXPECT_NEAR(bench.lab.fit->pKa[k], pKa[k], 0.05) << k;
    std::size_t from = 0;
    for (const std::string& part : param.textParts) {
        const std::size_t found = bench.lab.fitText.find(part, from);
        ASSERT_NE(found, std::string::npos) << part << " in " << bench.lab.fitText;
        from = found + part.size();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Solutes, FreeSoluteFit,
    ::testing::Values(FreeSoluteCase{"freeDiacid",
                                     true,
                                     chemistry::SpeciesCatalogue::kOtherDiacidIndex,
                                     {"5,0", "10,0"},
                                     {true, {3.5, 8.5}, 0.005},
                                     {"c₂ ajustée = (", " ± ", ") × 10⁻³ mol · L-1, pKa₁ ajusté = ", " ± ",
                                      " et pKa₂ ajusté = ", " ± ", " (intervalle à 95 %"}},
                      FreeSoluteCase{"freeDibase",
                                     false,
                                     chemistry::SpeciesCatalogue::kOtherDibaseIndex,
                                     {"3,0", "11,0"},
                                     {false, {4.0, 9.0}, 0.005},
                                     {"c₂ ajustée = (", " ± ", ") × 10⁻³ mol · L-1, pKa₁ ajusté = ", " ± ",
                                      " et pKa₂ ajusté = ", " ± ", " (intervalle à 95 %"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct DoubtfulFitCase {
    const char* name;
    int solute;
    std::vector<testing_points::PhPoint> points;
    const char* textStart;
    bool valueOffered;  // "Utiliser cette valeur" then takes it
};

void PrintTo(const DoubtfulFitCase& c, std::ostream* os) {
    *os << c.name;
}

class DoubtfulFit : public LabBenchTest, public ::testing::WithParamInterface<DoubtfulFitCase> {};

TEST_P(DoubtfulFit, SaysWhatThePointsCannotTell) {
    const DoubtfulFitCase& param = GetParam();
    chooseSolute(bench, param.solute);
    type(Field::BeakerConcentration, "0,05");
    setMeasurements(bench, testing_points::labPoints(param.points));

    fitMeasurements(bench);
    EXPECT_EQ(bench.lab.fitText.rfind(param.textStart, 0), 0u) << bench.lab.fitText;
    EXPECT_EQ(bench.lab.fit.has_value(), param.valueOffered);

    useFittedConcentration(bench);
    EXPECT_EQ(bench.solution.beakerConcentration.text() != "0,05", param.valueOffered);
}

INSTANTIATE_TEST_SUITE_P(
    Points, DoubtfulFit,
    ::testing::Values(
        DoubtfulFitCase{
            "sixMeasurementsAtZeroMillilitres",
            chemistry::SpeciesCatalogue::kOtherIndex,
            {{0, 3.38, 0}, {0, 3.40, 0}, {0, 3.41, 0}, {0, 3.39, 0}, {0, 3.42, 0}, {0, 3.40, 0}},
            "L'ajustement est impossible : les mesures ne sont prises qu'à un seul volume ; ajuster "
            "c₂ et le pKa en demande au moins 4, et les mesures doivent couvrir l'équivalence.",
            false},
        // Ethanoic acid's points fitted as hydrochloric acid's.
        DoubtfulFitCase{"aModelThatMissesThePoints", chemistry::SpeciesCatalogue::kStrongAcidIndex,
                        solverPoints({true, {4.75}, 0.0123}),
                        "Le modèle ne décrit pas ces mesures : l'écart type des résidus dépasse 0,1 pH. c₂ "
                        "ajustée = ",
                        true}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct ImportCase {
    const char* name;
    const char* file;
    std::size_t points;   // kept by the situation afterwards
    const char* hint;     // nullptr: none
    const char* message;  // the one message shown; "" for none
};

class ImportedFile : public LabBenchTest, public ::testing::WithParamInterface<ImportCase> {};

}  // namespace

TEST_P(ImportedFile, SaysWhatItGaveOnTheHintLine) {
    const ImportCase& c = GetParam();
    setMeasurements(bench, testing_points::labPoints({{1, 3, 0}}));
    const ActionResult result =
        importMeasurements(bench, measurements::readMeasurements(std::string_view(c.file), labReadings()));
    EXPECT_EQ(currentMeasurements(bench).size(), c.points);
    EXPECT_EQ(result.hint, c.hint ? std::optional<std::string>(c.hint) : std::nullopt);
    std::vector<std::string> messages;
    for (const Message& m : result.messages) messages.push_back(m.title + " | " + m.text);
    EXPECT_EQ(messages, *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportedFile,
    ::testing::Values(
        ImportCase{"counted", "V;pH\n0;2,9\n1;3,5\n2;3,9\n", 3, "3 mesures importées", ""},
        ImportCase{"timeColumnNamed", "t (s);V (mL);pH\n0;0;2,9\n30;1;3,5\n", 2,
                   "2 mesures importées ; colonne ignorée : « t (s) »", ""},
        ImportCase{"unorderedVolumesTold", "V;pH\n0;2,9\n1;3,5\n1;3,6\n", 3, "3 mesures importées",
                   "Mesures importées | Ligne 4 : le volume n'est pas plus grand que celui de la mesure "
                   "précédente. La mesure est gardée telle qu'elle a été prise."},
        ImportCase{"refusedChangesNothing", "V;pH\n0;abc\n", 1, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Every state a pupil can reach is saved and read back whole: the points of seven situations
// imported from files of 10 000 measurements each.
TEST(MeasurementEntryWrite, SevenSituationsOfTenThousandPointsSaveAndReopenWhole) {
    configuration::ConfigurationFile file;
    MeasurementBook book{};
    for (std::size_t slot = 0; slot < 7; ++slot) {
        for (int i = 0; i < 10000; ++i)
            book[slot].push_back(testing_points::labPoint(i * 0.0025, 2 + (i % 1000) * 0.0091 + slot * 0.4,
                                                          i % 3 == 0 ? 0.001 * i : 0));
    }
    writeMeasurementEntries(book, file.extensions);
    configuration::RecordBuffer records;
    ASSERT_TRUE(configuration::writeConfiguration(records, file));
    configuration::ConfigurationFile read;
    ASSERT_EQ(configuration::readConfiguration(records, read), configuration::LoadResult::Loaded);
    EXPECT_FALSE(read.damagedEntriesLeftOut);
    const ReadMeasurements back = readMeasurementEntries(read.extensions);
    EXPECT_FALSE(back.corrected);
    EXPECT_TRUE(back.book == book);
}

// A situation keeps no more points than a file can give back: more are refused when they come in,
// and left out, with the message, when a file holds them.
TEST_F(LabBenchTest, ASituationKeepsAtMostTheMostAFileHolds) {
    const std::size_t most = measurements::kMaxSituationPoints;
    const MeasuredPoints kept(most, testing_points::labPoint(1, 7, 0));
    EXPECT_TRUE(setMeasurements(bench, kept).messages.empty());
    EXPECT_EQ(currentMeasurements(bench).size(), most);
    const ActionResult refused =
        setMeasurements(bench, MeasuredPoints(most + 1, testing_points::labPoint(2, 8, 0)));
    ASSERT_EQ(refused.messages.size(), 1u);
    EXPECT_EQ(refused.messages[0].text,
              "Une situation garde au plus 60 000 mesures : celles-ci n'ont pas été prises.");
    EXPECT_EQ(currentMeasurements(bench), kept);
    configuration::ExtensionEntries entries;
    for (std::size_t i = 0; i <= most; ++i) entries.add("s2.mesure", "1;7");
    EXPECT_EQ(readMeasurementEntries(entries).book[1].size(), most);
}
