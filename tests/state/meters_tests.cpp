// The table of meters: how each writes its values, graduates the graph's ordinate and is found
// by its id.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "state/meters.h"

using namespace state;

namespace {

TEST(Meters, ConductivityShowsThreeSignificantDigitsWithADecimalComma) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case c :
         {Case{4.2613, "4,26"}, Case{14.26, "14,3"}, Case{0.042631, "0,0426"}, Case{9.996, "10,0"},
          Case{123.4, "123"}, Case{0.999, "0,999"}, Case{0, "0,00"}, Case{-1, ""}, Case{std::nan(""), ""}}) {
        EXPECT_EQ(conductivityMeter().number(c.value), c.text) << c.value;
    }
    EXPECT_EQ(conductivityMeter().text(4.2613), "4,26 mS/cm");
}

TEST(Meters, ConductivityAxisGraduatesRoundStepsThatHoldTheLargestValue) {
    struct Case {
        double largest;
        double top;
        double step;
    };
    for (const Case c : {Case{4.261, 4.5, 0.5}, Case{0.7, 0.7, 0.1}, Case{0.68, 0.7, 0.1},
                         Case{1.0, 1.0, 0.1}, Case{1.05, 1.2, 0.2}, Case{12, 12, 2}, Case{13, 14, 2},
                         Case{0, 1, 0.1}, Case{std::nan(""), 1, 0.1}}) {
        const MeterAxis axis = conductivityMeter().axisFor(c.largest);
        EXPECT_NEAR(axis.top, c.top, 1e-9) << c.largest;
        EXPECT_NEAR(axis.step, c.step, 1e-9) << c.largest;
        const double lines = axis.top / axis.step;
        EXPECT_GE(lines, 1 - 1e-9) << c.largest;
        EXPECT_LE(lines, 10 + 1e-9) << c.largest;
    }
}

// pH keeps the described frame, y = 250 − 16 · pH, to the last bit; σ runs from 250 px at 0 to
// 26 px at the axis's top.
TEST(Meters, AxesPlaceValuesOnTheFrame) {
    struct Case {
        const char* why;
        MeterAxis axis;
        double value;
        double y;
    };
    const MeterAxis ph = phMeter().axisFor(0);
    for (const Case c :
         {Case{"pH 0 on the V axis", ph, 0, 250}, Case{"pH 14 at the top", ph, 14, 26},
          Case{"pH 7.03125", ph, 7.03125, 250 - 16 * 7.03125}, Case{"pH 2.004", ph, 2.004, 250 - 16 * 2.004},
          Case{"pH 9.87", ph, 9.87, 250 - 16 * 9.87}, Case{"σ 0", {2, 0.2}, 0, 250},
          Case{"σ at the top", {2, 0.2}, 2, 26}, Case{"σ halfway", {2, 0.2}, 1, 138}}) {
        EXPECT_EQ(c.axis.y(c.value), c.y) << c.why;
        EXPECT_NEAR(c.axis.valueAt(c.y), c.value, 1e-12) << c.why;
    }
}

TEST(Meters, GridHasALineAndALabelPerStep) {
    struct Case {
        MeterAxis axis;
        int lines;
        const char* picture;
    };
    for (const Case c : {Case{phMeter().axisFor(25), 14, "0"}, Case{{2, 0.2}, 10, "0.0"},
                         Case{{0.05, 0.005}, 10, "0.000"}, Case{{12, 2}, 6, "0"}}) {
        EXPECT_EQ(c.axis.lines(), c.lines) << c.axis.top;
        EXPECT_EQ(c.axis.labelPicture(), c.picture) << c.axis.top;
    }
}

TEST(Meters, ReadOutNamesTheMeterAndItsUnit) {
    EXPECT_EQ(phMeter().readout(7), "pH = 7,0");
    EXPECT_EQ(phMeter().readout(7.04), "pH = 7,04");
    EXPECT_EQ(phMeter().number(7), "7,00");
    EXPECT_EQ(phMeter().text(7), "7,00");
    EXPECT_EQ(conductivityMeter().readout(4.2613), "σ = 4,26 mS/cm");
    EXPECT_EQ(phMeter().number(std::nan("")), "");
}

// The graph's description names the frame from the meter and its axis, as it always read.
TEST(Meters, GraphWordsNameTheMeterItsSymbolAndTheEndsOfItsAxis) {
    struct Case {
        const Meter* meter;
        MeterAxis axis;
        const char* words;
    };
    for (const Case& c : {
             Case{&phMeter(), phMeter().axisFor(0),
                  "Graphe du pH en fonction du volume versé, pH de 0 à 14, volume de 0 à 25 mL."},
             Case{&conductivityMeter(), conductivityMeter().axisFor(4.261),
                  "Graphe de la conductivité σ en fonction du volume versé, σ de 0 à 4,50 mS/cm, volume de 0 "
                  "à 25 mL."},
             Case{
                 &conductivityMeter(), conductivityMeter().axisFor(0.68),
                 "Graphe de la conductivité σ en fonction du volume versé, σ de 0 à 0,700 mS/cm, volume de 0 "
                 "à 25 mL."},
             Case{&conductivityMeter(), conductivityMeter().axisFor(13),
                  "Graphe de la conductivité σ en fonction du volume versé, σ de 0 à 14,0 mS/cm, volume de 0 "
                  "à 25 mL."},
         }) {
        EXPECT_EQ(c.meter->graphWords(c.axis), c.words);
    }
}

TEST(Meters, AreFoundByTheirOwnIdOnly) {
    std::set<std::string> ids;
    for (const Meter& meter : meters()) {
        EXPECT_EQ(meterById(meter.id), &meter) << meter.id;
        EXPECT_TRUE(ids.insert(std::string(meter.id)).second) << meter.id << " twice";
        EXPECT_LT(meter.least, meter.most) << meter.id;
    }
    EXPECT_EQ(meterById("pH"), &phMeter());
    EXPECT_EQ(meterById("sigma"), &conductivityMeter());
    EXPECT_EQ(meterById("ph"), nullptr);
    EXPECT_EQ(meterById(""), nullptr);
}

}  // namespace
