#include "DetachedStart.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace office::render {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

bool HasName(const std::string& entry, const std::vector<std::string>& overrides) {
    const std::string name = entry.substr(0, entry.find('='));
    for (const std::string& override : overrides) {
        if (override.compare(0, name.size() + 1, name + "=") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

pid_t StartDetached(const std::vector<std::string>& arguments,
                    const std::vector<std::string>& environment) {
    if (arguments.empty()) {
        return -1;
    }
    // Everything the children need is built before forking: between fork and
    // exec only async-signal-safe calls are allowed.
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environmentCopy;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!HasName(*entry, environment)) {
            environmentCopy.emplace_back(*entry);
        }
    }
    environmentCopy.insert(environmentCopy.end(), environment.begin(), environment.end());
    std::vector<char*> argv = Pointers(argumentCopy);
    std::vector<char*> envp = Pointers(environmentCopy);

    // The intermediate child tells the program's process id through it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return -1;
    }
    if (child == 0) {
        // The intermediate child ends at once, so the program is adopted by
        // init and never becomes our zombie.
        ::setsid();
        const pid_t program = ::fork();
        if (program != 0) {
            ::write(report[1], &program, sizeof program);
            ::_exit(0);
        }
        // A group of its own, so that ending the group ends everything it
        // started; not the session's leader, so it never gets a terminal.
        ::setpgid(0, 0);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::chdir("/") != 0) {
            ::_exit(127);
        }
        const int null = ::open("/dev/null", O_RDWR);
        if (null < 0) {
            ::_exit(127);
        }
        for (int fd = 0; fd < 3; ++fd) {
            ::dup2(null, fd);
        }
        ::close_range(3, ~0U, 0);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(report[1]);
    pid_t program = -1;
    if (::read(report[0], &program, sizeof program) != sizeof program) {
        program = -1;
    }
    ::close(report[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return program;
}

}  // namespace office::render
