// What a project's compile reads and what it makes, as the decision "compile again or not" needs
// them: the output file, the files whose change makes that output stale, and the files it
// references (type libraries, DLLs, controls) that other projects may build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/project_file.h"

namespace kinoha {

struct ProjectInput {
    std::wstring path;
    // A member or resource the project names: missing, VB will fail, so the project is stale.
    // A side file (.frx and the like) that is missing is simply not there to be newer.
    bool named = true;
};

struct ProjectInputs {
    std::wstring project;
    bool read = false;                // the project file could be read
    std::wstring output;              // empty when the project names none
    std::wstring outputDir;           // the Path32 folder, given to VB as /outdir; may be empty
    bool binaryCompatible = true;     // false: an ActiveX project built without it
    std::uint64_t settledDigest = 0;  // SettledDigest of the file as it was read
    std::uint64_t readStamp = 0;      // its write time then
    std::vector<ProjectInput> files;  // the project file first
    std::vector<ProjectReference> references;
};

// The make inputs of a project from its reading: the project file, its members with their side
// files, related documents and resource file, in line order, and its references. A file that
// could not be read gives read == false and the project file as its one input.
ProjectInputs InputsOf(const ProjectFile& project);
ProjectInputs ReadProjectInputs(const std::wstring& projectPath);

// The side file VB writes beside a member of this kind (".frm" → ".frx", ".ctl" → ".ctx",
// ".dsr" → ".dsx", ".pag" → ".pgx", ".dob" → ".dox"); empty for other members.
std::wstring SideFileOf(const std::wstring& memberPath);

// A key under which two spellings of one path compare equal: letter case folded, "/" as "\".
std::wstring PathKey(const std::wstring& path);

}  // namespace kinoha
