#include "platform/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace platform {

namespace {

// Appends what the (non-blocking) pipe holds now. True once the writer has
// closed its end or the pipe failed; false when more may come.
bool DrainPipe(int fd, std::string& text) {
    char buffer[8192];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0) {
            return true;
        } else if (errno != EINTR) {
            return errno != EAGAIN && errno != EWOULDBLOCK;
        }
    }
}

int DecodeStatus(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return 128 + WTERMSIG(status);
    }
    return -1;
}

// The parent's environment with the extra entries replacing same-named ones.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view current(*entry);
        const std::string_view name = current.substr(0, current.find('='));
        bool overridden = false;
        for (const std::string& replacement : extra) {
            if (std::string_view(replacement).substr(0, replacement.find('=')) == name) {
                overridden = true;
                break;
            }
        }
        if (!overridden) {
            merged.emplace_back(current);
        }
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> PointerArray(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Owns the posix_spawn attribute objects for the length of one start.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

std::optional<Process> Process::Start(std::string_view commandLine, const ProcessOptions& options) {
    return StartArguments(SplitCommandLine(commandLine), options);
}

std::optional<Process> Process::StartArguments(const std::vector<std::string>& arguments,
                                               const ProcessOptions& options) {
    if (arguments.empty() || arguments.front().empty()) {
        return std::nullopt;
    }
    SpawnSetup setup;

    // A process group of its own lets Kill reach the grandchildren too (an
    // office suite's real worker behind its launcher). Signal state is reset
    // so that a mask or ignored signal of ours does not leak into the child.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaultSignals;
    sigemptyset(&defaultSignals);
    sigaddset(&defaultSignals, SIGPIPE);
    sigaddset(&defaultSignals, SIGCHLD);
    sigaddset(&defaultSignals, SIGINT);
    sigaddset(&defaultSignals, SIGQUIT);
    sigaddset(&defaultSignals, SIGTERM);
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    posix_spawnattr_setsigdefault(&setup.attributes, &defaultSignals);
    posix_spawnattr_setflags(
        &setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int pipeEnds[2] = {-1, -1};
    if (options.captureOutput) {
        // O_CLOEXEC: neither this child nor any other one started meanwhile
        // keeps a copy of the ends, so the reader sees the end of the data.
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
            return std::nullopt;
        }
        posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&setup.actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&setup.actions, pipeEnds[1], STDERR_FILENO);
    } else if (options.discardOutput) {
        posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&setup.actions, STDOUT_FILENO, STDERR_FILENO);
    }
    if (!options.workingDirectory.empty()) {
        posix_spawn_file_actions_addchdir_np(&setup.actions, options.workingDirectory.c_str());
    }

    std::vector<std::string> argumentCopies(arguments);
    std::vector<char*> argv = PointerArray(argumentCopies);
    std::vector<std::string> environment = MergedEnvironment(options.environment);
    std::vector<char*> envp = PointerArray(environment);

    pid_t pid = -1;
    // posix_spawnp reports a program that cannot be executed (ENOENT,
    // EACCES) here, rather than as a child that exits with 127.
    const int error =
        posix_spawnp(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), envp.data());
    if (pipeEnds[1] >= 0) {
        close(pipeEnds[1]);
    }
    if (error != 0) {
        if (pipeEnds[0] >= 0) {
            close(pipeEnds[0]);
        }
        return std::nullopt;
    }
    if (pipeEnds[0] >= 0) {
        fcntl(pipeEnds[0], F_SETFL, fcntl(pipeEnds[0], F_GETFL) | O_NONBLOCK);
    }
    return Process(pid, pipeEnds[0]);
}

Process::Process(Process&& other) noexcept
    : m_pid(other.m_pid), m_outputFd(other.m_outputFd), m_exitCode(other.m_exitCode) {
    other.m_pid = -1;
    other.m_outputFd = -1;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (m_outputFd >= 0) {
            close(m_outputFd);
        }
        m_pid = other.m_pid;
        m_outputFd = other.m_outputFd;
        m_exitCode = other.m_exitCode;
        other.m_pid = -1;
        other.m_outputFd = -1;
    }
    return *this;
}

Process::~Process() {
    if (m_outputFd >= 0) {
        close(m_outputFd);
    }
}

int Process::Wait() {
    if (m_exitCode) {
        return *m_exitCode;
    }
    if (m_pid <= 0) {
        return -1;
    }
    int status = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    if (result != m_pid) {
        return -1;
    }
    m_exitCode = DecodeStatus(status);
    return *m_exitCode;
}

std::optional<int> Process::TryWait() {
    if (m_exitCode) {
        return m_exitCode;
    }
    if (m_pid <= 0) {
        return -1;
    }
    int status = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0) {
        return std::nullopt;
    }
    if (result != m_pid) {
        // Not our child any more (already reaped elsewhere): nothing to wait for.
        m_exitCode = -1;
        return m_exitCode;
    }
    m_exitCode = DecodeStatus(status);
    return m_exitCode;
}

std::optional<int> Process::WaitFor(std::uint32_t milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (const auto code = TryWait()) {
            return code;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
}

void Process::Kill() {
    if (m_exitCode || m_pid <= 0) {
        return;  // once reaped, the id may belong to somebody else
    }
    // The unreaped child keeps its group id reserved, so this reaches only
    // our own descendants.
    kill(-m_pid, SIGKILL);
    kill(m_pid, SIGKILL);
    Wait();
}

std::size_t Process::PeekAvailable() const {
    if (m_outputFd < 0) {
        return 0;
    }
    pollfd entry{m_outputFd, POLLIN, 0};
    if (poll(&entry, 1, 0) <= 0 || (entry.revents & POLLIN) == 0) {
        return 0;
    }
    int available = 0;
    if (ioctl(m_outputFd, FIONREAD, &available) != 0 || available < 0) {
        return 0;
    }
    return static_cast<std::size_t>(available);
}

std::string Process::ReadAvailable() {
    std::string text;
    if (m_outputFd >= 0) {
        DrainPipe(m_outputFd, text);
    }
    return text;
}

std::string Process::ReadAll() {
    std::string text;
    if (m_outputFd < 0) {
        return text;
    }
    while (!DrainPipe(m_outputFd, text)) {
        pollfd entry{m_outputFd, POLLIN, 0};
        poll(&entry, 1, -1);
    }
    return text;
}

int RunAndWait(std::string_view commandLine, const ProcessOptions& options) {
    auto process = Process::Start(commandLine, options);
    if (!process) {
        return -1;
    }
    if (options.captureOutput) {
        process->ReadAll();  // nobody reads it, but a full pipe would block the child
    }
    return process->Wait();
}

LimitedRun RunWithTimeLimit(const std::vector<std::string>& arguments, std::uint32_t timeLimitMs,
                            const ProcessOptions& options) {
    constexpr std::uint32_t kPollMs = 20;
    LimitedRun run;
    auto process = Process::StartArguments(arguments, options);
    if (!process) {
        return run;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    for (;;) {
        const std::optional<int> exitCode = process->WaitFor(kPollMs);
        run.output += process->ReadAvailable();
        if (exitCode) {
            run.outcome = LimitedRun::Outcome::Finished;
            run.exitCode = *exitCode;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            process->Kill();
            run.outcome = LimitedRun::Outcome::TimedOut;
            break;
        }
    }
    run.output += process->ReadAvailable();
    return run;
}

}  // namespace platform
