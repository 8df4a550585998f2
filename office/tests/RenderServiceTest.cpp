// The render service with real LibreOffice: started on demand and shared,
// detached from its callers, isolated from their jobs when it dies or hangs,
// ending when idle or asked, and passed by for soffice where LibreOfficeKit
// cannot be loaded. Each test has its own user folders, so its own service.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <variant>

#include "LibreOffice.h"
#include "OfficeTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "render/DetachedStart.h"
#include "render/LokLocation.h"
#include "render/RenderClient.h"
#include "render/ServiceFolder.h"
#include "render/UnixSocket.h"

namespace office::render {
namespace {

using namespace std::chrono_literals;

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// Waits for a condition that must come true soon; false if it never does.
template <typename Condition>
bool Eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class RenderServiceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* bin = std::getenv("SCRIVOLA_BIN_DIR");
        const char* source = std::getenv("SCRIVOLA_SOURCE_DIR");
        ASSERT_TRUE(bin && source);
        m_bin = bin;
        m_examples = platform::JoinPath(source, "examples");
        // The real LibreOffice, not the stand-in the environment puts first.
        const std::string path = std::getenv("PATH");
        const std::string standIns = environment.Path("bin") + ":";
        if (path.rfind(standIns, 0) == 0) {
            environment.Set("PATH", path.substr(standIns.size()));
        }
        const std::optional<std::string> soffice = FindSoffice();
        if (!soffice || LokFolderProblem(LokProgramFolder(*soffice))) {
            GTEST_SKIP() << "LibreOffice with LibreOfficeKit is not installed";
        }
        for (const char* name : {"SCRIVOLA_LOK_PROGRAM_DIR", "SCRIVOLA_RENDER_IDLE_SECONDS",
                                 "SCRIVOLA_RENDER_TIMEOUT_MS", "SCRIVOLA_RENDER_MAX_DOCUMENTS",
                                 "SCRIVOLA_DEBUG_LOG"}) {
            environment.Unset(name);
        }
        environment.Set("SCRIVOLA_DEBUG_LOG", environment.Path("debug.log"));
        platform::ProcessOptions quiet;
        quiet.discardOutput = true;
        ASSERT_EQ(platform::RunAndWait(
                      platform::QuoteArgument(Program("folivoprint")) + " --install", quiet),
                  0);
        m_paths = std::get<ServicePaths>(PrepareServiceFolder());
    }

    void TearDown() override {
        if (const std::optional<ServiceAnswer> answer = AskRunningService(Verb::Stop)) {
            m_services.push_back(answer->pid);
        }
        for (const pid_t pid : m_services) {
            EndService(pid);
        }
    }

    std::string Program(const std::string& name) const { return platform::JoinPath(m_bin, name); }

