// kinoha-step: the step count for build servers and scripts (see step_tool.h).
#include <cstdio>
#include <cstdlib>

#include "cli/step_tool.h"
#include "platform/platform.h"

namespace {

bool Write(std::FILE* stream, const std::wstring& text) {
    const std::string bytes = kinoha::platform::TerminalText(text);
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
}

// Milliseconds before the progress line appears (KINOHA_STEP_PROGRESS_DELAY; 500 by default).
std::chrono::milliseconds ProgressDelay() {
    const char* text = std::getenv("KINOHA_STEP_PROGRESS_DELAY");
    if (text == nullptr || *text == '\0') return std::chrono::milliseconds(500);
    char* end = nullptr;
    const long ms = std::strtol(text, &end, 10);
    if (*end != '\0' || ms < 0) return std::chrono::milliseconds(500);
    return std::chrono::milliseconds(ms);
}

}  // namespace

int main(int argc, char** argv) {
    const bool outputOpen = kinoha::platform::HoldStandardStreams();
    kinoha::ToolStreams streams;
    streams.out = [outputOpen](const std::wstring& text) {
        return outputOpen && Write(stdout, text);
    };
    streams.finishOut = [outputOpen] {
        return outputOpen && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    };
    streams.err = [](const std::wstring& text) { return Write(stderr, text); };
    streams.errIsTerminal = kinoha::platform::StandardErrorIsTerminal();
    streams.progressDelay = ProgressDelay();
    return kinoha::RunStepTool(kinoha::platform::CommandLineArguments(argc, argv), streams);
}
