#include "compile/project_inputs.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "platform/case_fold.h"
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

void AddReference(ProjectInputs& in, const std::wstring& folder, std::wstring_view target,
                  bool byName, bool toProject) {
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
    if (!bare) r.path = PathFromFolder(folder, target);
    r.name = NameOf(std::wstring(target));
    in.references.push_back(std::move(r));
}
}  // namespace

std::wstring SideFileOf(const std::wstring& memberPath) {
    static constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 5> kSides{{
        {L".FRM", L".frx"},
        {L".CTL", L".ctx"},
        {L".DSR", L".dsx"},
        {L".PAG", L".pgx"},
        {L".DOB", L".dox"},
    }};
    for (const auto& [member, side] : kSides) {
        if (HasExtension(memberPath, member)) return ReplaceExtension(memberPath, side);
    }
    return {};
}

std::wstring PathKey(const std::wstring& path) {
    std::wstring key(path.size(), L'\0');
    for (std::size_t i = 0; i < path.size(); ++i)
        key[i] = path[i] == L'/' ? L'\\' : platform::FoldCase(path[i]);
    return key;
}

ProjectInputs ReadProjectInputs(const std::wstring& projectPath) {
    ProjectInputs in;
    in.project = projectPath;
    in.files.push_back({projectPath, true});
    std::vector<std::wstring> lines;
    if (!platform::ReadTextLines(projectPath, lines)) return in;
    in.read = true;
    in.output = ProjectOutputOf(projectPath, lines);
    const std::wstring folder = FolderOf(projectPath);

    const auto member = [&](std::wstring_view value, bool withSide) {
        value = Unquoted(value);
        if (value.empty() || HasControlCharacter(value)) return;
        std::wstring path = PathFromFolder(folder, value);
        if (withSide) {
            std::wstring side = SideFileOf(path);
            in.files.push_back({std::move(path), true});
            if (!side.empty()) in.files.push_back({std::move(side), false});
        } else {
            in.files.push_back({std::move(path), true});
        }
    };
    // Members whose value is the file; "Module=" and "Class=" give "Name; file".
    static constexpr std::array<std::wstring_view, 5> kFileMembers{
        L"Form=", L"UserControl=", L"PropertyPage=", L"Designer=", L"UserDocument="};
    for (const std::wstring& line : lines) {
        // The sections after the member list ("[MS Transaction Server]") hold no members.
        if (!line.empty() && line.front() == L'[') break;
        const std::wstring_view l = line;
        bool done = false;
        for (const auto key : kFileMembers) {
            if (StartsWith(l, key)) {
                member(l.substr(key.size()), true);
                done = true;
                break;
            }
        }
        if (done) continue;
        if (StartsWith(l, L"Module=") || StartsWith(l, L"Class=")) {
            const auto semi = l.find(L';');
            if (semi != std::wstring_view::npos) member(l.substr(semi + 1), false);
        } else if (StartsWith(l, L"RelatedDoc=")) {
            member(l.substr(11), false);
        } else if (StartsWith(l, L"ResFile32=")) {
            member(l.substr(10), false);
        } else if (StartsWith(l, L"Reference=") || StartsWith(l, L"Object=")) {
            // "Object=" names a control by file name only; "Reference=" a library by path.
            const bool object = l.front() == L'O';
            const std::wstring_view v = Trimmed(l.substr(object ? 7 : 10));
            std::wstring_view project;
            if (ProjectReferenceText(v, project)) {
                AddReference(in, folder, project, false, true);
            } else {
                AddReference(in, folder, object ? ObjectName(v) : ReferencePath(v), object, false);
            }
        }
    }
    return in;
}

}  // namespace kinoha
