#include "step/step_workers.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace kinoha {

struct StepWorkers::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable idle;
    const std::function<void(std::size_t)>* job = nullptr;  // the batch running, if any
    std::size_t count = 0;
    std::atomic<std::size_t> next{0};
    unsigned active = 0;  // threads inside the current batch
    bool quit = false;
    std::vector<std::thread> threads;

    void Drain(const std::function<void(std::size_t)>& run, std::size_t n) {
        for (std::size_t i = next.fetch_add(1); i < n; i = next.fetch_add(1)) run(i);
    }

    void Work() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return quit || (job != nullptr && next.load() < count); });
            if (quit) return;
            const auto* run = job;
            const std::size_t n = count;
            ++active;
            lock.unlock();
            Drain(*run, n);
            lock.lock();
            if (--active == 0) idle.notify_all();
        }
    }
};

StepWorkers::StepWorkers(unsigned threads)
    : threads_(threads == 0 ? 1 : threads), shared_(std::make_unique<Shared>()) {
    for (unsigned i = 1; i < threads_; ++i)
        shared_->threads.emplace_back([s = shared_.get()] { s->Work(); });
}

StepWorkers::~StepWorkers() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->quit = true;
    }
    shared_->wake.notify_all();
    for (auto& t : shared_->threads) t.join();
}

void StepWorkers::ForEach(std::size_t n, const std::function<void(std::size_t)>& job) {
    if (threads_ <= 1 || n <= 1) {
        for (std::size_t i = 0; i < n; ++i) job(i);
        return;
    }
    Shared& s = *shared_;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.job = &job;
        s.count = n;
        s.next.store(0);
    }
    s.wake.notify_all();
    s.Drain(job, n);
    // No index is left; wait for the threads still inside a call, then close the batch.
    std::unique_lock<std::mutex> lock(s.mutex);
    s.idle.wait(lock, [&] { return s.active == 0; });
    s.job = nullptr;
}

void ForEachMember(StepWorkers* workers, std::size_t n,
                   const std::function<void(std::size_t)>& job) {
    if (workers != nullptr) {
        workers->ForEach(n, job);
    } else {
        for (std::size_t i = 0; i < n; ++i) job(i);
    }
}

}  // namespace kinoha
