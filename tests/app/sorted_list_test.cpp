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
    EXPECT_EQ(list.Add(L"b"), 0u);
    EXPECT_EQ(list.Add(L"B"), 1u);
    EXPECT_EQ(list.Add(L"a"), 0u);
    EXPECT_EQ(list.Items(), (std::vector<std::wstring>{L"a", L"b", L"B"}));
}

}  // namespace
}  // namespace kinoha
