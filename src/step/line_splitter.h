// Lines of a file whose bytes come block by block: a line ends at CR or at CR LF, neither being
// part of it; LF alone ends nothing; a last line without an end is a line too (as SplitLines).
// No line is kept: the sink gets the pieces of each line as they come, then its end.
#pragma once

#include <cstring>
#include <string_view>

namespace kinoha {

// Sink: void Piece(std::string_view bytes) (the next bytes of the current line, never empty)
// and void End() (the current line is complete); optionally void Line(std::string_view bytes),
// a whole non-empty line in one piece, instead of Piece and End.
template <class Sink>
class LineSplitter {
  public:
    explicit LineSplitter(Sink& sink) : sink_(sink) {}

    void Feed(std::string_view bytes) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            if (afterCr_) {
                afterCr_ = false;
                if (bytes[i] == '\n') {
                    ++i;
                    continue;
                }
            }
            const void* cr = std::memchr(bytes.data() + i, '\r', bytes.size() - i);
            const std::size_t end =
                cr != nullptr
                    ? static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data())
                    : bytes.size();
            if constexpr (requires { sink_.Line(bytes); }) {
                if (cr != nullptr && !open_ && end > i) {
                    sink_.Line(bytes.substr(i, end - i));
                    afterCr_ = true;
                    i = end + 1;
                    continue;
                }
            }
            if (end > i) {
                sink_.Piece(bytes.substr(i, end - i));
                open_ = true;
            }
            if (cr == nullptr) break;
            sink_.End();
            open_ = false;
            afterCr_ = true;
            i = end + 1;
        }
    }
    // The input has ended.
    void Finish() {
        if (open_) sink_.End();
        open_ = false;
        afterCr_ = false;
    }
    void Reset() {
        open_ = false;
        afterCr_ = false;
    }

  private:
    Sink& sink_;
    bool open_ = false;     // a line has bytes and no end yet
    bool afterCr_ = false;  // an LF next belongs to the CR before it
};

}  // namespace kinoha
