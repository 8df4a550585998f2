#include "RecordingServer.h"

namespace scrivola::testing {

using platform::automation::AutomationError;
using platform::automation::VarType;

std::string Describe(const Variant& value) {
    switch (value.Type()) {
        case VarType::Empty:
            return "Empty";
        case VarType::I2:
            return "I2:" + std::to_string(value.AsI2());
        case VarType::I4:
            return "I4:" + std::to_string(value.AsI4());
        case VarType::Bool:
            return value.AsBool() ? "Bool:true" : "Bool:false";
        case VarType::BStr:
            return "BStr:" + value.AsBStr();
        case VarType::Error:
            return value.IsMissing() ? "Missing" : "Error:" + std::to_string(value.AsError());
        case VarType::Dispatch:
            return "Object";
        case VarType::ByRef:
            return "ref(" + Describe(value.Referenced()) + ")";
    }
    return "?";
}

bool CallLog::AllReleased() const {
    for (const auto& object : objects) {
        if (!object.expired()) {
            return false;
        }
    }
    return true;
}

std::shared_ptr<RecordingServer> RecordingServer::Make(const std::string& name,
                                                       const std::shared_ptr<CallLog>& log) {
    auto object = std::make_shared<RecordingServer>(name, log);
    log->objects.push_back(object);
    return object;
}

std::shared_ptr<RecordingServer> RecordingServer::AnswerObject(std::int32_t dispid, InvokeKind kind,
                                                               const std::string& name) {
    auto object = Make(name, m_log);
    Answer(dispid, kind, Variant::Object(object));
    return object;
}

Variant RecordingServer::Invoke(std::int32_t dispid, InvokeKind kind,
                                const std::vector<Variant>& arguments) {
    static const char* const kKinds[] = {"Method", "Get", "Put"};
    std::string line =
        m_name + "." + kKinds[static_cast<int>(kind)] + " " + std::to_string(dispid) + " [";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        line += (i ? ", " : "") + Describe(arguments[i]);
    }
    line += "]";
    m_log->calls.push_back(line);
    if (m_log->failAtCall && *m_log->failAtCall == m_log->calls.size() - 1) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION, "failing on purpose");
    }
    if (const auto action = m_actions.find({dispid, kind}); action != m_actions.end()) {
        action->second();
    }
    const auto answer = m_answers.find({dispid, kind});
    return answer == m_answers.end() ? Variant() : answer->second;
}

ScopedClass::ScopedClass(std::string progId, platform::automation::Factory factory)
    : m_progId(std::move(progId)) {
    platform::automation::ClassTable::Instance().Register(m_progId, std::move(factory));
}

ScopedClass::~ScopedClass() {
    platform::automation::ClassTable::Instance().Unregister(m_progId);
}

platform::automation::Factory HandOut(std::shared_ptr<RecordingServer> object) {
    auto slot = std::make_shared<std::shared_ptr<RecordingServer>>(std::move(object));
    return [slot]() -> std::shared_ptr<Dispatch> {
        if (!*slot) {
            throw AutomationError(platform::automation::DISP_E_EXCEPTION, "created twice");
        }
        return std::move(*slot);
    };
}

platform::automation::Factory NotInstalled() {
    return []() -> std::shared_ptr<Dispatch> {
        throw AutomationError(platform::automation::REGDB_E_CLASSNOTREG, "not installed");
    };
}

}  // namespace scrivola::testing
