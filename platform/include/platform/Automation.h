#pragma once
// In-process automation: variants, objects invoked by dispatch identifier,
// and a class table from programmatic identifier ("Word.Application") to a
// factory. Arguments are given in positional order (first argument first).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform::automation {

inline constexpr std::int32_t DISP_E_PARAMNOTFOUND = static_cast<std::int32_t>(0x80020004u);
inline constexpr std::int32_t DISP_E_MEMBERNOTFOUND = static_cast<std::int32_t>(0x80020003u);
inline constexpr std::int32_t DISP_E_TYPEMISMATCH = static_cast<std::int32_t>(0x80020005u);
inline constexpr std::int32_t DISP_E_BADPARAMCOUNT = static_cast<std::int32_t>(0x8002000Eu);
inline constexpr std::int32_t DISP_E_EXCEPTION = static_cast<std::int32_t>(0x80020009u);
inline constexpr std::int32_t REGDB_E_CLASSNOTREG = static_cast<std::int32_t>(0x80040154u);
inline constexpr std::int32_t CO_E_NOTINITIALIZED = static_cast<std::int32_t>(0x800401F0u);

class Dispatch;

enum class VarType { Empty, I2, I4, Bool, BStr, Error, Dispatch, ByRef };

class Variant {
  public:
    Variant() = default;
    static Variant I2(std::int16_t value);
    static Variant I4(std::int32_t value);
    static Variant Bool(bool value);
    static Variant BStr(std::string text);  // UTF-8 text
    static Variant Error(std::int32_t scode);
    static Variant Missing() { return Error(DISP_E_PARAMNOTFOUND); }
    static Variant Object(std::shared_ptr<Dispatch> object);
    // A by-reference variant pointing at another variant.
    static Variant ByRef(std::shared_ptr<Variant> target);

    VarType Type() const { return m_type; }
    bool IsMissing() const { return m_type == VarType::Error && m_scode == DISP_E_PARAMNOTFOUND; }

    // Accessors throw AutomationError(DISP_E_TYPEMISMATCH) on another type.
    std::int16_t AsI2() const;
    std::int32_t AsI4() const;
    bool AsBool() const;
    const std::string& AsBStr() const;
    std::int32_t AsError() const;
    std::shared_ptr<Dispatch> AsObject() const;
    const Variant& Referenced() const;  // the target of a ByRef variant

    // A ByRef variant gives its target, any other variant itself.
    const Variant& Value() const { return m_type == VarType::ByRef ? Referenced() : *this; }

  private:
    VarType m_type = VarType::Empty;
    std::int32_t m_integer = 0;  // I2, I4, Bool (0/1)
    std::int32_t m_scode = 0;
    std::string m_text;
    std::shared_ptr<Dispatch> m_object;
    std::shared_ptr<Variant> m_target;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

class AutomationError : public std::runtime_error {
  public:
    AutomationError(std::int32_t hresult, const std::string& message)
        : std::runtime_error(message), m_hresult(hresult) {}
    std::int32_t HResult() const { return m_hresult; }

  private:
    std::int32_t m_hresult;
};

// An automation object. A failing call throws AutomationError.
class Dispatch {
  public:
    virtual ~Dispatch() = default;
    virtual Variant Invoke(std::int32_t dispid, InvokeKind kind,
                           const std::vector<Variant>& arguments) = 0;
};

using Factory = std::function<std::shared_ptr<Dispatch>()>;

// Programmatic identifiers to factories. A factory may throw AutomationError
// (for instance when the application behind it is not installed).
class ClassTable {
  public:
    static ClassTable& Instance();
    void Register(const std::string& progId, Factory factory);
    void Unregister(const std::string& progId);
    bool IsRegistered(const std::string& progId) const;
    // Throws AutomationError(REGDB_E_CLASSNOTREG) for an unknown identifier.
    std::shared_ptr<Dispatch> Create(const std::string& progId) const;

  private:
    std::map<std::string, Factory> m_factories;
};

// The component-object runtime of the calling thread: CreateObject works
// only between Initialize and Uninitialize.
void Initialize();
void Uninitialize();
bool IsInitialized();

// Creates an object by programmatic identifier; throws AutomationError.
std::shared_ptr<Dispatch> CreateObject(const std::string& progId);

}  // namespace platform::automation
