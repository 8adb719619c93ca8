#include "tests/calculator/referenceevaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "numbers/decimalreader.h"
#include "numbers/generalwriter.h"

namespace reference {

namespace {

// The square root key's sign, "ù", is two bytes in UTF-8 and only ever handled whole.
constexpr std::string_view kRootSign = "\xC3\xB9";

constexpr std::array<std::string_view, 10> kFunctionWords = {"SQR", "EXP", "LOG", "LON", "SIN",
                                                             "COS", "TAN", "ISI", "ICO", "ITA"};
// Words that get their space from the generic rule; SQR and LN have rules of their own. LON is
// here too: once a group after it is reduced, the text is spaced again and "LON5" must become
// "LON 5", or the logarithm of a group could never be taken.
constexpr std::array<std::string_view, 9> kSpacedWords = {"SIN", "COS", "LOG", "TAN", "ISI",
                                                          "EXP", "ITA", "ICO", "LON"};
// "INV" followed by a function becomes the inverse function's word.
constexpr std::array<std::pair<std::string_view, std::string_view>, 3> kInverseWords = {
    {{"SIN", "ISI"}, {"COS", "ICO"}, {"TAN", "ITA"}}};
// Highest priority first; the same priority is carried out from the left.
constexpr std::array<std::string_view, 5> kOperatorTokens = {" ^ ", " / ", " * ", " - ", " + "};
// The first place an operator token is looked for: a token at the very start has no left operand.
constexpr std::size_t kFirstTokenPosition = 2;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isSign(char c) {
    return c == '+' || c == '-';
}
bool isOperator(char c) {
    return c == '^' || c == '/' || c == '*' || c == '-' || c == '+';
}

// Bounds-checked, since arbitrary bytes may come in and a match may run past the end. Compared
// character by character: the words are two or three letters long, and a library comparison
// call at each position of each scan costs more than the comparison itself.
bool matchesAt(std::string_view text, std::size_t position, std::string_view word) {
    if (position > text.size() || text.size() - position < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (text[position + k] != word[k]) return false;
    }
    return true;
}

// Every word, "LN", "INV" and the root sign begin with one of these: most positions (digits,
// spaces, operators) are passed over without trying each word.
bool mayStartWord(char c) {
    switch (c) {
        case 'S':
        case 'E':
        case 'L':
        case 'C':
        case 'T':
        case 'I':
        case kRootSign[0]:
            return true;
        default:
            return false;
    }
}

int functionWordAt(std::string_view text, std::size_t position) {
    if (position >= text.size() || !mayStartWord(text[position])) return -1;
    for (std::size_t w = 0; w < kFunctionWords.size(); ++w) {
        if (matchesAt(text, position, kFunctionWords[w])) return static_cast<int>(w);
    }
    return -1;
}

bool isOperatorTokenAt(std::string_view text, std::size_t position) {
    return position + 2 < text.size() && text[position] == ' ' && isOperator(text[position + 1]) &&
           text[position + 2] == ' ';
}

// Only ASCII letters: a locale-aware upper case would turn "ù" into "Ù", and other bytes must
// pass through untouched.
void toUpperAscii(std::string& text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
}

void removeSpaces(std::string& text) {
    std::erase(text, ' ');
}

// Characters the decimal reader can use. Any other character in an operand, an argument or the
// result is text the calculator did not understand.
bool isNumberCharacter(char c) {
    return isDigit(c) || c == '.' || isSign(c) || c == 'E' || c == 'D';
}

bool hasOnlyNumberCharacters(std::string_view text) {
    for (const char c : text) {
        if (!isNumberCharacter(c)) return false;
    }
    return true;
}

// An operand is a whole number text; an empty one reads as 0. "7E", "." or "1.2.3" would read as a
// number the pupil never wrote.
bool isOperand(std::string_view text) {
    return text.empty() || numbers::isDecimalText(text);
}

// A function's value must stand on its own: a number character, a closing parenthesis or a letter
// right before the word ("1TAN4", "2E-SQR4", "(1 + 1)SIN 30") would glue the value onto it and make
// up another number. A sign is the value's own when a space or "(" comes before it.
bool isGluedBefore(std::string_view text, std::size_t word) {
    if (word == 0) return false;
    std::size_t before = word - 1;
    if (isSign(text[before])) {
        if (before == 0) return false;
        --before;
    }
    return text[before] != ' ' && text[before] != '(';
}

// A function's argument must already be a plain number: a minus followed by a parenthesis or a
// word ("SIN -(30 + 60)") would otherwise swallow them and read as 0.
bool isPlainNumberArgument(std::string_view argument) {
    if (argument.empty() || !hasOnlyNumberCharacters(argument)) return false;
    const char first = argument.front();
    if (isDigit(first) || first == '.') return true;
    return first == '-' && argument.size() > 1 && (isDigit(argument[1]) || argument[1] == '.');
}

// Merges every run of signs into one: "--" and "++" give "+", "+-" and "-+" give "-". The text is
// compacted in place (`kept` never passes `read`).
bool mergeSignPairs(std::string& text) {
    std::size_t kept = 0;
    for (std::size_t read = 0; read < text.size(); ++read) {
        const char c = text[read];
        if (isSign(c) && kept > 0 && isSign(text[kept - 1])) {
            text[kept - 1] = text[kept - 1] == c ? '+' : '-';
        } else {
            text[kept++] = c;
        }
    }
    const bool changed = kept != text.size();
    text.resize(kept);
    return changed;
}

// "(3.5)" becomes "3.5" and "(-2)" becomes "-2"; "()" stays. Compacted in place as above.
bool unwrapPlainNumbers(std::string& text) {
    std::size_t kept = 0;
    std::size_t read = 0;
    while (read < text.size()) {
        if (text[read] == '(') {
            std::size_t close = read + 1;
            if (close < text.size() && isSign(text[close])) ++close;
            while (close < text.size() && (isDigit(text[close]) || text[close] == '.')) ++close;
            if (close < text.size() && text[close] == ')' && close > read + 1) {
                for (std::size_t i = read + 1; i < close; ++i) text[kept++] = text[i];
                read = close + 1;
                continue;
            }
        }
        text[kept++] = text[read++];
    }
    const bool changed = kept != text.size();
    text.resize(kept);
    return changed;
}

// The number text of an intermediate or final result. A value that is not finite, or whose
// 15-digit text would read back beyond the range of a double, is an arithmetic fault.
bool writeResult(double value, std::string& text) {
    if (!std::isfinite(value)) return false;
    text = numbers::formatGeneral(value);
    return std::isfinite(numbers::readDecimal(text));
}

// Appends one character that starts no word to the text being spaced: operators become tokens.
void spaceCharacter(char c, std::string& spaced) {
    const char before = spaced.back();
    if (c == '^' || c == '*' || c == '/') {
        spaced.append({' ', c, ' '});
    } else if (c == '+') {
        // The sign of an exponent (2E+3, 1D+2) stays with its number.
        if (before == 'D' || before == 'E') {
            spaced += c;
        } else {
            spaced += " + ";
        }
    } else if (c == '-') {
        // A minus at the start, after "(" or after an operator makes the next number negative.
        if (before == 'D' || before == 'E' || before == '(' || before == ' ') {
            spaced += c;
        } else {
            spaced += " - ";
        }
    } else {
        spaced += c;
    }
}

}  // namespace

int ExpressionEvaluator::evaluate(std::string& expression) {
    m_errorCode = kNoError;
    normalise(expression);
    checkSyntax(expression);
    if (m_errorCode != kNoError) return m_errorCode;
    recountTokens(expression);

    std::string previousStart;
    std::string lastCycleText;
    std::string lastCyclePreviousStart;
    // The last pass only records the failure: it is the 101st cycle.
    for (int cycle = 1; cycle <= kMaxCycles + 1; ++cycle) {
        // A cycle depends only on its text and on the text the cycle before it started from (the
        // counters are recounted from the text). When it starts as the last one did, every cycle
        // up to the cap would do the same: go straight to the last one, with the same outcome.
        if (cycle > 2 && expression == lastCycleText && previousStart == lastCyclePreviousStart) {
            cycle = std::max(cycle, kMaxCycles + 1);
        }
        lastCycleText = expression;
        lastCyclePreviousStart = previousStart;
        // A cycle that changed nothing gets a fresh normalisation before the next try.
        if (cycle > 1 && expression == previousStart) normalise(expression);
        previousStart = expression;
        if (cycle > kMaxCycles) break;
        if (m_functionCount > 0) {
            if (!evaluateFunctions(expression)) return m_errorCode;
            normalise(expression);
        }
        if (m_parenthesesCount > 0 && !reduceGroups(expression)) return m_errorCode;
        recountTokens(expression);
        if (m_functionCount > 0 || m_parenthesesCount > 0) continue;
        if (m_operatorCount > 0) {
            if (!carryOutOperators(expression)) return m_errorCode;
            recountTokens(expression);
            if (m_operatorCount > 0) continue;
        }
        const auto first = expression.find_first_not_of(' ');
        if (first == std::string::npos) {
            expression.clear();
        } else {
            expression = expression.substr(first, expression.find_last_not_of(' ') - first + 1);
        }
        // What is left must be one whole number: a space means pieces that were never combined,
        // a letter a word the calculator does not know ("ABC 3"), and "E", "." or "1.2.3" are no
        // number at all.
        if (!expression.empty() && !numbers::isDecimalText(expression)) fail();
        return m_errorCode;
    }
    fail();
    return m_errorCode;
}

void ExpressionEvaluator::normalise(std::string& text) {
    toUpperAscii(text);
    removeSpaces(text);
    // Every pass that changes something shortens the text, so this bound is never the one that stops it.
    const std::size_t maxPasses = text.size() + 1;
    for (std::size_t pass = 0; pass < maxPasses; ++pass) {
        bool changed = mergeSignPairs(text);
        if (!text.empty() && text.front() == '+') {
            text.erase(0, 1);
            changed = true;
        }
        if (unwrapPlainNumbers(text)) changed = true;
        if (!changed) break;
    }
    spaceTokens(text);
}

void ExpressionEvaluator::spaceTokens(std::string& text) {
    toUpperAscii(text);
    removeSpaces(text);
    if (!text.empty() && text.front() == '+') text.erase(0, 1);

    // Built afresh rather than by insertions: the spaced text is at most three times as long.
    std::string spaced;
    spaced.reserve(3 * text.size() + 2);
    spaced += ' ';
    std::size_t i = 0;
    while (i < text.size()) {
        if (!mayStartWord(text[i])) {
            spaceCharacter(text[i], spaced);
            ++i;
            continue;
        }
        if (matchesAt(text, i, kRootSign) || matchesAt(text, i, "SQR")) {
            spaced += "SQR ";
            i += matchesAt(text, i, kRootSign) ? kRootSign.size() : 3;
            continue;
        }
        if (matchesAt(text, i, "LN")) {
            spaced += "LON ";
            i += 2;
            continue;
        }
        bool word = false;
        for (const std::string_view spacedWord : kSpacedWords) {
            if (matchesAt(text, i, spacedWord)) {
                spaced.append(spacedWord).append(" ");
                i += spacedWord.size();
                word = true;
                break;
            }
        }
        if (word) continue;
        if (matchesAt(text, i, "INV")) {
            for (const auto& [direct, inverse] : kInverseWords) {
                if (matchesAt(text, i + 3, direct)) {
                    spaced.append(inverse).append(" ");
                    i += 6;
                    word = true;
                    break;
                }
            }
            if (word) continue;
        }
        spaceCharacter(text[i], spaced);
        ++i;
    }
    spaced += ' ';
    text = std::move(spaced);
}

void ExpressionEvaluator::checkSyntax(const std::string& text) {
    std::size_t opening = 0;
    std::size_t closing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Spaced operators are one character wide: a space two places on means another token.
        if ((c == '*' || c == '/' || c == '^') && i + 2 < text.size() && text[i + 2] == ' ') {
            m_errorCode = kOperatorMisuse;
        }
        if (c == '(') ++opening;
        if (c == ')') ++closing;
    }
    if (opening != closing) m_errorCode = kParenthesesMismatch;
}

