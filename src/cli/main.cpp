// kinoha-step: the step count for build servers and scripts (see step_tool.h).
#include <cstdlib>

#include "cli/step_tool.h"
#include "platform/platform.h"

namespace {

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
    kinoha::ToolStreams streams = kinoha::StandardStreams(false);
    streams.progressDelay = ProgressDelay();
    return kinoha::RunStepTool(kinoha::platform::CommandLineArguments(argc, argv), streams);
}
