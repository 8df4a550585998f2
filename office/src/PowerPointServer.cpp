// "PowerPoint.Application": presentations opened read-only, their print
// options, the slide count, PrintOut of a slide range, Close and Quit.
#include <algorithm>

#include "ArgumentRules.h"
#include "PdfDocument.h"
#include "PrintSubmission.h"
#include "Servers.h"
#include "SessionObject.h"
#include "office/ObjectModel.h"

namespace office {

namespace {

using namespace powerpoint;

// What a presentation's print options hold; shared with the presentation.
struct PrintOptionsState {
    std::string activePrinter;  // empty: the default printer
};

class PowerPointPrintOptions : public SessionObject {
  public:
    PowerPointPrintOptions(std::shared_ptr<OfficeSession> session,
                           std::shared_ptr<PrintOptionsState> state)
        : SessionObject("PowerPoint.PrintOptions", std::move(session)), m_state(std::move(state)) {
        // An option of the presentation program's own; every page is printed
        // as a slide whatever its value.
        Serve(kPrintOptionsMember2010, InvokeKind::PropertyPut,
              [](const std::vector<Variant>& args) {
                  CheckArguments("PrintOptions.2010", args, {Arg::I4});
                  return Variant();
              });
        Serve(kPrintOptionsActivePrinter, InvokeKind::PropertyPut,
              [this](const std::vector<Variant>& args) {
                  CheckArguments("PrintOptions.ActivePrinter", args, {Arg::BStr});
                  const std::string& printer = ArgumentValue(args, 0).AsBStr();
                  CheckPrinterInstalled(printer);
                  m_state->activePrinter = printer;
                  return Variant();
              });
    }

  private:
    std::shared_ptr<PrintOptionsState> m_state;
};

class PowerPointSlides : public SessionObject {
  public:
    PowerPointSlides(std::shared_ptr<OfficeSession> session, int count)
        : SessionObject("PowerPoint.Slides", std::move(session)) {
        Serve(kSlidesCount, InvokeKind::PropertyGet, [count](const std::vector<Variant>& args) {
            CheckArguments("Slides.Count", args, {});
            return Variant::I4(count);
        });
    }
};

class PowerPointPresentation : public SessionObject {
  public:
    PowerPointPresentation(std::shared_ptr<OfficeSession> session,
                           OfficeSession::DocumentHandle document)
        : SessionObject("PowerPoint.Presentation", std::move(session)),
          m_document(std::move(document)),
          m_printOptions(std::make_shared<PrintOptionsState>()) {
        Serve(kPrintOptions, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("PrintOptions", args, {});
            return Variant::Object(
                std::make_shared<PowerPointPrintOptions>(SharedSession(), m_printOptions));
        });
        // One rendered page per slide.
        Serve(kSlides, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Slides", args, {});
            return Variant::Object(std::make_shared<PowerPointSlides>(SharedSession(), Pages()));
        });
        // From, To, PrintToFile, Copies, Collate. Slides count from 1; a From
        // of 0 means the first slide.
        Serve(kPrintOut, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Presentation.PrintOut", args,
                           {Arg::I4, Arg::I4, Arg::BStr, Arg::I4, Arg::I4});
            if (!ArgumentValue(args, 2).AsBStr().empty()) {
                throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                                      "printing to a file is not supported");
            }
            if (ArgumentValue(args, 3).AsI4() != 1) {
                throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                                      "only one copy can be printed");
            }
            const int from = std::max(ArgumentValue(args, 0).AsI4(), 1);
            const int to = ArgumentValue(args, 1).AsI4();
            if (to < from || to > Pages()) {
                throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                                      "the slide range is not in the presentation");
            }
            SubmitPrintPages(m_printOptions->activePrinter, m_document->pdf, from - 1, to - 1,
                             m_document->folder);
            return Variant();
        });
        Serve(kClose, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Presentation.Close", args, {});
            Session().Close(m_document);
            return Variant();
        });
    }

  private:
    int Pages() {
        if (m_pages < 0) {
            try {
                m_pages = PdfDocument(m_document->pdf).PageCount();
            } catch (const std::runtime_error& error) {
                throw AutomationError(platform::automation::DISP_E_EXCEPTION, error.what());
            }
        }
        return m_pages;
    }

    OfficeSession::DocumentHandle m_document;
    std::shared_ptr<PrintOptionsState> m_printOptions;
    int m_pages = -1;
};

class PowerPointPresentations : public SessionObject {
  public:
    explicit PowerPointPresentations(std::shared_ptr<OfficeSession> session)
        : SessionObject("PowerPoint.Presentations", std::move(session)) {
        // FileName, ReadOnly, Untitled, WithWindow.
        Serve(kPresentationsOpen, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Presentations.Open", args, {Arg::BStr, Arg::I4, Arg::I4, Arg::I4});
            auto document = Session().Open(ArgumentValue(args, 0).AsBStr());
            return Variant::Object(
                std::make_shared<PowerPointPresentation>(SharedSession(), document));
        });
    }
};

class PowerPointApplication : public SessionObject {
  public:
    explicit PowerPointApplication(std::shared_ptr<OfficeSession> session)
        : SessionObject("PowerPoint.Application", std::move(session)) {
        Serve(kPresentations, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Presentations", args, {});
            return Variant::Object(std::make_shared<PowerPointPresentations>(SharedSession()));
        });
        Serve(kQuit, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Quit", args, {});
            Session().Quit();
            return Variant();
        });
    }
};

}  // namespace

ServerPtr CreatePowerPointApplication(std::shared_ptr<OfficeSession> session) {
    return std::make_shared<PowerPointApplication>(std::move(session));
}

}  // namespace office
