// What "Exporter…" takes from the bench: the lab's points, the table's columns as shown with their
// units, the theoretical curve once the titration is complete, and a CSV that the reader takes
// back to the same points in either convention.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/labexport.h"
#include "tests/labpoints.h"

using namespace state;

namespace {

struct ExportCase {
    const char* name;
    int solute;  // position in the acid list
    bool traced;
    measurements::CsvConvention convention;
    std::vector<std::string> headers;
    bool conductimeter = false;  // σ last, as the lab reader takes it back
    int second = -1;             // a second solute, in the acid list
};

class ExportedTable : public ::testing::TestWithParam<ExportCase> {};

const std::vector<std::string> kNarrow{"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)"};
const std::vector<std::string> kWide{
    "V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)", "[acide] (mol/L)", "[base] (mol/L)"};

// The engine's pH holds single precision; the file keeps no more digits than that.
double singlePrecision(double value) {
    return static_cast<float>(value);
}

}  // namespace

TEST_P(ExportedTable, ShowsTheTableAsShownAndReadsBackToTheSamePoints) {
    const ExportCase& param = GetParam();
    BenchState bench;
    setDefaults(bench);
    start(bench);
    chooseSolute(bench, param.solute);
    if (param.second >= 0) chooseSecondSolute(bench, param.second);
    if (param.conductimeter) showConductimeter(bench, true);
    if (param.traced) quickTrace(bench);

    const measurements::CsvTable table = tableForExport(bench.rows);
    const std::vector<measurements::CurvePoint> curve = theoreticalCurve(bench);

    EXPECT_EQ(table.headers, param.headers);
    ASSERT_EQ(table.rows.size(), static_cast<std::size_t>(bench.rows.count()));
    // Before the trace, the beaker alone; after it, a row per step of the burette.
    ASSERT_GE(table.rows.size(), param.traced ? 50u : 1u);
    std::vector<measurements::MeasuredPoint> shown;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        ASSERT_EQ(table.rows[i].size(), param.headers.size());
        // A mixture's forms, in the table's order after [HO⁻].
        const chemistry::TitrationPoint& point = bench.rows.points()[i];
        for (int j = 0; j < point.formCount; ++j)
            EXPECT_EQ(table.rows[i][4 + j], point.forms[j]) << "row " << i;
        shown.push_back(testing_points::labPoint(bench.rows.points()[i].volume,
                                                 singlePrecision(bench.rows.points()[i].pH)));
    }
    EXPECT_EQ(curve.empty(), !param.traced);
    if (param.traced) {
        // The whole burette, starting from the beaker alone.
        EXPECT_EQ(curve.front().volume, 0);
        EXPECT_EQ(curve.back().volume, 25);
        EXPECT_NEAR(curve.front().value, bench.rows.points().front().pH, 1e-9);
    }

    // The curve's columns beside the table are not taken for measurements.
    const std::string csv =
        measurements::writeCsv(std::vector{table, measurements::curveTable(curve)}, param.convention);
    const measurements::ReadResult read =
        measurements::readMeasurements(std::string_view(csv), labReadings());
    ASSERT_TRUE(read.ok()) << read.error << " at line " << read.errorLine;
    std::vector<measurements::MeasuredPoint> reread;
    for (const measurements::MeasuredPoint& p : read.points)
        reread.push_back(testing_points::labPoint(p.volume, singlePrecision(testing_points::pHOf(p))));
    EXPECT_EQ(reread, shown);
    EXPECT_EQ(read.has(conductivityReading()), param.conductimeter);
    for (std::size_t i = 0; param.conductimeter && i < read.points.size(); ++i) {
        const double sigma = bench.rows.reading(static_cast<int>(i), conductivityMeter()).value_or(-1);
        EXPECT_NEAR(testing_points::sigmaOf(read.points[i]), sigma, 1e-6 * sigma) << "row " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, ExportedTable,
    ::testing::Values(ExportCase{"strongAcidFrench", 2, false, measurements::CsvConvention::French, kNarrow},
                      ExportCase{"strongAcidTracedInternational", 2, true,
                                 measurements::CsvConvention::International, kNarrow},
                      ExportCase{"weakAcidFrench", 4, false, measurements::CsvConvention::French, kWide},
                      ExportCase{"weakAcidTracedFrench", 4, true, measurements::CsvConvention::French, kWide},
                      ExportCase{"strongAcidTracedWithConductimeter",
                                 2,
                                 true,
                                 measurements::CsvConvention::French,
                                 {"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)", "σ (mS/cm)"},
                                 true},
                      ExportCase{"hydrochloricAndEthanoicAcidsNameTheFormsInWater",
                                 2,
                                 true,
                                 measurements::CsvConvention::French,
                                 {"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)", "[Cl⁻] (mol/L)",
                                  "[CH₃COOH] (mol/L)", "[CH₃COO⁻] (mol/L)", "σ (mS/cm)"},
                                 true,
                                 4}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct ChoiceCase {
    const char* name;
    std::size_t labPoints;  // imported before anything is poured
    bool traced;
    ExportChoice ticked;  // nothing ticked: what the window ticks first
    ExportChoice expectedFirst;
    const char* title;
    const char* fileName;
    std::vector<std::string> headers;
    std::size_t lines;  // of values under the headers; kCurveLength: as many as the curve's points
};

constexpr std::size_t kCurveLength = 0;

class ExportedParts : public ::testing::TestWithParam<ChoiceCase> {};

const std::vector<std::string> kLab{"V (mL)", "pH", "σ (mS/cm)"};

}  // namespace

TEST_P(ExportedParts, WriteWhatIsChosenUnderANameThatSaysIt) {
    const ChoiceCase& c = GetParam();
    BenchState bench;
    setDefaults(bench);
    start(bench);
    chooseSolute(bench, 4);
    // The lab's points, σ measured at the first only; the reader takes the file back to them.
    MeasuredPoints points;
    for (std::size_t i = 0; i < c.labPoints; ++i)
        points.push_back(testing_points::labPoint(0.5 * static_cast<double>(i),
                                                  2.9 + 0.25 * static_cast<double>(i), i == 0 ? 0.12 : 0));
    setMeasurements(bench, points);
    if (c.traced) quickTrace(bench);

    const ExportSources sources = exportSources(bench);
    const ExportChoice first = defaultChoice(sources);
    EXPECT_EQ(first.measured, c.expectedFirst.measured);
    EXPECT_EQ(first.table, c.expectedFirst.table);
    EXPECT_EQ(first.curve, c.expectedFirst.curve);
    const ExportChoice choice = c.ticked.any() ? c.ticked : first;
    EXPECT_EQ(exportNames(choice).title, c.title);
    EXPECT_EQ(exportNames(choice).fileName, c.fileName);

    const std::vector<measurements::CsvTable> blocks = exportedBlocks(sources, choice);
    std::vector<std::string> headers;
    std::size_t lines = 0;
    for (const measurements::CsvTable& block : blocks) {
        headers.insert(headers.end(), block.headers.begin(), block.headers.end());
        lines = std::max(lines, block.rows.size());
    }
    EXPECT_EQ(headers, c.headers);
    EXPECT_EQ(lines, c.lines == kCurveLength ? sources.curve.size() : c.lines);
    EXPECT_GT(lines, 0u);
    if (!choice.measured) return;
    const measurements::ReadResult read = measurements::readMeasurements(
        std::string_view(measurements::writeCsv(blocks, measurements::CsvConvention::French)), labReadings());
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.points, points);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ExportedParts,
    ::testing::Values(
        ChoiceCase{"importedNothingPoured",
                   34,
                   false,
                   {},
                   {true, false, false},
                   "Exporter les mesures du laboratoire",
                   "mesures-labo",
                   kLab,
                   34},
        ChoiceCase{"noLabPoints",
                   0,
                   true,
                   {},
                   {false, true, false},
                   "Exporter le tableau de valeurs simulé",
                   "tableau-simule",
                   kWide,
                   51},
        ChoiceCase{"importedAndTraced",
                   3,
                   true,
                   {},
                   {true, true, false},
                   "Exporter les mesures du laboratoire et le tableau de valeurs simulé",
                   "mesures-labo-tableau-simule",
                   {"V (mL)", "pH", "σ (mS/cm)", "V simulé (mL)", "pH simulé", "[H3O+] (mol/L)",
                    "[HO-] (mol/L)", "[acide] (mol/L)", "[base] (mol/L)"},
                   51},
        ChoiceCase{"allThree",
                   3,
                   true,
                   {true, true, true},
                   {true, true, false},
                   "Exporter les mesures du laboratoire, le tableau de valeurs simulé et la courbe théorique",
                   "mesures-labo-tableau-simule-courbe-theorique",
                   {"V (mL)", "pH", "σ (mS/cm)", "V simulé (mL)", "pH simulé", "[H3O+] (mol/L)",
                    "[HO-] (mol/L)", "[acide] (mol/L)", "[base] (mol/L)", "V théorique (mL)", "pH théorique"},
                   51},
        ChoiceCase{"curveAlone",
                   0,
                   true,
                   {false, false, true},
                   {false, true, false},
                   "Exporter la courbe théorique",
                   "courbe-theorique",
                   {"V théorique (mL)", "pH théorique"},
                   kCurveLength}),
    [](const auto& info) { return std::string(info.param.name); });
