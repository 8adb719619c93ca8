#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calculator/expressionevaluator.h"
#include "numbers/decimalreader.h"
#include "numbers/generalwriter.h"

using namespace calculator;

namespace {

struct Outcome {
    std::string text;
    int code;
};

Outcome outcomeOf(std::string expression, int angleMode = kDegrees) {
    int code = -1;
    calculator::evaluate(expression, code, angleMode);
    return {expression, code};
}

struct Case {
    const char* reason;
    const char* expression;
    const char* result;
    int angleMode = kDegrees;
};

void expectResults(const Case* cases, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const Case& c = cases[i];
        const Outcome outcome = outcomeOf(c.expression, c.angleMode);
        EXPECT_EQ(outcome.code, kNoError) << c.reason << ": " << c.expression;
        EXPECT_EQ(outcome.text, c.result) << c.reason << ": " << c.expression;
    }
}

struct FailureCase {
    const char* reason;
    const char* expression;
    int code;
};

void expectFailures(const FailureCase* cases, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const FailureCase& c = cases[i];
        EXPECT_EQ(outcomeOf(c.expression).code, c.code) << c.reason << ": " << c.expression;
    }
}

std::string normalised(std::string text) {
    ExpressionEvaluator::normalise(text);
    return text;
}

}  // namespace

// --- The worked example, step by step ---

TEST(WorkedExample, TwoTimesThreePlusFourMinusOneGivesThirteen) {
    const Outcome outcome = outcomeOf("2*(3+4)-1");
    EXPECT_EQ(outcome.code, kNoError);
    EXPECT_EQ(outcome.text, "13");
}

TEST(WorkedExample, EachStepRewritesTheTextAsDescribed) {
    ExpressionEvaluator evaluator(kDegrees);
    std::string text = "2*(3+4)-1";
    ExpressionEvaluator::normalise(text);
    EXPECT_EQ(text, " 2 * (3 + 4) - 1 ");
    evaluator.checkSyntax(text);
    EXPECT_EQ(evaluator.errorCode(), kNoError);
    evaluator.recountTokens(text);
    EXPECT_EQ(evaluator.parenthesesCount(), 1);
    EXPECT_EQ(evaluator.operatorCount(), 3);
    EXPECT_EQ(evaluator.functionCount(), 0);
    ASSERT_TRUE(evaluator.reduceGroups(text));
    EXPECT_EQ(text, " 2 * 7 - 1 ");
    ASSERT_TRUE(evaluator.carryOutOperators(text));
    EXPECT_EQ(text, " 13 ");
}

// --- Operators and priorities ---

TEST(OperatorsAndPriorities, FixedPriorityOrderDecidesWhichOperationRunsFirst) {
    const Case cases[] = {
        {"multiplication before addition", "2 + 3 * 4", "14"},
        {"parentheses first", "(2 + 3) * 4", "20"},
        {"power before division: 2 / 4, not 1 ^ 2", "2 / 2 ^ 2", ".5"},
        {"division before multiplication: 3 * (1 / 3) rounded, not 3 / 3", "3 * 1 / 3", ".999999999999999"},
        {"multiplication before subtraction", "5 - 2 * 2", "1"},
        {"subtraction before addition: 1 - 1 first, so the 1 is not lost in 1E15 + 1", "1E15 + 1 - 1",
         "1E+15"},
        {"power before multiplication", "2 * 3 ^ 2", "18"},
        {"written without spaces", "2+3*4", "14"},
        {"difference below zero", "4 - 7", "-3"},
    };
    expectResults(cases, std::size(cases));
}

TEST(OperatorsAndPriorities, SamePriorityRunsFromTheLeft) {
    const Case cases[] = {
        {"powers from the left: (2 ^ 3) ^ 2", "2 ^ 3 ^ 2", "64"},
        {"differences from the left", "10 - 2 - 3", "5"},
        {"quotients from the left", "8 / 2 / 2", "2"},
        {"mixed sum and differences", "1 + 2 - 3 + 4", "4"},
    };
    expectResults(cases, std::size(cases));
}

TEST(OperatorsAndPriorities, OperatorsBecomeSpacedTokensAndCountedOnce) {
    ExpressionEvaluator evaluator(kDegrees);
    const std::string text = normalised("1+2-3*4/5^6");
    EXPECT_EQ(text, " 1 + 2 - 3 * 4 / 5 ^ 6 ");
    evaluator.recountTokens(text);
    EXPECT_EQ(evaluator.operatorCount(), 5);
}

// --- Signs ---

