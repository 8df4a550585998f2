// The word processor opens the document read-only and prints it to the
// virtual printer by name; Background printing is off so that the print call
// returns only when the job has been handed over.
#include "AutomationCalls.h"
#include "DriverArguments.h"
#include "drivers/ApplicationDrivers.h"
#include "office/ObjectModel.h"
#include "printing/DefaultPrinter.h"

namespace scrivola {

int PrintWithWord(const std::string& input) {
    using namespace drivers;
    using namespace office::word;
    return RunApplicationDriver(
        "Word.Application",
        [&input](Dispatch& application) {
            const Variant path = Variant::BStr(input);
            DispatchPtr documents = ObjectFrom(GetProperty(application, kDocuments));
            DispatchPtr document = ObjectFrom(
                CallMethod(*documents, kDocumentsOpen,
                           ByReference(WithMissing({path, NoArgument(), YesArgument()}, 7))));
            PutProperty(application, kVisible, Variant::Bool(false));
            PutProperty(application, kActivePrinter, Variant::BStr(kVirtualPrinterName));
            CallMethod(application, kPrintOut, ByReference(WithMissing({NoArgument()}, 14)));
            CallMethod(*document, kDocumentClose, ByReference(WithMissing({NoArgument()}, 2)));
            return 1;
        },
        [](Dispatch& application) {
            CallMethod(application, kQuit, ByReference({NoArgument(), NoArgument(), NoArgument()}));
        });
}

}  // namespace scrivola
