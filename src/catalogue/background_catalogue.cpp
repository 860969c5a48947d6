#include "catalogue/background_catalogue.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "app/globals.h"
#include "catalogue/catalogue.h"

namespace kinoha {
namespace {
std::atomic<long long> gStepDelayMs{0};
}  // namespace

// Shared by the user-interface thread and the worker; the worker keeps it alive on its own, so
// the program may end (or drop the job) while a search still runs.
struct BackgroundCatalogue::Job {
    std::atomic<bool> stop{false};
    std::mutex mutex;
    bool done = false;
    bool research = false;
    std::wstring prjDir;
    CatalogueBuild build;
};

BackgroundCatalogue::BackgroundCatalogue(std::function<void()> ready) : ready_(std::move(ready)) {}

void BackgroundCatalogue::SetStepDelayForTesting(std::chrono::milliseconds delay) {
    gStepDelayMs = delay.count();
}

void BackgroundCatalogue::Start(bool research) {
    auto job = std::make_shared<Job>();
    job->research = research;
    job->prjDir = gPrjDir;
    job_ = job;
    if (research) gSearching = true;
    std::thread([job, inputs = CurrentCatalogueInputs(research), ready = ready_]() mutable {
        CatalogueBuild build = ComputeCatalogue(std::move(inputs), [&job] {
            if (const long long ms = gStepDelayMs.load(); ms > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            return !job->stop.load();
        });
        {
            std::lock_guard lock(job->mutex);
            job->build = std::move(build);
            job->done = true;
        }
        ready();
    }).detach();
}

void BackgroundCatalogue::Request(bool research) {
    if (!job_) {
        Start(research);
        return;
    }
    pending_ = true;
    pendingResearch_ = pendingResearch_ || research;
    // A search of a directory that is no longer the project directory would be dropped at
    // its hand-over anyway.
    if (research && job_->prjDir != gPrjDir) job_->stop = true;
}

void BackgroundCatalogue::HandOver() {
    if (!job_) return;
    CatalogueBuild build;
    {
        std::lock_guard lock(job_->mutex);
        if (!job_->done) return;
        build = std::move(job_->build);
    }
    job_.reset();
    gSearching = false;
    if (build.prjDir == gPrjDir) PublishCatalogue(std::move(build));
    if (pending_) {
        const bool research = pendingResearch_;
        pending_ = false;
        pendingResearch_ = false;
        Start(research);
    }
}

bool BackgroundCatalogue::Busy() const {
    return job_ != nullptr;
}

}  // namespace kinoha
