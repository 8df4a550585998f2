#pragma once
// Automation objects that record every call made on them, answer with
// prepared results, and fail on request at a chosen call.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Automation.h"

namespace scrivola::testing {

using platform::automation::Dispatch;
using platform::automation::InvokeKind;
using platform::automation::Variant;

// "I2:1", "Bool:false", "BStr:text", "Missing", "Object", "ref(I2:0)" ...
std::string Describe(const Variant& value);

// One line per call: "app.Put 23 [Bool:false]".
struct CallLog {
    std::vector<std::string> calls;
    std::optional<std::size_t> failAtCall;         // index into calls
    std::vector<std::weak_ptr<Dispatch>> objects;  // every object handed out
    bool AllReleased() const;
};

class RecordingServer : public Dispatch, public std::enable_shared_from_this<RecordingServer> {
  public:
    RecordingServer(std::string name, std::shared_ptr<CallLog> log)
        : m_name(std::move(name)), m_log(std::move(log)) {}

    static std::shared_ptr<RecordingServer> Make(const std::string& name,
                                                 const std::shared_ptr<CallLog>& log);

    // What a call answers; every other call answers an empty variant.
    void Answer(std::int32_t dispid, InvokeKind kind, Variant result) {
        m_answers[{dispid, kind}] = std::move(result);
    }
    // Answers with a new recording object of the given name, which is returned.
    std::shared_ptr<RecordingServer> AnswerObject(std::int32_t dispid, InvokeKind kind,
                                                  const std::string& name);
    // Runs when the call is made (after recording), e.g. to write a file.
    void OnCall(std::int32_t dispid, InvokeKind kind, std::function<void()> action) {
        m_actions[{dispid, kind}] = std::move(action);
    }

    Variant Invoke(std::int32_t dispid, InvokeKind kind,
                   const std::vector<Variant>& arguments) override;

  private:
    std::string m_name;
    std::shared_ptr<CallLog> m_log;
    std::map<std::pair<std::int32_t, InvokeKind>, Variant> m_answers;
    std::map<std::pair<std::int32_t, InvokeKind>, std::function<void()>> m_actions;
};

// Registers factories for the duration of a test and removes them after.
class ScopedClass {
  public:
    ScopedClass(std::string progId, platform::automation::Factory factory);
    ~ScopedClass();
    ScopedClass(const ScopedClass&) = delete;
    ScopedClass& operator=(const ScopedClass&) = delete;

  private:
    std::string m_progId;
};

// A factory that hands out `object` once and then nothing more of it, so
// that the test's only reference is the log's weak one.
platform::automation::Factory HandOut(std::shared_ptr<RecordingServer> object);

// A factory that fails like a class that is not registered.
platform::automation::Factory NotInstalled();

}  // namespace scrivola::testing
