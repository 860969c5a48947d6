// The exit statuses of kinoha-step, for the scripts that call it.
#pragma once

namespace kinoha {

enum StepExitCode : int {
    kExitCounted = 0,     // every project was counted (also --help and --version)
    kExitNotCounted = 1,  // one or more projects could not be counted, or there were none
    kExitUsage = 2,       // the arguments were wrong, or a PATH does not exist
};

}  // namespace kinoha