void ExpressionEvaluator::recountTokens(const std::string& text) {
    m_parenthesesCount = 0;
    m_operatorCount = 0;
    m_functionCount = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') ++m_parenthesesCount;
        if (isOperatorTokenAt(text, i)) ++m_operatorCount;
        if (functionWordAt(text, i) >= 0) ++m_functionCount;
    }
}

bool ExpressionEvaluator::evaluateFunctions(std::string& text) {
    // Each application replaces a word by a number text, which holds no word, so there can be no
    // more applications than words, and no more words than characters.
    std::size_t applicationsLeft = text.size();
    std::size_t i = 1;
    while (i < text.size() && m_functionCount > 0) {
        bool applied = false;
        if (!applyFunctionAt(text, i, applied)) return false;
        if (!applied) {
            ++i;
            continue;
        }
        --m_functionCount;
        if (--applicationsLeft == 0) break;
        i = 1;
    }
    return true;
}

bool ExpressionEvaluator::applyFunctionAt(std::string& text, std::size_t position, bool& applied) {
    const int word = functionWordAt(text, position);
    if (word < 0) return true;
    const std::size_t argumentStart = position + 4;
    if (argumentStart >= text.size() || text[position + 3] != ' ') return true;
    const std::size_t argumentEnd = std::min(text.find_first_of(" )", argumentStart), text.size());
    const std::string_view argument =
        std::string_view(text).substr(argumentStart, argumentEnd - argumentStart);
    // Not yet a plain number (a parenthesis, another word): left for a later cycle.
    if (!isPlainNumberArgument(argument)) return true;
    if (isGluedBefore(text, position) || !numbers::isDecimalText(argument)) return fail();
    const double x = numbers::readDecimal(argument);
    if (!std::isfinite(x)) return fail();
    std::string result;
    // The arithmetic is the evaluator's own: only the rewriting of the text is compared.
    const double value =
        calculator::functionValue(kFunctionWords[static_cast<std::size_t>(word)], x, m_angleMode);
    if (!writeResult(value, result)) return fail();
    text.replace(position, argumentEnd - position, result);
    applied = true;
    return true;
}

