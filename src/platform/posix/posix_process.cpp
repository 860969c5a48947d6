// Starting programs on POSIX: the Windows command line is split as Windows would and the
// program's path mapped onto the file system.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "platform/platform.h"
#include "platform/posix/posix_path.h"

extern char** environ;

namespace kinoha::platform {
namespace {

bool Spawn(const std::wstring& commandLine, pid_t& pid) {
    const CommandLineParts parts = SplitCommandLine(commandLine);
    if (parts.program.empty()) return false;
    std::vector<std::string> args{posix::NativePath(parts.program)};
    for (const auto& a : parts.arguments) args.push_back(posix::WideToName(a));
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0;
}

bool WaitFor(pid_t pid, std::uint32_t* exitCode) {
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (exitCode != nullptr)
                *exitCode = WIFEXITED(status) ? static_cast<std::uint32_t>(WEXITSTATUS(status))
                                              : 128u + static_cast<std::uint32_t>(WTERMSIG(status));
            return true;
        }
        if (r < 0 && errno != EINTR) return false;
        PumpEvents();
        const timespec pause{0, 5'000'000};
        nanosleep(&pause, nullptr);
    }
}
}  // namespace

bool StartCommandLine(const std::wstring& commandLine) {
    // A middle process that ends at once leaves the program to init, so no zombie remains.
    const pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        pid_t pid = 0;
        _exit(Spawn(commandLine, pid) ? 0 : 1);
    }
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool RunCommandLineAndWait(const std::wstring& commandLine, std::uint32_t* exitCode) {
    pid_t pid = 0;
    return Spawn(commandLine, pid) && WaitFor(pid, exitCode);
}

SupervisedEnd RunSupervised(const std::wstring& commandLine, const SupervisedRun& how) {
    SupervisedEnd end;
    const CommandLineParts parts = SplitCommandLine(commandLine);
    if (parts.program.empty()) {
        end.error = ENOENT;
        end.errorText = posix::NameToWide(std::strerror(ENOENT));
        return end;
    }
    std::vector<std::string> args{posix::NativePath(parts.program)};
    for (const auto& a : parts.arguments) args.push_back(posix::WideToName(a));
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The program's environment with the run's variables set over it.
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const auto& [name, value] : how.environment) {
        const std::string n = posix::WideToName(name) + "=";
        env.erase(std::remove_if(env.begin(), env.end(),
                                 [&](const std::string& e) { return e.rfind(n, 0) == 0; }),
                  env.end());
        env.push_back(n + posix::WideToName(value));
    }
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    // A process group of its own, so that what it starts ends with it.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], nullptr, &attr, argv.data(), envp.data());
    posix_spawnattr_destroy(&attr);
    if (failed != 0) {
        end.error = static_cast<std::uint32_t>(failed);
        end.errorText = posix::NameToWide(std::strerror(failed));
        return end;
    }
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        int status = 0;
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            end.how = SupervisedEnd::How::Exited;
            end.exitCode = WIFEXITED(status) ? static_cast<std::uint32_t>(WEXITSTATUS(status))
                                             : 128u + static_cast<std::uint32_t>(WTERMSIG(status));
            break;
        }
        if (r < 0 && errno != EINTR) {
            end.how = SupervisedEnd::How::Lost;
            break;
        }
        if (how.timeLimit.count() > 0 &&
            std::chrono::steady_clock::now() - start >= how.timeLimit) {
            end.how = SupervisedEnd::How::TimedOut;
            kill(-pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        PumpEvents();
        const timespec pause{0, 5'000'000};
        nanosleep(&pause, nullptr);
    }
    kill(-pid, SIGKILL);  // whatever it left behind
    return end;
}

int ShellOpen(void*, const std::wstring& file, const std::wstring&) {
    const std::string native = posix::NativePath(file);
    if (access(native.c_str(), F_OK) != 0) return 2;
    // xdg-open knows the desktop's associations; without it nothing is associated.
    if (access("/usr/bin/xdg-open", X_OK) != 0) return 31;
    std::vector<char*> argv{const_cast<char*>("xdg-open"), const_cast<char*>(native.c_str()),
                            nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/usr/bin/xdg-open", nullptr, nullptr, argv.data(), environ) != 0)
        return 31;
    return 42;
}

}  // namespace kinoha::platform
