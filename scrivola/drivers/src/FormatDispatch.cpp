#include "drivers/FormatDispatch.h"

#include <cstdio>

#include "drivers/ApplicationDrivers.h"
#include "platform/Paths.h"

namespace scrivola {

namespace {

struct ExtensionDriver {
    const char* extension;
    DocumentDriver driver;
};

constexpr ExtensionDriver kDispatchTable[] = {
    {".doc", DocumentDriver::Word},       {".rtf", DocumentDriver::Word},
    {".txt", DocumentDriver::Word},       {".xls", DocumentDriver::Excel},
    {".ppt", DocumentDriver::PowerPoint}, {".pdf", DocumentDriver::Acrobat},
    {".vsd", DocumentDriver::Visio},      {".htm", DocumentDriver::WebPage},
    {".html", DocumentDriver::WebPage},
};

}  // namespace

DocumentDriver ChooseDriver(std::string_view input) {
    const std::string extension = platform::SplitPath(input).extension;
    for (const ExtensionDriver& entry : kDispatchTable) {
        if (platform::EqualsIgnoreCase(extension, entry.extension)) {
            return entry.driver;
        }
    }
    return DocumentDriver::None;
}

int PrintDocument(const std::string& input) {
    switch (ChooseDriver(input)) {
        case DocumentDriver::Word:
            return PrintWithWord(input);
        case DocumentDriver::Excel:
            return PrintWithExcel(input);
        case DocumentDriver::PowerPoint:
            return PrintWithPowerPoint(input);
        case DocumentDriver::Visio:
            return PrintWithVisio(input);
        case DocumentDriver::Acrobat:
            return PrintWithAcrobat(input);
        case DocumentDriver::WebPage:
            // No line end: the job's result line follows on the same line.
            std::fputs(kUnsupportedFormatMessage, stdout);
            std::fflush(stdout);
            return 0;
        case DocumentDriver::None:
            break;
    }
    return 0;
}

}  // namespace scrivola
