#include "OfficeSession.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "DocumentFile.h"
#include "platform/Automation.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "render/RenderClient.h"

namespace office {

using platform::automation::AutomationError;

namespace {

// LibreOffice names its output after the input's base name; a private copy
// named "document" keeps spaces, quotes and other characters out of the
// command line and makes the output name known. The extension tells
// LibreOffice which import filter to try first.
std::string RenderInputName(const std::string& source) {
    const std::string extension = platform::ToLowerAscii(platform::SplitPath(source).extension);
    bool plain = extension.size() >= 2 && extension.size() <= 9;
    for (std::size_t i = 1; plain && i < extension.size(); ++i) {
        const char c = extension[i];
        plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    }
    return plain ? "document" + extension : "document";
}

// One line on the debug channel for each reason the service was passed by;
// a machine without LibreOfficeKit would otherwise repeat it per document.
void NoteFallback(const std::string& reason) {
    static std::string lastReason;
    if (reason != lastReason) {
        platform::OutputDebugText("render service not used (" + reason +
                                  "); rendering with soffice --convert-to\n");
        lastReason = reason;
    }
}

std::uint32_t RenderTimeoutMs() {
    const char* text = std::getenv(render::kTimeoutVariable);
    if (text == nullptr || *text == '\0') {
        return kRenderTimeoutMs;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    return (*end != '\0' || value == 0 || value > kRenderTimeoutMs)
               ? kRenderTimeoutMs
               : static_cast<std::uint32_t>(value);
}

void MakeFolder(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::create_directory(path, error)) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              "cannot create " + path + ": " + error.message());
    }
}

}  // namespace

std::shared_ptr<OfficeSession> OfficeSession::Start(const std::string& application) {
    std::optional<std::string> soffice = FindSoffice();
    if (!soffice) {
        throw AutomationError(platform::automation::REGDB_E_CLASSNOTREG,
                              application +
                                  " is not available: LibreOffice (soffice) is not "
                                  "installed");
    }
    return std::make_shared<OfficeSession>(application, std::move(*soffice), RenderTimeoutMs());
}

OfficeSession::OfficeSession(std::string application, std::string soffice,
                             std::uint32_t renderTimeoutMs)
    : m_application(std::move(application)),
      m_soffice(std::move(soffice)),
      m_renderTimeoutMs(renderTimeoutMs) {}

OfficeSession::~OfficeSession() {
    Quit();
}

const std::string& OfficeSession::EnsureWorkDirectory() {
    if (m_workDirectory.empty()) {
        std::optional<std::string> folder = platform::CreateTempDirectory("scrivola-office-");
        if (!folder) {
            throw AutomationError(
                platform::automation::DISP_E_EXCEPTION,
                "cannot create a temporary folder in " + platform::TempDirectory());
        }
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(*folder, error);
        m_workDirectory = error ? *folder : absolute.string();
        MakeFolder(platform::JoinPath(m_workDirectory, "profile"));
    }
    return m_workDirectory;
}

void OfficeSession::RenderCopy(const std::string& copy, const std::string& pdf,
                               const std::string& document) {
    // Read-only, so that LibreOffice opens it read-only.
    ::chmod(copy.c_str(), 0400);
    const render::ServiceResult service =
        render::RenderWithService(copy, pdf, m_soffice, m_renderTimeoutMs);
    if (service.outcome == render::ServiceOutcome::Rendered) {
        platform::OutputDebugText("render service: " + document + ": " + service.message + "\n");
        return;
    }
    if (service.outcome == render::ServiceOutcome::Failed) {
        platform::OutputDebugText("render service: " + document + ": " + service.message + "\n");
        throw AutomationError(platform::automation::DISP_E_EXCEPTION, service.message);
    }
    NoteFallback(service.message);
    RenderRequest request;
    request.soffice = m_soffice;
    request.profileDirectory = platform::JoinPath(m_workDirectory, "profile");
    request.document = copy;
    request.outputDirectory = std::filesystem::path(pdf).parent_path().string();
    request.timeoutMs = m_renderTimeoutMs;
    const RenderRun run = RunSoffice(request);
    if (run.outcome == RenderOutcome::TimedOut) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              "LibreOffice did not finish " + document + " in time");
    }
    if (run.outcome == RenderOutcome::NotStarted) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              "LibreOffice could not be started");
    }
}

RenderedDocument OfficeSession::Render(const std::string& document) {
    CheckRunning();
    if (std::optional<std::string> problem = DocumentOpenProblem(document)) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION, *problem);
    }
    const std::string& work = EnsureWorkDirectory();
    RenderedDocument rendered;
    rendered.source = document;
    rendered.folder = platform::JoinPath(work, "document" + std::to_string(++m_renderCount));
    MakeFolder(rendered.folder);
    try {
        const std::string inputName = RenderInputName(document);
        const std::string copy = platform::JoinPath(rendered.folder, inputName);
        CopyDocument(document, copy);

        rendered.pdf = platform::JoinPath(rendered.folder, "document.pdf");
        RenderCopy(copy, rendered.pdf, document);
        platform::DeleteFile(copy);
        const std::optional<platform::FileStatus> status = platform::GetFileStatus(rendered.pdf);
        if (!status || status->isDirectory || status->size == 0) {
            throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                                  "LibreOffice could not open " + document);
        }
    } catch (...) {
        platform::RemoveTree(rendered.folder);
        throw;
    }
    return rendered;
}

void OfficeSession::Discard(const RenderedDocument& document) {
    if (!document.folder.empty()) {
        platform::RemoveTree(document.folder);
    }
}

OfficeSession::DocumentHandle OfficeSession::Open(const std::string& document) {
    auto rendered = std::make_shared<const RenderedDocument>(Render(document));
    m_openDocuments.push_back(rendered);
    return rendered;
}

void OfficeSession::Close(const DocumentHandle& document) {
    CheckRunning();
    const auto open = std::find(m_openDocuments.begin(), m_openDocuments.end(), document);
    if (open == m_openDocuments.end()) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              m_application + ": the document is not open");
    }
    Discard(**open);
    m_openDocuments.erase(open);
}

void OfficeSession::CloseAll() {
    CheckRunning();
    for (const DocumentHandle& document : m_openDocuments) {
        Discard(*document);
    }
    m_openDocuments.clear();
}

OfficeSession::DocumentHandle OfficeSession::ActiveDocument() const {
    CheckRunning();
    if (m_openDocuments.empty()) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              m_application + ": no document is open");
    }
    return m_openDocuments.back();
}

void OfficeSession::Quit() {
    m_quit = true;
    m_openDocuments.clear();
    if (!m_workDirectory.empty()) {
        platform::RemoveTree(m_workDirectory);
        m_workDirectory.clear();
    }
}

void OfficeSession::CheckRunning() const {
    if (m_quit) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION, m_application + " has quit");
    }
}

}  // namespace office
