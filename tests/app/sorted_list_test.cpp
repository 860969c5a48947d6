#include <gtest/gtest.h>

#include "app/sorted_list.h"

namespace kinoha {
namespace {

TEST(SortedList, SortsAscendingIgnoringCaseAsOneRuleEverywhere) {
    SortedList list;
    for (const wchar_t* s : {L"frmB", L"FrmA", L"frma", L"_x", L"Ｂ", L"ａ", L"zeta", L"Zeta"})
        list.Add(s);
    // "_" (0x5F) comes before every folded letter; full-width letters after ASCII.
    EXPECT_EQ(list.Items(), (std::vector<std::wstring>{L"_x", L"FrmA", L"frma", L"frmB", L"zeta",
                                                       L"Zeta", L"ａ", L"Ｂ"}));
}

TEST(SortedList, EqualItemsKeepTheirOrderOfAdding) {
    SortedList list;
    list.Add(L"b");
    list.Add(L"B");
    list.Add(L"a");
    EXPECT_EQ(list.Items(), (std::vector<std::wstring>{L"a", L"b", L"B"}));
    // Items added after a read merge in after their equals; copies and moves keep the order.
    list.Add(L"A");
    list.Add(L"c");
    list.Add(L"B");
    const SortedList copy = list;
    EXPECT_EQ(copy.Items(), (std::vector<std::wstring>{L"a", L"A", L"b", L"B", L"B", L"c"}));
    SortedList moved = std::move(list);
    EXPECT_EQ(moved[1], L"A");
    EXPECT_EQ(moved.Count(), 6u);
}

}  // namespace
}  // namespace kinoha
