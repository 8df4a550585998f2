#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "ScratchFolder.h"
#include "platform/Process.h"
#include "platform/Shell.h"

namespace platform {
namespace {

class ShellTest : public testing::ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        ASSERT_TRUE(CreateDirectories(Path("bin")));
        ASSERT_TRUE(CreateDirectories(Path("data/applications")));
        ASSERT_TRUE(CreateDirectories(Path("share/applications")));
    }

    // The recorder's log once it has finished (started programs are not
    // waited for); a generous bound, not a timing check.
    std::optional<std::string> AwaitLog(const std::string& log) {
        for (int i = 0; i < 1000; ++i) {
            auto text = ReadWholeFile(log);
            if (text && text->size() >= 4 && text->substr(text->size() - 4) == "end\n") {
                return text;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return ReadWholeFile(log);
    }

    void UseOpenCommand(const std::string& commandLine) {
        setenv("SCRIVOLA_OPEN_COMMAND", commandLine.c_str(), 1);
    }

    void RegisterBrowser(const std::string& desktopId, const std::string& exec) {
        WriteFile("data/applications/" + desktopId,
                  "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + exec + "\n");
        WriteFile(
            "config/mimeapps.list",
            "[Default Applications]\ntext/plain=other.desktop\ntext/html=" + desktopId + ";\n");
    }
};

TEST_F(ShellTest, OpenRunsTheReplacementCommandWithTheTarget) {
    const std::string log = Path("open.log");
    UseOpenCommand(QuoteArgument(WriteRecorder("bin/open it", log)) + " --open");
    const std::string document = WriteFile("my report.pdf", "%PDF");
    EXPECT_EQ(ShellOpen(document), kShellOk);
    EXPECT_EQ(ReadWholeFile(log), "--open\n" + document + "\nend\n");

    DeleteFile(log);
    EXPECT_EQ(ShellOpen("https://example.org/a b?x=\"1\""), kShellOk);
    EXPECT_EQ(ReadWholeFile(log), "--open\nhttps://example.org/a b?x=\"1\"\nend\n");
}

TEST_F(ShellTest, MissingLocalFileIsReportedWithoutRunningAnything) {
    const std::string log = Path("open.log");
    UseOpenCommand(WriteRecorder("bin/open", log));
    EXPECT_EQ(ShellOpen(Path("missing.pdf")), kShellFileNotFound);
    EXPECT_EQ(ShellOpen("file://" + m_root + "/missing%20file.pdf"), kShellFileNotFound);
    EXPECT_EQ(ShellOpen(""), kShellFileNotFound);
    EXPECT_FALSE(PathExists(log));

    WriteFile("present file.pdf", "");
    EXPECT_EQ(ShellOpen("file://" + m_root + "/present%20file.pdf"), kShellOk);
}

TEST_F(ShellTest, FailingOrMissingOpenerMeansNoAssociation) {
    WriteFile("doc.pdf", "");
    UseOpenCommand("false");
    EXPECT_EQ(ShellOpen(Path("doc.pdf")), kShellNoAssociation);
    UseOpenCommand(Path("bin/no-such-opener"));
    EXPECT_EQ(ShellOpen(Path("doc.pdf")), kShellNoAssociation);
}

TEST_F(ShellTest, HtmlCommandComesFromTheMimeDefaultsDesktopEntry) {
    EXPECT_FALSE(HtmlOpenCommand());

    RegisterBrowser("web.desktop", "/opt/web/browser --new-window %U --class=%c --icon %i 100%%");
    EXPECT_EQ(HtmlOpenCommand(), "/opt/web/browser --new-window \"%1\" --class= --icon 100%");

    RegisterBrowser("web.desktop", "\"/opt/my web/browser\" \"arg \\\\\"q\\\\\"\" --url=%u");
    EXPECT_EQ(HtmlOpenCommand(), R"("/opt/my web/browser" "arg \"q\"" --url=%1)");

    // An unterminated quote makes the entry unusable rather than guessed at.
    RegisterBrowser("web.desktop", "\"/opt/web/browser %u");
    EXPECT_FALSE(HtmlOpenCommand());
}

TEST_F(ShellTest, HtmlCommandFollowsTheLookupOrder) {
    WriteFile("share/applications/system.desktop", "[Desktop Entry]\nExec=system-browser %u\n");
    WriteFile("share/applications/user.desktop", "[Desktop Entry]\nExec=user-browser %u\n");
    WriteFile("share/applications/gone.desktop", "[Desktop Entry]\nExec=gone %u\nHidden=true\n");
    WriteFile("share/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=system.desktop;\n");
    EXPECT_EQ(HtmlOpenCommand(), "system-browser \"%1\"");

    WriteFile("share/applications/defaults.list",
              "[Default Applications]\ntext/html=user.desktop\n");
    EXPECT_EQ(HtmlOpenCommand(), "user-browser \"%1\"");

    // Missing and hidden entries are passed over for the next one listed.
    WriteFile("etc-xdg/mimeapps.list",
              "[Default Applications]\ntext/html=missing.desktop;gone.desktop;system.desktop\n");
    EXPECT_EQ(HtmlOpenCommand(), "system-browser \"%1\"");

    WriteFile("data/applications/user.desktop", "[Desktop Entry]\nExec=own-browser %f\n");
    WriteFile("config/mimeapps.list", "[Default Applications]\ntext/html=user.desktop\n");
    EXPECT_EQ(HtmlOpenCommand(), "own-browser \"%1\"");

    setenv("XDG_CURRENT_DESKTOP", "Test:Other", 1);
    WriteFile("config/test-mimeapps.list", "[Default Applications]\ntext/html=system.desktop\n");
    EXPECT_EQ(HtmlOpenCommand(), "system-browser \"%1\"");
}

TEST_F(ShellTest, OpenDocumentFallsBackToACommandWithoutPlaceholder) {
    const std::string log = Path("browser.log");
    const std::string browser = WriteRecorder("bin/web browser", log);
    RegisterBrowser("web.desktop", "\"" + browser + "\" -nohome");
    UseOpenCommand("false");
    const std::string page = WriteFile("help.htm", "<html>");

    EXPECT_GT(ShellOpenDocument(page), 31);
    EXPECT_EQ(AwaitLog(log), "-nohome\n" + page + "\nend\n");
}

TEST_F(ShellTest, OpenDocumentCutsTheCommandBeforeTheQuotedPlaceholder) {
    const std::string log = Path("browser.log");
    const std::string browser = WriteRecorder("bin/web browser", log);
    RegisterBrowser("web.desktop", "\"" + browser + "\" %u -new");
    UseOpenCommand("false");

    // The target keeps its blanks as one argument; -new is dropped.
    EXPECT_GT(ShellOpenDocument("https://example.org/download page"), 31);
    EXPECT_EQ(AwaitLog(log), "https://example.org/download page\nend\n");
}

TEST_F(ShellTest, OpenDocumentPrefersTheShellAndReportsWhenBothFail) {
    const std::string log = Path("open.log");
    UseOpenCommand(WriteRecorder("bin/open", log));
    const std::string page = WriteFile("help.htm", "<html>");
    EXPECT_EQ(ShellOpenDocument(page), kShellOk);
    EXPECT_EQ(ReadWholeFile(log), page + "\nend\n");

    UseOpenCommand("false");
    EXPECT_EQ(ShellOpenDocument(page), kShellNoAssociation);
    RegisterBrowser("web.desktop", Path("bin/missing-browser") + " %u");
    EXPECT_EQ(ShellOpenDocument(page), kShellFileNotFound);
}

TEST_F(ShellTest, StartCommandLineDoesNotWait) {
    const std::string gate = Path("gate");
    const std::string log = Path("started.log");
    const std::string script =
        WriteFile("bin/waiter", "#!/bin/sh\nwhile [ ! -e '" + gate +
                                    "' ]; do sleep 0.01; done\necho end > '" + log + "'\n");
    chmod(script.c_str(), 0700);
    EXPECT_EQ(StartCommandLine(script), kShellOk);  // returns while the program still waits
    WriteFile("gate", "");
    EXPECT_EQ(AwaitLog(log), "end\n");
    EXPECT_LE(StartCommandLine(Path("bin/missing")), 31);
    EXPECT_LE(StartCommandLine(""), 31);
}

}  // namespace
}  // namespace platform
