// Platform services: the one boundary between the portable logic and the operating system.
// win32/ implements it with the wide-character Windows API, posix/ with POSIX and iconv.
// Paths in the logic are Windows paths ("\" separators); the POSIX side maps them onto the
// file system as Windows would find them (see posix/posix_path.cpp).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kinoha::platform {

// ---- Text in the ANSI code page -------------------------------------------------------------

// Bytes of the ANSI code page to text. A byte that starts no valid character becomes the
// escape character U+DC00 + byte, so nothing is ever dropped and EncodeAnsi gives it back; a
// lead byte with an undefined second byte of 0x80 or more gives two escape characters. Text so
// decoded and encoded again decodes to the same text.
std::wstring DecodeAnsi(std::string_view bytes);
// Text to bytes of the ANSI code page. Escape characters give their byte back; a character the
// code page cannot hold becomes "?".
std::string EncodeAnsi(std::wstring_view text);
// True when a file in the ANSI code page keeps every character of the text (EncodeAnsi puts no
// "?" for one it cannot hold).
bool AnsiHolds(std::wstring_view text);
// True when the byte starts a two-byte character of the ANSI code page.
bool IsLeadByte(unsigned char byte);
// IsLeadByte of every byte at once, for a reader that asks of each byte.
std::array<bool, 256> LeadBytes();
// True when DecodeAnsi takes `lead` and the byte `next` after it as one unit: a defined
// two-byte character, or an undefined pair whose second byte is 0x80 or more. (UTF-8 sequences
// are not pairs here: none of their bytes is below 0x80, so they hide no ASCII character.)
bool AnsiPairs(unsigned char lead, unsigned char next);
// True when every byte below 0x80 that starts a character is that same ASCII character, and no
// other byte or byte pair decodes to an ASCII character (CP932, the single-byte ANSI code pages
// and UTF-8 all qualify). Then a line made only of such bytes reads the same undecoded.
bool AnsiKeepsAscii();
// Chooses the code page for file contents by name ("CP932", "CP1252", "UTF-8", ...). The
// default is the system's ANSI code page on Windows and CP932 elsewhere. False when unknown.
bool SelectAnsiCodePage(const std::string& name);

// ---- Files ----------------------------------------------------------------------------------

struct DirEntry {
    std::wstring name;
    bool isDirectory = false;
    bool isOrdinaryFile = false;  // not a directory, not hidden, not a system file
    bool isLink = false;          // a symbolic link, junction or other reparse point
};

// Lists the entries of `directory` whose names match `pattern` ("*" and "?", letter case
// ignored, as Windows matches), in the platform's order. False when the listing cannot be
// started: the directory does not exist or cannot be read, or nothing matches.
bool FindEntries(const std::wstring& directory, const std::wstring& pattern,
                 std::vector<DirEntry>& out);

// The file lookup by name: True when `path` (wildcards allowed in its last component) names at
// least one ordinary file. Any failure gives False.
bool LookupFile(const std::wstring& path);

// An identity of the directory itself (device and node, or volume and file index), so that a
// directory reached twice through links is recognised. False when it cannot be had.
bool DirectoryIdentity(const std::wstring& directory, std::string& identity);

struct LocalDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
// The file's last-modified time in local time.
bool FileModifiedLocal(const std::wstring& path, LocalDateTime& out);

// The whole file as bytes. False when it cannot be opened or read, when it is no ordinary disk
// file (a directory, a pipe, a device such as CON or NUL: nothing waits for input), or when it
// keeps changing while it is read. A file that changed during one reading is read again, so
// the bytes are always those of one version of the file.
bool ReadFileBytes(const std::wstring& path, std::string& out);

// Reads the same file as ReadFileBytes does, under the same rules, but hands its bytes over in
// blocks of at most 64 KiB, so that memory stays that of one block whatever the file's size.
// `start` is called before each reading from the start (a file that changed while it was read
// is read again). `block` returns false to stop the reading; the result is false then.
bool ReadFileBlocks(const std::wstring& path, const std::function<void()>& start,
                    const std::function<bool(std::string_view)>& block);

// Test seam for files that change while they are read: when set, ReadFileBlocks calls it after
// each block it has read, with the path and the count of bytes read so far. An empty function
// turns it off.
void SetReadHookForTesting(std::function<void(const std::wstring& path, std::size_t read)> hook);

// Replaces (or creates) the file with exactly `bytes`: a temporary file beside it is written
// and then put in its place, so the old content stays whole when anything fails. A read-only
// target is refused.
bool ReplaceFileAtomically(const std::wstring& path, std::string_view bytes);