    std::string Document(const std::string& example, const std::string& name) {
        const std::string copy = environment.Path(name);
        std::filesystem::copy_file(platform::JoinPath(m_examples, example), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        return copy;
    }

    platform::Process StartConversion(const std::string& document, const std::string& pdf,
                                      std::vector<std::string> variables = {}) {
        platform::ProcessOptions options;
        options.captureOutput = true;
        options.environment = std::move(variables);
        auto process = platform::Process::StartArguments(
            {Program("scrivola"), "-i", document, "-o", pdf}, options);
        EXPECT_TRUE(process);
        return std::move(*process);
    }

    // scrivola's output line for the job.
    std::string Convert(const std::string& document, const std::string& pdf,
                        std::vector<std::string> variables = {}) {
        platform::Process process = StartConversion(document, pdf, std::move(variables));
        std::string output = process.ReadAll();
        process.Wait();
        return output;
    }

    static bool Succeeded(const std::string& output) {
        return output.find(", result=1") != std::string::npos;
    }
    static bool Failed(const std::string& output) {
        return output.find(", result=0") != std::string::npos;
    }

    std::optional<pid_t> ServicePid() {
        const std::optional<ServiceAnswer> answer = AskRunningService(Verb::Status);
        if (!answer) {
            return std::nullopt;
        }
        m_services.push_back(answer->pid);
        return answer->pid;
    }

    std::string DebugLog() const { return ReadText(environment.Path("debug.log")); }
    int Starts() const { return Occurrences(DebugLog(), "render service: starting"); }

    testing::OfficeTestEnvironment environment;
    std::string m_bin;
    std::string m_examples;
    ServicePaths m_paths;
    std::vector<pid_t> m_services;
};

TEST_F(RenderServiceTest, StartsOnDemandAndServesTheNextRunsWithoutStartingAgain) {
    EXPECT_FALSE(ServicePid());
    ASSERT_TRUE(Succeeded(Convert(Document("letter.doc", "letter.doc"), environment.Path("a.pdf"))))
        << DebugLog();
    const std::optional<pid_t> first = ServicePid();
    ASSERT_TRUE(first);
    // A spreadsheet and a presentation need their own views of the office.
    ASSERT_TRUE(Succeeded(Convert(Document("table.xls", "table.xls"), environment.Path("b.pdf"))));
    ASSERT_TRUE(
        Succeeded(Convert(Document("slides.ppt", "slides.ppt"), environment.Path("c.pdf"))));
    EXPECT_EQ(ServicePid(), first);
    EXPECT_EQ(Starts(), 1);
    EXPECT_EQ(Occurrences(DebugLog(), "soffice --convert-to"), 0) << DebugLog();
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(RenderServiceTest, CommandSubstitutionEndsWithScrivolaWhileTheServiceRuns) {
    const std::string script = "out=$(" + platform::QuoteArgument(Program("scrivola")) +
                               " -i \"$1\" -o \"$2\" 2>&1); printf '%s' \"$out\" > \"$3\"";
    // The shell reads until every writer of the pipe has closed it; a service
    // holding it would keep the shell waiting for its whole idle time.
    const int status = platform::RunAndWait(platform::JoinCommandLine(
        {"/bin/sh", "-c", script, "sh", Document("letter.doc", "letter.doc"),
         environment.Path("letter.pdf"), environment.Path("out.txt")}));
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(Succeeded(ReadText(environment.Path("out.txt"))));
    const std::optional<pid_t> service = ServicePid();
    ASSERT_TRUE(service);
    // Detached: another session, a process group of its own, working in "/",
    // nothing but the null device on its standard descriptors.
    EXPECT_NE(::getsid(*service), ::getsid(0));
    EXPECT_EQ(::getpgid(*service), *service);
    const std::string proc = "/proc/" + std::to_string(*service);
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/cwd"), "/");
    for (const char* fd : {"0", "1", "2"}) {
        EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/" + fd), "/dev/null") << fd;
    }
}

TEST_F(RenderServiceTest, TwoRunsAtOnceBothSucceedWithOneService) {
    platform::Process first =
        StartConversion(Document("letter.doc", "one.doc"), environment.Path("one.pdf"));
    platform::Process second =
        StartConversion(Document("table.xls", "two.xls"), environment.Path("two.pdf"));
    const std::string firstOutput = first.ReadAll();
    const std::string secondOutput = second.ReadAll();
    first.Wait();
    second.Wait();
    EXPECT_TRUE(Succeeded(firstOutput)) << firstOutput;
    EXPECT_TRUE(Succeeded(secondOutput)) << secondOutput;
    EXPECT_EQ(Starts(), 1);

    // scrivola runs one job at a time per user; clients that do not queue
    // there still start a single service between them.
    ASSERT_TRUE(AskRunningService(Verb::Stop));
    std::vector<platform::Process> clients;
    for (const char* name : {"a", "b", "c"}) {
        auto client =
            platform::Process::StartArguments({Program("scrivola_render"), "--convert",
                                               Document("memo.rtf", name + std::string(".rtf")),
                                               environment.Path(name + std::string(".pdf"))},
                                              {});
        ASSERT_TRUE(client);
        clients.push_back(std::move(*client));
    }
    for (platform::Process& client : clients) {
        EXPECT_EQ(client.Wait(), 0);
    }
    EXPECT_EQ(Starts(), 2) << DebugLog();
}

TEST_F(RenderServiceTest, ServiceStartsAfreshAfterItsDocumentLimit) {
    environment.Set("SCRIVOLA_RENDER_MAX_DOCUMENTS", "2");
    const std::string memo = Document("memo.rtf", "memo.rtf");
    const auto convert = [&](const char* pdf) {
        return platform::RunAndWait(platform::JoinCommandLine(
                   {Program("scrivola_render"), "--convert", memo, environment.Path(pdf)})) == 0 &&
               platform::PathExists(environment.Path(pdf));
    };
    ASSERT_TRUE(convert("1.pdf"));
    const std::optional<pid_t> first = ServicePid();
    ASSERT_TRUE(first);
    ASSERT_TRUE(convert("2.pdf"));
    // Two documents were its share: it ends, and the next request starts another.
    EXPECT_TRUE(Eventually([&] { return !IsProcessRunning(*first); }));
    ASSERT_TRUE(convert("3.pdf"));
    const std::optional<pid_t> fresh = ServicePid();
    ASSERT_TRUE(fresh);
    EXPECT_NE(*fresh, *first);
}

TEST_F(RenderServiceTest, ServiceKilledDuringAJobFailsThatJobOnly) {
    const std::string letter = Document("letter.doc", "letter.doc");
    ASSERT_TRUE(Succeeded(Convert(letter, environment.Path("warm.pdf"))));
    const pid_t service = *ServicePid();
    // Frozen, it takes the request into its queue and never answers it.
    ::kill(service, SIGSTOP);
    platform::Process job = StartConversion(letter, environment.Path("lost.pdf"));
    const std::string fds = "/proc/" + std::to_string(job.Id()) + "/fd";
    ASSERT_TRUE(Eventually([&] {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(fds, error)) {
            if (std::filesystem::read_symlink(entry.path(), error).string().rfind("socket:", 0) ==
                0) {
                return true;
            }
        }
        return false;
    }));
    ::kill(service, SIGKILL);
    const std::string output = job.ReadAll();
    job.Wait();
    EXPECT_TRUE(Failed(output)) << output;
    EXPECT_FALSE(platform::PathExists(environment.Path("lost.pdf")));
    EXPECT_NE(DebugLog().find("ended while rendering"), std::string::npos) << DebugLog();
    EXPECT_FALSE(platform::PathExists(ServiceTempFolder(m_paths, service)));
    EXPECT_TRUE(environment.TempEntries().empty());

    ASSERT_TRUE(Succeeded(Convert(letter, environment.Path("next.pdf"))));
    EXPECT_NE(ServicePid(), service);
}

// Listens at the service's socket, takes every connection and never answers;
// its child stands for LibreOffice's helpers.
pid_t StartSilentStandIn(const std::string& socketPath, pid_t& helper) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return -1;
    }
    const pid_t standIn = ::fork();
    if (standIn == 0) {
        ::setsid();
        FileDescriptor listener = ListenAt(socketPath);
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/bin/sleep", "sleep", "300", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::write(pipeEnds[1], &child, sizeof child);
        std::vector<int> connections;
        for (;;) {
            connections.push_back(::accept(listener.Get(), nullptr, nullptr));
        }
    }
    ::close(pipeEnds[1]);
    helper = -1;
    if (::read(pipeEnds[0], &helper, sizeof helper) != sizeof helper) {
        helper = -1;
    }
    ::close(pipeEnds[0]);
    return standIn;
}