TEST(Signs, SignPairsMergeAndAMinusAfterAnOperatorBelongsToTheNumber) {
    const Case cases[] = {
        {"the pair -- becomes +", "5 - -3", "8"},
        {"minus after an operator makes the number negative", "2 * -3", "-6"},
        {"a sign binds tighter than ^", "-2 ^ 2", "4"},
        {"negative exponent", "2 ^ -1", ".5"},
        {"a minus after ^ written with a space", "2 ^ - 3", ".125"},
        {"runs of signs collapse to their product", "5 + -+-3", "8"},
        {"leading plus is dropped", "+4", "4"},
        {"double minus at the start", "--5", "5"},
        {"minus before a group", "-(2 + 3) * 2", "-10"},
        {"parenthesised negative number", "3 - (-2)", "5"},
        {"negative fraction", "-.5 * 2", "-1"},
        {"exponent sign stays with the number", "2E-3 * 1000", "2"},
        {"positive exponent sign stays too", "2E+3 - 1", "1999"},
        {"D introduces an exponent as well", "1D2 + 1", "101"},
    };
    expectResults(cases, std::size(cases));
}

TEST(Signs, NormalisationSpellsTheTextAsTokens) {
    const struct {
        const char* reason;
        const char* input;
        const char* expected;
    } cases[] = {
        {"worked example", "2*(3+4)-1", " 2 * (3 + 4) - 1 "},
        {"-- merged into +", "5--3", " 5 + 3 "},
        {"attached minus after an operator", "2*-3", " 2 * -3 "},
        {"parentheses around a plain number removed", "(3.5)", " 3.5 "},
        {"around a negative number too", "(-2)", " -2 "},
        {"empty parentheses kept", "()", " () "},
        {"nested parentheses around a number removed", "((4))", " 4 "},
        {"exponents upper-cased and attached", "2e-3", " 2E-3 "},
        {"spaces typed by the pupil do not count", " 2 +   3 ", " 2 + 3 "},
        {"function words get their space", "sin30+cos60", " SIN 30 + COS 60 "},
        {"the root sign is the word SQR",
         "\xC3\xB9"
         "9",
         " SQR 9 "},
        {"ln is spelled LON", "ln 2", " LON 2 "},
        {"INV then COS is the arc cosine", "invCOS 1", " ICO 1 "},
        {"INV then TAN is the arc tangent", "invTAN 1", " ITA 1 "},
        {"an operator after * stays a separate token", "2*+3", " 2 *  + 3 "},
        {"minus after a closing parenthesis is an operator", "(1+2)-3", " (1 + 2) - 3 "},
        {"empty text gets its two spaces", "", "  "},
    };
    for (const auto& c : cases) EXPECT_EQ(normalised(c.input), c.expected) << c.reason;
}

// --- Functions and angle modes ---

TEST(FunctionsAndAngleModes, TrigonometryFollowsTheAngleMode) {
    const Case cases[] = {
        {"sine of 30 degrees", "SIN 30", ".5"},
        {"sine of 90 degrees", "SIN 90", "1"},
        {"sine of 90 radians", "SIN 90", ".893996663600558", kRadians},
        {"tangent of 45 degrees", "TAN 45", "1"},
        {"cosine of pi radians", "COS 3.14159265358979", "-1", kRadians},
        {"arc sine of 1 in degrees", "ISI 1", "90"},
        {"arc cosine of -1 in degrees", "ICO -1", "180"},
        {"arc sine of 1 in radians", "ISI 1", "1.5707963267949", kRadians},
        {"arc sine of -1 in radians", "ISI -1", "-1.5707963267949", kRadians},
        {"arc cosine of 1 in radians", "ICO 1", "0", kRadians},
        {"arc tangent of 1 in radians", "ITA 1", ".785398163397448", kRadians},
        {"calculator keys: inverse sine", "invSIN 0.5", "30"},
        {"calculator keys: inverse cosine", "invCOS 0.5", "60"},
        {"calculator keys: inverse tangent", "invTAN 1", "45"},
        {"group reduced first, then the function", "SIN (30 + 60)", "1"},
        {"implicit product built by the keys", "2 * sin 30", "1"},
    };
    expectResults(cases, std::size(cases));
}

