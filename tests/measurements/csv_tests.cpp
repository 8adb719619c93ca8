#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "measurements/csvwriter.h"
#include "measurements/measurementreader.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CsvTable smallTable() {
    return {{"V (mL)", "pH", "[H3O+] (mol/L)"}, {{0, 2.5, 3.16e-3}, {12.5, 7, kNaN}}};
}

}  // namespace

TEST(CsvWriter, WritesEachConvention) {
    const std::vector<CurvePoint> curve = {{0, 2.48}, {0.1f, 2.5}, {25, 11.05}};
    struct Case {
        CsvConvention convention;
        std::vector<CurvePoint> curve;
        std::string text;
    };
    const Case cases[] = {
        {CsvConvention::French, {}, "\xEF\xBB\xBFV (mL);pH;[H3O+] (mol/L)\r\n0;2,5;0,00316\r\n12,5;7;\r\n"},
        {CsvConvention::International,
         {},
         "\xEF\xBB\xBFV (mL),pH,[H3O+] (mol/L)\r\n0,2.5,0.00316\r\n12.5,7,\r\n"},
        {CsvConvention::French, curve,
         "\xEF\xBB\xBFV (mL);pH;[H3O+] (mol/L);V théorique (mL);pH théorique\r\n0;2,5;0,00316;0;2,48\r\n"
         "12,5;7;;0,1;2,5\r\n;;;25;11,05\r\n"},
    };
    for (const Case& c : cases) {
        std::vector<CsvTable> blocks{smallTable()};
        if (!c.curve.empty()) blocks.push_back(curveTable(c.curve));
        EXPECT_EQ(writeCsv(blocks, c.convention), c.text);
    }
    const CsvTable comma{{"V, mL", "say \"pH\""}, {}};
    EXPECT_EQ(writeCsv(std::vector{comma}, CsvConvention::International),
              "\xEF\xBB\xBF\"V, mL\",\"say \"\"pH\"\"\"\r\n");
}

TEST(CsvWriter, PutsBlocksOfEveryLengthSideBySide) {
    // Three lab points with σ measured at one of them only, one simulated row, and a curve.
    const CsvTable measured{{"V (mL)", "pH", "σ (mS/cm)"}, {{0, 2.91, 4.2}, {1, 3.6, kNaN}, {2, 3.92, kNaN}}};
    const CsvTable simulated{{"V simulé (mL)", "pH simulé"}, {{0, 2.88}}};
    const std::vector<CurvePoint> curve = {{0, 2.88}, {25, 12.3}};
    const std::vector<CsvTable> blocks{measured, simulated, curveTable(curve)};
    EXPECT_EQ(writeCsv(blocks, CsvConvention::French),
              "\xEF\xBB\xBFV (mL);pH;σ (mS/cm);V simulé (mL);pH simulé;V théorique (mL);pH théorique\r\n"
              "0;2,91;4,2;0;2,88;0;2,88\r\n1;3,6;;;;25;12,3\r\n2;3,92;;;;;\r\n");
    const ReadResult read =
        readMeasurements(writeCsv(blocks, CsvConvention::International), state::labReadings());
    ASSERT_TRUE(read.ok()) << read.error;
    EXPECT_EQ(read.points, testing_points::labPoints({{0, 2.91, 4.2}, {1, 3.6}, {2, 3.92}}));
    EXPECT_EQ(read.skippedColumns,
              (std::vector<std::string>{"V simulé (mL)", "pH simulé", "V théorique (mL)", "pH théorique"}));
}

TEST(CsvWriter, AnExportedTableReadsBackAsTheSamePoints) {
    // The bench's quantities are floats; a σ column when the conductimeter is on.
    std::vector<testing_points::PhPoint> points;
    for (int tenths = 0; tenths <= 250; tenths += 3) {
        const float v = tenths / 10.0f;
        points.push_back({v, 2.0f + v * 0.37f, 0.01f * tenths + 1e-5f});
    }
    const std::vector<CurvePoint> curve = {{0, 2.88}, {3.3, 4.1}, {25, 11.05}};
    for (const auto convention : {CsvConvention::French, CsvConvention::International}) {
        for (const bool sigma : {false, true}) {
            for (const bool withCurve : {false, true}) {
                CsvTable table{{"V (mL)", "pH", "[H3O+] (mol/L)", "[HO-] (mol/L)"}, {}};
                if (sigma) table.headers.push_back("σ (mS/cm)");
                for (const testing_points::PhPoint& p : points) {
                    table.rows.push_back({p.volume, p.pH, std::pow(10.0, -p.pH), std::pow(10.0, p.pH - 14)});
                    if (sigma) table.rows.back().push_back(p.sigma);
                }
                std::vector<CsvTable> blocks{table};
                if (withCurve) blocks.push_back(curveTable(curve));
                const ReadResult read = readMeasurements(writeCsv(blocks, convention), state::labReadings());
                ASSERT_TRUE(read.ok()) << read.error;
                EXPECT_EQ(read.has(state::conductivityReading()), sigma);
                ASSERT_EQ(read.points.size(), points.size());
                // The same quantities as the bench stores them, in single precision.
                for (std::size_t i = 0; i < points.size(); ++i) {
                    EXPECT_EQ(float(read.points[i].volume), float(points[i].volume));
                    EXPECT_EQ(float(testing_points::pHOf(read.points[i])), float(points[i].pH));
                    EXPECT_EQ(float(testing_points::sigmaOf(read.points[i])),
                              sigma ? float(points[i].sigma) : 0);
                }
            }
        }
    }
}
