#include "workbench/fitrunner.h"

#include <utility>

namespace workbench {

FitRunner::FitRunner(Finished finished, QObject* parent) : QObject(parent), m_finished(std::move(finished)) {}

FitRunner::~FitRunner() {
    for (Worker& worker : m_workers) worker.thread.request_stop();
    // Each thread is joined as its worker goes, before the object the results were posted to.
    m_workers.clear();
}

void FitRunner::start(state::FitJob job) {
    cancel();
    joinEnded();
    m_running = job.serial;
    Worker worker{std::make_shared<std::atomic<bool>>(false), {}};
    worker.thread = std::jthread([this, job = std::move(job),
                                  done = worker.done](const std::stop_token& stop) {
        measurements::FitResult result = job.run(stop);
        if (!stop.stop_requested()) {
            QMetaObject::invokeMethod(
                this, [this, serial = job.serial, result = std::move(result)] { deliver(serial, result); },
                Qt::QueuedConnection);
        }
        done->store(true);
    });
    m_workers.push_back(std::move(worker));
}

void FitRunner::cancel() {
    if (!m_running) return;
    m_running.reset();
    for (Worker& worker : m_workers) worker.thread.request_stop();
}

void FitRunner::deliver(unsigned serial, measurements::FitResult result) {
    if (m_running != serial) return;
    m_running.reset();
    joinEnded();
    if (m_finished) m_finished(serial, std::move(result));
}

void FitRunner::joinEnded() {
    std::erase_if(m_workers, [](const Worker& worker) { return worker.done->load(); });
}

}  // namespace workbench
