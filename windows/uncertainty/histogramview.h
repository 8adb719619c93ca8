#pragma once
// The histogram of a simulation's results: one bar per bin, the mean as a line and the 95 %
// interval's bounds dashed, the concentration axis under it.
#include <QWidget>
#include <optional>

#include "uncertainty/montecarlo.h"
#include "uncertainty/statistics.h"

namespace uncertaintywindows {

class HistogramView : public QWidget {
  public:
    explicit HistogramView(QWidget* parent);

    // Nothing drawn but the frame until a simulation has results.
    void showResults(const uncertainty::Histogram& histogram,
                     const std::optional<uncertainty::SimulationSummary>& summary);
    void clear();
    const uncertainty::Histogram& histogram() const { return m_histogram; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    uncertainty::Histogram m_histogram;
    std::optional<uncertainty::SimulationSummary> m_summary;
};

// The bins the window draws.
inline constexpr int kHistogramBins = 40;

}  // namespace uncertaintywindows
