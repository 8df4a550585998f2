#include "LokRenderer.h"

#include <LibreOfficeKit/LibreOfficeKit.h>
#include <LibreOfficeKit/LibreOfficeKitInit.h>

#include <chrono>
#include <cstdlib>

#include "LibreOffice.h"
#include "LokProfile.h"
#include "platform/FileSystem.h"

namespace office::render {

namespace {

std::string TakeError(LibreOfficeKit* office) {
    char* text = office->pClass->getError(office);
    std::string error = text != nullptr ? text : "";
    if (text != nullptr) {
        office->pClass->freeError(text);
    }
    return error;
}

std::string Milliseconds(std::chrono::steady_clock::duration duration) {
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}

}  // namespace

LokRenderer::LokRenderer(std::string programFolder, std::string profileFolder)
    : m_programFolder(std::move(programFolder)), m_profileFolder(std::move(profileFolder)) {}

bool LokRenderer::Load(std::string& problem) {
    platform::CreateDirectories(m_profileFolder);
    if (const std::optional<std::string> version = InstalledOfficeVersion(m_programFolder)) {
        NoteLastVersion(m_profileFolder, *version);
    }
    m_office = lok_init_2(m_programFolder.c_str(), FileUrl(m_profileFolder).c_str());
    if (m_office == nullptr) {
        m_loadProblem = "LibreOfficeKit cannot be loaded from " + m_programFolder;
        problem = m_loadProblem;
        return false;
    }
    return true;
}

Reply LokRenderer::Render(const std::string& document, const std::string& pdf) {
    if (m_office == nullptr) {
        return {ReplyCode::Unavailable, m_loadProblem};
    }
    const auto start = std::chrono::steady_clock::now();
    // Batch: no dialog may wait for an answer nobody can give.
    LibreOfficeKitDocument* loaded = m_office->pClass->documentLoadWithOptions(
        m_office, FileUrl(document).c_str(), "Batch=true");
    if (loaded == nullptr) {
        const std::string error = TakeError(m_office);
        return {ReplyCode::CannotLoad,
                "LibreOfficeKit cannot load " + document + (error.empty() ? "" : ": " + error)};
    }
    const auto loadedAt = std::chrono::steady_clock::now();
    const int saved = loaded->pClass->saveAs(loaded, FileUrl(pdf).c_str(), "pdf", nullptr);
    loaded->pClass->destroy(loaded);
    const auto savedAt = std::chrono::steady_clock::now();
    const std::optional<platform::FileStatus> status = platform::GetFileStatus(pdf);
    if (saved == 0 || !status || status->isDirectory || status->size == 0) {
        platform::DeleteFile(pdf);
        return {ReplyCode::Failed, "LibreOfficeKit could not write " + pdf};
    }
    return {ReplyCode::Done, "load " + Milliseconds(loadedAt - start) + " ms, export " +
                                 Milliseconds(savedAt - loadedAt) + " ms"};
}

}  // namespace office::render
