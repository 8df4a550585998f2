#include "RenderClient.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <variant>

#include "DetachedStart.h"
#include "LokLocation.h"
#include "ServiceFolder.h"
#include "UnixSocket.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"

namespace office::render {

namespace {

using Clock = std::chrono::steady_clock;

// A service needs a moment to bind its socket; far less than this.
constexpr auto kStartWait = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(20);
constexpr auto kDeathWait = std::chrono::seconds(5);

void WaitForEnd(pid_t pid) {
    const auto deadline = Clock::now() + kDeathWait;
    while (IsProcessRunning(pid) && Clock::now() < deadline) {
        std::this_thread::sleep_for(kPollInterval);
    }
}

// Holds the start lock: two clients that find no service start one.
class StartLock {
  public:
    explicit StartLock(const std::string& path)
        : m_file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
        if (m_file.IsValid()) {
            while (::flock(m_file.Get(), LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }

  private:
    FileDescriptor m_file;  // closing it releases the lock
};

std::string ServiceProgram() {
    return platform::RunningProgramDirectory() + "scrivola_render";
}

// A connection to the service, started when none answers; or why there is
// none.
std::variant<FileDescriptor, std::string> ConnectOrStart(const ServicePaths& paths,
                                                         const std::string& programFolder) {
    FileDescriptor socket = ConnectTo(paths.socket);
    if (socket.IsValid()) {
        return socket;
    }
    const StartLock lock(paths.lock);
    socket = ConnectTo(paths.socket);
    if (socket.IsValid()) {
        return socket;
    }
    const std::string program = ServiceProgram();
    if (::access(program.c_str(), X_OK) != 0) {
        return program + " is missing";
    }
    platform::OutputDebugText("render service: starting " + program + "\n");
    const pid_t started = StartDetached(
        {program, "--serve"},
        {"SAL_USE_VCLPLUGIN=svp", std::string(kProgramFolderVariable) + "=" + programFolder});
    if (started < 0) {
        return "the render service could not be started: " + std::string(std::strerror(errno));
    }
    const auto deadline = Clock::now() + kStartWait;
    while (Clock::now() < deadline && IsProcessRunning(started)) {
        socket = ConnectTo(paths.socket);
        if (socket.IsValid()) {
            return socket;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    // It ended (or never bound its socket): its reason went to /dev/null,
    // so the caller falls back.
    FileDescriptor late = ConnectTo(paths.socket);
    if (late.IsValid()) {
        return late;
    }
    return "the render service did not start";
}

std::optional<FileDescriptor> ConnectToRunning(ServicePaths& paths) {
    auto prepared = PrepareServiceFolder();
    if (!std::holds_alternative<ServicePaths>(prepared)) {
        return std::nullopt;
    }
    paths = std::get<ServicePaths>(prepared);
    FileDescriptor socket = ConnectTo(paths.socket);
    if (!socket.IsValid()) {
        return std::nullopt;
    }
    return socket;
}

}  // namespace

void EndService(pid_t pid) {
    if (pid <= 0 || pid == ::getpid()) {
        return;
    }
    if (::getpgid(pid) == pid) {
        ::kill(-pid, SIGKILL);
    } else {
        ::kill(pid, SIGKILL);
    }
    WaitForEnd(pid);
    auto prepared = PrepareServiceFolder();
    if (auto* paths = std::get_if<ServicePaths>(&prepared)) {
        platform::RemoveTree(ServiceTempFolder(*paths, pid));
    }
}

ServiceResult RenderWithService(const std::string& document, const std::string& pdf,
                                const std::string& soffice, std::uint32_t timeoutMs) {
    const std::string programFolder = LokProgramFolder(soffice);
    if (std::optional<std::string> problem = LokFolderProblem(programFolder)) {
        return {ServiceOutcome::UseFallback, *problem};
    }
    auto prepared = PrepareServiceFolder();
    if (auto* problem = std::get_if<std::string>(&prepared)) {
        return {ServiceOutcome::UseFallback, *problem};
    }
    const ServicePaths& paths = std::get<ServicePaths>(prepared);
    auto connected = ConnectOrStart(paths, programFolder);
    if (auto* problem = std::get_if<std::string>(&connected)) {
        return {ServiceOutcome::UseFallback, *problem};
    }
    const FileDescriptor& socket = std::get<FileDescriptor>(connected);
    const std::optional<PeerIdentity> peer = PeerOf(socket.Get());
    if (!peer || peer->uid != ::geteuid()) {
        return {ServiceOutcome::UseFallback, "the render socket belongs to another user"};
    }

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Request request{Verb::Render, document, pdf};
    std::string body;
    ReadResult read = ReadResult::Failed;
    if (WriteAll(socket.Get(), Frame(EncodeRequest(request)))) {
        read = ReadFrame(socket.Get(), body, deadline);
    }
    if (read == ReadResult::TimedOut) {
        EndService(peer->pid);
        return {ServiceOutcome::Failed, "the render service did not finish " + document + " in " +
                                            std::to_string(timeoutMs / 1000) +
                                            " s; it was stopped"};
    }
    std::optional<Reply> reply;
    if (read == ReadResult::Complete) {
        reply = DecodeReply(body);
    }
    if (!reply) {
        // It crashed or was killed; whatever it left goes with it.
        EndService(peer->pid);
        return {ServiceOutcome::Failed,
                "the render service ended while rendering " + document + " (crashed or killed)"};
    }
    switch (reply->code) {
        case ReplyCode::Done:
            return {ServiceOutcome::Rendered, reply->message};
        case ReplyCode::CannotLoad:
        case ReplyCode::Unavailable:
            return {ServiceOutcome::UseFallback, reply->message};
        case ReplyCode::Failed:
            break;
    }
    return {ServiceOutcome::Failed, reply->message};
}

std::optional<ServiceAnswer> AskRunningService(Verb verb) {
    ServicePaths paths;
    std::optional<FileDescriptor> socket = ConnectToRunning(paths);
    if (!socket) {
        return std::nullopt;
    }
    const std::optional<PeerIdentity> peer = PeerOf(socket->Get());
    if (!peer || peer->uid != ::geteuid()) {
        return std::nullopt;
    }
    std::string body;
    if (!WriteAll(socket->Get(), Frame(EncodeRequest(Request{verb, {}, {}}))) ||
        ReadFrame(socket->Get(), body, Clock::now() + std::chrono::seconds(30)) !=
            ReadResult::Complete) {
        return std::nullopt;
    }
    std::optional<Reply> reply = DecodeReply(body);
    if (!reply) {
        return std::nullopt;
    }
    return ServiceAnswer{*reply, peer->pid};
}

}  // namespace office::render
