#include "ServerObject.h"

namespace office {

Variant ServerObject::Invoke(std::int32_t dispid, InvokeKind kind,
                             const std::vector<Variant>& arguments) {
    const auto member = m_members.find({dispid, kind});
    if (member == m_members.end()) {
        throw AutomationError(
            platform::automation::DISP_E_MEMBERNOTFOUND,
            m_name + ": no member " + std::to_string(dispid) + " for this kind of call");
    }
    CheckUsable();
    return member->second(arguments);
}

void ServerObject::Serve(std::int32_t dispid, InvokeKind kind, Handler handler) {
    m_members[{dispid, kind}] = std::move(handler);
}

}  // namespace office
