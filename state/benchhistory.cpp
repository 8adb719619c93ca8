#include "state/benchhistory.h"

#include <array>

#include "state/labmeasurements.h"
#include "state/panelactions.h"
#include "state/situationactions.h"
#include "state/stepdescription.h"

namespace state {

void BenchHistory::reset(const BenchState& bench) {
    m_steps.clear();
    m_steps.emplace_back(bench);
    m_present = 0;
}

bool BenchHistory::record(const BenchState& bench) {
    if (m_steps.empty()) {
        reset(bench);
        return false;
    }
    HistoryStep step(bench, &m_steps[m_present]);
    if (step.showsSameBenchAs(m_steps[m_present])) return false;
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_present) + 1, m_steps.end());
    m_steps.push_back(std::move(step));
    if (m_steps.size() > kMaxSteps + 1) m_steps.pop_front();
    m_present = m_steps.size() - 1;
    return true;
}

std::optional<std::string> BenchHistory::undo(BenchState& bench) {
    if (undoCount() == 0) return std::nullopt;
    return moveTo(m_present - 1, bench);
}

std::optional<std::string> BenchHistory::redo(BenchState& bench) {
    if (redoCount() == 0) return std::nullopt;
    return moveTo(m_present + 1, bench);
}

std::string BenchHistory::moveTo(std::size_t step, BenchState& bench) {
    BenchState restored = m_steps[step].restored(bench);
    std::string said = describeStep(bench, restored);
    bench = std::move(restored);
    m_present = step;
    return said;
}

bool isPouring(const BenchState& bench) {
    return bench.burette.tapOpen || bench.burette.pouring || bench.burette.dropFalling;
}

bool isPassingAction(void (*action)()) {
    const auto address = [](auto function) { return reinterpret_cast<void (*)()>(function); };
    const std::array passing{
        address(static_cast<ActionResult (*)(BenchState&, Field, std::string)>(&setFieldText)),
        address(&clickField),
        address(&setThemeHighContrast),
        address(static_cast<ActionResult (*)(BenchState&)>(&updateReadings)),
        address(&refreshApparatus),
        address(static_cast<ActionResult (*)(BenchState&)>(&setDefaults)),
        address(&start),
        address(&startFit),
        address(&cancelFit),
    };
    for (const auto candidate : passing) {
        if (candidate == action) return true;
    }
    return false;
}

}  // namespace state
