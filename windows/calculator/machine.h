#pragma once
// `Machine`, the calculator window "Machine à calculer": a pocket calculator whose keys build an
// expression in the display `z1`, evaluated by the expression evaluator when "EXE" is pressed.
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

class Machine : public QDialog {
    Q_OBJECT

  public:
    // `memory` outlives the window: it is the program's memory register. A failed "EXE" beeps
    // through `beeper`.
    Machine(CalculatorMemory& memory, platform::Beeper& beeper, QWidget* parent = nullptr);

    // The handlers of the keys that do more than append their text.
    void EXE_Click();
    void ANS_Click();
    void RAZ_Click();
    void EFFACE_Click();
    void Command1_Click();  // M+
    void Command2_Click();  // M-
    void Command3_Click();  // RM
    void Command4_Click();  // CM
    void plus_Click();
    void moins_Click();
    void pi_Click();
    // The option groups: `angle(0)` "Degrés", `angle(1)` "Radians"; `C(0)` "Scientifique",
    // `C(1)` "Standard".
    void angle_Click(int index);
    void C_Click(int index);

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
    std::array<QRadioButton*, 2> m_angle{};
    std::array<QRadioButton*, 2> m_mode{};
    QPixmap m_background;
};

// Opens the calculator modal over the main window and returns when the pupil closes it; the
// window is destroyed then (or with the main window, if that goes first).
void openCalculator(QWidget* mainWindow, CalculatorMemory& memory, platform::Beeper& beeper);

}  // namespace calculatorwindow
