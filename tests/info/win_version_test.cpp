#include <gtest/gtest.h>

#include <map>

#include "info/win_version.h"

namespace kinoha {
namespace {

constexpr wchar_t kOlder[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr wchar_t kNt[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// A registry of fixed values that records which keys were opened.
class FakeRegistry : public platform::RegistryReader {
  public:
    struct Value {
        std::uint32_t type;
        std::string data;
    };
    std::map<std::wstring, std::map<std::wstring, Value>> keys;
    std::vector<std::wstring> opened;
    int openCount = 0;

    bool OpenKey(const std::wstring& subKey) override {
        opened.push_back(subKey);
        if (!keys.count(subKey)) return false;
        current_ = subKey;
        ++openCount;
        return true;
    }
    bool QueryValue(const std::wstring& name, std::uint32_t& type, std::uint32_t& size,
                    std::string& buffer) override {
        if (current_.empty()) return false;
        const auto& values = keys[current_];
        const auto it = values.find(name);
        if (it == values.end()) return false;
        type = it->second.type;
        size = static_cast<std::uint32_t>(it->second.data.size());
        if (buffer.empty()) return true;
        if (buffer.size() < it->second.data.size()) return false;
        buffer.replace(0, it->second.data.size(), it->second.data);
        return true;
    }
    void CloseKey() override {
        if (!current_.empty()) --openCount;
        current_.clear();
    }

  private:
    std::wstring current_;
};

TEST(WinVersion, OlderFamilyVersionWinsAndTheNtKeyIsNotRead) {
    FakeRegistry r;
    r.keys[kOlder][L"Version"] = {1, std::string("Windows 98\0", 11)};
    r.keys[kNt][L"ProductName"] = {1, std::string("Microsoft Windows XP\0", 21)};
    EXPECT_EQ(GetWinVersion(r), L"Windows 98");
    EXPECT_EQ(r.opened, std::vector<std::wstring>{kOlder});
    EXPECT_EQ(r.openCount, 0) << "every key opened is closed";
}

TEST(WinVersion, NtFamilyGivesTheProductName) {
    FakeRegistry r;
    r.keys[kOlder][L"ProgramFilesDir"] = {1, std::string("C:\\Program Files\0", 17)};
    r.keys[kNt][L"ProductName"] = {1, std::string("Microsoft Windows XP\0", 21)};
    EXPECT_EQ(GetWinVersion(r), L"Microsoft Windows XP");
    EXPECT_EQ(r.openCount, 0);
}

TEST(WinVersion, MissingWrongTypeAndSizeZeroCountAsMissing) {
    FakeRegistry none;
    EXPECT_EQ(GetWinVersion(none), L"");

    FakeRegistry r;
    r.keys[kOlder][L"Version"] = {2, std::string("%SystemRoot%\0", 13)};  // REG_EXPAND_SZ
    r.keys[kNt][L"ProductName"] = {1, std::string()};                     // size 0
    EXPECT_EQ(GetWinVersion(r), L"");
    EXPECT_EQ(r.openCount, 0);

    r.keys[kNt][L"ProductName"] = {1, std::string("Windows 10 Pro\0", 15)};
    EXPECT_EQ(GetWinVersion(r), L"Windows 10 Pro");
}

TEST(WinVersion, EmbeddedNulCutsAndAnEmptyVersionStopsTheSearch) {
    FakeRegistry r;
    r.keys[kOlder][L"Version"] = {1, std::string("Windows\0junk\0", 13)};
    EXPECT_EQ(GetWinVersion(r), L"Windows");

    FakeRegistry empty;
    empty.keys[kOlder][L"Version"] = {1, std::string("\0", 1)};
    empty.keys[kNt][L"ProductName"] = {1, std::string("Microsoft Windows 7\0", 20)};
    EXPECT_EQ(GetWinVersion(empty), L"");
    EXPECT_EQ(empty.opened, std::vector<std::wstring>{kOlder});
    EXPECT_EQ(GetWinProductName(empty), L"Microsoft Windows 7");
}

TEST(WinVersion, ShiftJisValueIsConverted) {
    FakeRegistry r;
    r.keys[kNt][L"ProductName"] = {1, std::string("\x93\xfa\x96\x7b\0", 5)};
    EXPECT_EQ(GetWinVersion(r), L"日本");
}

TEST(WinVersion, TheRunningSystemHasAStableName) {
    const std::wstring first = GetWinVersion();
    EXPECT_EQ(first, GetWinVersion());
#ifdef _WIN32
    // Wine names itself "Microsoft Windows 7" and has no older-family "Version".
    if (first.find(L"Windows") == std::wstring::npos) ADD_FAILURE() << "unexpected name";
#else
    EXPECT_EQ(first.find_first_of(L"/\\"), std::wstring::npos) << "usable as a file name";
#endif
}

}  // namespace
}  // namespace kinoha
