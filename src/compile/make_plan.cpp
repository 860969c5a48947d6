#include "compile/make_plan.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "app/text_helpers.h"
#include "catalogue/group_file.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

constexpr std::size_t kNotSelected = static_cast<std::size_t>(-1);
constexpr wchar_t kNoOutput[] = L"出力なし";
constexpr wchar_t kFuture[] = L"日付が未来のファイル";
constexpr wchar_t kOtherHost[] = L"別のホストのファイルのため未確認";
constexpr wchar_t kUpToDate[] = L"最新";

template <class T>
void AddOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

// A project that builds a file, with the selected entries it is compiled in.
struct Producer {
    std::wstring project;
    std::wstring output;
    std::vector<std::size_t> entries;
    // An ActiveX library or control built with binary compatibility keeps its GUIDs; without it
    // the projects that reference it break on every build.
    bool binaryCompatible = true;
};

class Producers {
  public:
    void Add(const std::wstring& project, const std::wstring& output, std::size_t entry,
             bool binaryCompatible = true) {
        const std::wstring key = PathKey(project);
        auto found = byProject_.find(key);
        if (found == byProject_.end()) {
            found = byProject_.emplace(key, list_.size()).first;
            list_.push_back({project, output, {}, binaryCompatible});
            if (!output.empty()) {
                byOutput_[PathKey(NormalisedPath(output))].push_back(found->second);
                byName_[PathKey(NameOf(output))].push_back(found->second);
            }
        }
        if (entry != kNotSelected) AddOnce(list_[found->second].entries, entry);
    }
    bool Known(const std::wstring& project) const {
        return byProject_.count(PathKey(project)) != 0;
    }
    std::vector<std::size_t> OfProject(const std::wstring& path) const {
        const auto it = byProject_.find(PathKey(path));
        return it == byProject_.end() ? std::vector<std::size_t>{} : std::vector{it->second};
    }
    std::vector<std::size_t> OfOutput(const std::wstring& path) const {
        return Find(byOutput_, NormalisedPath(path));
    }
    std::vector<std::size_t> OfName(const std::wstring& name) const { return Find(byName_, name); }
    const Producer& operator[](std::size_t id) const { return list_[id]; }
    // Outputs that more than one project builds, with those projects.
    std::vector<std::vector<std::size_t>> Shared() const {
        std::vector<std::vector<std::size_t>> shared;
        for (const auto& [key, ids] : byOutput_) {
            if (ids.size() > 1) shared.push_back(ids);
        }
        std::sort(shared.begin(), shared.end());  // one order whatever the hashing
        return shared;
    }

  private:
    using Index = std::unordered_map<std::wstring, std::vector<std::size_t>>;
    static std::vector<std::size_t> Find(const Index& index, const std::wstring& path) {
        const auto it = index.find(PathKey(path));
        return it == index.end() ? std::vector<std::size_t>{} : it->second;
    }
    std::vector<Producer> list_;
    std::unordered_map<std::wstring, std::size_t> byProject_;
    Index byOutput_, byName_;
};

// How many leading folders two paths share, letter case and "/" aside.
std::size_t CommonFolders(const std::wstring& a, const std::wstring& b) {
    const std::wstring ka = PathKey(FolderOf(a)) + L"\\", kb = PathKey(FolderOf(b)) + L"\\";
    std::size_t folders = 0;
    for (std::size_t i = 0; i < ka.size() && i < kb.size() && ka[i] == kb[i]; ++i)
        folders += ka[i] == L'\\' ? 1 : 0;
    return folders;
}

// Of the producers of a file name, the one nearest the referencing project (the longest
// common folder); none when that is not one project, so that two checkouts of the same
// projects under one folder never tie together.
std::vector<std::size_t> Nearest(const std::vector<std::size_t>& candidates,
                                 const std::wstring& project, const Producers& producers) {
    std::vector<std::size_t> best;
    std::size_t longest = 0;
    for (const std::size_t id : candidates) {
        const std::size_t common = CommonFolders(project, producers[id].project);
        if (best.empty() || common > longest) {
            best = {id};
            longest = common;
        } else if (common == longest) {
            best.push_back(id);
        }
    }
    if (best.size() != 1) best.clear();
    return best;
}

// The write time of a file; nothing when it does not exist.
std::optional<std::uint64_t> Stamp(const std::wstring& path) {
    std::uint64_t s = 0;
    if (!platform::FileWriteStamp(path, s)) return std::nullopt;
    return s;
}
}  // namespace

