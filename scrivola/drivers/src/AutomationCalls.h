#pragma once
// Short forms of the automation calls the drivers make, and the frame they
// all share.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Automation.h"

namespace scrivola::drivers {

using platform::automation::Dispatch;
using platform::automation::Variant;
using DispatchPtr = std::shared_ptr<Dispatch>;

Variant GetProperty(Dispatch& object, std::int32_t dispid);
void PutProperty(Dispatch& object, std::int32_t dispid, const Variant& value);
Variant CallMethod(Dispatch& object, std::int32_t dispid, const std::vector<Variant>& arguments);

// The object a call returned; throws AutomationError when it returned none.
DispatchPtr ObjectFrom(const Variant& result);

// Each value wrapped in a variant by reference to a copy of its own, as the
// word processor's methods take their arguments.
std::vector<Variant> ByReference(const std::vector<Variant>& values);

// `count` copies of the missing-argument marker appended to `values`.
std::vector<Variant> WithMissing(std::vector<Variant> values, std::size_t count);

// Creates the application, runs `sequence` under an error guard, then makes
// the quit call and releases the application whatever happened. 0 when the
// application cannot be created or any call fails, else what `sequence`
// returned.
int RunApplicationDriver(const std::string& progId,
                         const std::function<int(Dispatch& application)>& sequence,
                         const std::function<void(Dispatch& application)>& quit);

}  // namespace scrivola::drivers
