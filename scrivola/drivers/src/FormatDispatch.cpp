#include "drivers/FormatDispatch.h"

#include <cstdio>
#include <optional>

#include "drivers/ApplicationDrivers.h"
#include "formats/DocumentFormats.h"

namespace scrivola {

DocumentDriver ChooseDriver(std::string_view input) {
    const std::optional<formats::DocumentFormat> format = formats::FormatOf(input);
    if (!format) {
        return DocumentDriver::None;
    }
    switch (format->family) {
        case formats::Family::WordProcessor:
            return DocumentDriver::Word;
        case formats::Family::Spreadsheet:
            return DocumentDriver::Excel;
        case formats::Family::Presentation:
            return DocumentDriver::PowerPoint;
        case formats::Family::Diagram:
            return DocumentDriver::Visio;
        case formats::Family::Pdf:
            return DocumentDriver::Acrobat;
        case formats::Family::WebPage:
            return DocumentDriver::WebPage;
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
