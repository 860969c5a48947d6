// Files for tests: a fresh temporary folder per test, and plain byte-level file access that does
// not go through the code under test.
#pragma once

#include <string>

namespace kinoha::test {

// A new empty folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the program's logic writes paths (Windows style on Windows).
    const std::wstring& path() const { return path_; }
    // path() & "\" & relative, with "\" as separator on every platform (the POSIX services
    // map it).
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

  private:
    std::wstring path_;
};

// Writes bytes to a file, creating its folders. The path may use "\" separators.
void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);
bool PathExists(const std::wstring& path);
void MakeDirectory(const std::wstring& path);
// Removes a file or a folder with everything in it; links are removed, not followed, and long
// paths are handled on Windows too.
void RemovePath(const std::wstring& path);
void RemoveTree(const std::wstring& path);
void SetReadOnly(const std::wstring& path, bool readOnly);
// Sets the file's last-modified time to `seconds` before now.
void SetModifiedAgo(const std::wstring& path, int seconds);
// Makes `link` a link to the directory `target` (a symbolic link, or on Windows a junction when
// symbolic links are not allowed). Empty when done, otherwise why not.
std::string MakeDirectoryLink(const std::wstring& link, const std::wstring& target);
// Removes such a link, leaving its target as it is.
void RemoveDirectoryLink(const std::wstring& link);

// The UTF-8 bytes of a text (POSIX file names in tests).
std::string Utf8(const std::wstring& text);

// Sets an environment variable of the test process; an empty value removes it.
void SetEnvironment(const std::string& name, const std::string& value);

}  // namespace kinoha::test
