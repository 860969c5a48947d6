#include "compile/make_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_files.h"

namespace kinoha {
namespace {

class MakePlanTest : public ::testing::Test {
  protected:
    // A project in its own folder building `output` into the shared "bin" folder, with the
    // extra project lines given; its files written 100 seconds ago.
    std::wstring Project(const std::wstring& name, const std::string& output,
                         const std::string& lines = "") {
        const std::wstring path = dir_ / (name + L"\\" + name + L".vbp");
        test::WriteFile(path, "Type=Exe\r\n" + lines + "ExeName32=\"" + output +
                                  "\"\r\nPath32=\"..\\bin\"\r\n");
        test::SetModifiedAgo(path, 100);
        return path;
    }
    std::wstring Output(const std::wstring& name) { return dir_ / (L"bin\\" + name); }
    // Writes a file with the given age in seconds.
    void Write(const std::wstring& path, int age) {
        test::WriteFile(path, "x");
        test::SetModifiedAgo(path, age);
    }
    std::vector<std::wstring> Names(const MakePlan& plan) {
        std::vector<std::wstring> names;
        for (const std::size_t i : plan.Order()) {
            const std::wstring& p = plan.EntryPath(i);
            names.push_back(p.substr(p.rfind(L'\\') + 1));
        }
        return names;
    }

