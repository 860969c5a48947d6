#include "compile/make_schedule.h"

#include <algorithm>
#include <utility>

namespace kinoha {

MakeSchedule::MakeSchedule(std::vector<std::vector<std::size_t>> waits, std::vector<double> seconds,
                           bool byChain)
    : waits_(std::move(waits)),
      chain_(waits_.size(), 0),
      byChain_(byChain),
      open_(waits_.size(), 0),
      begun_(waits_.size(), false) {
    const std::size_t n = waits_.size();
    std::vector<std::vector<std::size_t>> waitedOnBy(n);
    for (std::size_t i = 0; i < n; ++i) {
        open_[i] = waits_[i].size();
        for (const std::size_t j : waits_[i]) waitedOnBy[j].push_back(i);
    }
    // Chains from the far end: an entry's chain is known once those waiting on it are known.
    std::vector<std::size_t> left(n);
    std::vector<std::size_t> ready;
    for (std::size_t i = 0; i < n; ++i) {
        left[i] = waitedOnBy[i].size();
        if (left[i] == 0) ready.push_back(i);
    }
    while (!ready.empty()) {
        const std::size_t i = ready.back();
        ready.pop_back();
        double longest = 0;
        for (const std::size_t d : waitedOnBy[i]) longest = std::max(longest, chain_[d]);
        chain_[i] = (i < seconds.size() ? seconds[i] : 0) + longest;
        for (const std::size_t j : waits_[i]) {
            if (--left[j] == 0) ready.push_back(j);
        }
    }
}

std::vector<std::size_t> MakeSchedule::Free() const {
    std::vector<std::size_t> free;
    for (std::size_t i = 0; i < waits_.size(); ++i) {
        if (!begun_[i] && open_[i] == 0) free.push_back(i);
    }
    if (byChain_)
        std::stable_sort(free.begin(), free.end(),
                         [this](std::size_t a, std::size_t b) { return chain_[a] > chain_[b]; });
    return free;
}

void MakeSchedule::Begin(std::size_t i) {
    begun_[i] = true;
}

void MakeSchedule::End(std::size_t i) {
    ++ended_;
    for (std::size_t d = 0; d < waits_.size(); ++d) {
        for (const std::size_t j : waits_[d]) {
            if (j == i) --open_[d];
        }
    }
}

std::vector<double> ExpectedSeconds(const std::vector<std::optional<double>>& last) {
    std::vector<double> known;
    for (const auto& s : last) {
        if (s) known.push_back(*s);
    }
    double median = 1;
    if (!known.empty()) {
        std::sort(known.begin(), known.end());
        const std::size_t m = known.size() / 2;
        median = known.size() % 2 == 1 ? known[m] : (known[m - 1] + known[m]) / 2;
    }
    std::vector<double> seconds;
    for (const auto& s : last) seconds.push_back(s ? *s : median);
    return seconds;
}

std::vector<ForecastEntry> ForecastRun(const std::vector<std::vector<std::size_t>>& waits,
                                       const std::vector<double>& seconds,
                                       const std::vector<bool>& compiles, std::size_t jobs) {
    const std::size_t n = waits.size();
    MakeSchedule schedule(waits, seconds, jobs > 1);
    std::vector<ForecastEntry> forecast(n);
    std::vector<std::optional<std::size_t>> slots(std::max<std::size_t>(jobs, 1));
    double now = 0;
    while (!schedule.Finished()) {
        bool begun = false;
        for (const std::size_t i : schedule.Free()) {
            if (i < compiles.size() && !compiles[i]) {
                schedule.Begin(i);
                schedule.End(i);
                forecast[i] = {0, now, now};
                begun = true;
                break;  // what is free may have changed
            }
            const auto slot = std::find(slots.begin(), slots.end(), std::nullopt);
            if (slot == slots.end()) continue;  // one decided without a slot may still come
            *slot = i;
            schedule.Begin(i);
            forecast[i] = {static_cast<std::size_t>(slot - slots.begin()) + 1, now,
                           now + seconds[i]};
            begun = true;
        }
        if (begun) continue;
        // Nothing more can start: the next end comes.
        std::optional<std::size_t> next;
        for (const auto& s : slots) {
            if (s && (!next || forecast[*s].end < forecast[*next].end)) next = s;
        }
        if (!next) return {};  // nothing runs and nothing is free: the waits go round
        now = forecast[*next].end;
        schedule.End(*next);
        *std::find(slots.begin(), slots.end(), next) = std::nullopt;
    }
    return forecast;
}

}  // namespace kinoha
