// The diagram program opens the drawing and prints it to the default printer,
// which is the virtual printer for the duration of the job. The document is
// marked saved so that closing it asks nothing.
#include <iterator>

#include "AutomationCalls.h"
#include "drivers/ApplicationDrivers.h"
#include "office/ObjectModel.h"

namespace scrivola {

namespace {

constexpr std::int16_t kOpenFlags = 40;
// Values for the document settings, in the same order.
constexpr std::int16_t kDocumentSettingValues[] = {0, 1, 1, 1};
static_assert(std::size(kDocumentSettingValues) == std::size(office::visio::kDocumentSettings));

}  // namespace

int PrintWithVisio(const std::string& input) {
    using namespace drivers;
    using namespace office::visio;
    return RunApplicationDriver(
        "Visio.Application",
        [&input](Dispatch& application) {
            PutProperty(application, kVisibility, Variant::Bool(false));
            DispatchPtr documents = ObjectFrom(GetProperty(application, kDocuments));
            DispatchPtr document =
                ObjectFrom(CallMethod(*documents, kDocumentsOpenWithFlags,
                                      {Variant::BStr(input), Variant::I2(kOpenFlags)}));
            for (std::size_t i = 0; i < std::size(kDocumentSettings); ++i) {
                PutProperty(*document, kDocumentSettings[i],
                            Variant::I2(kDocumentSettingValues[i]));
            }
            CallMethod(*document, kPrint, {});
            PutProperty(*document, kSaved, Variant::I2(1));
            CallMethod(*document, kClose, {});
            return 1;
        },
        [](Dispatch& application) { CallMethod(application, kQuit, {}); });
}

}  // namespace scrivola
