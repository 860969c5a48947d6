#include "compile/make_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/fake_vb.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

// Runs of several compiles at once, through a stand-in VB that may be called from several
// threads: it records how many ran at once and, per entry, what the run's hooks saw.
class MakeRunTest : public ::testing::Test {
  protected:
    // A project in its own folder; `uses` names the projects whose EXE it references.
    void Project(const std::wstring& name, const std::vector<std::wstring>& uses = {}) {
        std::string lines = "Type=Exe\r\n";
        for (const auto& u : uses)
            lines += "Reference=*\\G{1}#1.0#0#..\\" + test::Utf8(u) + "\\" + test::Utf8(u) +
                     ".exe#" + test::Utf8(u) + "\r\n";
        lines += "ExeName32=\"" + test::Utf8(name) + ".exe\"\r\n";
        test::WriteFile(dir_ / (name + L"\\" + name + L".vbp"), lines);
        entries_.push_back(dir_ / (name + L"\\" + name + L".vbp"));
    }
    static std::wstring Name(const std::wstring& path) {
        const std::wstring file = path.substr(path.rfind(L'\\') + 1);
        return file.substr(0, file.find(L'.'));
    }

    struct Seen {
        std::vector<std::wstring> events;  // "+A" as A starts, "-A" as it ends, in order
        std::map<std::wstring, CompileResult> results;
        std::map<std::wstring, bool> left;  // entries the run left out
        std::size_t mostAtOnce = 0;
    };
    Seen Run(std::size_t jobs, bool keepGoing, std::function<bool(const Seen&)> stop = {}) {
        MakePlan plan(entries_, entries_);
        Seen seen;
        std::mutex lock;
        std::size_t running = 0;
        MakeSettings settings;
        settings.compile.vbMain = vb_;
        settings.compile.run = [&](const std::wstring& line, const platform::SupervisedRun& how) {
            {
                const std::lock_guard<std::mutex> guard(lock);
                seen.mostAtOnce = std::max(seen.mostAtOnce, ++running);
            }
            // Long enough for the others free to start to be started meanwhile; a failure
            // comes at once.
            if (line.find(L"\\L.vbp") == std::wstring::npos || !failL)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const std::lock_guard<std::mutex> guard(lock);
            --running;
            return fake_(line, how);
        };
        settings.logFor = [&](const std::wstring& entry) {
            return logs_ / (Name(entry) + L".log");
        };
        settings.jobs = jobs;
        settings.keepGoing = keepGoing;
        MakeRunHooks hooks;
        hooks.started = [&](std::size_t i, std::size_t slot) {
            EXPECT_GE(slot, 1u);
            EXPECT_LE(slot, jobs);
            seen.events.push_back(L"+" + Name(plan.EntryPath(i)));
        };
        hooks.ended = [&](std::size_t i, const MadeEntry& made) {
            seen.events.push_back(L"-" + Name(plan.EntryPath(i)));
            seen.results[Name(plan.EntryPath(i))] = made.outcome.result;
        };
        hooks.stopAsked = [&] { return stop && stop(seen); };
        const MakeRunReport report = RunMake(plan, settings, hooks);
        for (std::size_t i = 0; i < entries_.size(); ++i)
            seen.left[Name(plan.EntryPath(i))] = !report.made[i].has_value();
        return seen;
    }
    static std::size_t At(const Seen& s, const std::wstring& event) {
        return static_cast<std::size_t>(std::find(s.events.begin(), s.events.end(), event) -
                                        s.events.begin());
    }

    test::TempDir dir_, logs_;
    const std::wstring vb_ = dir_ / L"VB6.EXE";
    std::vector<std::wstring> entries_;
    test::FakeVb fake_;
    bool failL = false;
};

TEST_F(MakeRunTest, SeveralAtOnceKeepTheReferencesStartTheLongestChainFirstAndMatchASerialRun) {
    test::WriteFile(vb_, "");
    // F1..F3 free; the chain L ← M ← A (A references M, M references L) listed last.
    for (const wchar_t* f : {L"F1", L"F2", L"F3"}) Project(f);
    Project(L"L");
    Project(L"M", {L"L"});
    Project(L"A", {L"M"});
    const Seen parallel = Run(2, true);
    EXPECT_LE(parallel.mostAtOnce, 2u);
    EXPECT_EQ(parallel.mostAtOnce, 2u);
    // The chain's head goes first, then the first free entry in list order.
    ASSERT_GE(parallel.events.size(), 2u);
    EXPECT_EQ(parallel.events[0], L"+L");
    EXPECT_EQ(parallel.events[1], L"+F1");
    EXPECT_LT(At(parallel, L"-L"), At(parallel, L"+M"));
    EXPECT_LT(At(parallel, L"-M"), At(parallel, L"+A"));
    // One at a time: the plan's order, the same results.
    const Seen serial = Run(1, true);
    EXPECT_EQ(serial.mostAtOnce, 1u);
    EXPECT_EQ(serial.events,
              (std::vector<std::wstring>{L"+F1", L"-F1", L"+F2", L"-F2", L"+F3", L"-F3", L"+L",
                                         L"-L", L"+M", L"-M", L"+A", L"-A"}));
    EXPECT_EQ(parallel.results, serial.results);
}

TEST_F(MakeRunTest, AFailureLeavesItsDependantsOutAndAStopOrNoKeepGoingStartsNothingNew) {
    test::WriteFile(vb_, "");
    Project(L"L");
    Project(L"M", {L"L"});
    Project(L"F1");
    Project(L"F2");
    Project(L"F3");
    fake_.modes[L"L.vbp"] = {true, 1, true, "Build of 'L.exe' failed.\r\n", false};
    failL = true;
    Seen s = Run(3, true);
    EXPECT_EQ(s.results[L"L"], CompileResult::Failed);
    EXPECT_EQ(s.results[L"M"], CompileResult::NotRun);
    for (const wchar_t* f : {L"F1", L"F2", L"F3"})
        EXPECT_EQ(s.results[f], CompileResult::Succeeded);

    // Without keep-going the run waits for those under way and starts nothing after L failed.
    s = Run(3, false);
    EXPECT_EQ(s.results[L"L"], CompileResult::Failed);
    EXPECT_TRUE(s.left[L"F3"]);  // it would have started when L's slot came free
    EXPECT_EQ(s.results[L"F1"], CompileResult::Succeeded);
    EXPECT_EQ(s.results[L"F2"], CompileResult::Succeeded);

    // A stop asked for once a compile has ended: the one under way ends, nothing more starts.
    fake_.modes.clear();
    failL = false;
    s = Run(2, true, [](const Seen& seen) {
        return std::any_of(seen.events.begin(), seen.events.end(),
                           [](const std::wstring& e) { return e[0] == L'-'; });
    });
    EXPECT_EQ(std::count_if(s.events.begin(), s.events.end(),
                            [](const std::wstring& e) { return e[0] == L'+'; }),
              2);
    EXPECT_EQ(std::count_if(s.left.begin(), s.left.end(), [](const auto& e) { return e.second; }),
              3);
}

}  // namespace
}  // namespace kinoha
