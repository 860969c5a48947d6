// The difference of two sequences of line identities by Myers' O(ND) algorithm in its linear-
// space form (the middle snake, divide and conquer): time grows with the size of the inputs
// times the number of differences, so large files with few changes are fast, and memory stays
// linear in their size. Elements found on one side only are set aside first. Where one search
// would pass 256 differences (two large, unrelated versions), it splits at the furthest point
// it reached instead, so the subsequence may then fall short of the longest.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kinoha {

// Marks the elements of `a` and `b` that belong to one longest common subsequence: inA[i] and
// inB[j] are 1 for the matched elements and 0 for the deleted (a) and inserted (b) ones. The
// k-th marked element of `a` is matched with the k-th marked element of `b`.
void MyersDiff(std::span<const std::uint32_t> a, std::span<const std::uint32_t> b,
               std::vector<char>& inA, std::vector<char>& inB);

}  // namespace kinoha