bool ExpressionEvaluator::reduceGroups(std::string& text) {
    // The count goes down at each reduction, so this loop ends.
    while (m_parenthesesCount > 0) {
        const std::size_t opening = text.rfind('(');
        if (opening == std::string::npos) break;
        const std::size_t closing = text.find(')', opening + 1);
        if (closing == std::string::npos) break;
        std::string group = text.substr(opening + 1, closing - opening - 1);
        // A function word is still inside: the function has to be applied first.
        for (const char c : group) {
            if (c >= 'F' && c <= 'Y') return true;
        }
        normalise(group);
        if (!carryOutOperators(group)) return false;
        text.replace(opening, closing - opening + 1, group);
        --m_parenthesesCount;
        normalise(text);
    }
    return true;
}

bool ExpressionEvaluator::carryOutOperators(std::string& text) {
    normalise(text);
    // Each operation removes at least its own token; a token takes three characters.
    std::size_t operationsLeft = text.size() / 3 + 1;
    while (operationsLeft-- > 0) {
        std::size_t token = std::string::npos;
        for (const std::string_view candidate : kOperatorTokens) {
            token = text.find(candidate, kFirstTokenPosition);
            if (token != std::string::npos) break;
        }
        if (token == std::string::npos) break;
        if (!applyOperatorToken(text, token)) return false;
        --m_operatorCount;
    }
    return true;
}

