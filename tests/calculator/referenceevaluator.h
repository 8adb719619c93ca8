#pragma once
// The evaluator as it was before its passes were made linear: it rewrites the whole text at every
// step. Kept only as the reference that the differential tests compare the evaluator with.
#include <string>

#include "calculator/expressionevaluator.h"

namespace reference {

using calculator::kCalculationFailed;
using calculator::kNoError;
using calculator::kOperatorMisuse;
using calculator::kParenthesesMismatch;
using calculator::kRadians;

class ExpressionEvaluator {
  public:
    explicit ExpressionEvaluator(int angleMode) : m_angleMode(angleMode) {}

    // Returns the error code.
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
    // Replaces each innermost parenthesised group without function words by its value.
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
    bool applyFunctionAt(std::string& text, std::size_t position, bool& applied);
    bool applyOperatorToken(std::string& text, std::size_t token);

    int m_angleMode;
    int m_errorCode = kNoError;
    int m_parenthesesCount = 0;
    int m_operatorCount = 0;
    int m_functionCount = 0;
};

}  // namespace reference
