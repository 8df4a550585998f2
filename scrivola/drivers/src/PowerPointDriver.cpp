// The presentation program opens the file read-only and untitled without a
// window and prints every slide to the virtual printer by name. A
// presentation without slides prints nothing and still counts as printed.
#include "AutomationCalls.h"
#include "drivers/ApplicationDrivers.h"
#include "office/ObjectModel.h"
#include "printing/DefaultPrinter.h"

namespace scrivola {

int PrintWithPowerPoint(const std::string& input) {
    using namespace drivers;
    using namespace office::powerpoint;
    return RunApplicationDriver(
        "PowerPoint.Application",
        [&input](Dispatch& application) {
            DispatchPtr presentations = ObjectFrom(GetProperty(application, kPresentations));
            // ReadOnly, Untitled, WithWindow.
            DispatchPtr presentation = ObjectFrom(
                CallMethod(*presentations, kPresentationsOpen,
                           {Variant::BStr(input), Variant::I4(1), Variant::I4(1), Variant::I4(0)}));
            DispatchPtr printOptions = ObjectFrom(GetProperty(*presentation, kPrintOptions));
            PutProperty(*printOptions, kPrintOptionsMember2010, Variant::I4(0));
            PutProperty(*printOptions, kPrintOptionsActivePrinter,
                        Variant::BStr(kVirtualPrinterName));
            DispatchPtr slides = ObjectFrom(GetProperty(*presentation, kSlides));
            const std::int32_t slideCount = GetProperty(*slides, kSlidesCount).Value().AsI4();
            if (slideCount != 0) {
                // From, To, PrintToFile, Copies, Collate.
                CallMethod(*presentation, kPrintOut,
                           {Variant::I4(0), Variant::I4(slideCount), Variant::BStr(""),
                            Variant::I4(1), Variant::I4(0)});
            }
            CallMethod(*presentation, kClose, {});
            return 1;
        },
        [](Dispatch& application) { CallMethod(application, kQuit, {}); });
}

}  // namespace scrivola
