// "Visio.Application": drawings opened through LibreOffice Draw and printed
// to the default printer.
#include "ArgumentRules.h"
#include "PrintSubmission.h"
#include "Servers.h"
#include "SessionObject.h"
#include "office/ObjectModel.h"

namespace office {

namespace {

using namespace visio;

class VisioDocument : public SessionObject {
  public:
    VisioDocument(std::shared_ptr<OfficeSession> session, OfficeSession::DocumentHandle document)
        : SessionObject("Visio.Document", std::move(session)), m_document(std::move(document)) {
        for (const std::int32_t dispid : kDocumentSettings) {
            Serve(dispid, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
                CheckArguments("Document setting", args, {Arg::I2});
                return Variant();
            });
        }
        Serve(kPrint, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Document.Print", args, {});
            SubmitPrintJob("", m_document->pdf);
            return Variant();
        });
        // The drawing was opened as a private copy; there is nothing to save.
        Serve(kSaved, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
            CheckArguments("Document.Saved", args, {Arg::I2});
            return Variant();
        });
        Serve(kClose, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Document.Close", args, {});
            Session().Close(m_document);
            return Variant();
        });
    }

  private:
    OfficeSession::DocumentHandle m_document;
};

class VisioDocuments : public SessionObject {
  public:
    explicit VisioDocuments(std::shared_ptr<OfficeSession> session)
        : SessionObject("Visio.Documents", std::move(session)) {
        // FileName, open flags.
        Serve(
            kDocumentsOpenWithFlags, InvokeKind::Method, [this](const std::vector<Variant>& args) {
                CheckArguments("Documents.OpenEx", args, {Arg::BStr, Arg::I2});
                auto document = Session().Open(ArgumentValue(args, 0).AsBStr());
                return Variant::Object(std::make_shared<VisioDocument>(SharedSession(), document));
            });
    }
};

class VisioApplication : public SessionObject {
  public:
    explicit VisioApplication(std::shared_ptr<OfficeSession> session)
        : SessionObject("Visio.Application", std::move(session)) {
        Serve(kVisibility, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
            CheckArguments("Visible", args, {Arg::Bool});
            return Variant();
        });
        Serve(kDocuments, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Documents", args, {});
            return Variant::Object(std::make_shared<VisioDocuments>(SharedSession()));
        });
        Serve(kQuit, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Quit", args, {});
            Session().Quit();
            return Variant();
        });
    }
};

}  // namespace

ServerPtr CreateVisioApplication(std::shared_ptr<OfficeSession> session) {
    return std::make_shared<VisioApplication>(std::move(session));
}

}  // namespace office