TEST_F(RenderServiceTest, ServiceThatNeverAnswersIsKilledAtTheTimeOut) {
    pid_t helper = -1;
    const pid_t standIn = StartSilentStandIn(m_paths.socket, helper);
    ASSERT_GT(standIn, 0);
    ASSERT_GT(helper, 0);
    m_services.push_back(standIn);
    const std::string output =
        Convert(Document("letter.doc", "letter.doc"), environment.Path("letter.pdf"),
                {"SCRIVOLA_RENDER_TIMEOUT_MS=2000"});
    EXPECT_TRUE(Failed(output)) << output;
    EXPECT_NE(DebugLog().find("did not finish"), std::string::npos) << DebugLog();
    int status = 0;
    EXPECT_EQ(::waitpid(standIn, &status, 0), standIn);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_TRUE(Eventually([&] { return !IsProcessRunning(helper); }));
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(RenderServiceTest, ServiceEndsWhenIdleAndWhenAskedLeavingNothing) {
    // Started without a job: a conversion's own waits outlast a short idle
    // time.
    environment.Set("SCRIVOLA_RENDER_IDLE_SECONDS", "2");
    ASSERT_GT(StartDetached({Program("scrivola_render"), "--serve"}, {}), 0);
    std::optional<pid_t> idle;
    ASSERT_TRUE(Eventually([&] { return (idle = ServicePid()).has_value(); }));
    EXPECT_TRUE(Eventually([&] { return !IsProcessRunning(*idle); }));
    EXPECT_FALSE(platform::PathExists(m_paths.socket));
    EXPECT_FALSE(platform::PathExists(ServiceTempFolder(m_paths, *idle)));

    environment.Unset("SCRIVOLA_RENDER_IDLE_SECONDS");
    ASSERT_TRUE(
        Succeeded(Convert(Document("letter.doc", "letter.doc"), environment.Path("b.pdf"))));
    const std::optional<pid_t> stopped = ServicePid();
    ASSERT_TRUE(stopped);
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto stop = platform::Process::StartArguments({Program("scrivola_render"), "--stop"}, options);
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->ReadAll(), "stopped\n");
    EXPECT_EQ(stop->Wait(), 0);
    EXPECT_FALSE(IsProcessRunning(*stopped));
    EXPECT_FALSE(ServicePid());
    EXPECT_FALSE(platform::PathExists(m_paths.socket));
    EXPECT_FALSE(platform::PathExists(ServiceTempFolder(m_paths, *stopped)));

    // A service whose socket was removed (its folder cleaned away) can never
    // be reached again; it does not wait out its idle time.
    ASSERT_GT(StartDetached({Program("scrivola_render"), "--serve"}, {}), 0);
    std::optional<pid_t> orphan;
    ASSERT_TRUE(Eventually([&] { return (orphan = ServicePid()).has_value(); }));
    ASSERT_TRUE(platform::DeleteFile(m_paths.socket));
    EXPECT_TRUE(Eventually([&] { return !IsProcessRunning(*orphan); }));
}

