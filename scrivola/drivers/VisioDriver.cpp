// The diagram program opens the drawing and prints it to the default printer,
// which is the virtual printer for the duration of the job. The document is
// marked saved so that closing it asks nothing.
#include "scrivola/drivers/ApplicationDrivers.h"
#include "scrivola/drivers/AutomationCalls.h"

namespace scrivola {

namespace {

constexpr std::int32_t kVisibility = 67;
constexpr std::int32_t kDocuments = 4;
constexpr std::int32_t kDocumentsOpenWithFlags = 6;
constexpr std::int16_t kOpenFlags = 40;
constexpr std::int32_t kPrint = 22;
constexpr std::int32_t kSaved = 10;
constexpr std::int32_t kClose = 23;
constexpr std::int32_t kQuit = 9;

// Document members set before printing, with their values.
struct DocumentSetting {
    std::int32_t dispid;
    std::int16_t value;
};
constexpr DocumentSetting kPrintSettings[] = {{64, 0}, {45, 1}, {46, 1}, {48, 1}};

}  // namespace

int PrintWithVisio(const std::string& input) {
    using namespace drivers;
    return RunApplicationDriver(
        "Visio.Application",
        [&input](Dispatch& application) {
            PutProperty(application, kVisibility, Variant::Bool(false));
            DispatchPtr documents = ObjectFrom(GetProperty(application, kDocuments));
            DispatchPtr document =
                ObjectFrom(CallMethod(*documents, kDocumentsOpenWithFlags,
                                      {Variant::BStr(input), Variant::I2(kOpenFlags)}));
            for (const DocumentSetting& setting : kPrintSettings) {
                PutProperty(*document, setting.dispid, Variant::I2(setting.value));
            }
            CallMethod(*document, kPrint, {});
            PutProperty(*document, kSaved, Variant::I2(1));
            CallMethod(*document, kClose, {});
            return 1;
        },
        [](Dispatch& application) { CallMethod(application, kQuit, {}); });
}

}  // namespace scrivola
