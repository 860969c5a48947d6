#include "app/text_helpers.h"
#include "catalogue/project_file.h"
#include "catalogue/project_values.h"

namespace kinoha {

std::wstring GetOutputDir(const std::wstring& projectPath) {
    project_values::LineTable table;
    if (!project_values::ReadLineTable(projectPath, table) || table.path32.empty()) return {};
    return PathFromFolder(FolderOf(projectPath), table.path32);
}

}  // namespace kinoha
