#include "compile/make_run.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "compile/make_schedule.h"

namespace kinoha {
namespace {

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// The compiles under way, each on its thread, and those that have ended.
class Compiles {
  public:
    ~Compiles() {
        for (auto& [i, t] : threads_) t.join();
    }
    void Start(std::size_t i, std::function<CompileOutcome()> compile) {
        threads_.emplace(i, std::thread([this, i, compile = std::move(compile)] {
                             CompileOutcome o = compile();
                             const std::lock_guard<std::mutex> lock(mutex_);
                             ended_.emplace_back(i, std::move(o));
                             changed_.notify_one();
                         }));
    }
    std::size_t Running() const { return threads_.size(); }
    // The next compile to end, waiting for it; with `waiting`, calling it about every 50 ms.
    std::pair<std::size_t, CompileOutcome> Next(const std::function<void()>& waiting) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (ended_.empty()) {
            if (!waiting) {
                changed_.wait(lock);
                continue;
            }
            if (changed_.wait_for(lock, std::chrono::milliseconds(50)) == std::cv_status::timeout &&
                ended_.empty()) {
                lock.unlock();
                waiting();
                lock.lock();
            }
        }
        auto next = std::move(ended_.front());
        ended_.pop_front();
        lock.unlock();
        const auto t = threads_.find(next.first);
        t->second.join();
        threads_.erase(t);
        return next;
    }

  private:
    std::map<std::size_t, std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::pair<std::size_t, CompileOutcome>> ended_;
};

}  // namespace

MakeRunReport RunMake(MakePlan& plan, const MakeSettings& settings, const MakeRunHooks& hooks) {
    const auto runStart = std::chrono::steady_clock::now();
    const std::vector<std::size_t>& order = plan.Order();
    MakeRunReport report;
    report.made.resize(order.size());
    std::vector<std::vector<std::size_t>> waits;
    std::vector<std::optional<double>> last;
    for (std::size_t i = 0; i < order.size(); ++i) {
        waits.push_back(plan.Waits(i));
        last.push_back(plan.LastSeconds(i));
    }
    const std::size_t jobs = std::clamp<std::size_t>(settings.jobs, 1, kMaxJobs);
    MakeSchedule schedule(std::move(waits), ExpectedSeconds(last), jobs > 1);
    std::vector<bool> slots(jobs, false);  // taken or not
    std::vector<std::size_t> slotOf(order.size(), 0);

    const auto finish = [&](std::size_t i, MadeEntry made) {
        made.outcome.reasonCode = made.step.why.code;
        made.outcome.warnings = plan.Warnings(i);
        plan.Record(i, made.outcome.result, made.slot != 0 ? made.outcome.seconds : -1.0);
        schedule.End(i);
        if (hooks.ended) hooks.ended(i, made);
        report.made[i] = std::move(made);
    };
    std::vector<MakeStep> steps(order.size());
    Compiles compiles;
    bool halted = false;  // a failure without keepGoing, or a stop
    for (;;) {
        if (!halted && hooks.stopAsked && hooks.stopAsked()) {
            halted = true;
            report.stopped = true;
        }
        bool decided = false;
        if (!halted) {
            for (const std::size_t i : schedule.Free()) {
                steps[i] = plan.Next(i, settings.changedOnly);
                if (steps[i].action != MakeStep::Action::Compile) {
                    MadeEntry made;
                    made.step = steps[i];
                    made.outcome.result = steps[i].action == MakeStep::Action::UpToDate
                                              ? CompileResult::UpToDate
                                              : CompileResult::NotRun;
                    schedule.Begin(i);
                    finish(i, std::move(made));
                    decided = true;
                    break;  // what is free has changed
                }
                const auto slot = std::find(slots.begin(), slots.end(), false);
                if (slot == slots.end()) continue;
                *slot = true;
                slotOf[i] = static_cast<std::size_t>(slot - slots.begin()) + 1;
                schedule.Begin(i);
                const CompileTarget target = plan.Target(i);
                const std::wstring log = settings.logFor ? settings.logFor(target.entry) : L"";
                if (hooks.started) hooks.started(i, slotOf[i]);
                const std::int64_t startMs = NowMs();
                compiles.Start(i, [&settings, target, log] {
                    return CompileEntry(settings.compile, target, log);
                });
                report.made[i] = MadeEntry{steps[i], {}, slotOf[i]};
                report.made[i]->outcome.startMs = startMs;
            }
        }
        if (decided) continue;
        if (compiles.Running() == 0) break;
        auto [i, outcome] = compiles.Next(hooks.waiting);
        MadeEntry made = std::move(*report.made[i]);
        outcome.startMs = made.outcome.startMs;
        outcome.endMs = NowMs();
        made.outcome = std::move(outcome);
        slots[slotOf[i] - 1] = false;
        report.compileSeconds += made.outcome.seconds;
        const bool failed = made.outcome.result == CompileResult::Failed;
        finish(i, std::move(made));
        if (failed && !settings.keepGoing) halted = true;
    }
    report.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - runStart).count();
    return report;
}

}  // namespace kinoha
