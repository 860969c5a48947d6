// Group files: the executables of their projects for the menu, and their projects for the step
// count; only existing projects are taken.
#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "step/step_projects.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using kinoha::fuzz::Put;
    Put(L"a\\a.vbp", "Type=Exe\r\nExeName32=\"A.exe\"\r\nPath32=\"..\\bin\"\r\n");
    Put(L"b\\b.vbp", "Type=OleDll\r\nExeName32=\"B.dll\"\r\n");
    Put(L"c\\c.vbp", "Type=Exe\r\nExeName32=\"C.exe\"\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    ResetGlobals();
    const std::wstring group = fuzz::Put(L"g.vbg", fuzz::Bytes(data, size));

    std::vector<std::wstring> exes;
    AddGroupExes(group, exes);
    for (const auto& exe : exes) KINOHA_FUZZ_CHECK(FindUpper(exe, L".EXE") > 0);

    std::vector<std::wstring> projects;
    AddGroupProjects(group, projects);
    for (const auto& project : projects) KINOHA_FUZZ_CHECK(platform::LookupFile(project));
    // A project that builds an executable gives one entry for each time the group names it.
    KINOHA_FUZZ_CHECK(exes.size() <= projects.size());
    return 0;
}
