#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numbers/numbers.h"
#include "tests/mutator.h"

using namespace numbers;

TEST(DecimalReader, ReadsPointNumbersAndStopsAtTheFirstForeignCharacter) {
    EXPECT_DOUBLE_EQ(readDecimal("  3.5"), 3.5);
    EXPECT_DOUBLE_EQ(readDecimal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(readDecimal("2,7"), 2.0);  // the comma ends the number
    EXPECT_DOUBLE_EQ(readDecimal("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(readDecimal("2E-3*"), 0.002);
    EXPECT_DOUBLE_EQ(readDecimal("1.5D2"), 150.0);
    EXPECT_DOUBLE_EQ(readDecimal("7E"), 7.0);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(readDecimal("+4"), 4.0);
}

TEST(DecimalReader, TextWithoutNumberReadsZero) {
    EXPECT_EQ(readDecimal(""), 0.0);
    EXPECT_EQ(readDecimal("   "), 0.0);
    EXPECT_EQ(readDecimal("abc"), 0.0);
    EXPECT_EQ(readDecimal("-"), 0.0);
    EXPECT_EQ(readDecimal("."), 0.0);
}

TEST(DecimalReader, HugeExponentOverflowsToInfinityAndTinyToZero) {
    EXPECT_TRUE(std::isinf(readDecimal("1E400")));
    EXPECT_TRUE(std::isinf(readDecimal("-1E400")));
    EXPECT_EQ(readDecimal("1E-400"), 0.0);
}

TEST(DecimalReader, OutOfRangeIsToldByTheMagnitudeNotByTheExponentSign) {
    EXPECT_EQ(readDecimal("." + std::string(323, '0') + "1"), 0.0);              // about 1E-324
    EXPECT_TRUE(std::isinf(readDecimal("1" + std::string(400, '0') + "E-10")));  // 1E+390
    EXPECT_EQ(readDecimal("." + std::string(400, '0') + "1E+10"), 0.0);          // 1E-391
    EXPECT_TRUE(std::isinf(readDecimal("-1E99999999999999999999")));
    EXPECT_EQ(readDecimal("0.000E99999"), 0.0);
}

TEST(DecimalReader, WholeNumberTextsAreToldFromTextsReadOnlyInPart) {
    for (const char* number : {"1", "-.5", "5.", "1E400", "2D-3", "007"})
        EXPECT_TRUE(isDecimalText(number)) << number;
    for (const char* other : {"", "E", ".", "1.2.3", "7E", " 1", "1 ", "-", "1E+"}) {
        EXPECT_FALSE(isDecimalText(other)) << other;
    }
}

TEST(DecimalReader, MutantsReadAsANumberNeverNaNAndWriteBackStably) {
    testing_support::Mutator mutator({"." + std::string(323, '0') + "1", "1" + std::string(400, '0') + "E-10",
                                      "." + std::string(400, '0') + "1E+10", "1.5E+20", "-.5", "2D-3", "7E"},
                                     {"0", "1", "9", ".", "E", "D", "e", "-", "+", " "}, 1252);
    for (int n = 0; n < 3000; ++n) {
        const std::string text = mutator.next();
        const double value = readDecimal(text);
        ASSERT_FALSE(std::isnan(value)) << text;
        if (!std::isfinite(value)) continue;
        // The 15-digit text of a value reads back as a value with the same text.
        const std::string written = formatGeneral(value);
        EXPECT_EQ(formatGeneral(readDecimal(written)), written) << text;
        EXPECT_TRUE(isDecimalText(written)) << text;
    }
}

TEST(TypedNumber, AcceptsTheDecimalCommaAndGroupingBlanks) {
    EXPECT_DOUBLE_EQ(*readTypedNumber("0,01"), 0.01);
    EXPECT_DOUBLE_EQ(*readTypedNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(*readTypedNumber(" 20,0 "), 20.0);
    EXPECT_DOUBLE_EQ(*readTypedNumber("0,000 000 01"), 1e-8);
    EXPECT_DOUBLE_EQ(*readTypedNumber("1,00E-08"), 1e-8);
    EXPECT_DOUBLE_EQ(*readTypedNumber("-3"), -3.0);
    EXPECT_DOUBLE_EQ(*readTypedNumber(",5"), 0.5);
}

TEST(TypedNumber, RejectsTextsThatAreNotWholeNumbers) {
    for (const char* text : {"", "  ", "abc", "1,2,3", "2-3", "1E", "-", ",", "12x", "1e400"}) {
        EXPECT_FALSE(readTypedNumber(text).has_value()) << text;
    }
    EXPECT_EQ(readTypedNumberOr("abc", 7.0), 7.0);
}

TEST(GeneralWriter, WritesFifteenSignificantDigitsWithoutLeadingZero) {
    EXPECT_EQ(formatGeneral(0.0), "0");
    EXPECT_EQ(formatGeneral(2.0), "2");
    EXPECT_EQ(formatGeneral(0.5), ".5");
    EXPECT_EQ(formatGeneral(-0.5), "-.5");
    EXPECT_EQ(formatGeneral(13.0), "13");
    EXPECT_EQ(formatGeneral(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(formatGeneral(2.0 / 3.0), ".666666666666667");
    EXPECT_EQ(formatGeneral(1.5707963267948966), "1.5707963267949");
    EXPECT_EQ(formatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(formatGeneral(0.0001), ".0001");
    EXPECT_EQ(formatGeneral(100.25), "100.25");
}

TEST(GeneralWriter, SwitchesToExponentFormForVerySmallAndLargeMagnitudes) {
    EXPECT_EQ(formatGeneral(0.00001), "1E-05");
    EXPECT_EQ(formatGeneral(1.5e20), "1.5E+20");
    EXPECT_EQ(formatGeneral(1e15), "1E+15");
    EXPECT_EQ(formatGeneral(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(formatGeneral(1e100), "1E+100");
    EXPECT_EQ(formatGeneral(123456789012345678.0), "1.23456789012346E+17");
}

TEST(GeneralWriter, RoundTripsThroughTheDecimalReader) {
    for (double v : {0.1, -7.25, 1e-12, 6.02214076e23, 3.14159265358979, 99999.5}) {
        EXPECT_NEAR(readDecimal(formatGeneral(v)), v, std::fabs(v) * 1e-14) << v;
    }
}

struct PictureCase {
    double value;
    const char* picture;
    const char* expected;
};

void PrintTo(const PictureCase& c, std::ostream* out) {
    *out << c.value << " with \"" << c.picture << '"';
}

class PictureFormat : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureFormat, WritesTheExpectedText) {
    const auto& c = GetParam();
    EXPECT_EQ(formatPicture(c.value, c.picture), c.expected) << c.value << " with " << c.picture;
}

INSTANTIATE_TEST_SUITE_P(
    FixedPictures, PictureFormat,
    ::testing::Values(PictureCase{3.384, "#0.00", "3,38"}, PictureCase{0.125, "#0.00", "0,13"},
                      PictureCase{2.675, "#0.00", "2,68"}, PictureCase{11.05, "#0.00", "11,05"},
                      PictureCase{-0.001, "#0.00", "0,00"}, PictureCase{20.0, "###0.0#", "20,0"},
                      PictureCase{2.5, "###0.0#", "2,5"}, PictureCase{12.25, "###0.0#", "12,25"},
                      PictureCase{12.255, "###0.0#", "12,26"}, PictureCase{0.0, "###0.0#", "0,0"},
                      PictureCase{24.9, "####0.0", "24,9"}, PictureCase{0.05, "####0.0#", "0,05"},
                      PictureCase{12.2, "#0.0", "12,2"}, PictureCase{0.25, "#0.0#", "0,25"},
                      PictureCase{10.0, "0.0#", "10,0"}, PictureCase{100.0, "##0.0", "100,0"},
                      PictureCase{19.1, "##0.000", "19,100"}, PictureCase{19.05, "##0.00", "19,05"},
                      PictureCase{0.0999, "0.0#######", "0,0999"},
                      PictureCase{0.0001, "0.0#######", "0,0001"}, PictureCase{999.96, "##0.0", "1000,0"}));

INSTANTIATE_TEST_SUITE_P(GroupedDecimals, PictureFormat,
                         ::testing::Values(PictureCase{0.01, "###0.0## ### ### ###", "0,01"},
                                           PictureCase{1e-8, "###0.0## ### ### ###", "0,000 000 01"},
                                           PictureCase{0.1, "###0.0## ### ### ###", "0,1"},
                                           PictureCase{7.0, "###0.0## ### ### ###", "7,0"},
                                           PictureCase{13.9, "###0.0## ### ### ###", "13,9"},
                                           PictureCase{0.0999, "###0.0## ### ### ###", "0,099 9"},
                                           PictureCase{0.001, "###0.0## ### ### ###", "0,001"},
                                           PictureCase{1.23e-7, "###0.0## ### ### ###", "0,000 000 123"},
                                           PictureCase{4.75, "###0.0## ### ### ###", "4,75"}));

INSTANTIATE_TEST_SUITE_P(ScientificPictures, PictureFormat,
                         ::testing::Values(PictureCase{1e-7, "0.00E+00", "1,00E-07"},
                                           PictureCase{0.00999, "0.00E+00", "9,99E-03"},
                                           PictureCase{0.009995, "0.00E+00", "1,00E-02"},
                                           PictureCase{0.0, "0.00E+00", "0,00E+00"},
                                           PictureCase{5.0, "0.00E+00", "5,00E+00"},
                                           PictureCase{1234.5, "0.0000E+00", "1,2345E+03"},
                                           PictureCase{1234.5, "#.#######E+00", "1,2345E+03"},
                                           PictureCase{5.0, "#.#######E+00", "5,E+00"},
                                           PictureCase{-0.000123456789, "#.#######E+00", "-1,2345679E-04"},
                                           PictureCase{1e-100, "0.00E+00", "1,00E-100"}));

TEST(PictureFormatSingle, UsesTheSevenDigitsASingleHolds) {
    // 0.35 as a float is 0.3499999940...: a single-precision quantity shows what it holds.
    EXPECT_EQ(formatSingle(0.35f, "#0.0"), "0,4");
    EXPECT_EQ(formatPicture(static_cast<double>(0.35f), "#0.0"), "0,3");
}

TEST(PictureFormat, NonFiniteGivesEmptyText) {
    EXPECT_EQ(formatPicture(std::numeric_limits<double>::quiet_NaN(), "#0.00"), "");
    EXPECT_EQ(formatPicture(std::numeric_limits<double>::infinity(), "0.00E+00"), "");
}

TEST(SingleStorage, KeepsThePreviousValueWhenTheResultIsNotFinite) {
    float target = 1.5f;
    EXPECT_FALSE(storeSingle(target, 1e300));
    EXPECT_FALSE(storeSingle(target, std::nan("")));
    EXPECT_FALSE(storeSingle(target, -std::numeric_limits<double>::infinity()));
    EXPECT_EQ(target, 1.5f);
    EXPECT_TRUE(storeSingle(target, 0.1));
    EXPECT_EQ(target, 0.1f);
    EXPECT_TRUE(std::isinf(toSingle(3.5e38)));
    EXPECT_EQ(toSingle(3.4028235e38), std::numeric_limits<float>::max());
}
