// The exit statuses of kinoha-step, for the scripts that call it.
#pragma once

namespace kinoha {

enum StepExitCode : int {
    kExitCounted = 0,  // every project was counted (also --help and --version)
    // one or more projects could not be counted, or there were none; or something was warned
    // about (a file read as one line, a directory that cannot be read), or the output could
    // not be written
    kExitNotCounted = 1,
    kExitUsage = 2,  // the arguments were wrong, or a PATH does not exist
};

}  // namespace kinoha
