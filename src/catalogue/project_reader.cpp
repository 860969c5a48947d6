#include <array>
#include <optional>
#include <string_view>

#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

bool StartsWith(std::wstring_view line, std::wstring_view key) {
    return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

std::wstring_view Trimmed(std::wstring_view v) {
    while (!v.empty() && (v.front() == L' ' || v.front() == L'\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == L' ' || v.back() == L'\t')) v.remove_suffix(1);
    return v;
}

std::wstring_view Unquoted(std::wstring_view v) {
    v = Trimmed(v);
    if (v.size() >= 2 && v.front() == L'"' && v.back() == L'"') v = v.substr(1, v.size() - 2);
    return v;
}

// The quoted value of a key line, taken from a fixed position as the project format writes it:
// `from` is the 1-based first character, and the last character (the closing quote) is left
// out. Nothing when the line is too short for that.
std::optional<std::wstring> QuotedValue(const std::wstring& line, std::size_t from) {
    if (line.size() < from) return std::nullopt;
    return line.substr(from - 1, line.size() - from);
}

// "*\A" followed by a project file: a reference to another project of the group.
bool ProjectReferenceText(std::wstring_view v, std::wstring_view& project) {
    if (!StartsWith(v, L"*\\A")) return false;
    project = Trimmed(v.substr(3));
    return true;
}

// A "Reference=" value: "*\G{guid}#version#lcid#path#description" names the file by path.
std::wstring_view ReferencePath(std::wstring_view v) {
    for (int field = 0; field < 3; ++field) {
        const auto hash = v.find(L'#');
        if (hash == std::wstring_view::npos) return {};
        v.remove_prefix(hash + 1);
    }
    return Trimmed(v.substr(0, v.find(L'#')));
}

// An "Object=" value: "{guid}#version#lcid; FILE.OCX" names the control file by name only.
std::wstring_view ObjectName(std::wstring_view v) {
    const auto semi = v.find(L';');
    return semi == std::wstring_view::npos ? std::wstring_view() : Trimmed(v.substr(semi + 1));
}

void AddReference(ProjectFile& p, const std::wstring& folder, std::wstring_view target, bool byName,
                  bool toProject) {
    // A value ending in a separator names a folder, no file.
    if (target.empty() || HasControlCharacter(target) || target.back() == L'\\' ||
        target.back() == L'/')
        return;
    ProjectReference r;
    r.toProject = toProject;
    // A file name without a folder is matched by name, as the file's place is not given; a
    // project reference is always a path from this project's folder.
    const bool bare =
        byName || (!toProject && target.find_first_of(L"\\/:") == std::wstring_view::npos);
    // Spelled with ".\", "/" or doubled separators, a library's path names the plain path's file.
    if (!bare) r.path = PathFromFolder(folder, NormalisedPath(target));
    // The name from the path as read, whichever separators it was spelled with.
    r.name = NameOf(bare ? std::wstring(target) : r.path);
    p.references.push_back(std::move(r));
}

// The file a member value names, or empty. A control character stays: no file has one, and
// each reader says so its own way.
std::wstring MemberPath(const std::wstring& folder, std::wstring_view value) {
    value = Unquoted(value);
    if (value.empty()) return {};
    return PathFromFolder(folder, value);
}

// The catalogue's two keys: found anywhere in a line, the later line winning.
void ReadOutputKeys(ProjectFile& p, const std::wstring& line) {
    static constexpr std::wstring_view kExeName = L"ExeName32=\"";
    static constexpr std::wstring_view kPath = L"Path32=";
    if (line.find(kExeName) != std::wstring::npos) {
        if (auto v = QuotedValue(line, 12)) {
            p.exeName32 = std::move(*v);
        } else {
            p.shortExeName = true;
        }
    }
    if (line.find(kPath) != std::wstring::npos) {
        if (auto v = QuotedValue(line, 9)) {
            p.path32 = std::move(*v);
        } else {
            p.shortPath32 = true;
        }
    }
}

// The extension VB gives a project's output by its type, when it names no file.
const wchar_t* TypeExtension(const std::wstring& type) {
    if (type == L"Exe" || type == L"OleExe") return L".exe";
    if (type == L"OleDll") return L".dll";
    if (type == L"Control") return L".ocx";
    return nullptr;
}

void ComputeOutput(ProjectFile& p) {
    const std::wstring folder = FolderOf(p.path);
    if (!p.shortPath32 && !p.path32.empty()) p.outputDir = PathFromFolder(folder, p.path32);
    if (p.shortPath32 || p.shortExeName) return;
    const wchar_t* extension = TypeExtension(p.type);
    const std::wstring file =
        !p.exeName32.empty() ? p.exeName32
        : extension != nullptr && !p.name.empty() && !HasControlCharacter(p.name)
            ? p.name + extension
            : std::wstring();
    if (file.empty()) return;
    std::wstring dir;
    if (!p.path32.empty()) {
        // The value names a folder: the "\" added lets a last ".." step apply.
        dir = PathFromFolder(folder, p.path32 + L"\\");
        if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    }
    if (dir.empty() && LastBackslash(p.path) > 0) dir = folder;
    p.builds = PathFromFolder(dir, file);
    if (!p.exeName32.empty()) p.output = p.builds;
}

struct MemberKeyText {
    std::wstring_view key;
    ProjectMember::Key kind;
};
// Members whose value is the file; "Module=" and "Class=" give "Name; file".
constexpr std::array<MemberKeyText, 9> kMemberKeys{{
    {L"Form=", ProjectMember::Key::Form},
    {L"Designer=", ProjectMember::Key::Designer},
    {L"UserDocument=", ProjectMember::Key::UserDocument},
    {L"Module=", ProjectMember::Key::Module},
    {L"Class=", ProjectMember::Key::Class},
    {L"UserControl=", ProjectMember::Key::UserControl},
    {L"PropertyPage=", ProjectMember::Key::PropertyPage},
    {L"RelatedDoc=", ProjectMember::Key::RelatedDoc},
    {L"ResFile32=", ProjectMember::Key::ResFile},
}};

ProjectMember MemberOf(ProjectMember::Key kind, const std::wstring& line, std::wstring_view value,
                       const std::wstring& folder, bool afterIconForm) {
    ProjectMember m;
    m.key = kind;
    m.line = line;
    m.afterIconForm = afterIconForm;
    if (kind != ProjectMember::Key::Module && kind != ProjectMember::Key::Class) {
        m.path = MemberPath(folder, value);
        return m;
    }
    const auto spaced = value.find(L"; ");
    const auto semi = spaced != std::wstring_view::npos ? spaced : value.find(L';');
    m.nameSeparated = spaced != std::wstring_view::npos;
    if (semi == std::wstring_view::npos) return m;
    m.name = std::wstring(value.substr(0, semi));
    m.path = MemberPath(folder, value.substr(semi + 1));
    return m;
}

// A line of the member list, before the first section.
void ReadListLine(ProjectFile& p, const std::wstring& line, const std::wstring& folder,
                  bool afterIconForm) {
    const std::wstring_view l = line;
    for (const auto& k : kMemberKeys) {
        if (StartsWith(l, k.key)) {
            p.members.push_back(
                MemberOf(k.kind, line, l.substr(k.key.size()), folder, afterIconForm));
            return;
        }
    }
    if (StartsWith(l, L"Reference=") || StartsWith(l, L"Object=")) {
        // "Object=" names a control by file name only; "Reference=" a library by path.
        const bool object = l.front() == L'O';
        const std::wstring_view v = Trimmed(l.substr(object ? 7 : 10));
        std::wstring_view project;
        if (ProjectReferenceText(v, project)) {
            AddReference(p, folder, project, false, true);
        } else {
            AddReference(p, folder, object ? ObjectName(v) : ReferencePath(v), object, false);
        }
    } else if (StartsWith(l, L"Type=")) {
        p.type = Unquoted(l.substr(5));
    } else if (StartsWith(l, L"Name=")) {
        p.name = Unquoted(l.substr(5));
    } else if (StartsWith(l, L"CompatibleMode=")) {
        p.compatibleMode = Unquoted(l.substr(15));
    } else if (StartsWith(l, L"CompatibleEXE32=")) {
        p.compatibleExe32 = Unquoted(l.substr(16));
    }
}

}  // namespace

ProjectFile ReadProjectFile(const std::wstring& projectPath) {
    ProjectFile p;
    p.path = projectPath;
    if (!platform::ReadFileBytes(projectPath, p.bytes)) return p;
    p.read = true;
    std::vector<std::string_view> raw;
    platform::SplitLines(p.bytes, raw);
    const std::wstring folder = FolderOf(projectPath);
    bool inList = true, afterIconForm = false;
    for (const auto r : raw) {
        // Keys are looked for in the decoded text: a trail byte of a double-byte character can
        // look like an ASCII letter.
        const std::wstring line = platform::DecodeAnsi(r);
        ReadOutputKeys(p, line);
        // The sections after the member list ("[MS Transaction Server]") hold no members.
        if (!line.empty() && line.front() == L'[') inList = false;
        if (inList) ReadListLine(p, line, folder, afterIconForm);
        if (StartsWith(line, L"IconForm=")) afterIconForm = true;
    }
    ComputeOutput(p);
    return p;
}

std::wstring ProjectExeOf(const ProjectFile& project) {
    // Projects that build a DLL or a control have no ".EXE" (their output folder may).
    return HasExtension(project.output, L".EXE") ? project.output : std::wstring();
}

std::wstring GetProjectExe(const std::wstring& projectPath) {
    return ProjectExeOf(ReadProjectFile(projectPath));
}

std::wstring GetProjectOutput(const std::wstring& projectPath) {
    return ReadProjectFile(projectPath).output;
}

std::wstring GetOutputDir(const std::wstring& projectPath) {
    return ReadProjectFile(projectPath).outputDir;
}

}  // namespace kinoha
