// The values a pupil types into the entry grid, checked as the panel checks a typed value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measurements/measuremententry.h"
#include "measurements/measurementreader.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

struct TypedCase {
    const char* name;
    const LabReading& column;
    const char* typed;
    bool hasValue;
    double value;
    const char* shown;
    const char* title;  // of the message; "" when none
};

}  // namespace

TEST(EntryGrid, ChecksEachTypedValue) {
    const TypedCase cases[] = {
        {"DecimalCommaKept", volumeReading(), "12,5", true, 12.5, "12,5", ""},
        {"DecimalPointReadAsComma", state::phReading(), "7.1", true, 7.1, "7,10", ""},
        {"BlankCellHasNoValue", state::phReading(), "  ", false, 0, "", ""},
        {"NegativeVolumeBecomesZero", volumeReading(), "-3", true, 0, "0,0", ""},
        {"VolumeBeyondTheBuretteCorrected", volumeReading(), "30", true, 25, "25,0", "Volume corrigé"},
        {"PhAbove14Corrected", state::phReading(), "15,2", true, 14, "14,00", "pH corrigé"},
        {"NotANumberRefused", state::phReading(), "7,1,2", false, 0, "", "Valeur incorrecte"},
        {"ShownDigitsAreTheValue", volumeReading(), "12,3456", true, 12.346, "12,346", ""},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CheckedValue checked = checkTypedValue(c.column, c.typed);
        ASSERT_EQ(checked.value.has_value(), c.hasValue);
        if (c.hasValue) {
            EXPECT_DOUBLE_EQ(*checked.value, c.value);
        }
        EXPECT_EQ(checked.text, c.shown);
        EXPECT_EQ(checked.title, c.title);
        EXPECT_EQ(checked.message.empty(), std::string(c.title).empty());
    }
}

TEST(EntryGrid, CollectsTheFilledRowsWithSigmaWhereMeasured) {
    struct Case {
        const char* name;
        std::vector<std::vector<std::string>> rows;
        std::vector<testing_points::PhPoint> points;
        const char* error;  // "" when the grid is whole
    };
    const Case cases[] = {
        {"EmptyRowsSkipped", {{"", "", ""}, {"0,0", "2,91", ""}, {" ", "", ""}}, {{0, 2.91, 0}}, ""},
        {"SigmaLeftEmptyWasNotMeasured",
         {{"0,0", "2,91", "4,2"}, {"1,0", "3,60", ""}},
         {{0, 2.91, 4.2}, {1, 3.6, 0}},
         ""},
        {"RowsWithoutSigmaCells", {{"1,0", "3,60"}}, {{1, 3.6, 0}}, ""},
        {"VolumeMissing", {{"0,0", "2,91", ""}, {"", "3,60", "4,1"}}, {}, "Ligne 2 : il manque le volume."},
        {"PhMissing", {{"0,0", "", "4,2"}}, {}, "Ligne 1 : il manque le pH."},
        {"SigmaNotANumber", {{"0,0", "2,91", "x"}}, {}, "Ligne 1 : « x » n'est pas un nombre."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const EnteredPoints entered = collectPoints(c.rows, state::labReadings());
        EXPECT_EQ(entered.points, testing_points::labPoints(c.points));
        EXPECT_EQ(entered.error, c.error);
    }
}

// A σ read as 0 is a measurement: only an empty cell or a missing column leaves it unmeasured.
TEST(EntryGrid, AMeasuredZeroIsKeptAsMeasured) {
    const std::size_t sigma = state::conductivityReading().slot;
    struct Case {
        const char* name;
        std::vector<MeasuredPoint> points;
        std::vector<bool> measured;
    };
    const Case cases[] = {
        {"TypedInTheGrid",
         collectPoints({{"0,0", "2,91", "0"}, {"1,0", "3,60", ""}}, state::labReadings()).points,
         {true, false}},
        {"ReadFromAFile",
         readMeasurements(std::string_view("V;pH;σ\n0;2,9;0\n1;3,6;\n"), state::labReadings()).points,
         {true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.points.size(), c.measured.size());
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_EQ(c.points[i].has(sigma), c.measured[i]);
            EXPECT_EQ(c.points[i].reading(sigma), 0.0);
        }
    }
}
