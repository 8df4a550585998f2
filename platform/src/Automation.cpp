#include "platform/Automation.h"

#include <mutex>

#include "platform/Paths.h"

namespace platform::automation {

namespace {

[[noreturn]] void ThrowTypeMismatch(const char* wanted) {
    throw AutomationError(DISP_E_TYPEMISMATCH, std::string("variant is not of type ") + wanted);
}

// The class table is shared by every thread that creates objects.
std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}

thread_local int initializeCount = 0;

// Programmatic identifiers are matched without regard to case.
template <typename Map>
auto FindIgnoringCase(Map& factories, const std::string& progId) {
    auto it = factories.begin();
    for (; it != factories.end(); ++it) {
        if (EqualsIgnoreCase(it->first, progId)) {
            break;
        }
    }
    return it;
}

}  // namespace

Variant Variant::I2(std::int16_t value) {
    Variant v;
    v.m_type = VarType::I2;
    v.m_integer = value;
    return v;
}

Variant Variant::I4(std::int32_t value) {
    Variant v;
    v.m_type = VarType::I4;
    v.m_integer = value;
    return v;
}

Variant Variant::Bool(bool value) {
    Variant v;
    v.m_type = VarType::Bool;
    v.m_integer = value ? 1 : 0;
    return v;
}

Variant Variant::BStr(std::string text) {
    Variant v;
    v.m_type = VarType::BStr;
    v.m_text = std::move(text);
    return v;
}

Variant Variant::Error(std::int32_t scode) {
    Variant v;
    v.m_type = VarType::Error;
    v.m_scode = scode;
    return v;
}

Variant Variant::Object(std::shared_ptr<Dispatch> object) {
    Variant v;
    v.m_type = VarType::Dispatch;
    v.m_object = std::move(object);
    return v;
}

Variant Variant::ByRef(std::shared_ptr<Variant> target) {
    if (!target) {
        throw AutomationError(DISP_E_TYPEMISMATCH, "by-reference variant without a target");
    }
    Variant v;
    v.m_type = VarType::ByRef;
    v.m_target = std::move(target);
    return v;
}

std::int16_t Variant::AsI2() const {
    if (m_type != VarType::I2) {
        ThrowTypeMismatch("I2");
    }
    return static_cast<std::int16_t>(m_integer);
}

std::int32_t Variant::AsI4() const {
    if (m_type != VarType::I4) {
        ThrowTypeMismatch("I4");
    }
    return m_integer;
}

bool Variant::AsBool() const {
    if (m_type != VarType::Bool) {
        ThrowTypeMismatch("BOOL");
    }
    return m_integer != 0;
}

const std::string& Variant::AsBStr() const {
    if (m_type != VarType::BStr) {
        ThrowTypeMismatch("BSTR");
    }
    return m_text;
}

std::int32_t Variant::AsError() const {
    if (m_type != VarType::Error) {
        ThrowTypeMismatch("ERROR");
    }
    return m_scode;
}

std::shared_ptr<Dispatch> Variant::AsObject() const {
    if (m_type != VarType::Dispatch) {
        ThrowTypeMismatch("DISPATCH");
    }
    return m_object;
}

const Variant& Variant::Referenced() const {
    if (m_type != VarType::ByRef || !m_target) {
        ThrowTypeMismatch("BYREF");
    }
    return *m_target;
}

ClassTable& ClassTable::Instance() {
    static ClassTable table;
    return table;
}

void ClassTable::Register(const std::string& progId, Factory factory) {
    std::lock_guard lock(TableMutex());
    const auto existing = FindIgnoringCase(m_factories, progId);
    if (existing != m_factories.end()) {
        m_factories.erase(existing);
    }
    m_factories[progId] = std::move(factory);
}

void ClassTable::Unregister(const std::string& progId) {
    std::lock_guard lock(TableMutex());
    const auto existing = FindIgnoringCase(m_factories, progId);
    if (existing != m_factories.end()) {
        m_factories.erase(existing);
    }
}

bool ClassTable::IsRegistered(const std::string& progId) const {
    std::lock_guard lock(TableMutex());
    return FindIgnoringCase(m_factories, progId) != m_factories.end();
}

std::shared_ptr<Dispatch> ClassTable::Create(const std::string& progId) const {
    Factory factory;
    {
        std::lock_guard lock(TableMutex());
        const auto found = FindIgnoringCase(m_factories, progId);
        if (found == m_factories.end() || !found->second) {
            throw AutomationError(REGDB_E_CLASSNOTREG, "class not registered: " + progId);
        }
        factory = found->second;
    }
    // Called outside the lock: a factory may take long (starting a server)
    // or create other objects itself.
    std::shared_ptr<Dispatch> object = factory();
    if (!object) {
        throw AutomationError(REGDB_E_CLASSNOTREG, "no object created for " + progId);
    }
    return object;
}

void Initialize() {
    ++initializeCount;
}

void Uninitialize() {
    if (initializeCount > 0) {
        --initializeCount;
    }
}

bool IsInitialized() {
    return initializeCount > 0;
}

std::shared_ptr<Dispatch> CreateObject(const std::string& progId) {
    if (!IsInitialized()) {
        throw AutomationError(CO_E_NOTINITIALIZED, "automation runtime not initialized");
    }
    return ClassTable::Instance().Create(progId);
}

}  // namespace platform::automation
