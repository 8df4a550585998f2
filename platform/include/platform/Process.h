#pragma once
// Child processes started from a command line. The command line is split
// into arguments by the Microsoft C runtime rules (SplitCommandLine), the
// first argument names the program (searched in PATH when it has no '/'),
// and the child is started with posix_spawn.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Blanks and tabs separate arguments; double quotes group; 2n backslashes
// before a quote give n backslashes and the quote toggles grouping; 2n+1
// give n backslashes and a literal quote; "" inside a group is one quote;
// backslashes not before a quote are literal. "" gives an empty argument.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(std::string_view argument);

// Joins arguments with QuoteArgument and single blanks.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

struct ProcessOptions {
    // Standard output and standard error of the child on one pipe that the
    // parent reads with PeekAvailable / ReadAvailable.
    bool captureOutput = false;
    // Standard output and error go to /dev/null (ignored with captureOutput).
    bool discardOutput = false;
    std::string workingDirectory;          // empty: the current one
    std::vector<std::string> environment;  // extra "NAME=value" entries
};

class Process {
  public:
    // nullopt when the command line is empty or the program cannot be started.
    static std::optional<Process> Start(std::string_view commandLine,
                                        const ProcessOptions& options = {});
    static std::optional<Process> StartArguments(const std::vector<std::string>& arguments,
                                                 const ProcessOptions& options = {});

    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();  // closes the pipe; does not kill or wait for a running child

    pid_t Id() const { return m_pid; }

    // Blocks until the child ends; its exit code (128 + signal when killed).
    int Wait();
    // Zero-time wait: the exit code when the child has ended, else nothing.
    std::optional<int> TryWait();
    // Waits at most `milliseconds`; nothing when the child is still running.
    std::optional<int> WaitFor(std::uint32_t milliseconds);
    // Ends the child (SIGKILL to its process group) and reaps it.
    void Kill();

    // Bytes readable from the output pipe right now (poll with time-out 0).
    std::size_t PeekAvailable() const;
    // Reads what is readable now without blocking ("" when nothing is).
    std::string ReadAvailable();
    // Reads until the child closes its end of the pipe.
    std::string ReadAll();

  private:
    Process(pid_t pid, int outputFd) : m_pid(pid), m_outputFd(outputFd) {}
    pid_t m_pid = -1;
    int m_outputFd = -1;
    std::optional<int> m_exitCode;
};

// Runs a command line, waits, and returns its exit code, or -1 when it could
// not be started.
int RunAndWait(std::string_view commandLine, const ProcessOptions& options = {});

// A child that may hang: it runs at most `timeLimitMs`, then its whole
// process group is killed. With captureOutput its standard output and error
// are collected as they come, so a full pipe never stalls it.
struct LimitedRun {
    enum class Outcome { Finished, TimedOut, NotStarted };
    Outcome outcome = Outcome::NotStarted;
    int exitCode = -1;
    std::string output;
    bool Succeeded() const { return outcome == Outcome::Finished && exitCode == 0; }
};
LimitedRun RunWithTimeLimit(const std::vector<std::string>& arguments, std::uint32_t timeLimitMs,
                            const ProcessOptions& options = {});

}  // namespace platform
