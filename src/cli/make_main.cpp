// kinoha-make: the batch compile for build servers and scripts (see make_tool.h).
#include "cli/make_tool.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // Each line is flushed, so a build server's log shows every entry as it ends.
    return kinoha::RunMakeTool(kinoha::platform::CommandLineArguments(argc, argv),
                               kinoha::StandardStreams(true));
}
