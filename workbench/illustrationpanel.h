#pragma once
// The apparatus illustration `picburette`: a view of the apparatus canvas, and the controls laid
// over it (the tap, the drop button, the pouring buttons, the burette concentration and
// poured-volume fields, the poured-volume reading and the pH-meter's display).
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <vector>

#include "platform/surfaceview.h"
#include "state/actionresult.h"
#include "state/benchstate.h"
#include "workbench/apparatuspainter.h"
#include "workbench/benchcontroller.h"

namespace workbench {

class EntryField;

// A picture that acts as a button: it reports presses, releases (and whether the release was
// over it), clicks of the left button and the pointer passing over it. From the keyboard, the
// space bar held down presses it until released (auto-repeat changes nothing) and Enter clicks it.
class PictureButton : public QLabel {
    Q_OBJECT

  public:
    PictureButton(const QString& name, const QImage& picture, QWidget* parent = nullptr);
    void setPicture(const QImage& picture);

  signals:
    void pressed(Qt::MouseButton button);
    void released(Qt::MouseButton button, bool over);
    void clicked();
    void hovered();
    // The space bar went down, or Enter was pressed.
    void keyPressed();
    // The key came back up (`completed`, then `clicked` follows), or the focus went elsewhere
    // while it was held.
    void keyReleased(bool completed);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    const QImage* m_picture = nullptr;
    Qt::MouseButton m_pressed = Qt::NoButton;
    bool m_keyHeld = false;
};

class IllustrationPanel : public platform::SurfaceView {
    Q_OBJECT

  public:
    explicit IllustrationPanel(BenchController& bench, QWidget* parent = nullptr);

    // The controls in reading order, for the window's Tab order.
    std::vector<QWidget*> tabOrder() const;

  signals:
    void hint(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    EntryField* addField(state::Field which, QSize size);
    // Shows the controls for the apparatus chosen, where the legend put them.
    void placeControls();
    void tapPressed(Input input);
    void tapReleased(bool click, Input input);
    void follow(state::Changes changes);
    void takeControls();
    void takeReadings();
    void takeFieldTexts();

    BenchController& m_bench;
    PictureButton* m_tap;             // the tap
    PictureButton* m_dropButton;      // one drop
    QPushButton* m_emptyButton;       // "Vider la burette"
    QPushButton* m_quickTraceButton;  // "Trace rapide"
    QPushButton* m_resetButton;       // "0"
    QLabel* m_pouredReading;          // the poured volume
    QLabel* m_phDisplay;              // the pH-meter's display
    QLabel* m_conductivityDisplay;    // the conductimeter's display
    QLabel* m_potentialDisplay;       // the millivoltmeter's display, LabelE
    EntryField* m_titrantField;       // Text1(1)
    EntryField* m_pouredField;        // Text1(5)
    // A press on the tap that asked "Burette vide" is over: its release must not pour.
    bool m_tapPressSettled = false;
    // The click on "Vider la burette" being handled came from the mouse.
    bool m_emptyClickedByMouse = false;
};

}  // namespace workbench
