// The PDF viewer re-prints a PDF file silently, every page, to the default
// printer, which is the virtual printer for the duration of the job. Unlike
// the other applications it reports success or failure of open and print.
#include "AutomationCalls.h"
#include "drivers/ApplicationDrivers.h"
#include "office/ObjectModel.h"

namespace scrivola {

int PrintWithAcrobat(const std::string& input) {
    using namespace drivers;
    using namespace office::acrobat;
    return RunApplicationDriver(
        "AcroExch.App",
        [&input](Dispatch&) {
            DispatchPtr window = platform::automation::CreateObject("AcroExch.AVDoc");
            if (!window) {
                return 0;
            }
            const bool opened =
                CallMethod(*window, kAVDocOpen, {Variant::BStr(input), Variant::BStr("")})
                    .Value()
                    .AsBool();
            if (!opened) {
                return 0;
            }
            DispatchPtr document = ObjectFrom(CallMethod(*window, kAVDocGetPDDoc, {}));
            const std::int32_t pageCount =
                CallMethod(*document, kPDDocGetNumPages, {}).Value().AsI4();
            // A document without pages asks for the range 0..-1, which the
            // viewer refuses; a negative count is not wrapped around.
            const std::int32_t lastPage = pageCount > 0 ? pageCount - 1 : -1;
            // First page, last page, PostScript level, binary allowed, shrink to fit.
            const bool printed = CallMethod(*window, kAVDocPrintPagesSilent,
                                            {Variant::I4(0), Variant::I4(lastPage), Variant::I4(0),
                                             Variant::Bool(true), Variant::Bool(true)})
                                     .Value()
                                     .AsBool();
            // True: close without saving.
            CallMethod(*window, kAVDocClose, {Variant::Bool(true)});
            return printed ? 1 : 0;
        },
        [](Dispatch& application) { CallMethod(application, kAppExit, {}); });
}

}  // namespace scrivola
