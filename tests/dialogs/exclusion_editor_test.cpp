#include "dialogs/exclusion_editor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

// A window that keeps lst1 and the selection as a list box would: a refill clears the
// selection, an append keeps it.
class FakeEditorView : public ExclusionEditorView {
  public:
    std::vector<std::wstring> list, choices;
    std::vector<std::size_t> selected;
    std::wstring input = L"typed before load";
    bool deleteEnabled = true, hidden = false;
    std::int32_t left = -1, top = -1;
    std::vector<std::wstring> calls;
    std::vector<std::wstring> exclusionsAtRebuild;

    void ShowMessage(const std::wstring& title, const std::wstring& text,
                     MessageIcon icon) override {
        calls.push_back(L"message " + title + L"|" + text +
                        (icon == MessageIcon::Exclamation ? L"|!" : L"|?"));
    }
    void ShowEntries(const std::vector<std::wstring>& entries) override {
        list = entries;
        selected.clear();
    }
    void AppendEntry(const std::wstring& entry) override { list.push_back(entry); }
    void ShowChoices(const std::vector<std::wstring>& c) override {
        choices = c;
        input.clear();
    }
    std::wstring InputText() override { return input; }
    std::vector<std::size_t> SelectedEntries() override { return selected; }
    void EnableDelete(bool enabled) override { deleteEnabled = enabled; }
    void MoveTo(std::int32_t l, std::int32_t t) override {
        left = l;
        top = t;
    }
    void Hide() override {
        hidden = true;
        calls.push_back(L"hide");
    }
    void RebuildCatalogue(bool research) override {
        calls.push_back(research ? L"rebuild(search)" : L"rebuild");
        exclusionsAtRebuild = lstJyogai;
    }
};

class ExclusionEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        lstJyogai = {L"old", L"Test"};
        for (const wchar_t* p : {L"C:\\src\\b\\b.vbp", L"C:\\src\\A\\a.vbp", L"C:\\src\\g.vbg"}) {
            lstPrj.Add(p);
        }
    }
    void TearDown() override { ResetGlobals(); }
    void AddText(const std::wstring& text) {
        view_.input = text;
        editor_.Add();
    }
    FakeEditorView view_;
    ExclusionEditor editor_{view_};
};

TEST_F(ExclusionEditorTest, LoadShowsTheListTheProjectsAndAnEmptyTextWithDeleteDisabled) {
    editor_.Load();
    EXPECT_EQ(view_.list, (std::vector<std::wstring>{L"old", L"Test"}));
    EXPECT_EQ(view_.choices, (std::vector<std::wstring>{L"C:\\src\\A\\a.vbp", L"C:\\src\\b\\b.vbp",
                                                        L"C:\\src\\g.vbg"}));
    EXPECT_EQ(view_.input, L"");
    EXPECT_FALSE(view_.deleteEnabled);
    EXPECT_TRUE(view_.calls.empty());
}

TEST_F(ExclusionEditorTest, ThePositionIsTheSharedOneWithNegativesTakenAsZero) {
    gLeft = 2400;
    gTop = 1200;
    editor_.Load();
    EXPECT_EQ(view_.left, 2400);
    EXPECT_EQ(view_.top, 1200);
    gLeft = -120;
    gTop = 300;
    editor_.Load();
    EXPECT_EQ(view_.left, 0);
    EXPECT_EQ(view_.top, 300);
    gLeft = 15;
    gTop = std::numeric_limits<std::int32_t>::min();
    editor_.Load();
    EXPECT_EQ(view_.left, 15);
    EXPECT_EQ(view_.top, 0);
}

TEST_F(ExclusionEditorTest, EmptyAndBlankTextsAreRefusedWithTheMessage) {
    editor_.Load();
    for (const wchar_t* text : {L"", L" ", L"     "}) {
        view_.calls.clear();
        AddText(text);
        ASSERT_EQ(view_.calls.size(), 1u) << text;
        EXPECT_EQ(view_.calls[0], L"message 設定エラー|除外する名称を入力して下さい|!");
    }
    EXPECT_EQ(view_.list.size(), 2u);
    EXPECT_EQ(lstJyogai.size(), 2u);
}

TEST_F(ExclusionEditorTest, OnlyTheAsciiBlankCountsAsEmpty) {
    EXPECT_TRUE(IsBlankExclusion(L""));
    EXPECT_TRUE(IsBlankExclusion(L"   "));
    // The ideographic space, a tab and a no-break space are text an exclusion may look for.
    EXPECT_FALSE(IsBlankExclusion(L"　"));
    EXPECT_FALSE(IsBlankExclusion(L" 　 "));
    EXPECT_FALSE(IsBlankExclusion(L"\t"));
    EXPECT_FALSE(IsBlankExclusion(L"\u00A0"));
    EXPECT_FALSE(IsBlankExclusion(L"  x  "));
}

