#include "step/myers_diff.h"

#include <unordered_set>

namespace kinoha {
namespace {

// Differences sought exactly per search; beyond, a point the search reached splits the problem
// (two files with nothing in common take a fraction of a second instead of many seconds).
constexpr std::ptrdiff_t kCostLimit = 256;

class Myers {
  public:
    Myers(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
          std::vector<char>& inA, std::vector<char>& inB)
        : a_(a), b_(b), inA_(inA), inB_(inB) {
        const std::size_t size = 2 * (a.size() + b.size()) + 8;
        forward_.resize(size);
        backward_.resize(size);
    }

    void Compare(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi) {
        // The common head and tail match; what lies between starts and ends with a difference.
        while (aLo < aHi && bLo < bHi && a_[aLo] == b_[bLo]) inA_[aLo++] = inB_[bLo++] = 1;
        while (aLo < aHi && bLo < bHi && a_[aHi - 1] == b_[bHi - 1]) inA_[--aHi] = inB_[--bHi] = 1;
        if (aLo == aHi || bLo == bHi) return;  // only deletions or only insertions
        std::size_t x = 0, y = 0, u = 0, v = 0;
        MiddleSnake(aLo, aHi, bLo, bHi, x, y, u, v);
        for (std::size_t i = x, j = y; i < u; ++i, ++j) inA_[i] = inB_[j] = 1;
        // Each half holds about half of the differences, so the recursion is O(log D) deep.
        Compare(aLo, x, bLo, y);
        Compare(u, aHi, v, bHi);
    }

  private:
    // The middle snake of an optimal path from (aLo, bLo) to (aHi, bHi): found where the
    // furthest-reaching forward and backward paths of about D/2 differences each overlap. The
    // snake runs from (x, y) to (u, v).
    void MiddleSnake(std::size_t aLo, std::size_t aHi, std::size_t bLo, std::size_t bHi,
                     std::size_t& x, std::size_t& y, std::size_t& u, std::size_t& v) {
        const auto n = static_cast<std::ptrdiff_t>(aHi - aLo);
        const auto m = static_cast<std::ptrdiff_t>(bHi - bLo);
        const std::ptrdiff_t delta = n - m;
        const bool odd = (delta & 1) != 0;
        const std::ptrdiff_t max = (n + m + 1) / 2;
        const std::ptrdiff_t off = max + 1;
        // forward_[off + k]: furthest x on diagonal k = x - y from the start; backward_[off + k]:
        // furthest distance from the end on reverse diagonal k (counted from the end).
        forward_[off + 1] = 0;
        backward_[off + 1] = 0;
        const std::uint32_t* a = a_.data() + aLo;
        const std::uint32_t* b = b_.data() + bLo;
        for (std::ptrdiff_t d = 0; d <= max; ++d) {
            if (d > kCostLimit) {
                BestReached(d - 1, off, n, m, aLo, bLo, x, y);
                u = x;
                v = y;
                return;
            }
            for (std::ptrdiff_t k = -d; k <= d; k += 2) {
                std::ptrdiff_t px =
                    (k == -d || (k != d && forward_[off + k - 1] < forward_[off + k + 1]))
                        ? forward_[off + k + 1]
                        : forward_[off + k - 1] + 1;
                std::ptrdiff_t py = px - k;
                const std::ptrdiff_t sx = px, sy = py;
                while (px < n && py < m && a[px] == b[py]) ++px, ++py;
                forward_[off + k] = px;
                const std::ptrdiff_t rk = delta - k;
                if (odd && rk >= -(d - 1) && rk <= d - 1 && px + backward_[off + rk] >= n) {
                    x = aLo + static_cast<std::size_t>(sx);
                    y = bLo + static_cast<std::size_t>(sy);
                    u = aLo + static_cast<std::size_t>(px);
                    v = bLo + static_cast<std::size_t>(py);
                    return;
                }
            }
            for (std::ptrdiff_t k = -d; k <= d; k += 2) {
                std::ptrdiff_t px =
                    (k == -d || (k != d && backward_[off + k - 1] < backward_[off + k + 1]))
                        ? backward_[off + k + 1]
                        : backward_[off + k - 1] + 1;
                std::ptrdiff_t py = px - k;
                const std::ptrdiff_t sx = px, sy = py;
                while (px < n && py < m && a[n - 1 - px] == b[m - 1 - py]) ++px, ++py;
                backward_[off + k] = px;
                const std::ptrdiff_t fk = delta - k;
                if (!odd && fk >= -d && fk <= d && forward_[off + fk] + px >= n) {
                    x = aLo + static_cast<std::size_t>(n - px);
                    y = bLo + static_cast<std::size_t>(m - py);
                    u = aLo + static_cast<std::size_t>(n - sx);
                    v = bLo + static_cast<std::size_t>(m - sy);
                    return;
                }
            }
        }
        // Not reached: the paths overlap by d = max at the latest.
        x = u = aLo;
        y = v = bLo;
    }

