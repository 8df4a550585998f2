#pragma once
// The render service's loop: one connection at a time from the listening
// socket (the others wait in its queue), each asking for one thing.
#include <chrono>
#include <cstddef>
#include <string>

#include "RenderProtocol.h"
#include "ServiceFolder.h"

namespace office::render {

// Turns one document into a PDF.
class DocumentRenderer {
  public:
    virtual ~DocumentRenderer() = default;
    virtual Reply Render(const std::string& document, const std::string& pdf) = 0;
};

struct ServerLimits {
    std::chrono::milliseconds idle{10 * 60 * 1000};
    // A fresh service after this many documents or this much resident
    // memory keeps a long session from growing without end.
    unsigned maxDocuments = 200;
    std::size_t maxResidentBytes = std::size_t{1024} * 1024 * 1024;
};

// Read from SCRIVOLA_RENDER_IDLE_SECONDS, SCRIVOLA_RENDER_MAX_DOCUMENTS and
// SCRIVOLA_RENDER_MAX_RSS_MB where they are set.
ServerLimits LimitsFromEnvironment();

std::size_t ResidentBytes();

class RenderServer {
  public:
    RenderServer(ServicePaths paths, DocumentRenderer& renderer, ServerLimits limits);

    // Takes the socket over from a dead service; false (with a message) when
    // a live one answers there or the socket cannot be made.
    bool Listen(std::string& problem);

    // Serves until idle, stopped, at a limit, or until its socket is removed
    // or replaced; then serves what is already queued and returns.
    void Run();

  private:
    enum class Next { Continue, Leave };
    Next Serve(int connection);
    std::string Status() const;
    bool OwnsSocket() const;
    void Withdraw();

    ServicePaths m_paths;
    DocumentRenderer& m_renderer;
    ServerLimits m_limits;
    int m_listener = -1;
    dev_t m_socketDevice = 0;
    ino_t m_socketInode = 0;
    unsigned m_documents = 0;
};

}  // namespace office::render