MakePlan::MakePlan(std::vector<std::wstring> entries, const std::vector<std::wstring>& known,
                   const std::wstring& memory)
    : memory_(memory) {
    entries_.reserve(entries.size());
    for (auto& path : entries) {
        Entry e;
        for (const auto& project : EntryProjects(path))
            e.projects.push_back(ReadProjectInputs(project));
        e.referencedOutputs.resize(e.projects.size());
        e.path = std::move(path);
        entries_.push_back(std::move(e));
    }
    Relate(known);
    Sort();
    Exclude();
}

void MakePlan::Exclude() {
    std::vector<std::size_t> position(entries_.size());
    for (std::size_t k = 0; k < order_.size(); ++k) position[order_[k]] = k;
    for (auto& e : entries_) e.waits = e.after;
    // Every entry that compiles a project or writes a file, by the key of either.
    std::unordered_map<std::wstring, std::vector<std::size_t>> users;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        for (const auto& p : entries_[i].projects) {
            AddOnce(users[L"p" + PathKey(p.project)], i);
            if (!p.output.empty()) AddOnce(users[L"o" + PathKey(p.output)], i);
        }
    }
    for (const auto& [key, ids] : users) {
        for (const std::size_t a : ids) {
            for (const std::size_t b : ids) {
                if (a != b && position[b] < position[a]) AddOnce(entries_[a].waits, b);
            }
        }
    }
}

std::optional<double> MakePlan::LastSeconds(std::size_t i) const {
    return memory_.Seconds(entries_[i].path);
}

void MakePlan::Relate(const std::vector<std::wstring>& known) {
    Producers producers;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        for (const auto& p : entries_[i].projects)
            producers.Add(p.project, p.output, i, p.binaryCompatible);
    }
    std::unordered_set<std::wstring> selected;
    for (const auto& e : entries_) selected.insert(PathKey(e.path));
    for (const auto& entry : known) {
        // A selected entry's projects were read above; its group file is not read again.
        if (selected.count(PathKey(entry)) != 0) continue;
        for (const auto& project : EntryProjects(entry)) {
            if (!producers.Known(project))
                producers.Add(project, ReadProjectInputs(project).output, kNotSelected);
        }
    }
    for (const auto& ids : producers.Shared()) {
        std::wstring names;
        for (const std::size_t id : ids)
            names += (names.empty() ? L"" : L"、") + NameOf(producers[id].project);
        const std::wstring note =
            L"同じ出力ファイルを作るプロジェクトがあります（一覧の順に"
            L"コンパイルします）：" +
            names + L" → " + producers[ids[0]].output;
        for (const std::size_t id : ids) {
            for (const std::size_t e : producers[id].entries) AddOnce(entries_[e].notes, note);
        }
    }

    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = entries_[i];
        for (std::size_t k = 0; k < e.projects.size(); ++k) {
            const ProjectInputs& p = e.projects[k];
            for (const auto& r : p.references) {
                std::vector<std::size_t> ids = r.toProject      ? producers.OfProject(r.path)
                                               : r.path.empty() ? std::vector<std::size_t>{}
                                                                : producers.OfOutput(r.path);
                // The path is only a hint (VB finds a library by its registration): one that
                // names no output of the list, or a bare name, is matched by file name.
                const bool byName = !r.toProject && ids.empty();
                if (byName) {
                    std::vector<std::size_t> candidates = producers.OfName(r.name);
                    ids = Nearest(candidates, p.project, producers);
                    if (ids.empty() && candidates.size() > 1) {
                        // A few candidates name the cause; a thousand would make a note of
                        // megabytes for each project that uses the name.
                        constexpr std::size_t kNamed = 5;
                        std::wstring names;
                        for (std::size_t c = 0; c < candidates.size() && c < kNamed; ++c)
                            names +=
                                (names.empty() ? L"" : L"、") + producers[candidates[c]].project;
                        if (candidates.size() > kNamed)
                            names +=
                                L" ほか " + std::to_wstring(candidates.size() - kNamed) + L" 件";
                        AddOnce(e.notes, L"参照 " + r.name +
                                             L" を作るプロジェクトが一つに決まらないため、順序には"
                                             L"使いません：" +
                                             names);
                    }
                }
                for (const std::size_t id : ids) {
                    const Producer& from = producers[id];
                    if (PathKey(from.project) == PathKey(p.project)) {
                        AddOnce(e.notes, NameOf(p.project) +
                                             L" は自分自身の出力を参照しています：" + r.name +
                                             L"（順序には使いません）");
                        continue;
                    }
                    if (byName)
                        AddOnce(e.notes, L"参照 " + r.name + L" はファイル名だけで " +
                                             NameOf(from.project) + L" の出力（" + from.output +
                                             L"）と見なしました");
                    if (!from.output.empty()) AddOnce(e.referencedOutputs[k], from.output);
                    // A reference inside the entry (a group and its own project) orders nothing.
                    if (std::find(from.entries.begin(), from.entries.end(), i) !=
                        from.entries.end())
                        continue;
                    for (const std::size_t j : from.entries) AddOnce(e.after, j);
                    if (!from.binaryCompatible)
                        for (const std::size_t j : from.entries) {
                            AddOnce(entries_[j].warnings, std::wstring(L"no-compatibility"));
                            AddOnce(entries_[j].notes,
                                    NameOf(from.project) +
                                        L" はバイナリ互換でないため、ビルドのたびに参照する"
                                        L"プロジェクトが壊れることがあります");
                        }
                }
            }
        }
    }
}

