// "Word.Application": documents, ActivePrinter, PrintOut of the active
// document, Close and Quit, all with their arguments by reference.
#include "ArgumentRules.h"
#include "PrintSubmission.h"
#include "Servers.h"
#include "SessionObject.h"
#include "office/ObjectModel.h"

namespace office {

namespace {

using namespace word;

class WordDocument : public SessionObject {
  public:
    WordDocument(std::shared_ptr<OfficeSession> session, OfficeSession::DocumentHandle document)
        : SessionObject("Word.Document", std::move(session)), m_document(std::move(document)) {
        // SaveChanges, OriginalFormat, RouteDocument. Opened read-only, so
        // nothing is ever saved.
        Serve(kDocumentClose, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Document.Close", args, {Arg::I2, Arg::Missing, Arg::Missing},
                           Passing::ByReference);
            Session().Close(m_document);
            return Variant();
        });
    }

  private:
    OfficeSession::DocumentHandle m_document;
};

class WordDocuments : public SessionObject {
  public:
    explicit WordDocuments(std::shared_ptr<OfficeSession> session)
        : SessionObject("Word.Documents", std::move(session)) {
        // FileName, ConfirmConversions, ReadOnly and seven options left out.
        Serve(kDocumentsOpen, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Documents.Open", args,
                           FollowedByMissing({Arg::BStr, Arg::I2, Arg::I2}, 7),
                           Passing::ByReference);
            auto document = Session().Open(ArgumentValue(args, 0).AsBStr());
            return Variant::Object(std::make_shared<WordDocument>(SharedSession(), document));
        });
    }
};

class WordApplication : public SessionObject {
  public:
    explicit WordApplication(std::shared_ptr<OfficeSession> session)
        : SessionObject("Word.Application", std::move(session)) {
        Serve(kDocuments, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Documents", args, {});
            return Variant::Object(std::make_shared<WordDocuments>(SharedSession()));
        });
        // Rendering is headless; the window stays hidden whatever is asked.
        Serve(kVisible, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
            CheckArguments("Visible", args, {Arg::Bool});
            return Variant();
        });
        Serve(kActivePrinter, InvokeKind::PropertyPut, [this](const std::vector<Variant>& args) {
            CheckArguments("ActivePrinter", args, {Arg::BStr});
            const std::string& printer = ArgumentValue(args, 0).AsBStr();
            CheckPrinterInstalled(printer);
            m_activePrinter = printer;
            return Variant();
        });
        // Background and fourteen options left out; printing is always in
        // the foreground, so the job is done when the call returns.
        Serve(kPrintOut, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("PrintOut", args, FollowedByMissing({Arg::I2}, 14),
                           Passing::ByReference);
            SubmitPrintJob(m_activePrinter, Session().ActiveDocument()->pdf);
            return Variant();
        });
        // SaveChanges, OriginalFormat, RouteDocument.
        Serve(kQuit, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Quit", args, {Arg::I2, Arg::I2, Arg::I2}, Passing::ByReference);
            Session().Quit();
            return Variant();
        });
    }

  private:
    std::string m_activePrinter;  // empty: the default printer
};

}  // namespace

ServerPtr CreateWordApplication(std::shared_ptr<OfficeSession> session) {
    return std::make_shared<WordApplication>(std::move(session));
}

}  // namespace office
