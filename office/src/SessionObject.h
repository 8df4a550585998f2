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
        : ServerObject(std::move(name)), session_(std::move(session)) {}

  protected:
    void CheckUsable() const override { session_->CheckRunning(); }
    OfficeSession& Session() const { return *session_; }
    const std::shared_ptr<OfficeSession>& SharedSession() const { return session_; }

  private:
    std::shared_ptr<OfficeSession> session_;
};

// The printer a print call names must exist, as for any application.
void CheckPrinterInstalled(const std::string& printer);

}  // namespace office
