#pragma once
// One running application: its private folder (LibreOffice profile and the
// rendered documents) and whether it has quit. Quitting, or releasing the
// last object, removes everything the application made.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "LibreOffice.h"

namespace office {

struct RenderedDocument {
    std::string source;  // the path the caller opened
    std::string folder;  // private folder of this document, removed on close
    std::string pdf;
};

class OfficeSession {
  public:
    // Throws AutomationError(REGDB_E_CLASSNOTREG) when soffice is not in PATH,
    // as for an application that is not installed.
    static std::shared_ptr<OfficeSession> Start(const std::string& application);

    OfficeSession(std::string application, std::string soffice,
                  std::uint32_t renderTimeoutMs = kRenderTimeoutMs);
    ~OfficeSession();
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    // Renders the document to PDF. Throws AutomationError when the document
    // cannot be read or LibreOffice cannot render it.
    RenderedDocument Render(const std::string& document);
    void Discard(const RenderedDocument& document);

    // Open documents; the one opened last is the active one.
    using DocumentHandle = std::shared_ptr<const RenderedDocument>;
    DocumentHandle Open(const std::string& document);
    // Closes without saving; throws when the document is not open.
    void Close(const DocumentHandle& document);
    void CloseAll();
    // Throws AutomationError when no document is open.
    DocumentHandle ActiveDocument() const;

    void Quit();
    // Throws AutomationError once the application has quit.
    void CheckRunning() const;

    const std::string& Application() const { return m_application; }
    // "" until the first document is rendered.
    const std::string& WorkDirectory() const { return m_workDirectory; }

  private:
    const std::string& EnsureWorkDirectory();
    // Renders the private copy through the render service, or through
    // soffice where the service cannot; throws AutomationError.
    void RenderCopy(const std::string& copy, const std::string& pdf, const std::string& document);

    std::string m_application;
    std::string m_soffice;
    std::uint32_t m_renderTimeoutMs;
    std::string m_workDirectory;
    unsigned m_renderCount = 0;
    std::vector<DocumentHandle> m_openDocuments;
    bool m_quit = false;
};

}  // namespace office
