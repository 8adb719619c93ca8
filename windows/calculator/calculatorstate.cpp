#include "windows/calculator/calculatorstate.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "calculator/expressionevaluator.h"
#include "numbers/decimalreader.h"
#include "numbers/generalwriter.h"
#include "numbers/picture.h"
#include "windows/calculator/calculatormemory.h"

namespace calculatorwindow {

namespace {

constexpr std::string_view kScientificPicture = "#.#######E+00";

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isOperator(char c) {
    return c == '*' || c == '+' || c == '/' || c == '-' || c == '^';
}

// The memory as "RM" writes it: no leading space, so that it joins the expression as typed digits.
std::string memoryText(double value, DisplayMode mode) {
    std::string text = mode == DisplayMode::Scientific ? numbers::formatPicture(value, kScientificPicture)
                                                       : numbers::formatGeneral(value);
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

}  // namespace

CalculatorState::CalculatorState(CalculatorMemory& memory, DisplayListener showDisplay)
    : m_memory(memory), m_showDisplay(std::move(showDisplay)) {}

void CalculatorState::press(std::string_view text, KeyRule rule) {
    if (isFull()) return;
    switch (rule) {
        case KeyRule::WhenNotBlank:
            if (displayIsBlank()) return;
            appendAnswerIfEmpty();
            break;
        case KeyRule::AnswerFirst:
            appendAnswerIfEmpty();
            break;
        case KeyRule::ImplicitTimes:
            appendImplicitTimes();
            break;
        case KeyRule::Plain:
            break;
    }
    m_expressionText += text;
    showExpression();
}

void CalculatorState::plus() {
    if (isFull()) return;
    if (displayIsBlank()) return;
    appendAnswerIfEmpty();
    m_expressionText += !m_expressionText.empty() && m_expressionText.back() == 'E' ? "+" : " + ";
    showExpression();
}

void CalculatorState::minus() {
    if (isFull()) return;
    if (m_expressionText.empty()) {
        m_expressionText += '-';
    } else {
        const char last = m_expressionText.back();
        if (last == '(' || last == ' ' || last == 'E') {
            m_expressionText += '-';
        } else if (last == '-') {
            m_expressionText += " -";
        } else {
            m_expressionText += " - ";
        }
    }
    showExpression();
}

void CalculatorState::answer() {
    if (isFull()) return;
    if (m_lastErrorCode == 0) m_expressionText += m_answerNumber;
    showExpression();
}

void CalculatorState::clear() {
    m_expressionText.clear();
    showExpression();
}

void CalculatorState::backSpace() {
    std::string& text = m_expressionText;
    if (text.empty()) return;
    const std::size_t size = text.size();
    if (text.back() != ' ') {
        text.pop_back();
    } else if (size >= 2 && isOperator(text[size - 2])) {
        // An operator token " * "; a sign typed as " -" is only two characters long.
        text.resize(size - std::min<std::size_t>(3, size));
    } else {
        // A function word and its space: back to the space or "(" before the word, kept.
        const std::size_t before = size >= 2 ? text.find_last_of(" (", size - 2) : std::string::npos;
        text.resize(before == std::string::npos ? 0 : before + 1);
    }
    showExpression();
}

void CalculatorState::addDisplayToMemory() {
    m_memory.add(displayValue());
}

void CalculatorState::subtractDisplayFromMemory() {
    m_memory.subtract(displayValue());
}

void CalculatorState::recallMemory() {
    if (isFull()) return;
    m_expressionText += memoryText(m_memory.value(), m_displayMode);
    showExpression();
}

void CalculatorState::clearMemory() {
    m_memory.clear();
}

int CalculatorState::execute() {
    m_lastErrorCode = 0;
    const std::string typed = m_expressionText;
    show(std::string(kWaitingText));
    int code = calculator::kCalculationFailed;
    std::string result;
    std::string full;
    try {
        std::string evaluated = typed;
        calculator::evaluate(evaluated, code, m_angleMode);
        if (code == calculator::kNoError) {
            const double value = numbers::readDecimal(evaluated);
            result = resultText(value, m_displayMode);
            const std::string standard = resultText(value, DisplayMode::Standard);
            full = trimmed(standard);
            if (result.empty()) code = kOverflow;
        }
    } catch (const std::exception&) {
        // Out of memory on an absurdly long expression: a failure like any other.
        code = kOverflow;
    }
    m_lastErrorCode = code;
    if (code == calculator::kNoError) {
        m_lastAnswer = result;
        m_answerNumber = std::move(full);
        m_expressionText.clear();
    } else {
        // The pupil goes on from what was typed.
        m_lastAnswer = std::string(message(code));
        m_answerNumber.clear();
        m_expressionText = typed;
    }
    show(m_lastAnswer);
    return code;
}

void CalculatorState::setDisplayMode(DisplayMode mode) {
    m_displayMode = mode;
    if (!m_expressionText.empty()) return;
    // After a failure the message's place shows 0, as before any result.
    const std::string text = resultText(numbers::readDecimal(m_answerNumber), mode);
    if (text.empty()) return;
    if (m_lastErrorCode == 0) {
        m_lastAnswer = text;
        // Before any result the display now shows 0, which "x" and "ANS" continue from.
        if (m_answerNumber.empty()) m_answerNumber = "0";
    }
    show(text);
}

std::string CalculatorState::resultText(double value, DisplayMode mode) {
    if (!std::isfinite(value)) return {};
    std::string text;
    if (mode == DisplayMode::Scientific) {
        text = numbers::formatPicture(value, kScientificPicture);
    } else {
        text = value >= 0.0 ? " " : "";
        text += numbers::formatGeneral(value);
    }
    std::replace(text.begin(), text.end(), ',', '.');
    // Rounded to 15 digits, the largest doubles are written beyond the range: "ANS" could not
    // read them back.
    if (!std::isfinite(numbers::readDecimal(text))) return {};
    return text;
}

std::string_view CalculatorState::message(int errorCode) {
    switch (errorCode) {
        case calculator::kParenthesesMismatch:
            return "Erreur saisie: revoir les parenthèses";
        case calculator::kOperatorMisuse:
            return "Erreur saisie: incompréhension sur opérateurs: ^ * / + -";
        case kOverflow:
            return "Dépassement de capacité";
        default:
            return "Calcul impossible";
    }
}

void CalculatorState::show(std::string text) {
    m_display = std::move(text);
    if (m_showDisplay) m_showDisplay(m_display);
}

void CalculatorState::appendImplicitTimes() {
    if (m_expressionText.empty()) return;
    const char last = m_expressionText.back();
    if (last != '(' && last != '-' && last != ' ') m_expressionText += " * ";
}

void CalculatorState::appendAnswerIfEmpty() {
    if (isBlank(m_expressionText) && m_lastErrorCode == 0) m_expressionText += m_answerNumber;
}

bool CalculatorState::displayIsBlank() const {
    return isBlank(m_display);
}

double CalculatorState::displayValue() const {
    return numbers::readDecimal(m_display);
}

}  // namespace calculatorwindow
