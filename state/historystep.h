#pragma once
// One step of the undo history: the bench as it was. Its large parts (each situation's lab
// points, each item of the graph, the table's rows) are kept behind pointers to values that never
// change, and a step takes the pointer of the step before wherever its part equals that one, so
// that a hundred steps of a bench with thousands of measurements cost little more than one.
#include <array>
#include <memory>
#include <vector>

#include "state/benchstate.h"

namespace state {

class HistoryStep {
  public:
    // The bench as it is, sharing with `previous` what did not change since.
    explicit HistoryStep(const BenchState& bench, const HistoryStep* previous = nullptr);

    // The bench as it was, with what the history never takes back from `now`: the die's random
    // numbers, the desktop's theme and colours, the numbers given to fits (a running fit belongs
    // to the bench it started on, and no number is given twice).
    BenchState restored(const BenchState& now) const;

    // The same bench as the pupil sees it: the history's live parts aside, and the counters by
    // which the views follow the graph's and the table's restarts.
    bool showsSameBenchAs(const HistoryStep& other) const;

  private:
    std::shared_ptr<const BenchState> m_rest;  // without the parts below
    std::array<std::shared_ptr<const MeasuredPoints>, kSituationCount> m_points;
    std::vector<std::shared_ptr<const GraphItem>> m_items;
    std::shared_ptr<const MeasurementRows> m_rows;
};

}  // namespace state
