// kinoha-step: the step count for build servers and scripts (see step_tool.h).
#include <cstdio>

#include "cli/step_tool.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    const auto write = [](std::FILE* stream) {
        return [stream](const std::wstring& text) {
            const std::string bytes = kinoha::platform::TerminalText(text);
            std::fwrite(bytes.data(), 1, bytes.size(), stream);
        };
    };
    const int status = kinoha::RunStepTool(kinoha::platform::CommandLineArguments(argc, argv),
                                           write(stdout), write(stderr));
    std::fflush(stdout);
    return status;
}