// Splits file bytes into lines: a line ends at CR or at CR LF, neither being part of it; LF
// alone ends nothing; a last line without an end is a line too. Empty input has no lines.
void SplitLines(std::string_view bytes, std::vector<std::string_view>& lines);
// Reads a text file in the ANSI code page as lines (see SplitLines).
bool ReadTextLines(const std::wstring& path, std::vector<std::wstring>& lines);
// Writes the lines in the ANSI code page, each followed by CR LF, replacing the file atomically.
bool WriteTextLines(const std::wstring& path, const std::vector<std::wstring>& lines);

// Fault seam for the atomic write: when set, the write fails at that step
// (1 = creating the temporary file, 2 = writing, 3 = flushing and closing, 4 = replacing).
// 0 turns it off. For tests.
void SetWriteFaultForTesting(int step);

// The system's short (8.3) name of an existing file or folder, which names the same thing; empty
// when it has none (POSIX systems have none; Windows volumes may have them turned off).
std::wstring ShortPathName(const std::wstring& path);
// A stamp of the file's last write, finer than a second (100 ns on Windows, 1 ns elsewhere), to
// tell whether a file was written between two looks. False when the file does not exist.
bool FileWriteStamp(const std::wstring& path, std::uint64_t& stamp);
// The write stamp a file written `secondsAhead` seconds from now would get: a stamp above
// WriteStampNow() is in the future.
std::uint64_t WriteStampNow(int secondsAhead = 0);
// Removes an ordinary file; removes an empty directory. True when it is gone afterwards.
bool RemoveFile(const std::wstring& path);
bool RemoveEmptyDirectory(const std::wstring& directory);

// Whether a new file can be created in `directory` (tried by creating and removing one).
bool CanCreateFileIn(const std::wstring& directory);
// Whether the path lies on a drive letter mapped to a network share (false elsewhere, and on
// POSIX, which has no drive letters).
bool OnRemoteDrive(const std::wstring& path);
// Creates the directory and its missing parents. True when it exists afterwards.
bool EnsureDirectory(const std::wstring& directory);
// Creates the directory in an existing parent; false when it already exists (made by someone
// else meanwhile, too) or cannot be made.
bool CreateNewDirectory(const std::wstring& directory);

// Watches the tree under `directory` for files and directories that are added, removed or
// renamed: `changed` is called on a thread of the watch after such changes (several changes
// may give one call). When the directory itself goes away, `changed` is called once more and the
// watch ends. Destroying the watch stops it; no call is made after the destructor returns.
class DirectoryWatch {
  public:
    virtual ~DirectoryWatch() = default;
};
// Null when the tree cannot be watched (a missing directory, some network shares).
std::unique_ptr<DirectoryWatch> WatchDirectoryTree(const std::wstring& directory,
                                                   std::function<void()> changed);

// ---- Command line and terminal ----------------------------------------------------------------

// The program's arguments after its name, as text: from the wide command line on Windows (the
// narrow `argv` is ignored there), from the UTF-8 bytes of `argv` elsewhere.
std::vector<std::wstring> CommandLineArguments(int argc, char** argv);
// A path as a user typed it (relative to the current directory, either separator) as the
// logic's absolute path ("\" separators; on POSIX "/a/b" becomes "\a\b"), "." and ".." steps
// removed.
std::wstring AbsolutePath(const std::wstring& path);
// A logic path as the user expects to see it ("/" separators on POSIX).
std::wstring DisplayPath(const std::wstring& path);
// Text for standard output or standard error: UTF-8 on POSIX, the console's code page on
// Windows (the ANSI code page when there is no console).
std::string TerminalText(std::wstring_view text);
// Whether TerminalText keeps every character of the text (none replaced by "?").
bool TerminalShows(std::wstring_view text);
// Keeps the standard streams in their places: one the program was started without (closed by
// the caller) is opened on the null device, so that no file opened later takes its number and
// receives what was meant for the stream. False when standard output was closed: text written
// to it then reaches nobody, and the caller says so.
bool HoldStandardStreams();
// Whether standard error goes to a terminal (a console on Windows), where a progress line that
// rewrites itself can be shown.
bool StandardErrorIsTerminal();
// Text as UTF-8 (escape characters give their byte back), for files read by other tools.
std::string EncodeUtf8(std::wstring_view text);

// ---- Process environment --------------------------------------------------------------------

// The directory that holds the running program, without a trailing separator (a drive root
// keeps its backslash).
std::wstring ProgramDirectory();
// The running program's full path.
std::wstring ProgramPath();
// Whether the user's session starts `program` when the user logs on: the per-user Run key's
// value "Kinoha" naming it on Windows, an XDG autostart entry "kinoha.desktop" elsewhere.
bool StartsAtLogon(const std::wstring& program);
// Adds (naming `program`) or removes that entry. True when it is then as asked.
bool SetStartsAtLogon(const std::wstring& program, bool on);
// The current directory, and setting it. Setting reports success.
std::wstring CurrentDirectory();
bool ChangeCurrentDirectory(const std::wstring& directory);
// The per-user folder for the program's files when its own directory is not writable
// (%LOCALAPPDATA%\Kinoha on Windows, $XDG_DATA_HOME/kinoha or ~/.local/share/kinoha elsewhere).
std::wstring PerUserDirectory();

