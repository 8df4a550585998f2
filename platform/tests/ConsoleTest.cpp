#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "platform/Console.h"

namespace platform {
namespace {

// Starts `body` in a child process with a new session, so /dev/tty is the
// given terminal (or none at all); the child's exit status is its result.
pid_t StartInSession(int terminal, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        setsid();
        if (terminal >= 0 && ioctl(terminal, TIOCSCTTY, 0) != 0) {
            _exit(100);
        }
        _exit(body());
    }
    return child;
}

int ExitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunInSession(int terminal, const std::function<int()>& body) {
    return ExitStatus(StartInSession(terminal, body));
}

// Runs `body` in a new process group of the calling session, which is not
// the terminal's foreground group. A worker the terminal stops gives 99.
int RunInBackgroundGroup(const std::function<int()>& body) {
    const pid_t worker = fork();
    if (worker == 0) {
        setpgid(0, 0);
        _exit(body());
    }
    setpgid(worker, worker);
    int status = 0;
    waitpid(worker, &status, WUNTRACED);
    if (WIFSTOPPED(status)) {
        kill(worker, SIGKILL);
        waitpid(worker, &status, 0);
        return 99;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Everything the child wrote to the terminal so far.
std::string Drain(int master) {
    std::string text;
    char buffer[256];
    pollfd entry{master, POLLIN, 0};
    while (poll(&entry, 1, 200) > 0 && (entry.revents & POLLIN) != 0) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

TEST(ConsoleTest, WithoutTerminalTheAnswerIsNoAndNothingWaits) {
    EXPECT_EQ(RunInSession(-1, [] { return AskYesNo("Download it?") ? 1 : 0; }), 0);
    EXPECT_EQ(RunInSession(-1,
                           [] {
                               WaitForKeyPress();
                               return 7;
                           }),
              7);
}

class TerminalTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(openpty(&m_master, &m_slave, nullptr, nullptr, nullptr), 0); }
    void TearDown() override {
        close(m_master);
        close(m_slave);
    }
    void Type(const std::string& keys) const {
        ASSERT_EQ(write(m_master, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    int m_master = -1;
    int m_slave = -1;
};

TEST_F(TerminalTest, AskYesNoShowsTheQuestionAndReadsTheAnswer) {
    struct Case {
        const char* typed;
        int yes;
    };
    for (const Case& c :
         {Case{"y\n", 1}, Case{"  Yes\n", 1}, Case{"n\n", 0}, Case{"\n", 0}, Case{"maybe\n", 0}}) {
        Type(c.typed);
        EXPECT_EQ(RunInSession(m_slave, [] { return AskYesNo("Download it?") ? 1 : 0; }), c.yes)
            << c.typed;
        EXPECT_NE(Drain(m_master).find("Download it?"), std::string::npos);
    }
}

TEST_F(TerminalTest, InTheTerminalsBackgroundTheAnswerIsNoAndNothingWaits) {
    Type("y\n");
    const int result = RunInSession(m_slave, [] {
        return RunInBackgroundGroup([] {
            const bool yes = AskYesNo("Download it?");
            WaitForKeyPress();
            return yes ? 1 : 0;
        });
    });
    EXPECT_EQ(result, 0) << "99: the terminal stopped the background process";
    EXPECT_EQ(Drain(m_master).find("Download it?"), std::string::npos);
}

TEST_F(TerminalTest, KeyWaitTakesOneKeyWithoutEchoAndRestoresTheTerminal) {
    termios before{};
    ASSERT_EQ(tcgetattr(m_slave, &before), 0);
    Type("x");  // typed ahead: does not end the wait
    const pid_t child = StartInSession(m_slave, [] {
        WaitForKeyPress();
        return 0;
    });
    // Type only once the wait has switched echo off (a bounded poll).
    termios during{};
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(tcgetattr(m_slave, &during), 0);
        if ((during.c_lflag & ECHO) == 0) {
            break;
        }
        usleep(10000);
    }
    ASSERT_EQ(during.c_lflag & (ECHO | ICANON), 0u);
    Drain(m_master);
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "still waiting for a key";
    Type("q");
    EXPECT_EQ(ExitStatus(child), 0);
    EXPECT_EQ(Drain(m_master).find('q'), std::string::npos) << "the key is not echoed";
    termios after{};
    ASSERT_EQ(tcgetattr(m_slave, &after), 0);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
}

}  // namespace
}  // namespace platform
