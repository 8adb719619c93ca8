#pragma once
// Runs a long computation (a fit of lab measurements, a Monte-Carlo simulation) on a thread of its
// own, so that the window never waits on it, and hands the result back on the thread that owns
// the runner. A job asked to stop gives no result; it stops at its next check of the stop token.
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "state/labmeasurements.h"

namespace workbench {

template <class Result>
class BackgroundRunner : public QObject {
  public:
    using Finished = std::function<void(unsigned serial, Result result)>;
    using Job = std::function<Result(std::stop_token)>;

    explicit BackgroundRunner(Finished finished, QObject* parent = nullptr)
        : QObject(parent), m_finished(std::move(finished)) {}
    // The jobs still running are asked to stop, and waited for.
    ~BackgroundRunner() override {
        for (Worker& worker : m_workers) worker.thread.request_stop();
        // Each thread is joined as its worker goes, before the object the results were posted to.
        m_workers.clear();
    }
    BackgroundRunner(const BackgroundRunner&) = delete;
    BackgroundRunner& operator=(const BackgroundRunner&) = delete;

    // The job starts; one running before is asked to stop.
    void start(unsigned serial, Job job) {
        cancel();
        joinEnded();
        m_running = serial;
        Worker worker{std::make_shared<std::atomic<bool>>(false), {}};
        worker.thread = std::jthread(
            [this, serial, job = std::move(job), done = worker.done](const std::stop_token& stop) {
                Result result = job(stop);
                if (!stop.stop_requested()) {
                    QMetaObject::invokeMethod(
                        this, [this, serial, result = std::move(result)] { deliver(serial, result); },
                        Qt::QueuedConnection);
                }
                done->store(true);
            });
        m_workers.push_back(std::move(worker));
    }
    void cancel() {
        if (!m_running) return;
        m_running.reset();
        for (Worker& worker : m_workers) worker.thread.request_stop();
    }
    // The number of the job running, if any.
    std::optional<unsigned> running() const { return m_running; }

  private:
    struct Worker {
        std::shared_ptr<std::atomic<bool>> done;
        std::jthread thread;
    };

    void deliver(unsigned serial, Result result) {
        if (m_running != serial) return;
        m_running.reset();
        joinEnded();
        if (m_finished) m_finished(serial, std::move(result));
    }
    // The threads of jobs that have ended are joined, which then costs nothing.
    void joinEnded() {
        std::erase_if(m_workers, [](const Worker& worker) { return worker.done->load(); });
    }

    Finished m_finished;
    std::optional<unsigned> m_running;
    std::vector<Worker> m_workers;
};

// A fit of the lab's measurements.
class FitRunner : public BackgroundRunner<measurements::FitResult> {
  public:
    using BackgroundRunner::BackgroundRunner;
    void start(state::FitJob job) {
        const unsigned serial = job.serial;
        BackgroundRunner::start(
            serial, [job = std::move(job)](const std::stop_token& stop) { return job.run(stop); });
    }
};

}  // namespace workbench
