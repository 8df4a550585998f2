#include "ServerObject.h"

namespace office {

Variant ServerObject::Invoke(std::int32_t dispid, InvokeKind kind,
                             const std::vector<Variant>& arguments) {
    const auto member = members_.find({dispid, kind});
    if (member == members_.end()) {
        throw AutomationError(
            platform::automation::DISP_E_MEMBERNOTFOUND,
            name_ + ": no member " + std::to_string(dispid) + " for this kind of call");
    }
    CheckUsable();
    return member->second(arguments);
}

void ServerObject::Serve(std::int32_t dispid, InvokeKind kind, Handler handler) {
    members_[{dispid, kind}] = std::move(handler);
}

}  // namespace office
