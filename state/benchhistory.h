#pragma once
// The pupil's steps on the bench, to undo and redo them: the bench after each step, the present
// one last, up to kMaxSteps back. A step is what an action that counts leaves when the bench then
// differs from the present step; typing, a refresh of the display, the desktop's theme and the
// start of a fit do not count (passingAction), and neither does anything done while the tap or
// a drop pours: the pour counts once, when it ends. Undoing gives back the present step's bench
// as it was, so what was typed but not validated since goes with it.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "state/actionresult.h"
#include "state/historystep.h"

namespace state {

// Whether the bench is pouring: the tap open or a drop falling.
bool isPouring(const BenchState& bench);

class BenchHistory {
  public:
    static constexpr std::size_t kMaxSteps = 100;

    // The bench as it is becomes the start: nothing to undo or redo.
    void reset(const BenchState& bench);
    // After an action that counts: a new step when the bench differs from the present one, and
    // what could be redone is dropped; the oldest step goes past kMaxSteps. Without a start, the
    // bench becomes the start. Returns whether a step was added.
    bool record(const BenchState& bench);
    // After each action: a step unless the action is a passing one or the bench pours.
    bool afterAction(const BenchState& bench, bool passing) {
        return !passing && !isPouring(bench) && record(bench);
    }

    std::size_t undoCount() const { return m_present; }
    std::size_t redoCount() const { return m_steps.empty() ? 0 : m_steps.size() - 1 - m_present; }

    // The step before the present one given back to the bench; what that undid, as "c₂ 0,02 →
    // 0,01" (see describeStep), or nothing when there is no step to undo.
    std::optional<std::string> undo(BenchState& bench);
    // The step undone last given back again, and what it redid.
    std::optional<std::string> redo(BenchState& bench);

  private:
    std::string moveTo(std::size_t step, BenchState& bench);

    std::deque<HistoryStep> m_steps;  // oldest first
    std::size_t m_present = 0;
};

// Typing, the display started again or refreshed, the desktop's theme, the start and the end of
// the window's set-up, and a fit started or cancelled: no step of their own.
bool isPassingAction(void (*action)());
template <typename... Parameters>
bool passingAction(ActionResult (*action)(BenchState&, Parameters...)) {
    return isPassingAction(reinterpret_cast<void (*)()>(action));
}

}  // namespace state
