// Sine, cosine and tangent to the last digit, above all next to a multiple of π/2, where the whole
// value is the small difference between the angle and that multiple.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "numbers/trigonometry.h"

TEST(Trigonometry, EveryDigitIsRightNextToTheQuarterTurnsAndElsewhere) {
    struct Case {
        double x, sine, cosine;
    };
    // Ordinary angles: values to 17 digits from a multiple-precision computation.
    std::vector<Case> cases{{0.5, 0.47942553860420301, 0.87758256189037272},
                            {1.0, 0.84147098480789651, 0.54030230586813972},
                            {-2.5, -0.59847214410395649, -0.80114361554693371},
                            {100.0, -0.50636564110975879, 0.86231887228768393},
                            {1e5, 0.035748797972016509, -0.99936080743821245}};
    // Next to k·π/2: the offset d = x − k·π/2 in double-double arithmetic (π/2 = high + low, the
    // product's rest exact by fma), then sin d ≈ d − d³/6 and cos d = 1 to the last digit.
    constexpr double kHalfPiHigh = 1.5707963267948965580;
    constexpr double kHalfPiLow = 6.123233995736766036e-17;
    const struct {
        double quarterTurns, offset;
    } near[] = {{2, 0}, {2, 1e-9}, {4, 0}, {1, 0}, {3, 0}, {-2, 0}, {20, 0}, {2000, -3e-12}, {63, 0}};
    for (const auto& [k, offset] : near) {
        const double x = k * (std::numbers::pi / 2.0) + offset;
        const double high = k * kHalfPiHigh;
        const double d = ((x - high) - std::fma(k, kHalfPiHigh, -high)) - k * kHalfPiLow;
        const double s = d - d * d * d / 6.0;
        const int quadrant = static_cast<int>(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
        const Case turned[] = {{x, s, 1.0}, {x, 1.0, -s}, {x, -s, -1.0}, {x, -1.0, s}};
        cases.push_back(turned[quadrant]);
    }
    for (const auto& [x, sine, cosine] : cases) {
        EXPECT_NEAR(numbers::sine(x), sine, std::fabs(sine) * 1e-15) << x;
        EXPECT_NEAR(numbers::cosine(x), cosine, std::fabs(cosine) * 1e-15) << x;
        EXPECT_NEAR(numbers::tangent(x), sine / cosine, std::fabs(sine / cosine) * 1e-14) << x;
    }
    EXPECT_TRUE(std::isnan(numbers::sine(std::nan(""))));
    EXPECT_TRUE(std::isnan(numbers::cosine(INFINITY)));
}
