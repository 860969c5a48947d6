// Threads on which the step count reads member files side by side. The results are put
// together in list order afterwards, so the number of threads never changes an output.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>

namespace kinoha {

class StepWorkers {
  public:
    // `threads` counts the caller's own thread; 0 and 1 mean no extra thread.
    explicit StepWorkers(unsigned threads);
    ~StepWorkers();
    StepWorkers(const StepWorkers&) = delete;
    StepWorkers& operator=(const StepWorkers&) = delete;

    unsigned Threads() const { return threads_; }

    // Calls job(i) for every i below n and returns when every call has returned. Calls start
    // in order of i; with one thread they run in order on the caller's thread.
    void ForEach(std::size_t n, const std::function<void(std::size_t)>& job);

  private:
    struct Shared;
    unsigned threads_;
    std::unique_ptr<Shared> shared_;
};

// Runs the job for every i below n on the workers, or in order on this thread without them.
void ForEachMember(StepWorkers* workers, std::size_t n,
                   const std::function<void(std::size_t)>& job);

}  // namespace kinoha
