// The evaluator against the reference copy of the text-rewriting algorithm it replaced: both
// must leave the same text with the same code, failures included.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

#include "calculator/expressionevaluator.h"
#include "tests/calculator/referenceevaluator.h"

namespace {

// What the calculator's keys append, what a pupil may type besides, and a few things neither does.
constexpr std::array<std::string_view, 48> kPieces = {"0",       "1",        "2",       "3",
                                                      "5",       "7",        "9",       ".",
                                                      "E",       "E-3",      "E+6",     " + ",
                                                      " - ",     "-",        " -",      " * ",
                                                      " / ",     " ^ ",      " ^ 2",    "(",
                                                      "(",       ")",        ")",       "sin ",
                                                      "cos ",    "tan ",     "log ",    "ln ",
                                                      "exp ",    "SQR ",     "10 ^ ",   "1 / ",
                                                      "+",       "invSIN ",  "invCOS ", "invTAN ",
                                                      "ISIN",    "ANS",      "()",      " ",
                                                      "--",      "\xC3\xB9", "CO",      "3.14159265358979",
                                                      "1.5E+20", "1E-05",    ".5",      "D"};

std::string randomExpression(std::mt19937& random) {
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
    std::string text;
    for (int n = length(random); n > 0; --n) text += kPieces[piece(random)];
    return text;
}

// Balanced expressions nested a few levels deep, so that groups, signs before groups and
// functions of groups meet as they do in what pupils type.
std::string nestedExpression(std::mt19937& random, int depth) {
    constexpr std::array<std::string_view, 8> kOperators = {" + ", " - ", " * ", " / ", " ^ ", "-", "+", ""};
    constexpr std::array<std::string_view, 9> kPrefixes = {"",     "",    "-", "-", "SQR ",
                                                           "sin ", "ln ", "+", "--"};
    constexpr std::array<std::string_view, 7> kNumbers = {"2", "0", ".5", "3", "1E-3", "7", "1.5"};
    const auto pick = [&](const auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(random)];
    };
    std::string text;
    const int terms = std::uniform_int_distribution<int>(1, 3)(random);
    for (int t = 0; t < terms; ++t) {
        if (t > 0) text += pick(kOperators);
        text += pick(kPrefixes);
        if (depth > 0 && random() % 2 == 0) {
            text += "(" + nestedExpression(random, depth - 1) + ")";
        } else {
            text += pick(kNumbers);
        }
    }
    return text;
}

}  // namespace

TEST(Differential, RandomExpressionsGiveTheReferenceTextAndCode) {
    std::mt19937 random(5101);
    int mismatches = 0;
    for (int n = 0; n < 4000 && mismatches < 10; ++n) {
        const std::string input = n % 2 == 0 ? randomExpression(random) : nestedExpression(random, 4);
        const int angleMode = n % 2 == 0 ? calculator::kDegrees : calculator::kRadians;
        std::string text = input;
        std::string expected = input;
        const int code = calculator::ExpressionEvaluator(angleMode).evaluate(text);
        const int expectedCode = reference::ExpressionEvaluator(angleMode).evaluate(expected);
        if (code != expectedCode || text != expected) {
            ++mismatches;
            ADD_FAILURE() << "\"" << input << "\": \"" << text << "\" code " << code << ", reference \""
                          << expected << "\" code " << expectedCode;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Differential, NormalisationGivesTheReferenceText) {
    std::mt19937 random(1252);
    for (int n = 0; n < 5000; ++n) {
        std::string text = randomExpression(random);
        std::string expected = text;
        calculator::ExpressionEvaluator::normalise(text);
        reference::ExpressionEvaluator::normalise(expected);
        ASSERT_EQ(text, expected);
    }
}
