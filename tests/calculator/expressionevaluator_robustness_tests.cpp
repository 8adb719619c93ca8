#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "calculator/expressionevaluator.h"
#include "numbers/decimalreader.h"
#include "tests/mutator.h"

using namespace calculator;

namespace {

// Pieces the calculator's keys and keyboard produce, plus words and characters it never does.
constexpr std::array<std::string_view, 50> kAlphabet = {
    "0",    "1",    "2",   "3",    "4",    "5",   "6",        "7",       "8",    "9",
    ".",    "E",    "e",   "D",    "+",    "-",   "*",        "/",       "^",    "(",
    ")",    " ",    " ",   " + ",  " - ",  " * ", " / ",      " ^ ",     "SIN ", "COS ",
    "TAN ", "LOG ", "LN ", "EXP ", "SQR ", "INV", "invSIN ",  "invCOS ", "ISI",  "ICO",
    "ITA",  "LON",  "sin", "ln",   "X",    "ABC", "\xC3\xB9", "\xC3",    "\xB9", "E+3"};

std::string printable(std::string_view text) {
    std::string out;
    for (const unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string randomText(std::mt19937& random) {
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, kAlphabet.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> percent(0, 99);
    std::string text;
    const int pieces = length(random);
    for (int i = 0; i < pieces; ++i) {
        if (percent(random) < 10) {
            text += static_cast<char>(byte(random));
        } else {
            text += kAlphabet[piece(random)];
        }
    }
    return text;
}

bool isNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'E' || c == 'D';
}

}  // namespace

TEST(Robustness, HundredThousandRandomTextsEndWithAKnownCode) {
    std::mt19937 random(20240611);
    int failures = 0;
    int byCode[4] = {0, 0, 0, 0};
    for (int n = 0; n < 100000 && failures < 10; ++n) {
        const std::string input = randomText(random);
        std::string text = input;
        int code = -1;
        evaluate(text, code, n % 2 == 0 ? kDegrees : kRadians);
        ASSERT_GE(code, 0) << printable(input);
        ASSERT_LE(code, 3) << printable(input);
        ++byCode[code];

        // Code 2 is exactly the texts whose parentheses do not pair up by count.
        const bool unbalanced =
            std::count(input.begin(), input.end(), '(') != std::count(input.begin(), input.end(), ')');
        if (unbalanced != (code == kParenthesesMismatch)) {
            ++failures;
            ADD_FAILURE() << "parentheses code for \"" << printable(input) << "\": " << code;
        }
        if (code != kNoError) continue;
        // A success leaves one number text, which evaluates to itself.
        if (!std::all_of(text.begin(), text.end(), isNumberCharacter)) {
            ++failures;
            ADD_FAILURE() << "\"" << printable(input) << "\" gave \"" << printable(text) << "\"";
            continue;
        }
        std::string again = text;
        int againCode = -1;
        evaluate(again, againCode, kDegrees);
        if (againCode != kNoError || again != text) {
            ++failures;
            ADD_FAILURE() << "\"" << printable(text) << "\" re-evaluated to \"" << printable(again)
                          << "\" with code " << againCode;
        }
    }
    EXPECT_EQ(failures, 0);
    // The generator must reach every outcome, or the test checks less than it claims.
    for (int code = 0; code < 4; ++code) EXPECT_GT(byCode[code], 1000) << "code " << code;
}

TEST(Robustness, BrokenCharactersAndExtremeTextsNeitherCrashNorSucceedWrongly) {
    const struct {
        const char* reason;
        std::string input;
        int code;
    } cases[] = {
        {"first byte of the root sign alone",
         "\xC3"
         "4",
         kCalculationFailed},
        {"second byte of the root sign alone",
         "\xB9"
         "4",
         kCalculationFailed},
        {"upper-case root sign is not the root sign",
         "\xC3\x99"
         "4",
         kCalculationFailed},
        {"root sign cut apart by an empty group", "(\xC3 ()\xB9)0()", kCalculationFailed},
        {"root sign cut apart by a group holding an operator", "(\xC3()\xB9*)4", kCalculationFailed},
        {"root sign cut apart by a space", "\xC3 \xB9 4", kCalculationFailed},
        {"a cut sign still reports unbalanced parentheses first", "(\xC3", kParenthesesMismatch},
        {"NUL byte inside",
         std::string("2\0"
                     "3",
                     3),
         kCalculationFailed},
        {"bytes above 127", "\xFF\xFE", kCalculationFailed},
        {"only parentheses", "(((())))", kNoError},
        {"only operators", "+-*/^", kOperatorMisuse},
        {"function words without arguments", "SIN COS TAN", kCalculationFailed},
        {"root sign at the very end", "2 * \xC3\xB9", kCalculationFailed},
        {"INV at the very end", "INV", kCalculationFailed},
        {"deep nesting", std::string(500, '(') + "1" + std::string(500, ')'), kNoError},
        {"deep nesting with an operator in each group",
         [] {
             std::string text;
             for (int i = 0; i < 300; ++i) text += "(1+";
             return text + "1" + std::string(300, ')');
         }(),
         kNoError},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        int code = -1;
        evaluate(text, code, kDegrees);
        EXPECT_EQ(code, c.code) << c.reason;
    }
}

TEST(Robustness, LongTextsAreAnsweredInTimeLinearInTheirLength) {
    const auto repeated = [](std::string_view piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i) text += piece;
        return text;
    };
    const struct {
        const char* reason;
        std::string input;
        const char* result;
    } cases[] = {
        {"sum of 50 001 terms", repeated("1+", 50000) + "1", "50001"},
        {"50 000 nested parentheses", repeated("(", 50000) + "1" + repeated(")", 50000), "1"},
        {"25 000 nested sums", repeated("(1+", 25000) + "1" + repeated(")", 25000), "25001"},
        {"49 999 root signs", repeated("\xC3\xB9", 49999) + "4", "1"},
    };
    for (const auto& c : cases) {
        std::string text = c.input;
        int code = -1;
        const auto started = std::chrono::steady_clock::now();
        evaluate(text, code, kDegrees);
        const auto elapsed = std::chrono::steady_clock::now() - started;
        EXPECT_EQ(code, kNoError) << c.reason;
        EXPECT_EQ(text, c.result) << c.reason;
        // Only catches a return to rewriting the whole text at each step (minutes for these).
        EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 5) << c.reason;
    }
}

