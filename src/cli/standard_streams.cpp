#include <cstdio>

#include "cli/tool_streams.h"
#include "platform/platform.h"

namespace kinoha {
namespace {

bool WriteBytes(std::FILE* stream, std::string_view bytes, bool flush) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return written && (!flush || std::fflush(stream) == 0);
}

}  // namespace

ToolStreams StandardStreams(bool flushEach) {
    // A closed standard output must not become the first file the tool opens.
    const bool outputOpen = platform::HoldStandardStreams();
    ToolStreams streams;
    streams.out = [outputOpen, flushEach](const std::wstring& text) {
        return outputOpen && WriteBytes(stdout, platform::TerminalText(text), flushEach);
    };
    streams.bytesOut = [outputOpen, flushEach](std::string_view bytes) {
        return outputOpen && WriteBytes(stdout, bytes, flushEach);
    };
    streams.finishOut = [outputOpen] {
        return outputOpen && std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    };
    streams.err = [flushEach](const std::wstring& text) {
        return WriteBytes(stderr, platform::TerminalText(text), flushEach);
    };
    streams.errIsTerminal = platform::StandardErrorIsTerminal();
    streams.shows = [](const std::wstring& text) { return platform::TerminalShows(text); };
    return streams;
}

}  // namespace kinoha
