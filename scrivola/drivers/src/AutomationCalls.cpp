#include "AutomationCalls.h"

#include <exception>
#include <utility>

#include "DriverArguments.h"
#include "platform/DebugLog.h"

namespace scrivola::drivers {

using platform::automation::AutomationError;
using platform::automation::InvokeKind;

Variant GetProperty(Dispatch& object, std::int32_t dispid) {
    return object.Invoke(dispid, InvokeKind::PropertyGet, {});
}

void PutProperty(Dispatch& object, std::int32_t dispid, const Variant& value) {
    object.Invoke(dispid, InvokeKind::PropertyPut, {value});
}

Variant CallMethod(Dispatch& object, std::int32_t dispid, const std::vector<Variant>& arguments) {
    return object.Invoke(dispid, InvokeKind::Method, arguments);
}

DispatchPtr ObjectFrom(const Variant& result) {
    DispatchPtr object = result.Value().AsObject();
    if (!object) {
        throw AutomationError(platform::automation::DISP_E_TYPEMISMATCH,
                              "the call returned no object");
    }
    return object;
}

std::vector<Variant> ByReference(const std::vector<Variant>& values) {
    std::vector<Variant> references;
    references.reserve(values.size());
    for (const Variant& value : values) {
        references.push_back(Variant::ByRef(std::make_shared<Variant>(value)));
    }
    return references;
}

std::vector<Variant> WithMissing(std::vector<Variant> values, std::size_t count) {
    values.insert(values.end(), count, MissingArgument());
    return values;
}

namespace {

void NoteFailure(const std::string& progId, const char* step, const std::exception& error) {
    platform::OutputDebugText(progId + ": " + step + " failed: " + error.what() + "\n");
}

}  // namespace

int RunApplicationDriver(const std::string& progId,
                         const std::function<int(Dispatch& application)>& sequence,
                         const std::function<void(Dispatch& application)>& quit) {
    DispatchPtr application;
    try {
        application = platform::automation::CreateObject(progId);
    } catch (const std::exception& error) {
        NoteFailure(progId, "creation", error);
        return 0;
    }
    if (!application) {
        return 0;
    }

    int result = 0;
    try {
        result = sequence(*application);
    } catch (const std::exception& error) {
        // Objects the sequence obtained were released as it unwound.
        NoteFailure(progId, "printing", error);
        result = 0;
    }

    try {
        quit(*application);
    } catch (const std::exception& error) {
        NoteFailure(progId, "quit", error);
    }
    application.reset();
    return result;
}

}  // namespace scrivola::drivers
