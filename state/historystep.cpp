#include "state/historystep.h"

#include <cstddef>
#include <utility>

namespace state {

namespace {

template <typename Part>
std::shared_ptr<const Part> shareOrKeep(const std::shared_ptr<const Part>* earlier, Part part) {
    if (earlier && *earlier && **earlier == part) return *earlier;
    return std::make_shared<const Part>(std::move(part));
}

// The item at the same place in the step before, or else any equal item of the same kind there:
// a restarted graph draws the same curves and crosses again, in the same order or nearly.
std::shared_ptr<const GraphItem> shareItem(const std::vector<std::shared_ptr<const GraphItem>>* earlier,
                                           std::size_t index, GraphItem item) {
    if (earlier) {
        if (index < earlier->size() && *(*earlier)[index] == item) return (*earlier)[index];
        for (const auto& candidate : *earlier) {
            if (candidate->index() == item.index() && *candidate == item) return candidate;
        }
    }
    return std::make_shared<const GraphItem>(std::move(item));
}

// What a step does not keep, set alike in every step so that steps compare without it.
void forgetLiveParts(BenchState& bench) {
    bench.random = std::mt19937();
    bench.switches.themeHighContrast = false;
    bench.colours = SituationColours();
    bench.lab.fitsStarted = 0;
    bench.lab.runningFit.reset();
}

void keepLiveParts(BenchState& restored, const BenchState& now) {
    restored.random = now.random;
    restored.switches.themeHighContrast = now.switches.themeHighContrast;
    restored.colours = now.colours;
    restored.lab.fitsStarted = now.lab.fitsStarted;
    restored.lab.runningFit.reset();
}

// The graph's frame as drawn, whatever its generation.
bool sameFrame(const GraphContent& a, const GraphContent& b) {
    return a.mode() == b.mode() && a.strokeWidth() == b.strokeWidth() &&
           a.highContrast() == b.highContrast() && &a.meter() == &b.meter() && a.axis() == b.axis();
}

// The rows as the table shows them, whatever its restarts.
bool sameRows(const MeasurementRows& a, const MeasurementRows& b) {
    if (a.columns() != b.columns() || a.formNames() != b.formNames() ||
        a.meterColumns() != b.meterColumns() || a.points() != b.points())
        return false;
    for (int i = 0; i < a.count(); ++i) {
        for (const Meter* meter : a.meterColumns()) {
            if (a.reading(i, *meter) != b.reading(i, *meter)) return false;
        }
    }
    return true;
}

}  // namespace

HistoryStep::HistoryStep(const BenchState& bench, const HistoryStep* previous) {
    BenchState rest = bench;
    std::vector<GraphItem> items = rest.graph.takeItems();
    std::array<MeasuredPoints, kSituationCount> points = std::exchange(rest.lab.points, {});
    MeasurementRows rows = std::exchange(rest.rows, MeasurementRows());
    forgetLiveParts(rest);

    m_rest = shareOrKeep(previous ? &previous->m_rest : nullptr, std::move(rest));
    for (std::size_t i = 0; i < points.size(); ++i)
        m_points[i] = shareOrKeep(previous ? &previous->m_points[i] : nullptr, std::move(points[i]));
    m_rows = shareOrKeep(previous ? &previous->m_rows : nullptr, std::move(rows));
    m_items.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        m_items.push_back(shareItem(previous ? &previous->m_items : nullptr, i, std::move(items[i])));
}

BenchState HistoryStep::restored(const BenchState& now) const {
    BenchState bench = *m_rest;
    for (std::size_t i = 0; i < m_points.size(); ++i) bench.lab.points[i] = *m_points[i];
    bench.rows = *m_rows;
    std::vector<GraphItem> items;
    items.reserve(m_items.size());
    for (const auto& item : m_items) items.push_back(*item);
    bench.graph.putBackItems(std::move(items));
    keepLiveParts(bench, now);
    return bench;
}

bool HistoryStep::showsSameBenchAs(const HistoryStep& other) const {
    const auto same = [](const auto& a, const auto& b) { return a == b || *a == *b; };
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        if (!same(m_points[i], other.m_points[i])) return false;
    }
    if (m_items.size() != other.m_items.size()) return false;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (!same(m_items[i], other.m_items[i])) return false;
    }
    if (!sameRows(*m_rows, *other.m_rows) || !sameFrame(m_rest->graph, other.m_rest->graph)) return false;
    if (m_rest == other.m_rest) return true;
    BenchState rest = *m_rest;
    BenchState otherRest = *other.m_rest;
    for (BenchState* r : {&rest, &otherRest}) {
        r->graph = GraphContent();
        r->initialMarkGeneration.reset();
    }
    return rest == otherRest;
}

}  // namespace state