TEST_F(RenderServiceTest, SocketLeftByADeadServiceIsReplaced) {
    {
        // Bound and closed: the file stays, nobody answers.
        FileDescriptor dead = ListenAt(m_paths.socket);
        ASSERT_TRUE(dead.IsValid());
    }
    ASSERT_TRUE(platform::PathExists(m_paths.socket));
    EXPECT_TRUE(
        Succeeded(Convert(Document("letter.doc", "letter.doc"), environment.Path("a.pdf"))));
    EXPECT_TRUE(ServicePid());
}

TEST_F(RenderServiceTest, BadRequestsGetAnErrorAndTheServiceKeepsServing) {
    ASSERT_TRUE(
        Succeeded(Convert(Document("letter.doc", "letter.doc"), environment.Path("a.pdf"))));
    const std::optional<pid_t> service = ServicePid();
    ASSERT_TRUE(service);
    const std::string missing =
        EncodeRequest({Verb::Render, environment.Path("missing.doc"), environment.Path("m.pdf")});
    const std::string folder =
        EncodeRequest({Verb::Render, environment.Path("tmp"), environment.Path("f.pdf")});
    const std::pair<const char*, std::string> requests[] = {
        {"malformed", Frame("garbage")},
        {"too large", std::string("\x01\x00\x00\x00", 4) + "x"},
        {"missing file", Frame(missing)},
        {"a folder", Frame(folder)},
    };
    for (const auto& [name, bytes] : requests) {
        FileDescriptor socket = ConnectTo(m_paths.socket);
        ASSERT_TRUE(socket.IsValid()) << name;
        ASSERT_TRUE(WriteAll(socket.Get(), bytes)) << name;
        std::string body;
        ASSERT_EQ(ReadFrame(socket.Get(), body, std::chrono::steady_clock::now() + 30s),
                  ReadResult::Complete)
            << name;
        const std::optional<Reply> reply = DecodeReply(body);
        ASSERT_TRUE(reply) << name;
        EXPECT_EQ(reply->code, ReplyCode::Failed) << name;
        EXPECT_FALSE(reply->message.empty()) << name;
    }
    EXPECT_EQ(ServicePid(), service);
    EXPECT_TRUE(Succeeded(Convert(Document("table.xls", "table.xls"), environment.Path("b.pdf"))));
}

TEST_F(RenderServiceTest, DamagedDocumentsFailTheirJobOnly) {
    const std::string truncated = environment.Path("truncated.doc");
    testing::WriteFile(truncated,
                       ReadText(platform::JoinPath(m_examples, "letter.doc")).substr(0, 3000));
    const std::string empty = environment.Path("empty.doc");
    testing::WriteFile(empty, "");
    for (const std::string& document : {truncated, empty}) {
        const std::string pdf = document + ".pdf";
        const std::string output = Convert(document, pdf);
        EXPECT_TRUE(Failed(output)) << document << "\n" << output;
        EXPECT_FALSE(platform::PathExists(pdf)) << document;
    }
    EXPECT_TRUE(
        Succeeded(Convert(Document("letter.doc", "letter.doc"), environment.Path("good.pdf"))));
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(RenderServiceTest, WithoutLibreOfficeKitSofficeRendersAndSaysSoOnce) {
    // A folder without the library is passed by at once; a library that
    // does not load is found out by the service.
    const std::string broken = environment.Path("broken-program");
    platform::CreateDirectories(broken);
    testing::WriteFile(platform::JoinPath(broken, "libmergedlo.so"), "not a library");
    for (const std::string& folder : {environment.Path("no-program"), broken}) {
        testing::WriteFile(environment.Path("debug.log"), "");
        environment.Set("SCRIVOLA_LOK_PROGRAM_DIR", folder);
        const std::string list = environment.Path("two.ver");
        testing::WriteFile(list, Document("letter.doc", "letter.doc") + "\n" +
                                     Document("memo.rtf", "memo.rtf") + "\n");
        const std::string output = Convert(list, environment.Path("both.pdf"));
        EXPECT_EQ(Occurrences(output, ", result=1"), 2) << folder << "\n" << output;
        EXPECT_EQ(Occurrences(DebugLog(), "rendering with soffice --convert-to"), 1)
            << folder << "\n"
            << DebugLog();
        AskRunningService(Verb::Stop);
    }
}

}  // namespace
}  // namespace office::render