TEST(FunctionsAndAngleModes, RightAnglesInDegreesGiveExactValues) {
    const Case cases[] = {
        {"sine of 180", "SIN 180", "0"},
        {"cosine of 90", "COS 90", "0"},
        {"sine of 90", "SIN 90", "1"},
        {"cosine of 180", "COS 180", "-1"},
        {"sine of 270", "SIN 270", "-1"},
        {"sine of -90", "SIN -90", "-1"},
        {"cosine of 450", "COS 450", "0"},
        {"tangent of 180", "TAN 180", "0"},
        {"tangent of -360", "TAN -360", "0"},
        {"a huge multiple of 360", "COS 9E20", "1"},
        {"just off a right angle is computed", "SIN 180.000001", "-1.7453292466489E-08"},
        {"radians unchanged: sine of pi", "SIN 3.14159265358979", "3.23108914886517E-15", kRadians},
        {"radians unchanged: cosine of 90", "COS 90", "-.44807361612917", kRadians},
        {"radians unchanged: tangent of 90", "TAN 90", "-1.99520041220824", kRadians},
    };
    expectResults(cases, std::size(cases));
    const FailureCase failures[] = {
        {"tangent of 90", "TAN 90", kCalculationFailed},
        {"tangent of 270", "TAN 270", kCalculationFailed},
        {"tangent of a huge odd multiple of 90", "TAN 11111111011111050", kCalculationFailed},
    };
    expectFailures(failures, std::size(failures));
}

TEST(FunctionsAndAngleModes, AnyModeOtherThanRadiansMeansDegrees) {
    EXPECT_EQ(outcomeOf("SIN 90", 7).text, "1");
    EXPECT_EQ(outcomeOf("SIN 90", -1).text, "1");
}

TEST(FunctionsAndAngleModes, RootsLogarithmsAndExponentials) {
    const Case cases[] = {
        {"square root", "SQR 16", "4"},
        {"the root sign",
         "\xC3\xB9"
         "16",
         "4"},
        {"root signs nest",
         "\xC3\xB9\xC3\xB9"
         "81",
         "3"},
        {"a function takes the number right after it, before any operator", "SQR 4 + 5", "7"},
        {"decimal logarithm", "LOG 1000", "3"},
        {"decimal logarithm of a small number", "LOG 1E-5", "-5"},
        {"natural logarithm", "ln 1", "0"},
        {"exponential", "exp 1", "2.71828182845905"},
        {"nested functions resolve from the inside", "EXP LN 5", "5"},
        {"group as argument", "SQR (9 + 7)", "4"},
        {"natural logarithm of a group", "ln (2 * 3 - 1)", "1.6094379124341"},
        {"natural logarithm of a function", "LN (SQR 100)", "2.30258509299405"},
        {"the inner spelling of ln gets its space like any word", "LON4", "1.38629436111989"},
        {"a function inside a group runs before the group", "(SQR 16)", "4"},
        {"a minus before a group waits for the group", "SIN -(30 + 60)", "-1"},
    };
    expectResults(cases, std::size(cases));
}

TEST(FunctionsAndAngleModes, ArgumentThatIsNotYetANumberWaitsForALaterCycle) {
    ExpressionEvaluator evaluator(kDegrees);
    std::string text = normalised("SIN -(30 + 60)");
    evaluator.recountTokens(text);
    ASSERT_TRUE(evaluator.evaluateFunctions(text));
    EXPECT_EQ(text, " SIN -(30 + 60) ");
    ASSERT_TRUE(evaluator.reduceGroups(text));
    EXPECT_EQ(text, " SIN -90 ");
    evaluator.recountTokens(text);
    ASSERT_TRUE(evaluator.evaluateFunctions(text));
    EXPECT_EQ(text, " -1 ");
}

TEST(FunctionsAndAngleModes, FunctionWordsAreCountedWhereverTheirLettersAppear) {
    ExpressionEvaluator evaluator(kDegrees);
    evaluator.recountTokens(" SIN (30 + 60) * COS 0 ");
    EXPECT_EQ(evaluator.functionCount(), 2);
    EXPECT_EQ(evaluator.parenthesesCount(), 1);
    EXPECT_EQ(evaluator.operatorCount(), 2);
    evaluator.recountTokens(" ISIN ");  // ISI and SIN overlap
    EXPECT_EQ(evaluator.functionCount(), 2);
}

// --- Parentheses ---

TEST(Parentheses, GroupsAreReducedFromTheInnermost) {
    const Case cases[] = {
        {"two groups inside a group", "((2 + 3) * (4 - 1))", "15"},
        {"nested groups", "2 * (3 + (4 - 1) * 2)", "18"},
        {"empty group reads as nothing", "() + 1", "1"},
    };
    expectResults(cases, std::size(cases));
}

