#include "compile/project_inputs.h"

#include <array>
#include <string_view>
#include <utility>

#include "app/text_helpers.h"
#include "compile/make_memory.h"
#include "platform/case_fold.h"
#include "platform/platform.h"

namespace kinoha {

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

ProjectInputs InputsOf(const ProjectFile& project) {
    ProjectInputs in;
    in.project = project.path;
    in.files.push_back({project.path, true});
    if (!project.read) return in;
    in.read = true;
    in.output = project.builds;
    in.outputDir = project.outputDir;
    const bool activeX =
        project.type == L"OleDll" || project.type == L"Control" || project.type == L"OleExe";
    in.binaryCompatible = !activeX || project.compatibleMode == L"2";
    in.settledDigest = SettledDigest(project.bytes);
    platform::FileWriteStamp(project.path, in.readStamp);
    for (const auto& m : project.members) {
        if (m.path.empty() || HasControlCharacter(m.path)) continue;
        in.files.push_back({m.path, true});
        // Only form-like members have side files; a module named ".frm" has none.
        const bool formLike =
            m.key != ProjectMember::Key::Module && m.key != ProjectMember::Key::Class &&
            m.key != ProjectMember::Key::RelatedDoc && m.key != ProjectMember::Key::ResFile;
        if (!formLike) continue;
        std::wstring side = SideFileOf(m.path);
        if (!side.empty()) in.files.push_back({std::move(side), false});
    }
    in.references = project.references;
    return in;
}

ProjectInputs ReadProjectInputs(const std::wstring& projectPath) {
    return InputsOf(ReadProjectFile(projectPath));
}

}  // namespace kinoha