void MakePlan::Sort() {
    const std::size_t n = entries_.size();
    std::vector<std::size_t> waiting(n);
    std::vector<std::vector<std::size_t>> dependants(n);
    for (std::size_t i = 0; i < n; ++i) {
        waiting[i] = entries_[i].after.size();
        for (const std::size_t j : entries_[i].after) dependants[j].push_back(i);
    }
    // Of the entries free to go, the first in list order goes next: unrelated entries keep
    // their order.
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t i = 0; i < n; ++i) {
        if (waiting[i] == 0) ready.push(i);
    }
    while (!ready.empty()) {
        const std::size_t i = ready.top();
        ready.pop();
        order_.push_back(i);
        for (const std::size_t d : dependants[i]) {
            if (--waiting[d] == 0) ready.push(d);
        }
    }
    if (order_.size() == n) return;

    // Each entry left waits for another one left: following them from the first one left comes
    // back round, and that round is the cycle.
    std::size_t at = 0;
    while (waiting[at] == 0) ++at;
    std::vector<std::size_t> walk;
    std::vector<std::size_t> seenAt(n, kNotSelected);
    while (seenAt[at] == kNotSelected) {
        seenAt[at] = walk.size();
        walk.push_back(at);
        for (const std::size_t j : entries_[at].after) {
            if (waiting[j] != 0) {
                at = j;
                break;
            }
        }
    }
    // Names, unless two entries of the cycle share one: then paths tell them apart.
    std::unordered_set<std::wstring> names;
    bool shared = false;
    for (std::size_t k = seenAt[at]; k < walk.size(); ++k)
        shared = !names.insert(PathKey(NameOf(entries_[walk[k]].path))).second || shared;
    const auto shown = [&](std::size_t e) {
        return shared ? entries_[e].path : NameOf(entries_[e].path);
    };
    for (std::size_t k = seenAt[at]; k < walk.size(); ++k) cycle_ += shown(walk[k]) + L" → ";
    cycle_ += shown(at);
    order_.clear();
}

CompileTarget MakePlan::Target(std::size_t i) const {
    const Entry& e = entries_[i];
    CompileTarget t;
    t.entry = e.path;
    if (!HasExtension(e.path, L".VBG") && !e.projects.empty()) t.outDir = e.projects[0].outputDir;
    for (const auto& p : e.projects) {
        if (!p.output.empty()) t.outputs.push_back(p.output);
    }
    return t;
}

