// Sine, cosine and tangent to the last digit, above all where an angle lies next to a multiple of
// π/2 and the whole value is the small difference between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "numbers/trigonometry.h"

namespace {

// x − k·π/2 in double-double arithmetic, π/2 being kHalfPiHigh + kHalfPiLow.
double offsetFromQuarterTurns(double x, double k) {
    constexpr double kHalfPiHigh = 1.5707963267948965580;
    constexpr double kHalfPiLow = 6.123233995736766036e-17;
    const double high = k * kHalfPiHigh;
    const double error = std::fma(k, kHalfPiHigh, -high);  // exact rest of the product
    return ((x - high) - error) - k * kHalfPiLow;
}

// sin d and cos d of a tiny d by their series.
double smallSine(double d) {
    return d - d * d * d / 6.0;
}

}  // namespace

TEST(Trigonometry, NextToAMultipleOfAQuarterTurnTheDifferenceKeepsAllItsDigits) {
    struct Case {
        double quarterTurns;
        double offset;  // added to the double nearest k·π/2
    };
    const Case cases[] = {{2, 0},  {2, 1e-9}, {4, 0},         {1, 0}, {3, 0},
                          {-2, 0}, {20, 0},   {2000, -3e-12}, {63, 0}};
    for (const auto& [k, offset] : cases) {
        const double x = k * (std::numbers::pi / 2.0) + offset;
        const double d = offsetFromQuarterTurns(x, k);
        const int quadrant = static_cast<int>(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
        const double sines[] = {smallSine(d), 1.0, -smallSine(d), -1.0};
        const double cosines[] = {1.0, -smallSine(d), -1.0, smallSine(d)};
        const double expectedSine = sines[quadrant];
        const double expectedCosine = cosines[quadrant];
        EXPECT_NEAR(numbers::sine(x), expectedSine, std::fabs(expectedSine) * 1e-15) << k << " " << offset;
        EXPECT_NEAR(numbers::cosine(x), expectedCosine, std::fabs(expectedCosine) * 1e-15)
            << k << " " << offset;
        if (quadrant % 2 == 0)
            EXPECT_NEAR(numbers::tangent(x), d, std::fabs(d) * 1e-14) << k;
        else
            EXPECT_NEAR(numbers::tangent(x), -1.0 / d, std::fabs(1.0 / d) * 1e-14) << k;
    }
}

TEST(Trigonometry, OrdinaryAndHugeAnglesGiveTheKnownValues) {
    struct Case {
        double x, sine, cosine;
    };
    // Values to 17 digits from a multiple-precision computation.
    const Case cases[] = {{0.5, 0.47942553860420301, 0.87758256189037272},
                          {1.0, 0.84147098480789651, 0.54030230586813972},
                          {-2.5, -0.59847214410395649, -0.80114361554693371},
                          {100.0, -0.50636564110975879, 0.86231887228768393},
                          {1e5, 0.035748797972016509, -0.99936080743821245}};
    for (const auto& [x, sine, cosine] : cases) {
        EXPECT_NEAR(numbers::sine(x), sine, 2e-16) << x;
        EXPECT_NEAR(numbers::cosine(x), cosine, 2e-16) << x;
        EXPECT_NEAR(numbers::tangent(x), sine / cosine, 1e-15 * std::fabs(sine / cosine)) << x;
    }
    EXPECT_TRUE(std::isnan(numbers::sine(std::nan(""))));
    EXPECT_TRUE(std::isnan(numbers::cosine(INFINITY)));
}
