#pragma once
#include <string>
#include <string_view>

#include "calculator/functionvalue.h"

namespace calculator {

// Error codes handed back to the calculator window, which turns them into its messages.
inline constexpr int kNoError = 0;
inline constexpr int kCalculationFailed = 1;    // arithmetic fault, unrecognised text, 100 cycles
inline constexpr int kParenthesesMismatch = 2;  // as many "(" as ")" are needed
inline constexpr int kOperatorMisuse = 3;       // "*", "/" or "^" directly followed by an operator

// Evaluates the calculator's expression in place by rewriting its text until one number remains.
// The text is UTF-8 ("ù" is the square root sign); a text that is not fails with
// kCalculationFailed, after the parentheses and operators are checked. On success `errorCode` is kNoError and
// `expression` holds the number text of the result (empty for an empty expression); otherwise
// `expression` is left as the failing step left it and the caller shows its own copy again.
void evaluate(std::string& expression, int& errorCode, int angleMode);

// The evaluator works on the text itself: each step rewrites the text in place, and the three
// counters live only during one evaluation. The steps are public so that each can be checked on
// its own text. Each step goes over the text a bounded number of times, whatever it holds: a step
// that carries out many operations, groups or functions does not start again from the beginning
// after each one, and gives the text that doing so would give.
class ExpressionEvaluator {
  public:
    explicit ExpressionEvaluator(int angleMode) : m_angleMode(angleMode) {}

    // Returns the error code; see the free function above.
    int evaluate(std::string& expression);

    // Upper case, no spaces, sign pairs merged, parentheses around plain numbers removed, then
    // spaceTokens.
    static void normalise(std::string& text);
    // One space at each end, "ù" and "LN" spelled as function words, one space after each
    // function word, operators as tokens " ^ ", " / ", " * ", " - ", " + " (a sign that belongs
    // to a number or an exponent stays attached).
    static void spaceTokens(std::string& text);
    // Sets kOperatorMisuse or kParenthesesMismatch (the latter wins) on a spaced text.
    void checkSyntax(const std::string& text);
    // Recounts "(" characters, operator tokens and function words.
    void recountTokens(const std::string& text);
    // Replaces each function word applied to a plain number by the number text of its value.
    bool evaluateFunctions(std::string& text);
    // Replaces each innermost parenthesised group without function words by its value. Works on a
    // text as normalise leaves it.
    bool reduceGroups(std::string& text);
    // Carries out every operator token of the text, "^" first, then "/", "*", "-" and "+".
    bool carryOutOperators(std::string& text);

    int errorCode() const { return m_errorCode; }
    int parenthesesCount() const { return m_parenthesesCount; }
    int operatorCount() const { return m_operatorCount; }
    int functionCount() const { return m_functionCount; }

    // Cycles of rewriting allowed before the evaluation gives up with kCalculationFailed.
    static constexpr int kMaxCycles = 100;

  private:
    bool fail();
    // `text` starts at a word and `before` is what precedes it. On an application, `value` and the
    // `length` of text it replaces; a length of 0 when the word is not ready.
    bool applyFunctionAt(std::string_view before, std::string_view text, std::string& value,
                         std::size_t& length);
    bool operate(char operation, std::string_view left, std::string_view right, std::string& value);

    int m_angleMode;
    int m_errorCode = kNoError;
    int m_parenthesesCount = 0;
    int m_operatorCount = 0;
    int m_functionCount = 0;
};

}  // namespace calculator
