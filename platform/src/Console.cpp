#include "platform/Console.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {

namespace {

// The controlling terminal, when this process may talk to it. A process in
// the background of its terminal (started with '&', or as a child in its
// own process group, as the front end starts the converter) would be
// stopped by the terminal as soon as it read; it counts as having none.
class Terminal {
  public:
    Terminal() : m_fd(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (m_fd >= 0 && tcgetpgrp(m_fd) != getpgrp()) {
            close(m_fd);
            m_fd = -1;
        }
    }
    ~Terminal() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    void Write(std::string_view text) const {
        while (!text.empty()) {
            const ssize_t written = write(m_fd, text.data(), text.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            text.remove_prefix(static_cast<std::size_t>(written));
        }
    }

    // One byte, or nothing at the end of input or on an error.
    bool ReadByte(char& byte) const {
        for (;;) {
            const ssize_t got = read(m_fd, &byte, 1);
            if (got == 1) {
                return true;
            }
            if (got < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
    }

  private:
    int m_fd;
};

}  // namespace

bool AskYesNo(std::string_view question) {
    Terminal terminal;
    if (!terminal.IsOpen()) {
        return false;
    }
    terminal.Write(question);
    terminal.Write(" [y/N] ");
    std::string answer;
    char byte = 0;
    while (terminal.ReadByte(byte) && byte != '\n') {
        if (answer.size() < 64) {
            answer += byte;
        }
    }
    const std::size_t first = answer.find_first_not_of(" \t");
    return first != std::string::npos && (answer[first] == 'y' || answer[first] == 'Y');
}

void WaitForKeyPress() {
    Terminal terminal;
    termios saved{};
    if (!terminal.IsOpen() || tcgetattr(terminal.Fd(), &saved) != 0) {
        return;
    }
    termios raw = saved;
    // Without ISIG, Ctrl+C is just another key and cannot leave the
    // terminal without echo behind us.
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    // TCSAFLUSH also discards keys typed earlier: only a new one counts.
    if (tcsetattr(terminal.Fd(), TCSAFLUSH, &raw) != 0) {
        return;
    }
    char byte = 0;
    terminal.ReadByte(byte);
    tcsetattr(terminal.Fd(), TCSANOW, &saved);
}

}  // namespace platform
