#include "step/project_count.h"

#include "catalogue/project_file.h"
#include "step/member_lists.h"

namespace kinoha {

ProjectCount CountProject(const std::wstring& projectPath, const ProjectCountOptions& options,
                          std::vector<std::wstring>& lstStep) {
    ProjectCount c;
    lstStep.clear();
    const ProjectFile project = ReadProjectFile(projectPath);
    if (!project.read) {
        c.failure = {projectPath, L"the project file cannot be read",
                     StepFailureKind::ProjectUnreadable};
        return c;
    }
    c.lineFeedsOnly = HasLineFeedsOnly(project.bytes);
    MemberLists lists;
    StepFailure note;
    const bool complete =
        ListProjectMembers(project, lists, &note, options.workers, options.counting);
    StepCountOptions count{options.writeReport, options.workers, &c.failure, &c.totals,
                           options.counting};
    count.members = &c.members;
    c.counted = CountProjectSteps(projectPath, lists, lstStep, count);
    if (!c.counted) {
        // A form whose name could not be read is named by the member reading.
        if (c.failure.file.empty() && !note.file.empty()) c.failure = note;
        c.totals = {};
        return c;
    }
    c.memberCount = lists.Count();
    if (!complete) c.listCut = note;
    return c;
}

}  // namespace kinoha
