// Files as users have them: paths past 260 characters, names that are devices or pipes, files
// that change while they are read.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/platform.h"
#include "support/test_files.h"

namespace kinoha::platform {
namespace {

// A folder path of about 330 characters below `base`, with Japanese names among ASCII ones.
std::wstring LongFolder(const std::wstring& base, std::wstring& lastName) {
    std::wstring path = base;
    for (int i = 0; path.size() < 330; ++i) {
        lastName = (i % 2 == 0 ? L"long-folder-name-" : L"長いフォルダー名-") + std::to_wstring(i) +
                   std::wstring(30, L'x');
        path += L"\\" + lastName;
    }
    return path;
}

class ReadHook {
  public:
    explicit ReadHook(std::function<void(const std::wstring&, std::size_t)> hook) {
        SetReadHookForTesting(std::move(hook));
    }
    ~ReadHook() { SetReadHookForTesting({}); }
    ReadHook(const ReadHook&) = delete;
    ReadHook& operator=(const ReadHook&) = delete;
};

TEST(LongPaths, EveryFileServiceWorksPast260Characters) {
    test::TempDir dir;
    std::wstring lastName;
    const std::wstring folder = LongFolder(dir / L"tree", lastName);
    ASSERT_GT(folder.size(), 300u);
    ASSERT_TRUE(EnsureDirectory(folder));
    EXPECT_TRUE(CanCreateFileIn(folder));

    const std::wstring file = folder + L"\\Project1.vbp";
    ASSERT_TRUE(ReplaceFileAtomically(file, "Type=Exe\r\n"));
    ASSERT_TRUE(ReplaceFileAtomically(file, "Type=Exe\r\nForm=a.frm\r\n"));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(file, bytes));
    EXPECT_EQ(bytes, "Type=Exe\r\nForm=a.frm\r\n");
    EXPECT_TRUE(LookupFile(file));
    EXPECT_TRUE(LookupFile(folder + L"\\*.VBP"));
    std::vector<DirEntry> entries;
    ASSERT_TRUE(FindEntries(folder, L"*.vbp", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, L"Project1.vbp");
    LocalDateTime t;
    EXPECT_TRUE(FileModifiedLocal(file, t));
    EXPECT_GE(t.year, 2020);

    // The same folder written with "." and ".." steps, as project lines write it.
    const std::wstring roundabout = folder + L"\\.\\..\\" + lastName;
    std::string a, b;
    ASSERT_TRUE(DirectoryIdentity(folder, a));
    ASSERT_TRUE(DirectoryIdentity(roundabout, b));
    EXPECT_EQ(a, b);
    ASSERT_TRUE(ReadFileBytes(roundabout + L"\\Project1.vbp", bytes));
    EXPECT_EQ(bytes, "Type=Exe\r\nForm=a.frm\r\n");

    // A failed replacement keeps the old file there too, and leaves no temporary behind.
    for (int step = 1; step <= 4; ++step) {
        SetWriteFaultForTesting(step);
        EXPECT_FALSE(ReplaceFileAtomically(file, "new")) << step;
        SetWriteFaultForTesting(0);
    }
    ASSERT_TRUE(ReadFileBytes(file, bytes));
    EXPECT_EQ(bytes, "Type=Exe\r\nForm=a.frm\r\n");
    ASSERT_TRUE(FindEntries(folder, L"*", entries));
    std::size_t files = 0;
    for (const auto& e : entries) files += e.isOrdinaryFile ? 1 : 0;
    EXPECT_EQ(files, 1u);
}

TEST(NotFiles, DevicesPipesAndFoldersAreNotRead) {
    test::TempDir dir;
    std::string bytes = "left over";
    EXPECT_FALSE(ReadFileBytes(dir.path(), bytes));
    EXPECT_TRUE(bytes.empty());
    // Project lines such as «Form=NUL» or «Module=M; CON» name devices on Windows; reading the
    // console would wait for the keyboard. Elsewhere these are simply missing files.
    for (const wchar_t* device : {L"NUL", L"CON", L"nul.frm"})
        EXPECT_FALSE(ReadFileBytes(dir / device, bytes)) << test::Utf8(device);
#ifndef _WIN32
    // A FIFO would block the opening until a writer came.
    const std::wstring fifo = dir / L"pipe.frm";
    ASSERT_EQ(mkfifo(test::Utf8(fifo).c_str(), 0600), 0);
    EXPECT_FALSE(ReadFileBytes(fifo, bytes));
    EXPECT_FALSE(LookupFile(fifo));
#endif
}

TEST(ChangingFiles, AFileRewrittenWhileReadIsReadAgainWhole) {
    test::TempDir dir;
    const std::wstring path = dir / L"big.vbp";
    // Several read blocks long; the versions differ in size, which every file system notes.
    const std::string older(300000, 'a');
    const std::string newer = "Type=Exe\r\n" + std::string(200000, 'b');
    test::WriteFile(path, older);
    int calls = 0;
    std::size_t firstBlock = 0;
    {
        ReadHook hook([&](const std::wstring& p, std::size_t read) {
            if (p != path) return;
            if (calls++ == 0) {
                firstBlock = read;
                test::WriteFile(path, newer);
            }
        });
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path, bytes));
        EXPECT_EQ(bytes, newer);  // not the first block of one and the rest of the other
    }
    EXPECT_GT(firstBlock, 0u);
    EXPECT_LT(firstBlock, older.size());
    EXPECT_GT(calls, 2);

    // A file that is rewritten at every reading is given up, without any of its bytes.
    int rewrites = 0;
    {
        ReadHook hook([&](const std::wstring& p, std::size_t read) {
            if (p == path && read <= 65536)
                test::WriteFile(path, ++rewrites % 2 == 1 ? older : newer);
        });
        std::string bytes = "left over";
        EXPECT_FALSE(ReadFileBytes(path, bytes));
        EXPECT_TRUE(bytes.empty());
    }
    EXPECT_GE(rewrites, 2);
    std::string settled;
    ASSERT_TRUE(ReadFileBytes(path, settled));
    EXPECT_EQ(settled.size(), rewrites % 2 == 1 ? older.size() : newer.size());
}

}  // namespace
}  // namespace kinoha::platform
