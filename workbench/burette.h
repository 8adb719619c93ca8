#pragma once
// The pupil's hand on the burette: the tap on the illustration, "Vider la burette", the drop,
// the reset to 0 mL and "Trace rapide", with the two timers that pour.
#include <QObject>
#include <QTimer>

namespace platform {
class MessageBoxes;
}

namespace workbench {

class Workbench;

// What worked a control: the mouse, or the keyboard, whose focus must stay where it is.
enum class Input { Mouse, Keyboard };

class Burette : public QObject {
    Q_OBJECT

  public:
    static constexpr double kTickVolume = 0.1;   // mL poured by a tick of `Timer1`
    static constexpr double kDropVolume = 0.05;  // mL, one drop
    // A drop is let fall while the burette holds it, with room for the rounding of the texts.
    static constexpr double kLastDropVolume = 25.0001;  // mL
    static constexpr int kTapInterval = 10;             // ms
    static constexpr int kDropInterval = 60;            // ms
    static constexpr int kDropFrames = 4;

    Burette(Workbench& workbench, platform::MessageBoxes& messageBoxes);

    bool tapOpen() const { return m_tapOpen; }
    bool pouring() const { return m_timer1.isActive(); }
    bool dropFalling() const { return m_timer2.isActive(); }
    int dropFrame() const { return m_dropFrame; }

    void Image3_MouseDown();
    void Image3_MouseUp();
    void Image3_Click();
    // The space bar held down on the tap pours as the mouse button does; its release pours the
    // click's tick and closes the tap. The entry being edited is committed where it is.
    void Image3_KeyDown();
    void Image3_KeyUp();
    void Timer1_Timer();
    void Command6_Click(Input input = Input::Mouse);
    void Image1_Click();
    void Timer2_Timer();
    void Command14_Click();
    void retablir();
    void Command13_Click();

    // `Timer1` stops; the tap's picture is left as it is.
    void stopPouring();
    // A drop in flight is dropped: nothing more is painted or poured.
    void endDrop();

  signals:
    // The tap opened or closed.
    void tapChanged();
    // Pouring starts: the entry being edited must be committed first. The mouse does it by
    // taking the focus to the text area; the keyboard leaves the focus where it is.
    void entryCommitRequested(Input input);

  private:
    void pressTap(Input input);
    void clickTap(Input input);
    void closeTap();
    void pourDrop();
    // The last tick of the tap: the burette is empty.
    void finishPouring();

    Workbench& m_workbench;
    platform::MessageBoxes& m_messageBoxes;
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_tapOpen = false;
    int m_dropFrame = 0;
};

}  // namespace workbench
