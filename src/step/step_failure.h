// Why a step count stopped: the window ignores it; the command-line tool reports it.
#pragma once

#include <string>

namespace kinoha {

struct StepFailure {
    std::wstring file;    // the project, member or report file concerned
    std::wstring reason;  // what went wrong, in English
};

}  // namespace kinoha
