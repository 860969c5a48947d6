// Project files: the executable and output folder they name, their member lines counted as the
// step count does, the make decision's reading (inputs, references, a plan of one project, which
// writes nothing), and the VB5 rewrite, which keeps every other line and changes nothing when
// done again.
#include <algorithm>

#include "app/globals.h"
#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "compile/make_plan.h"
#include "fuzz_support.h"
#include "platform/platform.h"
#include "step/member_lists.h"
#include "step/step_report.h"

namespace {
// Members a project can name, so that the counts run on real files.
void PutMembers() {
    using kinoha::fuzz::Put;
    Put(L"app\\frmA.frm",
        "VERSION 5.00\r\nBegin VB.Form frmA\r\n   Caption = \"A\"\r\nEnd\r\n"
        "Attribute VB_Name = \"frmA\"\r\nOption Explicit\r\n' note\r\n\r\nx = _\r\n1\r\n");
    Put(L"app\\MCalc.bas", "Attribute VB_Name = \"MCalc\"\r\nRem x\r\ny = 2\r\n");
    Put(L"app\\CItem.cls",
        "VERSION 1.0 CLASS\r\nBEGIN\r\nEND\r\nAttribute VB_Name = \"CItem\"\r\nPublic N\r\n");
    Put(L"app\\deData.dsr",
        "VERSION 5.00\r\nBegin {C0E45035-5775-11D0-B388-00A0C9055D8E} deData \r\nEnd\r\n");
    Put(L"empty.bas", "");
}

bool WellFormed(const kinoha::SortedList& list) {
    for (const auto& entry : list) {
        if (entry == kinoha::kFailedMemberEntry) continue;
        if (entry.size() < kinoha::kNameColumn + 1 || entry[kinoha::kNameColumn] != L'|')
            return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PutMembers();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kinoha;
    const std::string_view bytes = fuzz::Bytes(data, size);
    ResetGlobals();
    gVbMain = L"C:\\VB98\\VB6.EXE";
    const std::wstring project = fuzz::Put(L"app\\app.vbp", bytes);

    const std::wstring exe = GetProjectExe(project);
    KINOHA_FUZZ_CHECK(exe.empty() || FindUpper(exe, L".EXE") > 0);

    MemberLists lists;
    ReadProjectMembers(project, lists);
    for (const SortedList* list :
         {&lists.lstFrm, &lists.lstBas, &lists.lstCls, &lists.lstDoc, &lists.lstDsr})
        KINOHA_FUZZ_CHECK(WellFormed(*list));
    std::vector<std::wstring> lstStep;
    StepCountOptions options;
    options.writeReport = false;
    CountProjectSteps(project, lists, lstStep, options);
    KINOHA_FUZZ_CHECK(!lstStep.empty() && lstStep.size() <= lists.Count() + 2);

    const ProjectInputs inputs = ReadProjectInputs(project);
    KINOHA_FUZZ_CHECK(!inputs.files.empty() && inputs.files[0].path == project);
    KINOHA_FUZZ_CHECK(inputs.output == ReadProjectFile(project).builds);
    for (const auto& r : inputs.references) KINOHA_FUZZ_CHECK(!r.name.empty() || !r.path.empty());
    // One project orders as itself, whatever it references (its own output included).
    const MakePlan plan({project}, {project});
    KINOHA_FUZZ_CHECK(plan.Cycle().empty() && plan.Order().size() == 1);
    KINOHA_FUZZ_CHECK(!plan.StateNow(0).reason.empty());
    std::string unchanged;
    KINOHA_FUZZ_CHECK(platform::ReadFileBytes(project, unchanged) && unchanged == bytes);

    // With VB6 nothing is written; with VB5 the file is rewritten once, and a second rewrite
    // changes nothing.
    const std::wstring dir = GetOutputDir(project);
    KINOHA_FUZZ_CHECK(PrepareProjectForVb(project, L"C:\\VB98\\VB6.EXE"));
    std::string now;
    KINOHA_FUZZ_CHECK(platform::ReadFileBytes(project, now) && now == bytes);
    const std::wstring vb5 = L"C:\\VB\\vb5.exe";
    const bool prepared = PrepareProjectForVb(project, vb5);
    std::string rewritten;
    KINOHA_FUZZ_CHECK(platform::ReadFileBytes(project, rewritten));
    // The lookup and the rewrite read the file alike: one fails where the other does.
    if (!prepared) {
        KINOHA_FUZZ_CHECK(dir.empty() && rewritten == bytes);
        return 0;
    }
    std::vector<std::string_view> before, after;
    platform::SplitLines(bytes, before);
    platform::SplitLines(rewritten, after);
    KINOHA_FUZZ_CHECK(after.size() <= before.size());
    KINOHA_FUZZ_CHECK(rewritten.size() <= bytes.size() + 2 * before.size());
    for (const auto line : after) {
        const std::wstring text = platform::DecodeAnsi(line);
        KINOHA_FUZZ_CHECK(text.find(L"Retained=") == std::wstring::npos &&
                          text.find(L"DebugStartupOption=") == std::wstring::npos);
    }
    // (The folder may differ now: a dropped "Retained=" line can also hold "Path32=".)
    KINOHA_FUZZ_CHECK(PrepareProjectForVb(project, vb5));
    std::string twice;
    KINOHA_FUZZ_CHECK(platform::ReadFileBytes(project, twice) && twice == rewritten);
    return 0;
}