bool ExpressionEvaluator::applyOperatorToken(std::string& text, std::size_t token) {
    const std::size_t previousSpace = text.rfind(' ', token - 1);
    std::size_t leftStart = previousSpace == std::string::npos ? 0 : previousSpace + 1;
    if (leftStart < token && text[leftStart] == '(') ++leftStart;
    const std::size_t rightStart = token + 3;
    const std::size_t rightEnd = std::min(text.find(' ', rightStart), text.size());
    const std::string_view view(text);
    const std::string_view left = view.substr(leftStart, token - leftStart);
    const std::string_view right = view.substr(rightStart, rightEnd - rightStart);
    if (!isOperand(left) || !isOperand(right)) return fail();
    const double a = numbers::readDecimal(left);
    const double b = numbers::readDecimal(right);
    if (!std::isfinite(a) || !std::isfinite(b)) return fail();
    double value = 0.0;
    switch (text[token + 1]) {
        case '^':
            value = std::pow(a, b);
            break;
        case '/':
            if (b == 0.0) return fail();
            value = a / b;
            break;
        case '*':
            value = a * b;
            break;
        case '-':
            value = a - b;
            break;
        default:
            value = a + b;
            break;
    }
    std::string result;
    if (!writeResult(value, result)) return fail();
    text.replace(leftStart, rightEnd - leftStart, result);
    return true;
}

bool ExpressionEvaluator::fail() {
    m_errorCode = kCalculationFailed;
    return false;
}

}  // namespace reference
