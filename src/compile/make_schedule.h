// The order in time of a run that compiles several entries at once: an entry may start once
// every entry it waits for has ended, and of those free to start the one with the longest
// chain of work waiting on it goes first (so that the critical path is never starved), ties in
// list order. The run and the dry run's forecast share it.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace kinoha {

class MakeSchedule {
  public:
    // `waits[i]`: the entries i may not start before; `seconds[i]`: how long i is expected to
    // take. Entries are numbered in list order. Without `byChain` the first in list order goes
    // first (one compile at a time: the plan's order).
    MakeSchedule(std::vector<std::vector<std::size_t>> waits, std::vector<double> seconds,
                 bool byChain = true);

    // The entries free to start now, best first.
    std::vector<std::size_t> Free() const;
    void Begin(std::size_t i);
    void End(std::size_t i);
    // Whether every entry has ended.
    bool Finished() const { return ended_ == waits_.size(); }
    // The expected seconds from i's start to the end of the longest chain of entries that wait
    // on it, i included.
    double Chain(std::size_t i) const { return chain_[i]; }

  private:
    std::vector<std::vector<std::size_t>> waits_;
    std::vector<double> chain_;
    bool byChain_;
    std::vector<std::size_t> open_;  // per entry: how many it still waits for
    std::vector<bool> begun_;
    std::size_t ended_ = 0;
};

// The expected seconds of each entry: its last compile time, or, never compiled, the median
// of the known ones (1 s when none is known).
std::vector<double> ExpectedSeconds(const std::vector<std::optional<double>>& last);

// A forecast of the run: each entry's slot (1..jobs; 0 for one that takes none), start and end
// in seconds from the run's start.
struct ForecastEntry {
    std::size_t slot = 0;
    double start = 0, end = 0;
};
// `compiles[i]`: whether i is compiled (false: decided at once, no slot). Empty when the
// waits never let every entry start (a cycle).
std::vector<ForecastEntry> ForecastRun(const std::vector<std::vector<std::size_t>>& waits,
                                       const std::vector<double>& seconds,
                                       const std::vector<bool>& compiles, std::size_t jobs);

}  // namespace kinoha
