#include "dialogs/exclusion_editor.h"

#include <gtest/gtest.h>

#include "app/globals.h"
#include "catalogue/catalogue.h"
#include "support/test_files.h"

namespace kinoha {
namespace {

using Texts = std::vector<std::wstring>;

// Keeps lst1 as a list box would: a refill clears the selection, an append keeps it.
// `rebuild` runs the real catalogue build when the editor asks for one.
class FakeEditorView : public ExclusionEditorView {
  public:
    Texts list, choices, calls;
    std::vector<std::size_t> selected;
    std::wstring input = L"typed before load";
    bool deleteEnabled = true, rebuild = false;
    std::int32_t left = -1, top = -1;

    void ShowMessage(const std::wstring& title, const std::wstring& text, MessageIcon) override {
        calls.push_back(title + L"|" + text);
    }
    void ShowEntries(const Texts& entries) override {
        list = entries;
        selected.clear();
    }
    void AppendEntry(const std::wstring& entry) override { list.push_back(entry); }
    void ShowChoices(const Texts& c) override {
        choices = c;
        input.clear();
    }
    std::wstring InputText() override { return input; }
    std::vector<std::size_t> SelectedEntries() override { return selected; }
    void EnableDelete(bool enabled) override { deleteEnabled = enabled; }
    void MoveTo(std::int32_t l, std::int32_t t) override { left = l, top = t; }
    void Hide() override { calls.push_back(L"hide"); }
    void RebuildCatalogue(bool research) override {
        calls.push_back((research ? L"search+rebuild " : L"rebuild ") +
                        std::to_wstring(lstJyogai.size()));
        if (rebuild) BuildCatalogue(research);
    }
};

class ExclusionEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetGlobals();
        ResetMenus();
        lstJyogai = {L"old", L"Test"};
    }
    void TearDown() override {
        ResetGlobals();
        ResetMenus();
    }
    void AddText(const std::wstring& text) {
        view_.input = text;
        editor_.Add();
    }
    FakeEditorView view_;
    ExclusionEditor editor_{view_};
};

TEST_F(ExclusionEditorTest, LoadShowsTheListAndTheProjectsAtTheSharedPlaceNeverNegative) {
    lstPrj.Add(L"C:\\src\\b.vbp");
    lstPrj.Add(L"C:\\src\\A.vbp");
    gLeft = 2400;
    gTop = -120;
    editor_.Load();
    EXPECT_EQ(view_.list, (Texts{L"old", L"Test"}));
    EXPECT_EQ(view_.choices, (Texts{L"C:\\src\\A.vbp", L"C:\\src\\b.vbp"}));
    EXPECT_EQ(view_.input, L"");
    EXPECT_FALSE(view_.deleteEnabled);
    EXPECT_EQ(view_.left, 2400);
    EXPECT_EQ(view_.top, 0);
    gLeft = -1;
    gTop = 15;
    editor_.Load();
    EXPECT_EQ(view_.left, 0);
    EXPECT_EQ(view_.top, 15);
}

TEST_F(ExclusionEditorTest, OnlyEmptyOrAsciiBlankTextIsRefusedWithTheMessage) {
    editor_.Load();
    AddText(L"");
    AddText(L"    ");
    EXPECT_EQ(view_.calls, (Texts{L"設定エラー|除外する名称を入力して下さい",
                                  L"設定エラー|除外する名称を入力して下さい"}));
    EXPECT_EQ(view_.list.size(), 2u);
    // The ideographic space, a tab or a no-break space is text a path may hold.
    for (const wchar_t* text : {L"　", L" 　 ", L"\t", L"\u00A0"}) {
        EXPECT_FALSE(IsBlankExclusion(text)) << text;
    }
}

// Pasted text with a line break would become a settings line of its own after the save.
TEST_F(ExclusionEditorTest, TextWithAControlCharacterIsRefusedWithTheMessage) {
    editor_.Load();
    for (const wchar_t* text : {L"old\r[VBMAIN]C:\\evil\\payload.exe", L"a\nb", L"tab\there"})
        AddText(text);
    const std::wstring refused = L"設定エラー|除外する名称に改行などの制御文字は使えません";
    EXPECT_EQ(view_.calls, (Texts{refused, refused, refused}));
    EXPECT_EQ(view_.list, (Texts{L"old", L"Test"}));
}

TEST_F(ExclusionEditorTest, TextsAreAddedUnchangedAndTwiceIfAskedButOnlyToTheWindow) {
    editor_.Load();
    AddText(L" Uriage ");
    AddText(L" Uriage ");
    EXPECT_EQ(view_.list, (Texts{L"old", L"Test", L" Uriage ", L" Uriage "}));
    EXPECT_EQ(view_.input, L" Uriage ");  // the text field keeps its text
    EXPECT_EQ(lstJyogai, (Texts{L"old", L"Test"}));
    EXPECT_TRUE(view_.calls.empty());
}

TEST_F(ExclusionEditorTest, DeleteKeepsTheUnselectedInOrderAndAppliesThemAtOnce) {
    lstJyogai = {L"a", L"b", L"c", L"d"};
    editor_.Load();
    AddText(L"e");
    editor_.ListClicked();
    EXPECT_TRUE(view_.deleteEnabled);
    view_.selected = {4, 0, 2};  // in the order they were clicked
    editor_.Delete();
    EXPECT_EQ(lstJyogai, (Texts{L"b", L"d"}));
    EXPECT_EQ(view_.list, lstJyogai);
    EXPECT_FALSE(view_.deleteEnabled);

    AddText(L"f");
    editor_.Delete();  // nothing selected: the list is rewritten as it is
    EXPECT_EQ(lstJyogai, (Texts{L"b", L"d", L"f"}));
    EXPECT_TRUE(view_.calls.empty());  // no rebuild before the window closes
}

TEST_F(ExclusionEditorTest, ClosingHidesThenPutsTheListInPlaceThenRebuildsWithoutASearch) {
    editor_.Load();
    view_.selected = {0, 1};
    editor_.Delete();
    AddText(L"x");
    editor_.Close();
    EXPECT_EQ(view_.calls, (Texts{L"hide", L"rebuild 1"}));
    EXPECT_EQ(lstJyogai, (Texts{L"x"}));
}

// On the real build: a project picked from the choices is hidden, and the disk is not searched.
TEST_F(ExclusionEditorTest, APickedProjectLeavesTheMenuWhenTheWindowCloses) {
    test::TempDir dir;
    gPrjDir = dir.path();  // a search would find nothing here
    for (const wchar_t* p : {L"A\\a.vbp", L"AB\\ab.vbp", L"B\\b.vbp"}) lstPrj.Add(dir / p);
    lstJyogai.clear();
    view_.rebuild = true;
    editor_.Load();
    AddText(view_.choices[0]);
    editor_.Close();
    ASSERT_EQ(lstPrj.Count(), 3u);
    EXPECT_EQ(mnuTSK[0].tag, lstPrj[1]);
    EXPECT_EQ(mnuTSK[1].tag, lstPrj[2]);
    EXPECT_FALSE(mnuTSK[2].visible);
}

}  // namespace
}  // namespace kinoha
