// Times the member count alone, the files held in memory: the scanner's cost per byte and per
// line without the reads, the search or the reports.
// Usage: kinoha_scanner_bench [--rounds N] [--under] [--vb-comments] FILE...
// Each FILE is counted as its extension says (.frm .bas .cls .ctl .pag .dob .dsr); every round
// counts them all; the median round is printed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "step/line_count.h"

namespace {
using kinoha::MemberKind;

bool KindOf(const std::string& path, MemberKind& kind) {
    static const std::pair<const char*, MemberKind> kKinds[] = {
        {"frm", MemberKind::Form}, {"bas", MemberKind::Module}, {"cls", MemberKind::Class},
        {"ctl", MemberKind::Ctl},  {"pag", MemberKind::Pag},    {"dob", MemberKind::Doc},
        {"dsr", MemberKind::Dsr}};
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(c | 0x20);
    for (const auto& [name, k] : kKinds) {
        if (ext == name) {
            kind = k;
            return true;
        }
    }
    return false;
}

struct Member {
    MemberKind kind;
    std::string bytes;
};
}  // namespace

int main(int argc, char** argv) {
    int rounds = 15;
    kinoha::CountOptions options;
    std::vector<Member> members;
    std::size_t bytes = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (a == "--under") {
            options.under = true;
        } else if (a == "--vb-comments") {
            options.vbComments = true;
        } else {
            Member m;
            if (!KindOf(a, m.kind)) continue;
            std::ifstream in(a, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            m.bytes = text.str();
            bytes += m.bytes.size();
            members.push_back(std::move(m));
        }
    }
    if (members.empty()) {
        std::fprintf(stderr, "usage: kinoha_scanner_bench [--rounds N] [--under] FILE...\n");
        return 2;
    }
    kinoha::platform::SelectAnsiCodePage("CP932");
    std::vector<double> ms;
    long long lines = 0;
    for (int r = 0; r <= rounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        long long total = 0;
        for (const Member& m : members) {
            kinoha::MemberCounts c;
            kinoha::CountMemberBytes(m.kind, m.bytes, options, c);
            total += c.screen + c.code + c.comment + c.blank;
        }
        const auto end = std::chrono::steady_clock::now();
        if (r > 0) ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        lines = total;
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%zu files, %zu bytes, %lld lines counted: median %.2f ms, %.2f ns/byte\n",
                members.size(), bytes, lines, median, median * 1e6 / static_cast<double>(bytes));
    return 0;
}
