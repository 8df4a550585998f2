#pragma once
// LibreOfficeKit inside the service: loaded once, then each document loaded
// hidden, exported to PDF and closed.
#include <string>

#include "RenderServer.h"

struct _LibreOfficeKit;

namespace office::render {

class LokRenderer : public DocumentRenderer {
  public:
    // `profileFolder`: LibreOffice's user profile, kept between services so
    // that a start need not build a fresh one.
    LokRenderer(std::string programFolder, std::string profileFolder);

    // False, with the reason, when LibreOfficeKit cannot be loaded; every
    // render is then answered Unavailable.
    bool Load(std::string& problem);

    Reply Render(const std::string& document, const std::string& pdf) override;

  private:
    std::string m_programFolder;
    std::string m_profileFolder;
    std::string m_loadProblem = "LibreOfficeKit is not loaded";
    _LibreOfficeKit* m_office = nullptr;
};

}  // namespace office::render
