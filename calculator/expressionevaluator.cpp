#include "calculator/expressionevaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

#include "calculator/functionvalue.h"
#include "calculator/normaltext.h"
#include "numbers/decimalreader.h"
#include "numbers/generalwriter.h"
#include "numbers/windows1252.h"

namespace calculator {

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
constexpr std::string_view kOperatorsByPriority = "^/*-+";
// The first place an operator token is looked for: a token at the very start has no left operand.
constexpr std::size_t kFirstTokenPosition = 2;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
bool isGluedBefore(std::string_view before) {
    if (before.empty()) return false;
    std::size_t last = before.size() - 1;
    if (isSign(before[last])) {
        if (last == 0) return false;
        --last;
    }
    return before[last] != ' ' && before[last] != '(';
}

// A function's argument must already be a plain number: a minus followed by a parenthesis or a
// word ("SIN -(30 + 60)") would otherwise swallow them and read as 0.
bool isPlainNumberArgument(std::string_view argument) {
    if (argument.empty() || !hasOnlyNumberCharacters(argument)) return false;
    const char first = argument.front();
    if (isDigit(first) || first == '.') return true;
    return first == '-' && argument.size() > 1 && (isDigit(argument[1]) || argument[1] == '.');
}

// The number text of an intermediate or final result. A value that is not finite, or whose
// 15-digit text would read back beyond the range of a double, is an arithmetic fault.
bool writeResult(double value, std::string& text) {
    if (!std::isfinite(value)) return false;
    text = numbers::formatGeneral(value);
    // Rounding to 15 digits can only carry a value this close to the largest double beyond it.
    return std::fabs(value) < 1e307 || std::isfinite(numbers::readDecimal(text));
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

void evaluate(std::string& expression, int& errorCode, int angleMode) {
    ExpressionEvaluator evaluator(angleMode);
    errorCode = evaluator.evaluate(expression);
}

int ExpressionEvaluator::evaluate(std::string& expression) {
    m_errorCode = kNoError;
    // Judged on the text as typed: removing spaces or an empty group could join the two halves of
    // a root sign cut apart ("\xC3()\xB9") into a sign nobody typed.
    const bool readable = numbers::isValidUtf8(expression);
    normalise(expression);
    checkSyntax(expression);
    if (m_errorCode != kNoError) return m_errorCode;
    if (!readable) {
        fail();
        return m_errorCode;
    }
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
    text = normalForm(text);
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
    if (m_functionCount <= 0 || text.size() < 2) return true;
    // One pass from the left instead of a new scan from the start after each application: the
    // only word that an application can make ready is the one whose argument runs up to the new
    // value ("SQR SQR 16" once "SQR 16" is 4), so that word is tried again at once. Every other
    // word before the value kept the argument it had when the pass went by it.
    std::size_t applicationsLeft = text.size();
    std::string out(1, text.front());
    out.reserve(text.size());
    std::size_t i = 1;
    const auto counted = [&] { return --m_functionCount > 0 && --applicationsLeft > 0; };
    bool going = true;
    while (going && i < text.size()) {
        std::string value;
        std::size_t length = 0;
        if (!applyFunctionAt(out, std::string_view(text).substr(i), value, length)) {
            out.append(text, i);
            text = std::move(out);
            return false;
        }
        if (length == 0) {
            out += text[i++];
            continue;
        }
        out += value;
        i += length;
        going = counted();
        while (going) {
            // The word before the value, if its argument is exactly what follows it up to here.
            const std::size_t space = out.find_last_of(" )");
            if (space == std::string::npos || space < 4 || out[space] != ' ') break;
            const std::size_t word = space - 3;
            if (!applyFunctionAt(std::string_view(out).substr(0, word), std::string_view(out).substr(word),
                                 value, length)) {
                out.append(text, i);
                text = std::move(out);
                return false;
            }
            if (length == 0) break;
            out.resize(word);
            out += value;
            going = counted();
        }
    }
    out.append(text, i);
    text = std::move(out);
    return true;
}

bool ExpressionEvaluator::applyFunctionAt(std::string_view before, std::string_view text, std::string& value,
                                          std::size_t& length) {
    length = 0;
    const int word = functionWordAt(text, 0);
    if (word < 0 || text.size() <= 4 || text[3] != ' ') return true;
    const std::size_t argumentEnd = std::min(text.find_first_of(" )", 4), text.size());
    const std::string_view argument = text.substr(4, argumentEnd - 4);
    // Not yet a plain number (a parenthesis, another word): left for a later cycle.
    if (!isPlainNumberArgument(argument)) return true;
    if (isGluedBefore(before) || !numbers::isDecimalText(argument)) return fail();
    const double x = numbers::readDecimal(argument);
    if (!std::isfinite(x)) return fail();
    const double result = functionValue(kFunctionWords[static_cast<std::size_t>(word)], x, m_angleMode);
    if (!writeResult(result, value)) return fail();
    length = argumentEnd;
    return true;
}

bool ExpressionEvaluator::reduceGroups(std::string& text) {
    // Each group is replaced in the text without its spaces, kept in normal form around the
    // change, and the text is spaced again once at the end: the same text as normalising all of
    // it after each group, without going over all of it each time.
    const auto blocked = [](std::string_view group) {
        return std::any_of(group.begin(), group.end(), [](char c) { return c >= 'F' && c <= 'Y'; });
    };
    // Most cycles of a nested text end here: its last group still holds a function.
    const std::size_t lastOpening = text.rfind('(');
    const std::size_t firstClosing = text.find(')', lastOpening == std::string::npos ? 0 : lastOpening);
    if (m_parenthesesCount <= 0 || lastOpening == std::string::npos || firstClosing == std::string::npos ||
        blocked(std::string_view(text).substr(lastOpening, firstClosing - lastOpening))) {
        return true;
    }
    std::string spaceFree = text;
    toUpperAscii(spaceFree);
    removeSpaces(spaceFree);
    const std::size_t firstOpening = spaceFree.find('(');
    if (firstOpening == std::string::npos) return true;
    // Only the parentheses, what lies between them and the characters on either side can change.
    const std::size_t from = firstOpening >= 2 ? firstOpening - 2 : 0;
    const std::size_t to = std::min(spaceFree.size(), spaceFree.find_last_of("()") + 3);
    NormalText normal(std::string_view(spaceFree).substr(from, to - from), from == 0);
    bool reduced = false;
    bool succeeded = true;
    // The count goes down at each reduction, so this loop ends.
    while (m_parenthesesCount > 0) {
        const auto group = normal.lastGroup();
        if (!group) break;
        // A function word is still inside: the function has to be applied first.
        if (blocked(group->content)) break;
        std::string value = group->content;
        normalise(value);
        if (!carryOutOperators(value)) {
            succeeded = false;
            break;
        }
        removeSpaces(value);
        normal.replaceGroup(*group, value);
        --m_parenthesesCount;
        reduced = true;
    }
    if (reduced) {
        text = spaceFree.substr(0, from) + normal.str() + spaceFree.substr(to);
        spaceTokens(text);
    }
    return succeeded;
}

namespace {

// The text cut at its spaces, as a list: an operator token " ^ " is a field that holds the
// operator alone, its operands are the fields on either side, and an operation replaces the three
// fields by one. No operation makes a new token, so the tokens can be listed once, by priority.
class Fields {
  public:
    explicit Fields(std::string_view text) {
        m_text.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')) + 1);
        std::size_t start = 0;
        while (true) {
            const std::size_t space = text.find(' ', start);
            m_text.emplace_back(
                text.substr(start, space == std::string_view::npos ? text.size() - start : space - start));
            if (space == std::string_view::npos) break;
            start = space + 1;
        }
        const int count = static_cast<int>(m_text.size());
        m_next.resize(m_text.size());
        m_prev.resize(m_text.size());
        m_token.assign(m_text.size(), false);
        for (int k = 0; k < count; ++k) {
            m_prev[k] = k - 1;
            m_next[k] = k + 1 < count ? k + 1 : -1;
        }
        // A token needs a space on both sides and is looked for from position 2 on: one at the
        // very start has no left operand.
        std::size_t spaceBefore = m_text[0].size();
        for (int k = 1; k + 1 < count; ++k) {
            const std::string& field = m_text[k];
            const auto priority = kOperatorsByPriority.find(field.empty() ? ' ' : field[0]);
            if (field.size() == 1 && priority != std::string_view::npos &&
                spaceBefore >= kFirstTokenPosition) {
                m_token[k] = true;
                m_byPriority[priority].push_back(k);
            }
            spaceBefore += 1 + field.size();
        }
    }

    const std::array<std::vector<int>, 5>& tokensByPriority() const { return m_byPriority; }
    bool isToken(int field) const { return m_token[field]; }
    const std::string& text(int field) const { return m_text[field]; }
    int before(int field) const { return m_prev[field]; }
    int after(int field) const { return m_next[field]; }

    // The token's operands and itself become `value`; the field left no longer counts as a token.
    void replace(int token, std::string value) {
        const int left = m_prev[token];
        const int right = m_next[token];
        m_text[left] = std::move(value);
        m_token[left] = m_token[token] = m_token[right] = false;
        m_next[left] = m_next[right];
        if (m_next[right] >= 0) m_prev[m_next[right]] = left;
    }

    std::string str() const {
        std::string out = m_text[0];
        for (int k = m_next[0]; k >= 0; k = m_next[k]) out.append(1, ' ').append(m_text[k]);
        return out;
    }

  private:
    std::vector<std::string> m_text;
    std::vector<int> m_prev;
    std::vector<int> m_next;
    std::vector<bool> m_token;
    std::array<std::vector<int>, 5> m_byPriority;
};

}  // namespace

bool ExpressionEvaluator::carryOutOperators(std::string& text) {
    normalise(text);
    // Each operation removes at least its own token; a token takes three characters.
    std::size_t operationsLeft = text.size() / 3 + 1;
    Fields fields(text);
    // All "^" from the left, then all "/", "*", "-" and "+": a token already taken as an operand
    // is skipped.
    for (const std::vector<int>& tokens : fields.tokensByPriority()) {
        for (const int token : tokens) {
            if (!fields.isToken(token)) continue;
            if (operationsLeft-- == 0) {
                text = fields.str();
                return true;
            }
            std::string left = fields.text(fields.before(token));
            // A "(" in front of the left operand stays in the text.
            const bool opening = !left.empty() && left.front() == '(';
            std::string value;
            if (!operate(fields.text(token).front(), std::string_view(left).substr(opening ? 1 : 0),
                         fields.text(fields.after(token)), value)) {
                text = fields.str();
                return false;
            }
            fields.replace(token, opening ? "(" + value : value);
            --m_operatorCount;
        }
    }
    text = fields.str();
    return true;
}

bool ExpressionEvaluator::operate(char operation, std::string_view left, std::string_view right,
                                  std::string& value) {
    if (!isOperand(left) || !isOperand(right)) return fail();
    const double a = numbers::readDecimal(left);
    const double b = numbers::readDecimal(right);
    if (!std::isfinite(a) || !std::isfinite(b)) return fail();
    double result = 0.0;
    switch (operation) {
        case '^':
            result = std::pow(a, b);
            break;
        case '/':
            if (b == 0.0) return fail();
            result = a / b;
            break;
        case '*':
            result = a * b;
            break;
        case '-':
            result = a - b;
            break;
        default:
            result = a + b;
            break;
    }
    return writeResult(result, value) || fail();
}

bool ExpressionEvaluator::fail() {
    m_errorCode = kCalculationFailed;
    return false;
}

}  // namespace calculator
