// The catalogue built on a worker thread and handed over on the user-interface thread, so that
// the tray stays usable while a large or slow project directory is searched.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace kinoha {

class BackgroundCatalogue {
  public:
    // `ready` is called on the worker thread when a finished build waits for HandOver; it
    // should only ask the user-interface thread to call HandOver (post a message).
    explicit BackgroundCatalogue(std::function<void()> ready);

    // Asks for a build (user-interface thread). It starts at once on a worker when none runs;
    // otherwise it is queued and starts when the running one has been handed over, so builds
    // never interleave. Several queued requests make one build, which searches when any of
    // them asked for it. A new search for another directory stops the running one early.
    // While a searching build runs, gSearching is true.
    void Request(bool research);

    // Publishes the finished build (user-interface thread) and starts the queued one, if any.
    // A build whose directory is no longer the project directory is dropped. Does nothing
    // when no build has finished.
    void HandOver();

    // Whether a build runs or waits for its hand-over.
    bool Busy() const;

    // Test seam: each step of the search waits this long (a slow file server).
    static void SetStepDelayForTesting(std::chrono::milliseconds delay);

  private:
    struct Job;
    void Start(bool research);

    std::function<void()> ready_;
    std::shared_ptr<Job> job_;
    bool pending_ = false;
    bool pendingResearch_ = false;
};

}  // namespace kinoha
