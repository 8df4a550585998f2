// The spreadsheet opens the workbook read-only without alerts and prints the
// active workbook's worksheets, naming the virtual printer in the call.
#include "AutomationCalls.h"
#include "DriverArguments.h"
#include "drivers/ApplicationDrivers.h"
#include "office/ObjectModel.h"
#include "printing/DefaultPrinter.h"

namespace scrivola {

int PrintWithExcel(const std::string& input) {
    using namespace drivers;
    using namespace office::excel;
    return RunApplicationDriver(
        "Excel.Application",
        [&input](Dispatch& application) {
            const Variant printer = Variant::BStr(kVirtualPrinterName);
            const Variant& no = NoArgument();
            const Variant& yes = YesArgument();
            const Variant& missing = MissingArgument();
            PutProperty(application, kDisplayAlerts, Variant::Bool(false));
            PutProperty(application, kVisible, Variant::Bool(false));
            DispatchPtr workbooks = ObjectFrom(GetProperty(application, kWorkbooks));
            // UpdateLinks, ReadOnly, Format, Password, WriteResPassword,
            // IgnoreReadOnlyRecommended, Origin, Delimiter, Editable, Notify,
            // Converter, AddToMru.
            DispatchPtr workbook =
                ObjectFrom(CallMethod(*workbooks, kWorkbooksOpen,
                                      {Variant::BStr(input), no, yes, missing, missing, missing,
                                       yes, missing, missing, missing, missing, missing, no}));
            DispatchPtr worksheets = ObjectFrom(GetProperty(application, kWorksheets));
            // From, To, Copies, Preview, ActivePrinter, PrintToFile, Collate.
            CallMethod(*worksheets, kWorksheetsPrintOut,
                       {missing, missing, missing, no, printer, missing, missing});
            CallMethod(*workbooks, kWorkbooksClose, {});
            return 1;
        },
        [](Dispatch& application) { CallMethod(application, kQuit, {}); });
}

}  // namespace scrivola
