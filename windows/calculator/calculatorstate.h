#pragma once
// What the calculator's keys do to the expression being typed, the display and the memory, kept
// apart from the widgets: the window turns clicks and key presses into these calls and copies
// every display change into its display `z1`.
#include <functional>
#include <string>
#include <string_view>

namespace calculatorwindow {

class CalculatorMemory;

// "Affichage": `C(0)` "Scientifique", `C(1)` "Standard".
enum class DisplayMode { Scientific = 0, Standard = 1 };

// The code of a failure that is not the evaluator's: a result beyond double precision, or any
// other fault while "EXE" runs.
inline constexpr int kOverflow = 4;

// How a key's text joins the expression.
enum class KeyRule {
    Plain,          // appended as it is
    ImplicitTimes,  // " * " first after a number or ")": 2 then SIN gives "2 * sin "
    AnswerFirst,    // on an empty expression the last answer comes first: "x²" after a result
    WhenNotBlank,   // as AnswerFirst, and nothing at all while the display is blank
};

class CalculatorState {
  public:
    using DisplayListener = std::function<void(const std::string&)>;

    static constexpr std::string_view kWaitingText = "    Patience... Calculs en cours.     ";
    // The display holds this many characters: keys that would write more are ignored, so that any
    // expression is evaluated at once.
    static constexpr std::size_t kMaxExpressionLength = 2000;

    // `showDisplay` is called with the display's new text whenever it changes.
    CalculatorState(CalculatorMemory& memory, DisplayListener showDisplay);

    // A key of the table: digits, functions, prefixes, operators.
    void press(std::string_view text, KeyRule rule);
    // "+": " + ", or "+" as the sign of an exponent right after "E".
    void plus();
    // "-": a sign at the start, after "(", after an operator or after "E"; otherwise a token.
    void minus();
    // "ANS": the last result in full, whatever the display mode, if the last "EXE" succeeded.
    void answer();
    // "AC".
    void clear();
    // The back-space key: one character, one operator token or one function word.
    void backSpace();

    // "M+", "M-": the display read as a number; "RM" appends the memory; "CM" empties it.
    void addDisplayToMemory();
    void subtractDisplayFromMemory();
    void recallMemory();
    void clearMemory();

    // "EXE": evaluates the expression in the angle mode (0 degrees, 1 radians) and returns the
    // error code (0 on success; 1 to 3 from the evaluator; kOverflow).
    int execute();

    void setAngleMode(int angleMode) { m_angleMode = angleMode; }
    int angleMode() const { return m_angleMode; }
    // Choosing a display mode shows the last answer again in it when nothing is being typed.
    void setDisplayMode(DisplayMode mode);
    DisplayMode displayMode() const { return m_displayMode; }

    const std::string& expressionText() const { return m_expressionText; }
    bool isFull() const { return m_expressionText.size() >= kMaxExpressionLength; }
    const std::string& lastAnswer() const { return m_lastAnswer; }
    int lastErrorCode() const { return m_lastErrorCode; }
    const std::string& display() const { return m_display; }

    // A result as "EXE" shows it: the general writer with a space before zero and positive
    // numbers, or "#.#######E+00" in the scientific mode; always with a decimal point. Empty for
    // a value that is not finite.
    static std::string resultText(double value, DisplayMode mode);
    // The display's message for a failed "EXE".
    static std::string_view message(int errorCode);

  private:
    void show(std::string text);
    void showExpression() { show(m_expressionText); }
    void appendImplicitTimes();
    void appendAnswerIfEmpty();
    bool displayIsBlank() const;
    double displayValue() const;

    CalculatorMemory& m_memory;
    DisplayListener m_showDisplay;
    std::string m_expressionText;
    std::string m_lastAnswer;
    // The last result in full, as "ANS" inserts it: the display may show it rounded to eight
    // digits, and switching the display mode changes only the display. Empty after a failure.
    std::string m_answerNumber;
    int m_lastErrorCode = 0;
    std::string m_display;
    int m_angleMode = 0;
    DisplayMode m_displayMode = DisplayMode::Standard;
};

}  // namespace calculatorwindow
