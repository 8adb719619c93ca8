#pragma once
// The calculator window "Machine à calculer": a pocket calculator whose keys build an expression
// in the display `z1`, evaluated by the expression evaluator when "EXE" is pressed.
#include <QDialog>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "windows/calculator/calculatorstate.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace platform {
class Beeper;
}

namespace calculatorwindow {

class CalculatorMemory;
struct KeyDefinition;

class CalculatorWindow : public QDialog {
    Q_OBJECT

  public:
    // `memory` outlives the window: it is the program's memory register. A failed "EXE" beeps
    // through `beeper`.
    CalculatorWindow(CalculatorMemory& memory, platform::Beeper& beeper, QWidget* parent = nullptr);

    // The handlers of the keys that do more than append their text.
    void execute();
    void insertAnswer();
    void clearAll();
    void backSpace();
    void addToMemory();         // M+
    void subtractFromMemory();  // M-
    void recallMemory();        // RM
    void clearMemory();         // CM
    void plus();
    void minus();
    void insertPi();
    // The option groups: `angle(0)` "Degrés", `angle(1)` "Radians"; `C(0)` "Scientifique",
    // `C(1)` "Standard".
    void chooseAngleUnit(int index);
    void chooseDisplayMode(int index);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildDisplay();
    QWidget* buildOptions();
    QWidget* buildKeys();
    void activate(const KeyDefinition& key);
    // The keyboard: true when the key was one of the calculator's.
    bool handleKey(const QKeyEvent& event);
    void showDisplay(const std::string& text);
    void focusDisplay();

    platform::Beeper& m_beeper;
    CalculatorState m_state;
    QLineEdit* m_display = nullptr;
    // A display font with the advance of each Latin-1 character, so that fitting a text to the
    // display at each key costs additions rather than a text layout.
    struct DisplayFont {
        static constexpr std::size_t kFirstTabulated = 32;
        explicit DisplayFont(int pixels);
        qreal width(const QString& text) const;

        QFont font;
        std::array<qreal, 256 - kFirstTabulated> advances{};
    };
    // From the largest down: a long message is shown whole in a smaller one.
    std::vector<DisplayFont> m_displayFonts;
    std::array<QRadioButton*, 2> m_angleButtons{};
    std::array<QRadioButton*, 2> m_modeButtons{};
    QPixmap m_background;
};

// Opens the calculator modal over the main window and returns when the pupil closes it; the
// window is destroyed then (or with the main window, if that goes first).
void openCalculator(QWidget* mainWindow, CalculatorMemory& memory, platform::Beeper& beeper);

}  // namespace calculatorwindow
