#include "RenderServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <variant>

#include "DocumentFile.h"
#include "UnixSocket.h"

namespace office::render {

namespace {

using Clock = std::chrono::steady_clock;

// A client has this long to send its request once connected.
constexpr auto kRequestWait = std::chrono::seconds(10);
// How often an idle service looks whether its socket is still there: when its
// folder has been removed nobody can reach it any more.
constexpr auto kSocketCheck = std::chrono::milliseconds(2000);

volatile sig_atomic_t g_stopRequested = 0;

void OnStopSignal(int) {
    g_stopRequested = 1;
}

unsigned long NumberFrom(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return fallback;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    return (errno != 0 || *end != '\0' || value == 0) ? fallback : value;
}

void Answer(int connection, const Reply& reply) {
    WriteAll(connection, Frame(EncodeReply(reply)));
}

}  // namespace

ServerLimits LimitsFromEnvironment() {
    ServerLimits limits;
    limits.idle = std::chrono::seconds(
        NumberFrom("SCRIVOLA_RENDER_IDLE_SECONDS",
                   static_cast<unsigned long>(
                       std::chrono::duration_cast<std::chrono::seconds>(limits.idle).count())));
    limits.maxDocuments =
        static_cast<unsigned>(NumberFrom("SCRIVOLA_RENDER_MAX_DOCUMENTS", limits.maxDocuments));
    limits.maxResidentBytes =
        NumberFrom("SCRIVOLA_RENDER_MAX_RSS_MB", limits.maxResidentBytes / (1024 * 1024)) * 1024 *
        1024;
    return limits;
}

std::size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t size = 0;
    std::size_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

RenderServer::RenderServer(ServicePaths paths, DocumentRenderer& renderer, ServerLimits limits)
    : m_paths(std::move(paths)), m_renderer(renderer), m_limits(limits) {}

bool RenderServer::Listen(std::string& problem) {
    FileDescriptor listener = ListenAt(m_paths.socket);
    if (!listener.IsValid() && errno == EADDRINUSE) {
        if (ConnectTo(m_paths.socket).IsValid()) {
            problem = "a render service already answers at " + m_paths.socket;
            return false;
        }
        // Left over by a service that died.
        ::unlink(m_paths.socket.c_str());
        listener = ListenAt(m_paths.socket);
    }
    if (!listener.IsValid()) {
        problem = "cannot listen at " + m_paths.socket + ": " + std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::stat(m_paths.socket.c_str(), &status) == 0) {
        m_socketDevice = status.st_dev;
        m_socketInode = status.st_ino;
    }
    m_listener = listener.Release();

    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}

void RenderServer::Run() {
    auto lastRequest = Clock::now();
    for (;;) {
        if (g_stopRequested || !OwnsSocket()) {
            break;  // asked to end, or unreachable: the socket is gone or replaced
        }
        const auto idleLeft = std::chrono::duration_cast<std::chrono::milliseconds>(
            lastRequest + m_limits.idle - Clock::now());
        if (idleLeft.count() <= 0) {
            break;
        }
        pollfd entry{m_listener, POLLIN, 0};
        const int ready =
            ::poll(&entry, 1, static_cast<int>(std::min(idleLeft, kSocketCheck).count()));
        if (ready < 0 && errno != EINTR) {
            break;
        }
        if (ready <= 0) {
            continue;
        }
        FileDescriptor connection(::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC));
        if (!connection.IsValid()) {
            continue;
        }
        lastRequest = Clock::now();
        const Next next = Serve(connection.Get());
        lastRequest = Clock::now();
        if (next == Next::Leave) {
            break;
        }
    }
    // New clients start a fresh service from here on; those already queued
    // are answered first.
    Withdraw();
    ::fcntl(m_listener, F_SETFL, ::fcntl(m_listener, F_GETFL) | O_NONBLOCK);
    for (;;) {
        FileDescriptor connection(::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC));
        if (!connection.IsValid()) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        ::fcntl(connection.Get(), F_SETFL, ::fcntl(connection.Get(), F_GETFL) & ~O_NONBLOCK);
        Serve(connection.Get());
    }
    ::close(m_listener);
    m_listener = -1;
}

RenderServer::Next RenderServer::Serve(int connection) {
    const std::optional<PeerIdentity> peer = PeerOf(connection);
    if (!peer || peer->uid != ::geteuid()) {
        return Next::Continue;  // not ours to serve; no answer at all
    }
    std::string body;
    const ReadResult read = ReadFrame(connection, body, Clock::now() + kRequestWait);
    if (read == ReadResult::TooLarge) {
        Answer(connection, {ReplyCode::Failed, "request too large"});
        return Next::Continue;
    }
    if (read != ReadResult::Complete) {
        return Next::Continue;
    }
    auto decoded = DecodeRequest(body);
    if (auto* problem = std::get_if<std::string>(&decoded)) {
        Answer(connection, {ReplyCode::Failed, *problem});
        return Next::Continue;
    }
    const Request& request = std::get<Request>(decoded);
    switch (request.verb) {
        case Verb::Status:
            Answer(connection, {ReplyCode::Done, Status()});
            return Next::Continue;
        case Verb::Stop:
            Answer(connection, {ReplyCode::Done, "stopping"});
            return Next::Leave;
        case Verb::Render:
            break;
    }
    if (std::optional<std::string> problem = DocumentOpenProblem(request.document)) {
        Answer(connection, {ReplyCode::Failed, *problem});
        return Next::Continue;
    }
    ++m_documents;
    Answer(connection, m_renderer.Render(request.document, request.pdf));
    const bool spent =
        m_documents >= m_limits.maxDocuments || ResidentBytes() > m_limits.maxResidentBytes;
    return spent ? Next::Leave : Next::Continue;
}

std::string RenderServer::Status() const {
    return "pid " + std::to_string(::getpid()) + ", " + std::to_string(m_documents) +
           " documents, resident " + std::to_string(ResidentBytes() / 1024) + " KiB, socket " +
           m_paths.socket;
}

bool RenderServer::OwnsSocket() const {
    struct stat status {};
    return ::stat(m_paths.socket.c_str(), &status) == 0 && status.st_dev == m_socketDevice &&
           status.st_ino == m_socketInode;
}

void RenderServer::Withdraw() {
    // Only our own socket: a fresh service may already have replaced it.
    if (OwnsSocket()) {
        ::unlink(m_paths.socket.c_str());
    }
}

}  // namespace office::render
