#pragma once
// The bench state shown on screen: the controller owns the state, runs its actions, takes the
// drawing steps they ask for on the graph and apparatus canvases, runs the two timers that pour,
// shows the messages and asks the questions through the message boxes, and sends one change
// notification per action. Panels read the state through it and never change it themselves.
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <optional>
#include <string>
#include <utility>

#include "state/actionresult.h"
#include "state/benchhistory.h"
#include "state/benchstate.h"
#include "workbench/apparatuscanvas.h"
#include "workbench/graphcanvas.h"

Q_DECLARE_METATYPE(state::Changes)

namespace platform {
class MessageBoxes;
}

namespace configuration {
struct ConfigurationFile;
}

namespace workbench {

// What worked a control: the mouse, or the keyboard, whose focus must stay where it is.
enum class Input { Mouse, Keyboard };

class BenchController : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTapInterval = 10;   // ms between two ticks of the open tap
    static constexpr int kDropInterval = 60;  // ms between two frames of a falling drop
    static constexpr int kPackDelay = 2000;   // ms after its last drawing the illustration is packed

    explicit BenchController(platform::MessageBoxes& messageBoxes,
                             const state::SituationColours& colours = state::SituationColours(),
                             QObject* parent = nullptr);

    const state::BenchState& state() const { return m_state; }
    GraphCanvas& graph() { return m_graph; }
    const GraphCanvas& graph() const { return m_graph; }
    ApparatusCanvas& apparatus() { return m_apparatus; }
    const ApparatusCanvas& apparatus() const { return m_apparatus; }

    // Runs an action of the state with its arguments, e.g. perform(state::chooseSolute, 4).
    template <typename... Parameters, typename... Arguments>
    void perform(state::ActionResult (*action)(state::BenchState&, Parameters...), Arguments&&... arguments) {
        apply(action(m_state, std::forward<Arguments>(arguments)...));
        m_history.afterAction(m_state, state::passingAction(action));
    }

    // An entry field typed into, and validated. A validation is not run while the messages of an
    // action are shown: those boxes take the focus from the field.
    void setFieldText(state::Field field, const QString& text);
    void validateField(state::Field field);
    // What the field shows.
    QString fieldText(state::Field field) const;

    // The tap pressed, by the mouse or by the space bar: the entry being edited is committed
    // first. The burette empty, the tap stays closed and the pupil is asked whether to start again.
    void pressTap(Input input);
    // A click of the tap pours one tick, after the entry being edited is committed.
    void clickTap(Input input);
    // "Vider la burette": the tap opens, or closes while it pours.
    void toggleEmptying(Input input);

    // The illustration drawn again for the state, at the surface's present pixel ratio.
    void redrawApparatus();
    // While held, the illustration is not drawn: building the window asks for it several times
    // before anything shows. The release draws it once for the state, if anything asked. An
    // illustration left alone (the first one, or kPackDelay after its last drawing) is kept
    // packed until it is drawn on again.
    void holdApparatus() { m_apparatusHold = ApparatusHold::Held; }
    void releaseApparatus();
    // The illustration as copied and printed: the overlaid controls' texts written into it, the
    // picture taken, then the illustration drawn again for the screen.
    QImage composedIllustration();

    // Ctrl+Z and Ctrl+Y: the pupil's last step undone, or the last one undone done again, all
    // views drawn again and the hint line told what (benchcontrollerhistory.cpp). Nothing while
    // the bench pours.
    void undo();
    void redo();
    // The bench as it is becomes the start of the history: once the window is set up, and when
    // an exercise is opened.
    void restartHistory() { m_history.reset(m_state); }
    const state::BenchHistory& history() const { return m_history; }

  signals:
    // What the last action changed.
    void changed(state::Changes changes);
    // Why an action did nothing, for the hint line.
    void hint(const QString& text);
    // Pouring starts: the entry being edited must be committed first. The mouse does it by taking
    // the focus to the text area; the keyboard leaves the focus where it is.
    void entryCommitRequested(Input input);
    // A validation changed the value typed: the field now shows `text`.
    void valueCorrected(const QString& text);

  private:
    void apply(state::ActionResult result);
    void followTimers(state::Changes changes);
    void showMessages(const std::vector<state::Message>& messages);
    // Counts the pack delay from now; the timer is armed only once, so that a pouring tick costs
    // a clock reading, not a timer restarted.
    void noteApparatusDrawn();
    void packApparatusIfIdle();
    void showStep(const std::optional<std::string>& said, const QString& done);

    platform::MessageBoxes& m_messageBoxes;
    state::BenchState m_state;
    GraphCanvas m_graph;
    ApparatusCanvas m_apparatus;
    QTimer m_tapTimer;
    QTimer m_dropTimer;
    QTimer m_packTimer;
    QElapsedTimer m_sinceApparatusDrawn;
    bool m_showingMessages = false;
    enum class ApparatusHold { Free, Held, HeldAndStale };
    ApparatusHold m_apparatusHold = ApparatusHold::Free;
    state::BenchHistory m_history;
};

}  // namespace workbench
