// The five member lists of one project and the fixed-width member entries they hold.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "app/sorted_list.h"
#include "catalogue/project_file.h"
#include "step/count_options.h"
#include "step/line_classifier.h"
#include "step/step_failure.h"

namespace kinoha {

class StepWorkers;

struct MemberLists {
    SortedList lstFrm;  // "Form=" lines
    SortedList lstBas;  // "Module=" lines
    SortedList lstCls;  // "Class=" lines
    SortedList lstDoc;  // "UserDocument=" lines
    SortedList lstDsr;  // "Designer=" lines
    SortedList lstCtl;  // "UserControl=" lines, read only when user controls are counted
    SortedList lstPag;  // "PropertyPage=" lines, likewise
    void Clear();
    std::size_t Count() const;
};

// The lists in report order with the kind of their members: Form, Module, Class, Doc, Dsr, then
// Ctl and Pag (empty unless user controls are counted).
std::array<std::pair<const SortedList*, MemberKind>, 7> ReportOrder(const MemberLists& lists);

// The kind's word in the reports: "Form", "Module", "Class", "Doc", "Dsr", "Ctl", "Pag".
std::wstring_view KindWord(MemberKind kind);
// Module and Class members have no screen part.
inline bool HasScreenPart(MemberKind kind) {
    return kind != MemberKind::Module && kind != MemberKind::Class;
}

// A member entry: the name cut or padded to 20 characters, "|", the full path.
inline constexpr std::size_t kNameColumn = 20;
// The entry of a form-like member whose file could not be read: thirty blanks and "|".
inline const std::wstring kFailedMemberEntry = std::wstring(30, L' ') + L"|";

std::wstring MemberEntry(std::wstring_view name, std::wstring_view path);
// A member path holding a NUL character names no file (the system would take the part before
// it): such a member is never read.
inline bool HoldsNul(std::wstring_view path) {
    return path.find(L'\0') != std::wstring_view::npos;
}
// Characters 1-20 with their leading and trailing blanks removed, and characters 22 on.
std::wstring MemberEntryName(std::wstring_view entry);
std::wstring MemberEntryPath(std::wstring_view entry);

// A form-like member (form, user document, designer, user control, property page): the name is
// the object declared in the member file at `path`; the failed entry when that file cannot be
// read.
std::wstring FormMemberEntry(const std::wstring& path);

// Clears the lists and fills them from the project's member lines, up to its "IconForm="
// line; a member named by an absolute path is read where it is. True when the file was read to its
// end or to that line; false when it cannot be read or a "Module="/"Class=" value holds no "; "
// (the entries added before stay). `failure` gets the reason of a false result, and also names the
// first form-like member file that could not be read (its entry is the failed entry). With
// `workers` the member files are read side by side; the lists come out the same. User controls and
// property pages are read when `counting` counts them.
bool ReadProjectMembers(const std::wstring& projectPath, MemberLists& lists,
                        StepFailure* failure = nullptr, StepWorkers* workers = nullptr,
                        const CountOptions& counting = {});
// The same from a reading already made.
bool ListProjectMembers(const ProjectFile& project, MemberLists& lists, StepFailure* failure,
                        StepWorkers* workers, const CountOptions& counting);

}  // namespace kinoha
