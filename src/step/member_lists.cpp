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

bool StartsWith(std::wstring_view line, std::wstring_view key) {
    return line.substr(0, key.size()) == key;
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
    std::wstring value;
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

std::wstring FormMemberEntry(std::wstring_view value, std::wstring_view projectFolder) {
    const std::wstring path =
        ResolvePath(std::wstring(projectFolder) + L"\\" + std::wstring(value));
    if (HoldsNul(path)) return kFailedMemberEntry;
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

bool CodeMemberEntry(std::wstring_view value, std::wstring_view projectFolder,
                     std::wstring& entry) {
    std::int32_t p = 0, count = 0;
    SearchString(0, value, L"; ", p, count);
    if (p == 0) return false;
    const auto at = static_cast<std::size_t>(p - 1);
    entry = MemberEntry(value.substr(0, at), ResolvePath(std::wstring(projectFolder) + L"\\" +
                                                         std::wstring(value.substr(at + 2))));
    return true;
}

bool ReadProjectMembers(const std::wstring& projectPath, MemberLists& lists, StepFailure* failure,
                        StepWorkers* workers, const CountOptions& counting) {
    lists.Clear();
    const std::wstring folder = FolderOf(projectPath);
    std::vector<std::wstring> lines;
    const bool readable = platform::ReadTextLines(projectPath, lines);

    // Collect the member lines first, so that the form-like files can be opened side by side;
    // the entries are added in line order, as reading line by line adds them.
    std::vector<MemberLine> members;
    bool complete = readable;
    std::wstring badLine;
    for (const auto& line : lines) {
        static constexpr struct {
            std::wstring_view key;
            MemberKind kind;
        } kKeys[] = {{L"Form=", MemberKind::Form},        {L"Designer=", MemberKind::Dsr},
                     {L"UserDocument=", MemberKind::Doc}, {L"Module=", MemberKind::Module},
                     {L"Class=", MemberKind::Class},      {L"UserControl=", MemberKind::Ctl},
                     {L"PropertyPage=", MemberKind::Pag}};
        bool matched = false;
        for (const auto& k : kKeys) {
            if (!StartsWith(line, k.key)) continue;
            if ((k.kind == MemberKind::Ctl || k.kind == MemberKind::Pag) && !counting.countControls)
                break;
            MemberLine m{k.kind, line.substr(k.key.size()), {}};
            if (k.kind == MemberKind::Module || k.kind == MemberKind::Class) {
                if (!CodeMemberEntry(m.value, folder, m.entry)) {
                    complete = false;
                    badLine = line;
                }
            }
            if (complete) members.push_back(std::move(m));
            matched = true;
            break;
        }
        if (!complete) break;
        if (!matched && StartsWith(line, L"IconForm=")) break;
    }

    ForEachMember(workers, members.size(), [&](std::size_t i) {
        MemberLine& m = members[i];
        if (m.kind != MemberKind::Module && m.kind != MemberKind::Class)
            m.entry = FormMemberEntry(m.value, folder);
    });

    bool unreadableNoted = false;
    for (auto& m : members) {
        if (failure != nullptr && !unreadableNoted && m.entry == kFailedMemberEntry) {
            unreadableNoted = true;
            *failure = {ResolvePath(folder + L"\\" + m.value), L"the member file cannot be read",
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
    if (failure != nullptr && !readable)
        *failure = {projectPath, L"the project file cannot be read",
                    StepFailureKind::ProjectUnreadable};
    if (failure != nullptr && readable && !complete)
        *failure = {projectPath, L"the line \"" + badLine + L"\" names no file after \"; \"",
                    StepFailureKind::MemberLineWithoutFile};
    return complete;
}

}  // namespace kinoha
