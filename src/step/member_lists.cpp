#include "step/member_lists.h"

#include <mutex>
#include <vector>

#include "app/text_helpers.h"
#include "platform/platform.h"
#include "step/line_splitter.h"
#include "step/step_workers.h"

namespace kinoha {
namespace {

std::wstring_view TrimBlanks(std::wstring_view s) {
    while (!s.empty() && s.front() == L' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == L' ') s.remove_suffix(1);
    return s;
}

// The member name a line of a form-like file declares; false when the line declares none.
bool DeclaredName(std::wstring_view line, std::wstring& name) {
    struct Fixed {
        std::wstring_view key;
        std::size_t from;
    };
    static constexpr Fixed kFixed[] = {
        {L"Begin VB.Form ", 14}, {L"Begin VB.MDIForm ", 17}, {L"Begin VB.UserDocument ", 22}};
    for (const auto& f : kFixed) {
        if (line.find(f.key) != std::wstring_view::npos) {
            // From the character after the key's length, wherever the key stood; untrimmed.
            name = std::wstring(line.substr(f.from < line.size() ? f.from : line.size()));
            return true;
        }
    }
    if (line.find(L"Begin ") == std::wstring_view::npos) return false;
    // A designer's «Begin {class id} Name»: the last blank is sought in the trimmed line, and
    // the name taken after that position in the line as it stands.
    const std::wstring_view trimmed = TrimBlanks(line);
    const auto blank = trimmed.rfind(L' ');
    if (blank == std::wstring_view::npos) return false;
    const std::size_t from = blank + 1;
    name = std::wstring(TrimBlanks(line.substr(from < line.size() ? from : line.size())));
    return true;
}

// The declaring line is sought line by line as the file streams in, and the reading stops at
// it; only a line that holds "Begin " is decoded. A line past kShortLine bytes is held (and
// decoded) only while holding gLongLine, so that jobs side by side hold one such line at most.
constexpr std::size_t kShortLine = std::size_t{1} << 20;
std::mutex gLongLine;

class NameSearch {
  public:
    void Piece(std::string_view bytes) {
        if (found_) return;
        line_.append(bytes);
        if (line_.size() > kShortLine && !longLine_.owns_lock())
            longLine_ = std::unique_lock<std::mutex>(gLongLine);
    }
    void End() {
        if (found_) return;
        // Every declaring line holds "Begin ", where the code page keeps ASCII as those bytes.
        if (!keepsAscii_ || line_.find("Begin ") != std::string::npos)
            found_ = DeclaredName(platform::DecodeAnsi(line_), name_);
        if (!found_) name_.clear();
        if (line_.capacity() > kShortLine) {
            std::string().swap(line_);
            if (longLine_.owns_lock()) longLine_.unlock();
        }
        line_.clear();
    }
    void Start() {
        line_.clear();
        name_.clear();
        found_ = false;
    }
    bool Found() const { return found_; }
    const std::wstring& Name() const { return name_; }

  private:
    const bool keepsAscii_ = platform::AnsiKeepsAscii();
    std::string line_;
    std::wstring name_;
    bool found_ = false;
    std::unique_lock<std::mutex> longLine_;
};

struct MemberLine {
    MemberKind kind;
    std::wstring path;
    std::wstring entry;
};

}  // namespace

void MemberLists::Clear() {
    lstFrm.Clear();
    lstBas.Clear();
    lstCls.Clear();
    lstDoc.Clear();
    lstDsr.Clear();
    lstCtl.Clear();
    lstPag.Clear();
}

std::size_t MemberLists::Count() const {
    return lstFrm.Count() + lstBas.Count() + lstCls.Count() + lstDoc.Count() + lstDsr.Count() +
           lstCtl.Count() + lstPag.Count();
}

std::array<std::pair<const SortedList*, MemberKind>, 7> ReportOrder(const MemberLists& lists) {
    return {{{&lists.lstFrm, MemberKind::Form},
             {&lists.lstBas, MemberKind::Module},
             {&lists.lstCls, MemberKind::Class},
             {&lists.lstDoc, MemberKind::Doc},
             {&lists.lstDsr, MemberKind::Dsr},
             {&lists.lstCtl, MemberKind::Ctl},
             {&lists.lstPag, MemberKind::Pag}}};
}

std::wstring_view KindWord(MemberKind kind) {
    switch (kind) {
        case MemberKind::Form:
            return L"Form";
        case MemberKind::Module:
            return L"Module";
        case MemberKind::Class:
            return L"Class";
        case MemberKind::Doc:
            return L"Doc";
        case MemberKind::Dsr:
            return L"Dsr";
        case MemberKind::Ctl:
            return L"Ctl";
        case MemberKind::Pag:
            return L"Pag";
    }
    return L"";
}

std::wstring MemberEntry(std::wstring_view name, std::wstring_view path) {
    std::wstring entry(name.substr(0, kNameColumn));
    entry.resize(kNameColumn, L' ');
    entry += L'|';
    entry += path;
    return entry;
}

std::wstring MemberEntryName(std::wstring_view entry) {
    return std::wstring(TrimBlanks(entry.substr(0, kNameColumn)));
}

std::wstring MemberEntryPath(std::wstring_view entry) {
    return std::wstring(entry.size() > kNameColumn + 1 ? entry.substr(kNameColumn + 1) : L"");
}

std::wstring FormMemberEntry(const std::wstring& path) {
    if (path.empty() || HoldsNul(path)) return kFailedMemberEntry;
    // Line by line up to the declaring line, near the top; the rest is not read.
    NameSearch search;
    LineSplitter<NameSearch> lines(search);
    const bool read = platform::ReadFileBlocks(
        path,
        [&] {
            search.Start();
            lines.Reset();
        },
        [&](std::string_view block) {
            lines.Feed(block);
            return !search.Found();
        });
    if (!read && !search.Found()) return kFailedMemberEntry;
    if (read) lines.Finish();
    return MemberEntry(search.Name(), path);
}

namespace {
// The step report's kind of a member line; false for the lines it does not count.
bool CountedKind(ProjectMember::Key key, const CountOptions& counting, MemberKind& kind) {
    switch (key) {
        case ProjectMember::Key::Form:
            kind = MemberKind::Form;
            return true;
        case ProjectMember::Key::Module:
            kind = MemberKind::Module;
            return true;
        case ProjectMember::Key::Class:
            kind = MemberKind::Class;
            return true;
        case ProjectMember::Key::UserDocument:
            kind = MemberKind::Doc;
            return true;
        case ProjectMember::Key::Designer:
            kind = MemberKind::Dsr;
            return true;
        case ProjectMember::Key::UserControl:
            kind = MemberKind::Ctl;
            return counting.countControls;
        case ProjectMember::Key::PropertyPage:
            kind = MemberKind::Pag;
            return counting.countControls;
        case ProjectMember::Key::RelatedDoc:
        case ProjectMember::Key::ResFile:
            break;
    }
    return false;
}
}  // namespace

bool ReadProjectMembers(const std::wstring& projectPath, MemberLists& lists, StepFailure* failure,
                        StepWorkers* workers, const CountOptions& counting) {
    return ListProjectMembers(ReadProjectFile(projectPath), lists, failure, workers, counting);
}

bool ListProjectMembers(const ProjectFile& project, MemberLists& lists, StepFailure* failure,
                        StepWorkers* workers, const CountOptions& counting) {
    lists.Clear();
    // Collect the member lines first, so that the form-like files can be opened side by side;
    // the entries are added in line order, as reading line by line adds them.
    std::vector<MemberLine> members;
    bool complete = project.read;
    std::wstring badLine;
    for (const auto& m : project.members) {
        if (m.afterIconForm) break;
        MemberKind kind = MemberKind::Form;
        if (!CountedKind(m.key, counting, kind)) continue;
        const bool code = kind == MemberKind::Module || kind == MemberKind::Class;
        if (code && (!m.nameSeparated || m.path.empty())) {
            complete = false;
            badLine = m.line;
            break;
        }
        members.push_back({kind, m.path, code ? MemberEntry(m.name, m.path) : std::wstring()});
    }

    ForEachMember(workers, members.size(), [&](std::size_t i) {
        MemberLine& m = members[i];
        if (m.kind != MemberKind::Module && m.kind != MemberKind::Class)
            m.entry = FormMemberEntry(m.path);
    });

    bool unreadableNoted = false;
    for (auto& m : members) {
        if (failure != nullptr && !unreadableNoted && m.entry == kFailedMemberEntry) {
            unreadableNoted = true;
            // A line naming no file at all is told by its project.
            *failure = {m.path.empty() ? project.path : m.path, L"the member file cannot be read",
                        StepFailureKind::MemberUnreadable};
        }
        switch (m.kind) {
            case MemberKind::Form:
                lists.lstFrm.Add(std::move(m.entry));
                break;
            case MemberKind::Module:
                lists.lstBas.Add(std::move(m.entry));
                break;
            case MemberKind::Class:
                lists.lstCls.Add(std::move(m.entry));
                break;
            case MemberKind::Doc:
                lists.lstDoc.Add(std::move(m.entry));
                break;
            case MemberKind::Dsr:
                lists.lstDsr.Add(std::move(m.entry));
                break;
            case MemberKind::Ctl:
                lists.lstCtl.Add(std::move(m.entry));
                break;
            case MemberKind::Pag:
                lists.lstPag.Add(std::move(m.entry));
                break;
        }
    }
    if (failure != nullptr && !project.read)
        *failure = {project.path, L"the project file cannot be read",
                    StepFailureKind::ProjectUnreadable};
    if (failure != nullptr && project.read && !complete)
        *failure = {project.path, L"the line \"" + badLine + L"\" names no file after \"; \"",
                    StepFailureKind::MemberLineWithoutFile};
    return complete;
}

}  // namespace kinoha
