// scrivola_render: the per-user render service, and its control.
//
//   scrivola_render --serve    run the service (the office servers start it)
//   scrivola_render --status   tell whether it runs, and how it does
//   scrivola_render --stop     end it after it has answered what is queued
//   scrivola_render --convert DOCUMENT PDF
//                              render one document through the service,
//                              starting it when needed (scripts, benchmarks)
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <variant>

#include "LibreOffice.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "render/LokLocation.h"
#include "render/LokRenderer.h"
#include "render/RenderClient.h"
#include "render/RenderServer.h"
#include "render/ServiceFolder.h"

namespace {

using namespace office::render;

std::string ProfileFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (cache != nullptr && cache[0] == '/') {
        base = cache;
    } else {
        base = platform::JoinPath(home != nullptr && *home ? home : "/", ".cache");
    }
    return platform::JoinPath(platform::JoinPath(base, "scrivola"), "render-profile");
}

std::string ProgramFolder() {
    if (const char* folder = std::getenv(kProgramFolderVariable); folder != nullptr && *folder) {
        return folder;
    }
    const std::optional<std::string> soffice = office::FindSoffice();
    return LokProgramFolder(soffice ? *soffice : "/usr/lib/libreoffice/program/soffice");
}

// LibreOfficeKit's teardown can crash in the exit handlers once the office
// is gone; what is ours is flushed, then the process ends without them.
[[noreturn]] void Leave(int code) {
    std::fflush(nullptr);
    ::_exit(code);
}

int Serve() {
    // A document that crashes LibreOffice costs its job; it leaves no core
    // dump behind.
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    auto prepared = PrepareServiceFolder();
    if (auto* problem = std::get_if<std::string>(&prepared)) {
        std::fprintf(stderr, "scrivola_render: %s\n", problem->c_str());
        return 1;
    }
    const ServicePaths paths = std::get<ServicePaths>(prepared);
    RemoveDeadServiceFolders(paths);
    const std::string temp = ServiceTempFolder(paths, ::getpid());
    if (::mkdir(temp.c_str(), 0700) != 0) {
        std::fprintf(stderr, "scrivola_render: cannot create %s: %s\n", temp.c_str(),
                     std::strerror(errno));
        return 1;
    }
    // LibreOffice's own temporary files go where the next service or a
    // client that ended this one can find and remove them.
    ::setenv("TMPDIR", temp.c_str(), 1);

    LokRenderer renderer(ProgramFolder(), ProfileFolder());
    RenderServer server(paths, renderer, LimitsFromEnvironment());
    std::string problem;
    if (!server.Listen(problem)) {
        std::fprintf(stderr, "scrivola_render: %s\n", problem.c_str());
        platform::RemoveTree(temp);
        return 1;
    }
    if (!renderer.Load(problem)) {
        std::fprintf(stderr, "scrivola_render: %s\n", problem.c_str());
    }
    server.Run();
    platform::RemoveTree(temp);
    return 0;
}

int Status() {
    const std::optional<ServiceAnswer> answer = AskRunningService(Verb::Status);
    if (!answer) {
        std::printf("not running\n");
        return 1;
    }
    std::printf("running: %s\n", answer->reply.message.c_str());
    return 0;
}

int Stop() {
    const std::optional<ServiceAnswer> answer = AskRunningService(Verb::Stop);
    if (!answer) {
        std::printf("not running\n");
        return 0;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (IsProcessRunning(answer->pid) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (IsProcessRunning(answer->pid)) {
        std::printf("still running (pid %d)\n", static_cast<int>(answer->pid));
        return 1;
    }
    std::printf("stopped\n");
    return 0;
}

int Convert(const std::string& document, const std::string& pdf) {
    std::error_code error;
    const std::string absoluteDocument = std::filesystem::absolute(document, error).string();
    const std::string absolutePdf = std::filesystem::absolute(pdf, error).string();
    const std::optional<std::string> soffice = office::FindSoffice();
    if (!soffice) {
        std::fprintf(stderr, "scrivola_render: LibreOffice (soffice) is not installed\n");
        return 1;
    }
    const ServiceResult result =
        RenderWithService(absoluteDocument, absolutePdf, *soffice, office::kRenderTimeoutMs);
    if (result.outcome != ServiceOutcome::Rendered) {
        std::fprintf(stderr, "scrivola_render: %s\n", result.message.c_str());
        return 1;
    }
    std::printf("%s: %s\n", absolutePdf.c_str(), result.message.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string option = argc == 2 ? argv[1] : "";
    if (option == "--serve") {
        Leave(Serve());
    }
    if (option == "--status") {
        return Status();
    }
    if (option == "--stop") {
        return Stop();
    }
    if (argc == 4 && option.empty() && std::string(argv[1]) == "--convert") {
        return Convert(argv[2], argv[3]);
    }
    std::fprintf(stderr,
                 "usage: scrivola_render --serve | --status | --stop | --convert DOCUMENT PDF\n");
    return 2;
}
