// "AcroExch.App" and "AcroExch.AVDoc": PDF files re-printed through libqpdf.
// Opening and printing report failure as false, the way the viewer does.
#include <optional>

#include "ArgumentRules.h"
#include "DocumentFile.h"
#include "PdfDocument.h"
#include "PrintSubmission.h"
#include "ServerObject.h"
#include "Servers.h"
#include "office/ObjectModel.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace office {

namespace {

using namespace acrobat;

class AcrobatDocument : public ServerObject {
  public:
    explicit AcrobatDocument(int pageCount) : ServerObject("AcroExch.PDDoc") {
        Serve(kPDDocGetNumPages, InvokeKind::Method, [pageCount](const std::vector<Variant>& args) {
            CheckArguments("GetNumPages", args, {});
            return Variant::I4(pageCount);
        });
    }
};

class AcrobatDocumentWindow : public ServerObject {
  public:
    AcrobatDocumentWindow() : ServerObject("AcroExch.AVDoc") {
        // FileName, title.
        Serve(kAVDocOpen, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("AVDoc.Open", args, {Arg::BStr, Arg::BStr});
            return Variant::Bool(Open(ArgumentValue(args, 0).AsBStr()));
        });
        Serve(kAVDocGetPDDoc, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("AVDoc.GetPDDoc", args, {});
            return Variant::Object(std::make_shared<AcrobatDocument>(OpenDocument().PageCount()));
        });
        // First page, last page (from 0), PostScript level, binary allowed,
        // shrink to fit; printed on the default printer.
        Serve(kAVDocPrintPagesSilent, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("AVDoc.PrintPagesSilent", args,
                           {Arg::I4, Arg::I4, Arg::I4, Arg::Bool, Arg::Bool});
            return Variant::Bool(
                PrintPages(ArgumentValue(args, 0).AsI4(), ArgumentValue(args, 1).AsI4()));
        });
        // True: do not save. Nothing is ever saved.
        Serve(kAVDocClose, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("AVDoc.Close", args, {Arg::Bool});
            const bool wasOpen = m_document != nullptr;
            m_document.reset();
            return Variant::Bool(wasOpen);
        });
    }

  private:
    bool Open(const std::string& path) {
        if (std::optional<std::string> problem = DocumentOpenProblem(path)) {
            platform::OutputDebugText("AcroExch.AVDoc: " + *problem + "\n");
            return false;
        }
        try {
            m_document = std::make_unique<PdfDocument>(path);
        } catch (const std::runtime_error& error) {
            platform::OutputDebugText(std::string("AcroExch.AVDoc: ") + error.what() + "\n");
            return false;
        }
        return true;
    }

    PdfDocument& OpenDocument() const {
        if (!m_document) {
            throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                                  "AcroExch.AVDoc: no document is open");
        }
        return *m_document;
    }

    bool PrintPages(int first, int last) {
        if (!m_document || first < 0 || last < first || last >= m_document->PageCount()) {
            return false;
        }
        std::optional<std::string> scratch = platform::CreateTempDirectory("scrivola-acrobat-");
        if (!scratch) {
            return false;
        }
        bool printed = true;
        try {
            // Written afresh even when the range covers every page, so the
            // printer gets a clean file from a damaged one that was repaired
            // on opening.
            const std::string job = platform::JoinPath(*scratch, "pages.pdf");
            m_document->WritePages(first, last, job);
            SubmitPrintJob("", job);
        } catch (const std::exception& error) {
            platform::OutputDebugText(std::string("AcroExch.AVDoc: ") + error.what() + "\n");
            printed = false;
        }
        platform::RemoveTree(*scratch);
        return printed;
    }

    std::unique_ptr<PdfDocument> m_document;
};

class AcrobatApplication : public ServerObject {
  public:
    AcrobatApplication() : ServerObject("AcroExch.App") {
        Serve(kAppExit, InvokeKind::Method, [](const std::vector<Variant>& args) {
            CheckArguments("App.Exit", args, {});
            return Variant::Bool(true);
        });
    }
};

}  // namespace

ServerPtr CreateAcrobatApplication() {
    return std::make_shared<AcrobatApplication>();
}

ServerPtr CreateAcrobatDocumentWindow() {
    return std::make_shared<AcrobatDocumentWindow>();
}

}  // namespace office