// The system's folder for temporary files, without a trailing separator.
std::wstring TemporaryDirectory();
// The value of an environment variable, empty when it is not set.
std::wstring EnvironmentValue(const std::wstring& name);
// Memory the process uses, in bytes, for benchmarks: the working set on Windows, the heap in
// use (allocated and not freed) elsewhere.
std::size_t MemoryInUse();

// Processes the pending window events of the program's thread (no-op without a window system).
void PumpEvents();
// Replaces what PumpEvents does (tests drive window logic through it); an empty function
// restores the platform's own pump.
void SetEventPumpForTesting(std::function<void()> pump);

// ---- Processes and the shell ------------------------------------------------------------------

// Starts a command line as a new process, its first window shown normally and activated; the
// program path at its head may be unquoted and hold blanks (the system tries the blank-separated
// prefixes in turn). Does not wait. False when nothing was started.
bool StartCommandLine(const std::wstring& commandLine);

// Starts a command line like StartCommandLine and returns when the process has ended, processing
// pending window events meanwhile (PumpEvents). The wait is on the process itself, so it neither
// spins nor mistakes an exit code for "still running". False when nothing was started or the
// process could not be watched. `exitCode`, when given, receives the process's exit code (on
// POSIX 128 + the signal's number for a process ended by a signal).
bool RunCommandLineAndWait(const std::wstring& commandLine, std::uint32_t* exitCode = nullptr);

// How RunSupervised watches a run.
struct SupervisedRun {
    std::chrono::milliseconds timeLimit{0};  // 0: none
    // End the run when one of its processes shows a dialog box (a visible top-level window of the
    // dialog class, as message boxes are); no effect where there are no such windows.
    bool endOnDialog = false;
    // Variables set in the child's environment only, over the program's own.
    std::vector<std::pair<std::wstring, std::wstring>> environment;
};
struct SupervisedEnd {
    enum class How {
        Exited,      // the process ended by itself; exitCode is its code
        NotStarted,  // nothing was started; error and errorText say why
        TimedOut,    // the time limit passed and the run was ended
        Dialog,      // a dialog box was shown and the run was ended; its texts are below
        Lost,        // the process could not be watched and was ended
    } how = How::NotStarted;
    std::uint32_t exitCode = 0;
    std::uint32_t error = 0;  // the system's error code, when not started
    std::wstring errorText;   // the system's message for it
    std::wstring dialogTitle;
    std::vector<std::wstring> dialogTexts;    // its text lines, in window order
    std::vector<std::wstring> dialogButtons;  // its buttons' captions
};
// Runs a command line as RunCommandLineAndWait does, and ends the process and everything it
// started (a job object on Windows, the process group elsewhere) when the time limit passes or,
// with endOnDialog, within about two seconds of one of them showing a dialog box, whose texts are
// read first. When it returns, nothing the run started is left running.
SupervisedEnd RunSupervised(const std::wstring& commandLine, const SupervisedRun& how);

// Opens a document or program through the shell with its working directory (the default verb,
// shown normally). `ownerWindow` is a native window handle or null. Returns the shell's code:
// above 32 on success; 2 file not found; 31 no program associated with the file.
int ShellOpen(void* ownerWindow, const std::wstring& file, const std::wstring& directory);

// Windows' rule for a command line: the program part (quoted, or the shortest blank-separated
// prefix that names an existing file, or the text up to the first blank) and the arguments as
// the C runtime splits them.
struct CommandLineParts {
    std::wstring program;
    std::vector<std::wstring> arguments;
};
CommandLineParts SplitCommandLine(const std::wstring& commandLine);

// ---- System version name --------------------------------------------------------------------

// Read-only access to the registry values that name the running system. The Windows side reads
// HKEY_LOCAL_MACHINE; elsewhere a stand-in offers the running system's description as the
// "ProductName" of the NT key.
class RegistryReader {
  public:
    virtual ~RegistryReader() = default;
    // Opens a key under HKEY_LOCAL_MACHINE for querying values; closes any key opened before.
    virtual bool OpenKey(const std::wstring& subKey) = 0;
    // Queries a value of the open key. With `buffer` empty only the type and size are
    // returned; otherwise the data fills at most buffer.size() bytes. False when the value
    // cannot be read (missing value, no open key, a buffer too small).
    virtual bool QueryValue(const std::wstring& name, std::uint32_t& type, std::uint32_t& size,
                            std::string& buffer) = 0;
    virtual void CloseKey() = 0;
};
inline constexpr std::uint32_t kRegSz = 1;
std::unique_ptr<RegistryReader> SystemRegistry();

}  // namespace kinoha::platform
