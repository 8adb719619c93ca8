// What "Exporter…" takes from the bench: the table's columns as shown with their units, the
// theoretical curve once the titration is complete, and a CSV that the reader takes back to the
// same points in either convention.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measurements/measurementreader.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/labexport.h"

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
        shown.push_back({bench.rows.points()[i].volume, singlePrecision(bench.rows.points()[i].pH), 0});
    }
    EXPECT_EQ(curve.empty(), !param.traced);
    if (param.traced) {
        // The whole burette, starting from the beaker alone.
        EXPECT_EQ(curve.front().volume, 0);
        EXPECT_EQ(curve.back().volume, 25);
        EXPECT_NEAR(curve.front().pH, bench.rows.points().front().pH, 1e-9);
    }

    // The curve's columns beside the table are not taken for measurements.
    const std::string csv = measurements::writeCsv(table, curve, param.convention);
    const measurements::ReadResult read = measurements::readMeasurements(std::string_view(csv));
    ASSERT_TRUE(read.ok()) << read.error << " at line " << read.errorLine;
    std::vector<measurements::MeasuredPoint> reread;
    for (const measurements::MeasuredPoint& p : read.points)
        reread.push_back({p.volume, singlePrecision(p.pH), 0});
    EXPECT_EQ(reread, shown);
    EXPECT_EQ(read.hasConductivity, param.conductimeter);
    for (std::size_t i = 0; param.conductimeter && i < read.points.size(); ++i) {
        const double sigma = bench.rows.conductivity(static_cast<int>(i)).value_or(-1);
        EXPECT_NEAR(read.points[i].conductivity, sigma, 1e-6 * sigma) << "row " << i;
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