TEST(Parentheses, UnbalancedOrMisorderedParenthesesFail) {
    const FailureCase cases[] = {
        {"missing closing parenthesis", "(2 + 3", kParenthesesMismatch},
        {"extra closing parenthesis", "(2 + 3))", kParenthesesMismatch},
        {"balanced counts but closed before opened", ")2 + 3(", kCalculationFailed},
        {"parentheses error wins over the operator error", "(2 * / 3", kParenthesesMismatch},
    };
    expectFailures(cases, std::size(cases));
}

TEST(Parentheses, NestingNeedingMoreThanAHundredCyclesFails) {
    // Each level holds a function whose argument is the next group: one cycle per level.
    const auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "SQR (0 + ";
        text += "1";
        text.append(static_cast<std::size_t>(depth), ')');
        return text;
    };
    const Outcome within = outcomeOf(nested(ExpressionEvaluator::kMaxCycles - 1));
    EXPECT_EQ(within.code, kNoError);
    EXPECT_EQ(within.text, "1");
    const Outcome beyond = outcomeOf(nested(ExpressionEvaluator::kMaxCycles));
    EXPECT_EQ(beyond.code, kCalculationFailed);
    EXPECT_EQ(beyond.text, " SQR 1 ");  // where the last allowed cycle left it
}

// --- Errors ---

TEST(Errors, ArithmeticFaultsGiveCodeOne) {
    const FailureCase cases[] = {
        {"division by zero", "1 / 0", kCalculationFailed},
        {"zero divided by zero", "0 / 0", kCalculationFailed},
        {"square root of a negative number", "SQR -4", kCalculationFailed},
        {"parenthesised negative argument", "SQR -(4)", kCalculationFailed},
        {"logarithm of 0", "LOG 0", kCalculationFailed},
        {"natural logarithm of a negative number", "LN -1", kCalculationFailed},
        {"arc sine beyond 1", "ISI 2", kCalculationFailed},
        {"arc cosine beyond 1", "invCOS 2", kCalculationFailed},
        {"exponential overflows", "EXP 1000", kCalculationFailed},
        {"power overflows", "10 ^ 400", kCalculationFailed},
        {"product overflows", "1E200 * 1E200", kCalculationFailed},
        {"odd root of a negative number is NaN", "(-8) ^ (1 / 3)", kCalculationFailed},
        {"zero to a negative power", "0 ^ -1", kCalculationFailed},
        {"operand beyond the range of a double", "1E400 + 1", kCalculationFailed},
        {"result whose 15-digit text is beyond the range", "1.7976931348623157E308 * 1", kCalculationFailed},
    };
    expectFailures(cases, std::size(cases));
}

TEST(Errors, TextThatIsNoNumberOnceEvaluatedGivesCodeOne) {
    const struct {
        const char* reason;
        const char* expression;
        int angleMode;
    } cases[] = {
        {"exponent letter alone", "E", kDegrees},
        {"point alone", ".", kDegrees},
        {"two points", "1.2.3", kDegrees},
        {"exponent letter in a group", "(E)", kDegrees},
        {"letter glued before a function's value", "ELOG8", kDegrees},
        {"digit glued before a function word", "1TAN4", kRadians},
        {"exponent glued before a function word", "2E-SQR4", kDegrees},
        {"operand that is no whole number", "7E * 2", kDegrees},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeOf(c.expression, c.angleMode).code, kCalculationFailed) << c.reason;
    }
}

TEST(Errors, OperatorFollowedByAnotherOperatorGivesCodeThree) {
    const FailureCase cases[] = {
        {"times then plus", "2 * + 3", kOperatorMisuse},
        {"times then divide", "2 * / 3", kOperatorMisuse},
        {"power then times", "2 ^ * 3", kOperatorMisuse},
        {"division at the very end", "2 /", kOperatorMisuse},
    };
    expectFailures(cases, std::size(cases));
}

TEST(Errors, UnrecognisedTextGivesCodeOne) {
    const FailureCase cases[] = {
        {"unknown word before a number", "ABC 3", kCalculationFailed},
        {"unknown word alone", "ABC", kCalculationFailed},
        {"letter inside an operand", "2X + 1", kCalculationFailed},
        {"letters after a function's number", "SQR 4ABC", kCalculationFailed},
        {"a lone minus is no argument", "SQR (-)", kCalculationFailed},
        {"unknown character between numbers", "2 # 3", kCalculationFailed},
        {"operator with nothing on its left", "*3", kCalculationFailed},
        {"unknown letter inside a group", "(X + 1)", kCalculationFailed},
    };
    expectFailures(cases, std::size(cases));
}

