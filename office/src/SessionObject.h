#pragma once
// A server object that belongs to a running application: once the
// application has quit, every call on it fails.
#include <memory>
#include <string>
#include <utility>

#include "OfficeSession.h"
#include "ServerObject.h"

namespace office {

class SessionObject : public ServerObject {
  public:
    SessionObject(std::string name, std::shared_ptr<OfficeSession> session)
        : ServerObject(std::move(name)), m_session(std::move(session)) {}

  protected:
    void CheckUsable() const override { m_session->CheckRunning(); }
    OfficeSession& Session() const { return *m_session; }
    const std::shared_ptr<OfficeSession>& SharedSession() const { return m_session; }

  private:
    std::shared_ptr<OfficeSession> m_session;
};

// The printer a print call names must exist, as for any application.
void CheckPrinterInstalled(const std::string& printer);

}  // namespace office
