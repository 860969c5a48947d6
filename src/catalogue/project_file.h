// Reading VB project (.vbp) files: one reading that the executable menu, the output folder, the
// VB5 rewrite, the step count's member lists and the make decision all take their values from.
#pragma once

#include <string>
#include <vector>

namespace kinoha {

// The kind of a member file, in the step report's order.
enum class MemberKind { Form, Module, Class, Doc, Dsr, Ctl, Pag };

// A line of the member list that names a file the compile reads.
struct ProjectMember {
    enum class Key {
        Form,
        Module,
        Class,
        UserDocument,
        Designer,
        UserControl,
        PropertyPage,
        RelatedDoc,
        ResFile
    } key = Key::Form;
    // "Module=" and "Class=": the text before the first "; " (as written, not trimmed).
    std::wstring name;
    // The file as a full path: an absolute value as it is, a relative one from the project's
    // folder; blanks, tabs and enclosing quotes around the value dropped. Empty when the line
    // names no file (a code member without ";"). It may hold a control character (no file has
    // one).
    std::wstring path;
    std::wstring line;  // the line as it stands in the file
    // "Module="/"Class=" lines name the file after "; ", as VB writes them; a lone ";" still
    // gives the compile its file, but the step count stops at such a line.
    bool nameSeparated = true;
    // After the "IconForm=" line: the step count reads no further.
    bool afterIconForm = false;
};

struct ProjectReference {
    // The referenced file as a full path; empty when the project gives only a file name (an
    // "Object=" line, a "Reference=" path without a folder).
    std::wstring path;
    std::wstring name;  // the file name alone
    // A reference to another project file itself ("*\A" form, inside a group): `path` is
    // that project file.
    bool toProject = false;
};

struct ProjectFile {
    std::wstring path;
    bool read = false;  // the file could be read
    std::string bytes;  // the file as it was read

    // Key lines found anywhere in a line (exact case), the value taken from where the key
    // would start the line; the later line wins (the catalogue's reading of these two keys).
    std::wstring exeName32;     // the "ExeName32=" value (a bare name, or a path)
    std::wstring path32;        // the "Path32=" value (a folder)
    bool shortPath32 = false;   // a "Path32=" line too short for its value
    bool shortExeName = false;  // an "ExeName32=" line too short for its value
    // The full path of what the project builds: ExeName32 in the Path32 folder (the project's
    // folder when there is none); empty without ExeName32 or with a short key line.
    std::wstring output;
    // What a compile writes: `output`, or without ExeName32 the project's Name with the
    // extension of its Type (.exe, .dll, .ocx), as VB names it.
    std::wstring builds;
    // The Path32 folder as an absolute path; empty without one or with a short Path32 line.
    std::wstring outputDir;

    // Lines that start with their key; values unquoted. The member list ends at the first
    // section line ("[MS Transaction Server]").
    std::wstring type;                   // "Type=": Exe, OleDll, Control, OleExe
    std::wstring name;                   // "Name="
    std::wstring compatibleMode;         // "CompatibleMode=": 0 none, 1 project, 2 binary
    std::wstring compatibleExe32;        // "CompatibleEXE32=" as written
    std::vector<ProjectMember> members;  // in line order
    std::vector<ProjectReference> references;
};

// Reads the project file. Only reads; a file that cannot be read gives read == false and no
// values. Values that are absolute paths (C:\... or \\server\...) are taken as they are.
ProjectFile ReadProjectFile(const std::wstring& projectPath);

// The full path of the executable the project compiles to: its output when the file name ends
// in ".EXE" in any case, else empty.
std::wstring GetProjectExe(const std::wstring& projectPath);
std::wstring ProjectExeOf(const ProjectFile& project);
// The full path of the file the project compiles to, whatever its kind (.exe, .dll, .ocx);
// empty when the project names none or cannot be read.
std::wstring GetProjectOutput(const std::wstring& projectPath);

// Appends to `list` the executables of every project that the group names (GroupProjects), in
// line order.
void AddGroupExes(const std::wstring& groupPath, std::vector<std::wstring>& list);

// The project's "Path32=" folder as an absolute path, or empty (no such line, any failure).
// Only reads the file.
std::wstring GetOutputDir(const std::wstring& projectPath);

// Makes a project or group file one the VB executable `vbMain` accepts, before it is handed to
// it: when `vbMain` names VB5.EXE (any case) the file is read as it is now and rewritten without
// its "Retained=" and "DebugStartupOption=" lines, with CR LF line ends. A file that cannot be
// read or holds a short "Path32=" line is not rewritten. The rewrite replaces the file whole,
// so a file that cannot be rewritten stays exactly as it was. False when the file needed the
// rewrite and did not get it.
bool PrepareProjectForVb(const std::wstring& projectPath, const std::wstring& vbMain);

}  // namespace kinoha