TEST(Errors, FailingTextIsLeftWhereTheFailingStepLeftIt) {
    const Outcome division = outcomeOf("1+1/0");
    EXPECT_EQ(division.code, kCalculationFailed);
    EXPECT_EQ(division.text, " 1 + 1 / 0 ");
    const Outcome operators = outcomeOf("2*+3");
    EXPECT_EQ(operators.code, kOperatorMisuse);
    EXPECT_EQ(operators.text, " 2 *  + 3 ");
}

TEST(Errors, EmptyOrBlankExpressionGivesEmptyTextAndNoError) {
    for (const char* blank : {"", " ", "    "}) {
        const Outcome outcome = outcomeOf(blank);
        EXPECT_EQ(outcome.code, kNoError) << '"' << blank << '"';
        EXPECT_EQ(outcome.text, "") << '"' << blank << '"';
    }
}

TEST(Errors, EachCallStartsAfresh) {
    ExpressionEvaluator evaluator(kDegrees);
    std::string failing = "1 / 0";
    EXPECT_EQ(evaluator.evaluate(failing), kCalculationFailed);
    std::string fine = "1 / 4";
    EXPECT_EQ(evaluator.evaluate(fine), kNoError);
    EXPECT_EQ(fine, ".25");
}

// --- Number texts ---

TEST(NumberTexts, EveryIntermediateResultIsWrittenWithFifteenDigits) {
    const Case cases[] = {
        {"1/3 is written .333333333333333, which times 3 is not 1", "1 / 3 * 3", ".999999999999999"},
        {"the group's result is written too", "(1 / 3) * 3", ".999999999999999"},
        {"a function's result is written too: 1.4142135623731 squared", "SQR 2 ^ 2", "2.00000000000001"},
        {"sum of three thirds", "1 / 3 + 1 / 3 + 1 / 3", ".999999999999999"},
        {"rounding at the 15th digit", "2 / 3", ".666666666666667"},
        {"binary noise disappears in the text", "0.1 + 0.2", ".3"},
    };
    expectResults(cases, std::size(cases));
}

TEST(NumberTexts, ResultsUseTheGeneralNumberText) {
    const Case cases[] = {
        {"no zero before the point", "1 / 2", ".5"},
        {"negative fraction", "-1 / 2", "-.5"},
        {"whole number without point", "10 / 5", "2"},
        {"small magnitudes in exponent form", "1 / 100000", "1E-05"},
        {"large magnitudes in exponent form", "1E15 * 10", "1E+16"},
        {"long integers rounded to 15 digits", "123456789012345678 + 0", "1.23456789012346E+17"},
    };
    expectResults(cases, std::size(cases));
}

TEST(NumberTexts, ComputedResultsMatchTheWriterOnTheDoubleResult) {
    const struct {
        double a;
        char op;
        double b;
    } cases[] = {{7, '/', 3}, {2.5, '*', 4.1}, {1e-3, '-', 3e-4}, {12345.678, '+', 0.0009}, {3, '^', 0.5}};
    for (const auto& c : cases) {
        const std::string a = numbers::formatGeneral(c.a);
        const std::string b = numbers::formatGeneral(c.b);
        double expected = 0;
        switch (c.op) {
            case '/':
                expected = c.a / c.b;
                break;
            case '*':
                expected = c.a * c.b;
                break;
            case '-':
                expected = c.a - c.b;
                break;
            case '+':
                expected = c.a + c.b;
                break;
            default:
                expected = std::pow(c.a, c.b);
                break;
        }
        const Outcome outcome = outcomeOf(a + ' ' + c.op + ' ' + b);
        EXPECT_EQ(outcome.code, kNoError) << a << c.op << b;
        EXPECT_EQ(outcome.text, numbers::formatGeneral(expected)) << a << c.op << b;
    }
}

TEST(NumberTexts, LoneNumberIsLeftAsTyped) {
    // Nothing is computed, so nothing is rewritten; the calculator reads and writes it itself.
    const Case cases[] = {
        {"prefix k typed as E+3", "5E+3", "5E+3"},
        {"prefix m typed as E-3", "1E-3", "1E-3"},
        {"leading zeros", "007", "007"},
    };
    expectResults(cases, std::size(cases));
}

TEST(NumberTexts, LoneNumberBeyondRangeIsLeftForTheCallerToReject) {
    // The calculator window reads the result and reports its own overflow message.
    const Outcome outcome = outcomeOf("1E400");
    EXPECT_EQ(outcome.code, kNoError);
    EXPECT_EQ(outcome.text, "1E400");
    EXPECT_TRUE(std::isinf(numbers::readDecimal(outcome.text)));
}
