#include "step/line_classifier.h"

#include <string>

#include "step/line_splitter.h"
#include "step/member_scanner.h"

namespace kinoha {
namespace {

// The scanner's classes with the text of each line, for whoever needs the lines themselves. An
// empty result has no line, so the sink hears of nothing unless the result is Counted.
class TextLines {
  public:
    TextLines(MemberKind kind, const CountOptions& options, const LineSink& sink)
        : scanner_(kind, options), sink_(sink) {}

    void Piece(std::string_view bytes) {
        line_.append(bytes);
        scanner_.Piece(bytes);
    }
    void End() {
        LineClass cls;
        if (scanner_.End(cls)) sink_(cls, line_);
        line_.clear();
    }
    // A whole line in one piece needs no copy.
    void Line(std::string_view bytes) {
        LineClass cls;
        if (scanner_.Line(bytes, cls)) sink_(cls, bytes);
    }
    CountResult Finish() const { return scanner_.Finish(); }

  private:
    line_rules::MemberScanner scanner_;
    const LineSink& sink_;
    std::string line_;
};

}  // namespace

CountResult ClassifyMemberLines(MemberKind kind, std::string_view bytes,
                                const CountOptions& options, const LineSink& sink) {
    TextLines text(kind, options, sink);
    LineSplitter<TextLines> lines(text);
    lines.Feed(bytes);
    lines.Finish();
    return text.Finish();
}

}  // namespace kinoha