TEST_F(ExclusionEditorTest, TextsAreAddedUnchangedTwiceIfAskedAndOnlyToTheWindowsList) {
    editor_.Load();
    AddText(L" Uriage ");
    AddText(L"　");
    AddText(L" Uriage ");
    EXPECT_EQ(view_.list,
              (std::vector<std::wstring>{L"old", L"Test", L" Uriage ", L"　", L" Uriage "}));
    EXPECT_EQ(view_.input, L" Uriage ");  // the text field keeps its text
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"old", L"Test"}));
    EXPECT_TRUE(view_.calls.empty());
}

TEST_F(ExclusionEditorTest, AClickEnablesDeleteAndADeleteDisablesIt) {
    editor_.Load();
    editor_.ListClicked();
    EXPECT_TRUE(view_.deleteEnabled);
    view_.selected = {0};
    editor_.Delete();
    EXPECT_FALSE(view_.deleteEnabled);
}

TEST_F(ExclusionEditorTest, DeletingSeveralKeepsTheRestInOrderAndAppliesAdditionsAtOnce) {
    lstJyogai = {L"a", L"b", L"c", L"d", L"e"};
    editor_.Load();
    AddText(L"f");
    AddText(L"g");
    view_.selected = {4, 0, 2};  // in the order the user clicked them
    editor_.ListClicked();
    editor_.Delete();
    const std::vector<std::wstring> expected{L"b", L"d", L"f", L"g"};
    EXPECT_EQ(lstJyogai, expected);
    EXPECT_EQ(view_.list, expected);
    EXPECT_TRUE(view_.selected.empty());
    EXPECT_FALSE(view_.deleteEnabled);
    EXPECT_TRUE(view_.calls.empty());  // no rebuild until the window closes
}

TEST_F(ExclusionEditorTest, DeletingDuplicatesRemovesOnlyTheSelectedCopy) {
    lstJyogai = {L"x", L"y", L"x"};
    editor_.Load();
    view_.selected = {2};
    editor_.Delete();
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"x", L"y"}));
}

TEST_F(ExclusionEditorTest, DeletingWithNothingSelectedRewritesTheListUnchanged) {
    editor_.Load();
    AddText(L"new");
    editor_.ListClicked();
    editor_.Delete();
    EXPECT_EQ(lstJyogai, (std::vector<std::wstring>{L"old", L"Test", L"new"}));
    EXPECT_EQ(view_.list, lstJyogai);
}

TEST_F(ExclusionEditorTest, ClosingHidesThenPutsTheListInPlaceThenRebuildsWithoutASearch) {
    editor_.Load();
    AddText(L"Uriage");
    view_.selected = {0};
    editor_.Delete();
    AddText(L" x");
    editor_.Close();
    const std::vector<std::wstring> expected{L"Test", L"Uriage", L" x"};
    EXPECT_EQ(view_.calls, (std::vector<std::wstring>{L"hide", L"rebuild"}));
    EXPECT_EQ(view_.exclusionsAtRebuild, expected);
    EXPECT_EQ(lstJyogai, expected);
}

TEST_F(ExclusionEditorTest, ClosingAfterDeletingEverythingLeavesNoExclusions) {
    editor_.Load();
    view_.selected = {0, 1};
    editor_.Delete();
    editor_.Close();
    EXPECT_TRUE(lstJyogai.empty());
    EXPECT_EQ(view_.calls.back(), L"rebuild");
}

TEST_F(ExclusionEditorTest, AReopenedEditorStartsFromTheCurrentList) {
    editor_.Load();
    AddText(L"kept");
    editor_.Close();
    FakeEditorView again;
    ExclusionEditor second(again);
    second.Load();
    EXPECT_EQ(again.list, (std::vector<std::wstring>{L"old", L"Test", L"kept"}));
}

// The editor on the real catalogue build: a project path picked from the choices and added hides
// that project from the menu when the window closes, and the disk is not searched again.
class RebuildingView : public FakeEditorView {
  public:
    void RebuildCatalogue(bool research) override {
        FakeEditorView::RebuildCatalogue(research);
        BuildCatalogue(research);
    }
};

TEST(ExclusionEditorCatalogue, APickedProjectIsHiddenWhenTheWindowCloses) {
    ResetGlobals();
    ResetMenus();
    test::TempDir dir;
    gPrjDir = dir / L"projects";  // a search would find nothing here
    lstPrj.Add(dir / L"projects\\A\\a.vbp");
    lstPrj.Add(dir / L"projects\\AB\\ab.vbp");
    lstPrj.Add(dir / L"projects\\B\\b.vbp");
    RebuildingView view;
    ExclusionEditor editor(view);
    editor.Load();
    view.input = view.choices[0];
    editor.Add();
    editor.Close();
    EXPECT_EQ(lstPrj.Count(), 3u);
    std::vector<std::wstring> shown;
    for (const auto& entry : mnuTSK) {
        if (entry.visible) shown.push_back(entry.tag);
    }
    EXPECT_EQ(shown, (std::vector<std::wstring>{lstPrj[1], lstPrj[2]}));
    ResetGlobals();
    ResetMenus();
}

}  // namespace
}  // namespace kinoha
