// kinoha-make: the batch compile for build servers and scripts (see make_tool.h).
#include <cstdio>

#include "cli/make_tool.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    // Each line is flushed, so a build server's log shows every entry as it ends.
    const auto write = [](std::FILE* stream) {
        return [stream](const std::wstring& text) {
            const std::string bytes = kinoha::platform::TerminalText(text);
            std::fwrite(bytes.data(), 1, bytes.size(), stream);
            std::fflush(stream);
        };
    };
    const auto bytes = [](std::string_view b) {
        std::fwrite(b.data(), 1, b.size(), stdout);
        std::fflush(stdout);
    };
    return kinoha::RunMakeTool(kinoha::platform::CommandLineArguments(argc, argv), write(stdout),
                               write(stderr), bytes);
}