    // Past kCostLimit differences the search gives up the shortest path for time: the split is
    // the furthest point either path has reached inside the box, with no snake.
    void BestReached(std::ptrdiff_t d, std::ptrdiff_t off, std::ptrdiff_t n, std::ptrdiff_t m,
                     std::size_t aLo, std::size_t bLo, std::size_t& x, std::size_t& y) {
        std::ptrdiff_t best = -1, bx = 0, by = 0;
        for (std::ptrdiff_t k = -d; k <= d; k += 2) {
            const std::ptrdiff_t fx = forward_[off + k], fy = fx - k;
            if (fx >= 0 && fx <= n && fy >= 0 && fy <= m && fx + fy > best)
                best = fx + fy, bx = fx, by = fy;
            const std::ptrdiff_t rx = backward_[off + k], ry = rx - k;
            if (rx >= 0 && rx <= n && ry >= 0 && ry <= m && rx + ry > best)
                best = rx + ry, bx = n - rx, by = m - ry;
        }
        x = aLo + static_cast<std::size_t>(bx);
        y = bLo + static_cast<std::size_t>(by);
    }

    const std::vector<std::uint32_t>& a_;
    const std::vector<std::uint32_t>& b_;
    std::vector<char>& inA_;
    std::vector<char>& inB_;
    std::vector<std::ptrdiff_t> forward_, backward_;
};

// The elements of `from` that occur in `other`, and where each stood.
void KeepShared(std::span<const std::uint32_t> from, const std::unordered_set<std::uint32_t>& other,
                std::vector<std::uint32_t>& kept, std::vector<std::size_t>& at) {
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (other.count(from[i]) == 0) continue;
        kept.push_back(from[i]);
        at.push_back(i);
    }
}

}  // namespace

void MyersDiff(std::span<const std::uint32_t> a, std::span<const std::uint32_t> b,
               std::vector<char>& inA, std::vector<char>& inB) {
    inA.assign(a.size(), 0);
    inB.assign(b.size(), 0);
    // An element found on one side only can match nothing: leaving such elements out changes no
    // common subsequence and makes a rewritten file cheap to compare.
    const std::unordered_set<std::uint32_t> valuesA(a.begin(), a.end());
    const std::unordered_set<std::uint32_t> valuesB(b.begin(), b.end());
    std::vector<std::uint32_t> sa, sb;
    std::vector<std::size_t> atA, atB;
    KeepShared(a, valuesB, sa, atA);
    KeepShared(b, valuesA, sb, atB);
    std::vector<char> ma(sa.size(), 0), mb(sb.size(), 0);
    Myers(sa, sb, ma, mb).Compare(0, sa.size(), 0, sb.size());
    for (std::size_t i = 0; i < sa.size(); ++i) inA[atA[i]] = ma[i];
    for (std::size_t j = 0; j < sb.size(); ++j) inB[atB[j]] = mb[j];
}

}  // namespace kinoha