    test::TempDir dir_;
};

TEST_F(MakePlanTest, AProjectIsUpToDateOnlyWhenItsOutputIsNewerThanEachOfItsInputs) {
    // A DLL that another project of the list builds, and an EXE with one member of each kind
    // that has a side file, a module, a resource and a reference to that DLL.
    const std::wstring lib = Project(L"Lib", "Lib.dll");
    const std::wstring app =
        Project(L"App", "App.exe",
                "Reference=*\\G{1}#1.0#0#..\\bin\\Lib.dll#Lib\r\n"
                "Reference=*\\G{2}#2.0#0#C:\\WINDOWS\\system32\\stdole2.tlb#OLE Automation\r\n"
                "Form=frmMain.frm\r\nModule=M; M.bas\r\nUserControl=ctl\\Grid.ctl\r\n"
                "ResFile32=\"App.res\"\r\n");
    for (const wchar_t* f :
         {L"frmMain.frm", L"frmMain.frx", L"M.bas", L"ctl\\Grid.ctl", L"ctl\\Grid.ctx", L"App.res"})
        Write(dir_ / (std::wstring(L"App\\") + f), 100);
    Write(Output(L"Lib.dll"), 90);
    Write(Output(L"App.exe"), 50);

    const auto state = [&] { return MakePlan({app}, {app, lib}).StateNow(0); };
    EXPECT_TRUE(state().upToDate);
    EXPECT_EQ(state().reason, L"最新");

    // Each input newer than the output makes it stale, named; the newest one is given.
    Write(dir_ / L"App\\ctl\\Grid.ctx", 20);
    EXPECT_EQ(state().Text(), L"更新：" + dir_ / L"App\\ctl\\Grid.ctx");
    Write(dir_ / L"App\\frmMain.frx", 10);
    EXPECT_EQ(state().Text(), L"更新：" + dir_ / L"App\\frmMain.frx");
    EXPECT_FALSE(state().upToDate);
    Write(dir_ / L"App\\frmMain.frx", 100);
    Write(dir_ / L"App\\ctl\\Grid.ctx", 100);
    Write(Output(L"Lib.dll"), 5);  // the DLL rebuilt after the EXE
    EXPECT_EQ(state().Text(), L"更新：" + Output(L"Lib.dll"));
    // A DLL nobody in the list builds is no input.
    EXPECT_TRUE(MakePlan({app}, {app}).StateNow(0).upToDate);
    Write(Output(L"Lib.dll"), 90);
    test::SetModifiedAgo(app, 1);  // the project file itself
    EXPECT_EQ(state().Text(), L"更新：" + app);
    Write(Output(L"App.exe"), 0);
    EXPECT_TRUE(state().upToDate);
    // A file dated in the future is a change, named, whether an input or the output.
    test::SetModifiedAgo(dir_ / L"App\\M.bas", -86400);
    EXPECT_EQ(state().Text(), L"日付が未来のファイル：" + dir_ / L"App\\M.bas");
    Write(dir_ / L"App\\M.bas", 100);
    test::SetModifiedAgo(Output(L"App.exe"), -86400);
    EXPECT_EQ(state().code, L"future-time");
    Write(Output(L"App.exe"), 0);

    // A missing side file is nothing; a missing member or output makes the project stale.
    test::RemovePath(dir_ / L"App\\frmMain.frx");
    EXPECT_TRUE(state().upToDate);
    test::RemovePath(dir_ / L"App\\M.bas");
    EXPECT_EQ(state().Text(), L"ファイル無し：" + dir_ / L"App\\M.bas");
    test::RemovePath(Output(L"App.exe"));
    EXPECT_EQ(state().reason, L"出力なし");

    // A forecast (the dry run) does not look at a file on another host that a project names.
    const std::wstring away =
        Project(L"Away", "Away.exe", "Module=M; \\\\elsewhere\\share\\M.bas\r\n");
    Write(Output(L"Away.exe"), 0);
    EXPECT_EQ(MakePlan({away}, {away}).Forecast()[0].code, L"other-host");
    EXPECT_EQ(MakePlan({away}, {away}).StateNow(0).code, L"missing-member");  // a run looks
}

TEST_F(MakePlanTest, EntriesComeAfterTheProjectsWhoseOutputsTheyReferenceOtherwiseInListOrder) {
    // A chain DLL → OCX → EXE in a group, listed in reverse; the control referenced by file
    // name only, as "Object=" lines give it; two unrelated projects among them.
    const std::wstring app = Project(L"App", "App.exe", "Object={9}#1.0#0; CTL.OCX\r\n");
    const std::wstring x =
        Project(L"X", "X.exe", "Reference=*\\G{1}#1.0#0#..\\nowhere\\N.dll#N\r\n");
    const std::wstring ctl =
        Project(L"Ctl", "Ctl.ocx", "Reference=*\\G{1}#1.0#0#.\\..//BIN\\\\./lib.DLL#L\r\n");
    const std::wstring y = Project(L"Y", "Y.exe");
    const std::wstring lib = Project(L"Lib", "Lib.dll");
    const std::wstring group = dir_ / L"All.vbg";
    test::WriteFile(group, "VBGROUP 5.0\r\nStartupProject=App\\App.vbp\r\n");

    const MakePlan plan({group, x, ctl, y, lib}, {group, x, ctl, y, lib});
    EXPECT_TRUE(plan.Cycle().empty());
    EXPECT_EQ(Names(plan),
              (std::vector<std::wstring>{L"X.vbp", L"Y.vbp", L"Lib.vbp", L"Ctl.vbp", L"All.vbg"}));
    ASSERT_EQ(plan.Notes(0).size(), 1u);
    EXPECT_NE(plan.Notes(0)[0].find(L"ファイル名だけで Ctl.vbp の出力"), std::wstring::npos);
    // The library's path, however spelled (".\\", "/", doubled separators), names its output.
    EXPECT_TRUE(plan.Notes(2).empty());
    // Before anything is built, everything is stale, and what comes after a stale entry too.
    const auto states = plan.Forecast();
    EXPECT_EQ(states[4].reason, L"出力なし");

    // Built, and then only the DLL touched: the forecast carries it up the chain.
    Write(Output(L"Lib.dll"), 60);
    Write(Output(L"Ctl.ocx"), 55);
    for (const wchar_t* out : {L"App.exe", L"X.exe", L"Y.exe"}) Write(Output(out), 50);
    test::SetModifiedAgo(lib, 10);
    const auto after = MakePlan({group, x, ctl, y, lib}, {}).Forecast();
    EXPECT_EQ(after[4].Text(), L"更新：" + dir_ / L"Lib\\Lib.vbp");
    EXPECT_EQ(after[2].reason, L"参照先を再コンパイル：Lib.vbp");
    EXPECT_EQ(after[0].reason, L"参照先を再コンパイル：Ctl.vbp");
    EXPECT_TRUE(after[1].upToDate);
    EXPECT_TRUE(after[3].upToDate);
}

TEST_F(MakePlanTest, ACycleIsNamedAndOrdersNothingWhileSelfAndSharedOutputsAreOnlyNoted) {
    const std::wstring a = Project(L"A", "A.dll", "Reference=*\\G{1}#1.0#0#..\\bin\\B.dll#B\r\n");
    const std::wstring b = Project(L"B", "B.dll", "Reference=*\\G{1}#1.0#0#..\\bin\\A.dll#A\r\n");
    const std::wstring c = Project(L"C", "C.exe");
    const MakePlan cycle({c, a, b}, {});
    EXPECT_TRUE(cycle.Order().empty());
    EXPECT_EQ(cycle.Cycle(), L"A.vbp → B.vbp → A.vbp");

    // A project referencing its own output, and two projects building one file.
    const std::wstring self =
        Project(L"S", "S.dll", "Reference=*\\G{1}#1.0#0#..\\bin\\S.dll#S\r\n");
    const std::wstring twin = Project(L"T", "C.exe");
    const MakePlan noted({twin, self, c}, {});
    EXPECT_TRUE(noted.Cycle().empty());
    EXPECT_EQ(Names(noted), (std::vector<std::wstring>{L"T.vbp", L"S.vbp", L"C.vbp"}));
    ASSERT_EQ(noted.Notes(1).size(), 1u);
    EXPECT_NE(noted.Notes(1)[0].find(L"自分自身の出力"), std::wstring::npos);
    ASSERT_EQ(noted.Notes(0).size(), 1u);
    EXPECT_EQ(noted.Notes(0), noted.Notes(2));
    EXPECT_NE(noted.Notes(0)[0].find(L"同じ出力ファイル"), std::wstring::npos);
}

// A bare name that seven projects build, none nearer than the others: not used for the order,
// and the note names a few of them, not every one.
TEST_F(MakePlanTest, ABareNameOfManyProducersIsNotedBriefly) {
    std::vector<std::wstring> all;
    for (int i = 0; i < 7; ++i) all.push_back(Project(L"P" + std::to_wstring(i), "X.dll"));
    const std::wstring user = Project(L"U", "U.exe", "Object={9}#1.0#0; X.dll\r\n");
    all.push_back(user);
    const MakePlan plan({user}, all);
    ASSERT_EQ(plan.Notes(0).size(), 1u);
    const std::wstring& note = plan.Notes(0)[0];
    EXPECT_NE(note.find(L"一つに決まらない"), std::wstring::npos) << test::Utf8(note);
    EXPECT_NE(note.find(L" ほか 2 件"), std::wstring::npos) << test::Utf8(note);
    EXPECT_EQ(note.find(L"P6.vbp"), std::wstring::npos);
}

// What real projects do: a group selected with one of its own projects, two checkouts of the
// same projects, a reference to the registered copy of a DLL, an output named by Name and Type.
TEST_F(MakePlanTest, ReferencesAsVbSeesThemOnRealProjects) {
    // G holds L, M and A; M references L and A references M (by "*\\A" project references).
    const std::wstring l = Project(L"L", "L.dll");
    const std::wstring m = Project(L"M", "M.dll", "Reference=*\\A..\\L\\L.vbp\r\n");
    Project(L"A", "A.exe", "Reference=*\\A..\\M\\M.vbp\r\n");
    const std::wstring g = dir_ / L"G.vbg";
    test::WriteFile(g,
                    "VBGROUP 5.0\r\nStartupProject=A\\A.vbp\r\nProject=L\\L.vbp\r\n"
                    "Project=M\\M.vbp\r\n");
    const MakePlan group({g, m}, {g, m});
    EXPECT_EQ(group.Cycle(), L"");
    EXPECT_EQ(Names(group), (std::vector<std::wstring>{L"G.vbg", L"M.vbp"}));
    // Compiling M twice at once would have two VB processes on one file: M waits for G.
    EXPECT_EQ(group.Waits(1), std::vector<std::size_t>{0});
    EXPECT_TRUE(group.Waits(0).empty());

    // Two checkouts: each B uses its own checkout's A.ocx, each A its own B.ocx, by name only.
    std::vector<std::wstring> both;
    for (const std::wstring branch : {L"trunk", L"branch"}) {
        const std::wstring a = dir_ / (branch + L"\\a\\A.vbp"), b = dir_ / (branch + L"\\b\\B.vbp");
        test::WriteFile(a, "Type=Control\r\nObject={1}#1.0#0; B.ocx\r\nExeName32=\"A.ocx\"\r\n");
        test::WriteFile(b, "Type=Control\r\nExeName32=\"B.ocx\"\r\n");
        both.push_back(a);
        both.push_back(b);
    }
    const MakePlan checkouts(both, both);
    EXPECT_EQ(checkouts.Cycle(), L"");
    EXPECT_EQ(checkouts.After(0), std::vector<std::size_t>{1});  // trunk's A after trunk's B
    EXPECT_EQ(checkouts.After(2), std::vector<std::size_t>{3});

    // The registered copy names no output of the list: matched by its file name. Without
    // ExeName32 the library is Name plus ".dll"; built without binary compatibility, it warns.
    const std::wstring kyotsu = dir_ / L"K\\Kyotsu.vbp";
    test::WriteFile(kyotsu, "Type=OleDll\r\nName=\"Kyotsu\"\r\n");
    const std::wstring user = Project(
        L"U", "U.exe", "Reference=*\\G{0}#1.0#0#C:\\Windows\\System32\\Kyotsu.dll#Kyotsu\r\n");
    const MakePlan registered({user, kyotsu}, {user, kyotsu});
    EXPECT_EQ(Names(registered), (std::vector<std::wstring>{L"Kyotsu.vbp", L"U.vbp"}));
    EXPECT_EQ(registered.Target(1).outputs, std::vector<std::wstring>{dir_ / L"K\\Kyotsu.dll"});
    EXPECT_EQ(registered.Warnings(1), std::vector<std::wstring>{L"no-compatibility"});
    EXPECT_EQ(registered.StateNow(1).code, L"no-output");
}

// VB raises RevisionVer= and saves the project file after the build: that alone is no change.
TEST_F(MakePlanTest, VbsOwnWriteBackLeavesTheProjectUpToDate) {
    const std::wstring memory = dir_ / L"memory\\make-memory.txt";
    const std::wstring p = Project(L"P", "P.exe", "AutoIncrementVer=1\r\nRevisionVer=1\r\n");
    {
        MakePlan plan({p}, {p}, memory);
        Write(Output(L"P.exe"), 50);  // what VB builds, then its write-back
        test::WriteFile(p,
                        "Type=Exe\r\nAutoIncrementVer=1\r\nRevisionVer=2\r\nExeName32=\"P.exe\"\r\n"
                        "Path32=\"..\\bin\"\r\n");
        test::SetModifiedAgo(p, 10);
        plan.Record(0, CompileResult::Succeeded);
    }
    EXPECT_TRUE(MakePlan({p}, {p}, memory).StateNow(0).upToDate);
    EXPECT_FALSE(MakePlan({p}, {p}).StateNow(0).upToDate);      // nothing remembered: compile
    test::WriteFile(p, test::ReadFile(p) + "Title=\"P\"\r\n");  // a real edit
    test::SetModifiedAgo(p, 10);
    EXPECT_EQ(MakePlan({p}, {p}, memory).StateNow(0).code, L"input-newer");
    // A damaged memory file only means compiling.
    test::WriteFile(memory, "\xff\xfe garbage\r\n");
    EXPECT_FALSE(MakePlan({p}, {p}, memory).StateNow(0).upToDate);
}

}  // namespace
}  // namespace kinoha
