#pragma once
// Base of every server object: a table of the members it serves, by DISPID
// and call kind. Anything else is refused with DISP_E_MEMBERNOTFOUND.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Automation.h"

namespace office {

using platform::automation::AutomationError;
using platform::automation::InvokeKind;
using platform::automation::Variant;

class ServerObject : public platform::automation::Dispatch {
  public:
    using Handler = std::function<Variant(const std::vector<Variant>& args)>;

    explicit ServerObject(std::string name) : m_name(std::move(name)) {}
    Variant Invoke(std::int32_t dispid, InvokeKind kind,
                   const std::vector<Variant>& arguments) override;

  protected:
    void Serve(std::int32_t dispid, InvokeKind kind, Handler handler);
    const std::string& Name() const { return m_name; }

    // Called before every member; throws when the object may no longer be used.
    virtual void CheckUsable() const {}

  private:
    std::string m_name;
    std::map<std::pair<std::int32_t, InvokeKind>, Handler> m_members;
};

// An object that serves nothing (a returned object that is never called).
class PlainObject : public ServerObject {
  public:
    using ServerObject::ServerObject;
};

}  // namespace office