MakeState MakePlan::StateNow(std::size_t i, bool elsewhere) const {
    const Entry& e = entries_[i];
    // Two minutes for a file server whose clock is a little ahead.
    const std::uint64_t future = platform::WriteStampNow(120);
    const auto away = [&](const std::wstring& path) {
        return !elsewhere && NamesOtherHost(path, e.path);
    };
    if (e.projects.empty()) return {false, L"プロジェクトがありません", {}, L"no-project"};
    const bool group = HasExtension(e.path, L".VBG");
    for (std::size_t k = 0; k < e.projects.size(); ++k) {
        const ProjectInputs& p = e.projects[k];
        const std::wstring prefix = group ? NameOf(p.project) + L"：" : std::wstring();
        if (!p.read)
            return {false, prefix + L"プロジェクトファイルを読めません", {}, L"project-unreadable"};
        if (p.output.empty())
            return {false, prefix + L"出力ファイル名がありません", {}, L"no-output-name"};
        if (away(p.output)) return {false, prefix + kOtherHost, p.output, L"other-host"};
        const auto output = Stamp(p.output);
        if (!output) return {false, prefix + kNoOutput, {}, L"no-output"};
        // A file dated ahead of the clock would make every input look older, or newer, for
        // as long as the clock takes to catch up: it counts as changed, and is named.
        if (*output > future) return {false, prefix + kFuture, p.output, L"future-time"};
        std::uint64_t newest = *output;
        const std::wstring* newestPath = nullptr;
        const std::wstring* awayPath = nullptr;
        const std::wstring* futurePath = nullptr;
        const auto consider = [&](const std::wstring& path, bool named) -> bool {
            if (away(path)) {
                awayPath = &path;
                return true;
            }
            const auto s = Stamp(path);
            if (!s) return !named;
            if (*s > future && futurePath == nullptr) futurePath = &path;
            // Only a strictly newer file counts, as make has it: file times are as coarse as
            // the clock's tick, and outputs written in one tick (a DLL, then the EXE that uses
            // it) would otherwise never come out up to date.
            if (*s > newest) {
                newest = *s;
                newestPath = &path;
            }
            return true;
        };
        // A project file that VB's own build wrote back is no change of the project.
        const bool settled = memory_.Settled(p.project) == p.settledDigest;
        for (const auto& f : p.files) {
            if (settled && &f == &p.files.front()) continue;
            if (!consider(f.path, f.named))
                return {false, prefix + L"ファイル無し", f.path, L"missing-member"};
        }
        for (const auto& out : e.referencedOutputs[k]) {
            if (!consider(out, true))
                return {false, prefix + L"ファイル無し", out, L"missing-member"};
        }
        if (futurePath != nullptr) return {false, prefix + kFuture, *futurePath, L"future-time"};
        if (newestPath != nullptr) return {false, prefix + L"更新", *newestPath, L"input-newer"};
        if (awayPath != nullptr) return {false, prefix + kOtherHost, *awayPath, L"other-host"};
    }
    return {true, kUpToDate, {}, L"up-to-date"};
}

std::vector<MakeState> MakePlan::Forecast() const {
    std::vector<MakeState> states;
    states.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) states.push_back(StateNow(i, false));
    for (const std::size_t i : order_) {
        if (!states[i].upToDate) continue;
        for (const std::size_t j : entries_[i].after) {
            if (!states[j].upToDate) {
                states[i] = {false,
                             L"参照先を再コンパイル：" + NameOf(entries_[j].path),
                             {},
                             L"dependency-rebuilt"};
                break;
            }
        }
    }
    return states;
}

MakeStep MakePlan::Next(std::size_t i, bool changedOnly) const {
    const Entry& e = entries_[i];
    for (const std::size_t j : e.after) {
        const auto& r = entries_[j].result;
        if (r == CompileResult::Failed)
            return {
                MakeStep::Action::NotRun,
                {false, L"参照先が失敗：" + NameOf(entries_[j].path), {}, L"dependency-failed"}};
        if (r == CompileResult::NotRun)
            return {MakeStep::Action::NotRun,
                    {false,
                     L"参照先が未実行：" + NameOf(entries_[j].path),
                     {},
                     L"dependency-not-built"}};
    }
    MakeState s = StateNow(i);
    if (s.upToDate) {
        for (const std::size_t j : e.after) {
            if (entries_[j].result == CompileResult::Succeeded) {
                s = {false,
                     L"参照先を再コンパイル：" + NameOf(entries_[j].path),
                     {},
                     L"dependency-rebuilt"};
                break;
            }
        }
    }
    if (changedOnly && s.upToDate) return {MakeStep::Action::UpToDate, s};
    return {MakeStep::Action::Compile, s};
}

void MakePlan::Record(std::size_t i, CompileResult result, double seconds) {
    if (i >= entries_.size()) return;
    entries_[i].result = result;
    if (result != CompileResult::Succeeded) return;
    if (seconds >= 0) memory_.RememberSeconds(entries_[i].path, seconds);
    for (const auto& p : entries_[i].projects) {
        // Read again only when VB wrote the file back during the build.
        std::uint64_t stamp = 0;
        std::uint64_t digest = p.settledDigest;
        if (platform::FileWriteStamp(p.project, stamp) && stamp != p.readStamp) {
            std::string bytes;
            if (!platform::ReadFileBytes(p.project, bytes)) continue;
            digest = SettledDigest(bytes);
        }
        memory_.Remember(p.project, digest);
    }
}

}  // namespace kinoha
