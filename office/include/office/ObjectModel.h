#pragma once
// Dispatch identifiers of the authoring applications' object models. The
// servers serve them and the drivers call them, so both take them from here
// and cannot drift apart.
#include <cstdint>

namespace office {

// "Word.Application", its documents and a document.
namespace word {
inline constexpr std::int32_t kDocuments = 6;
inline constexpr std::int32_t kDocumentsOpen = 12;
inline constexpr std::int32_t kVisible = 23;
inline constexpr std::int32_t kActivePrinter = 66;
inline constexpr std::int32_t kPrintOut = 302;
// Close on a document and Quit on the application share one identifier.
inline constexpr std::int32_t kDocumentClose = 1105;
inline constexpr std::int32_t kQuit = 1105;
}  // namespace word

// "Excel.Application", its workbooks and the worksheets.
namespace excel {
inline constexpr std::int32_t kDisplayAlerts = 343;
inline constexpr std::int32_t kVisible = 558;
inline constexpr std::int32_t kWorkbooks = 572;
inline constexpr std::int32_t kWorkbooksOpen = 682;
inline constexpr std::int32_t kWorksheets = 494;
inline constexpr std::int32_t kWorksheetsPrintOut = 905;
inline constexpr std::int32_t kWorkbooksClose = 277;
inline constexpr std::int32_t kQuit = 302;
}  // namespace excel

// "PowerPoint.Application", its presentations, print options and slides.
namespace powerpoint {
inline constexpr std::int32_t kPresentations = 2001;
inline constexpr std::int32_t kPresentationsOpen = 2004;
inline constexpr std::int32_t kPrintOptions = 2033;
inline constexpr std::int32_t kPrintOptionsMember2010 = 2010;
inline constexpr std::int32_t kPrintOptionsActivePrinter = 2015;
inline constexpr std::int32_t kSlides = 2011;
inline constexpr std::int32_t kSlidesCount = 11;
inline constexpr std::int32_t kPrintOut = 2034;
inline constexpr std::int32_t kClose = 2039;
inline constexpr std::int32_t kQuit = 2021;
}  // namespace powerpoint

// "Visio.Application", its documents and a document.
namespace visio {
inline constexpr std::int32_t kVisibility = 67;
inline constexpr std::int32_t kDocuments = 4;
inline constexpr std::int32_t kDocumentsOpenWithFlags = 6;
inline constexpr std::int32_t kPrint = 22;
inline constexpr std::int32_t kSaved = 10;
inline constexpr std::int32_t kClose = 23;
inline constexpr std::int32_t kQuit = 9;
// Document settings the driver sets before printing; the server accepts
// them and needs none of them for rendering.
inline constexpr std::int32_t kDocumentSettings[] = {64, 45, 46, 48};
}  // namespace visio

// "AcroExch.App", "AcroExch.AVDoc" and "AcroExch.PDDoc".
namespace acrobat {
inline constexpr std::int32_t kAppExit = 1;
inline constexpr std::int32_t kAVDocOpen = 1;
inline constexpr std::int32_t kAVDocGetPDDoc = 2;
inline constexpr std::int32_t kAVDocClose = 6;
inline constexpr std::int32_t kAVDocPrintPagesSilent = 8;
inline constexpr std::int32_t kPDDocGetNumPages = 6;
}  // namespace acrobat

}  // namespace office
