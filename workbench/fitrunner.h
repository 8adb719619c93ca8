#pragma once
// Runs a fit of lab measurements on a thread of its own, so that the window never waits on it,
// and hands the result back on the thread that owns the runner. A fit asked to stop gives no
// result; it stops within one pass over the points.
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "state/labmeasurements.h"

namespace workbench {

class FitRunner : public QObject {
    Q_OBJECT

  public:
    using Finished = std::function<void(unsigned serial, measurements::FitResult result)>;

    explicit FitRunner(Finished finished, QObject* parent = nullptr);
    // The fits still running are asked to stop, and waited for.
    ~FitRunner() override;

    // The fit of the job starts; one running before is asked to stop.
    void start(state::FitJob job);
    void cancel();
    // The number of the fit running, if any.
    std::optional<unsigned> running() const { return m_running; }

  private:
    struct Worker {
        std::shared_ptr<std::atomic<bool>> done;
        std::jthread thread;
    };

    void deliver(unsigned serial, measurements::FitResult result);
    // The threads of fits that have ended are joined, which then costs nothing.
    void joinEnded();

    Finished m_finished;
    std::optional<unsigned> m_running;
    std::vector<Worker> m_workers;
};

}  // namespace workbench