// Mutants of the texts that once took minutes or made up numbers, with the keys' pieces.
TEST(Robustness, MutantsOfTroublesomeTextsEndWithAWholeNumberOrACodeInBoundedTime) {
    testing_support::Mutator mutator({"1+1+1+1+1+1", "((((1))))", "(1+(1+(1+1)))",
                                      "\xC3\xB9\xC3\xB9\xC3\xB9"
                                      "4",
                                      "E", ".", "1.2.3", "(E)", "ELOG8", "1TAN4", "SQR (0 + SQR (0 + 1))",
                                      "2*(3+4)-1", "-(-(-2))", "invSIN 0.5 + 10 ^ -3", "1 / 0"},
                                     {"1", "0", ".", "E", "E-3", "+", "-", " * ", " / ", " ^ ", "(", ")",
                                      "sin ", "ln ", "SQR ", "invCOS ", "\xC3\xB9", " "},
                                     7117);
    auto slowest = std::chrono::steady_clock::duration::zero();
    for (int n = 0; n < 3000; ++n) {
        std::string text = mutator.next();
        int code = -1;
        const auto started = std::chrono::steady_clock::now();
        evaluate(text, code, n % 2 == 0 ? kDegrees : kRadians);
        slowest = std::max(slowest, std::chrono::steady_clock::now() - started);
        ASSERT_GE(code, kNoError);
        ASSERT_LE(code, kOperatorMisuse);
        // A success is one number written out, never "NaN" or "Inf".
        if (code == kNoError && !text.empty()) {
            EXPECT_TRUE(numbers::isDecimalText(text)) << text;
        }
    }
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(slowest).count(), 1000);
}
