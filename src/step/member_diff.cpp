#include "step/member_diff.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "step/myers_diff.h"

namespace kinoha {
namespace {

enum Cls : std::uint8_t { kScreen, kCode, kComment };

std::string_view TrimBlanksAndTabs(std::string_view s) {
    // Neither byte is ever the second byte of a double-byte character.
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The classified lines of one version as identities shared by both versions: the same class and
// text give the same number.
class Steps {
  public:
    Steps(std::unordered_map<std::string, std::uint32_t>& ids) : ids_(ids) {}

    void operator()(LineClass cls, std::string_view line) {
        switch (cls) {
            case LineClass::Blank:
                return;
            case LineClass::Continued:
                // The statement is one step: its lines are compared together.
                pending_ += TrimBlanksAndTabs(line);
                pending_ += '\n';
                return;
            case LineClass::Screen:
                Add(kScreen, TrimBlanksAndTabs(line));
                return;
            case LineClass::Comment:
                Add(kComment, TrimBlanksAndTabs(line));
                return;
            case LineClass::Code:
                pending_ += TrimBlanksAndTabs(line);
                Add(kCode, pending_);
                pending_.clear();
                return;
        }
    }

    std::vector<std::uint32_t> ids;
    std::vector<Cls> classes;

  private:
    void Add(Cls cls, std::string_view text) {
        key_.assign(1, static_cast<char>('0' + cls));
        key_ += text;
        const auto [it, added] = ids_.try_emplace(key_, static_cast<std::uint32_t>(ids_.size()));
        ids.push_back(it->second);
        classes.push_back(cls);
    }

    std::unordered_map<std::string, std::uint32_t>& ids_;
    std::string pending_;
    std::string key_;
};

ClassDiff& Of(MemberDiff& d, Cls cls) {
    return cls == kScreen ? d.screen : (cls == kCode ? d.code : d.comment);
}

}  // namespace

bool MemberDiff::Unchanged() const {
    for (const ClassDiff* c : {&screen, &code, &comment})
        if (c->added != 0 || c->changed != 0 || c->deleted != 0) return false;
    return true;
}

MemberDiff& MemberDiff::operator+=(const MemberDiff& other) {
    for (auto [to, from] : {std::pair{&screen, &other.screen}, std::pair{&code, &other.code},
                            std::pair{&comment, &other.comment}}) {
        to->added += from->added;
        to->changed += from->changed;
        to->deleted += from->deleted;
    }
    return *this;
}

CountResult DiffMemberBytes(MemberKind kind, std::string_view oldBytes, std::string_view newBytes,
                            const CountOptions& options, MemberDiff& diff) {
    diff = {};
    std::unordered_map<std::string, std::uint32_t> ids;
    Steps before(ids), after(ids);
    CountResult result = ClassifyMemberBytes(kind, oldBytes, options, before);
    if (result != CountResult::Counted) return result;
    result = ClassifyMemberBytes(kind, newBytes, options, after);
    if (result != CountResult::Counted) return result;

    std::vector<char> kept, keptNew;
    MyersDiff(before.ids, after.ids, kept, keptNew);

    // Walk both versions; the unmatched lines between two matched ones form one block.
    std::int64_t deleted[3] = {}, inserted[3] = {};
    const auto closeBlock = [&] {
        for (const Cls cls : {kScreen, kCode, kComment}) {
            ClassDiff& c = Of(diff, cls);
            const std::int64_t paired = std::min(deleted[cls], inserted[cls]);
            c.changed += paired;
            c.deleted += deleted[cls] - paired;
            c.added += inserted[cls] - paired;
            deleted[cls] = inserted[cls] = 0;
        }
    };
    std::size_t i = 0, j = 0;
    const std::size_t n = before.ids.size(), m = after.ids.size();
    while (i < n || j < m) {
        if (i < n && !kept[i]) {
            ++deleted[before.classes[i++]];
        } else if (j < m && !keptNew[j]) {
            ++inserted[after.classes[j++]];
        } else {
            closeBlock();
            ++i;
            ++j;
        }
    }
    closeBlock();
    return CountResult::Counted;
}

MemberDiff AddedMember(const MemberCounts& counts) {
    MemberDiff d;
    d.screen.added = counts.screen;
    d.code.added = counts.code;
    d.comment.added = counts.comment;
    return d;
}

MemberDiff DeletedMember(const MemberCounts& counts) {
    MemberDiff d;
    d.screen.deleted = counts.screen;
    d.code.deleted = counts.code;
    d.comment.deleted = counts.comment;
    return d;
}

}  // namespace kinoha
