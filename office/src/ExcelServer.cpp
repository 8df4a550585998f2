// "Excel.Application": workbooks opened read-only, the worksheets of the
// active workbook printed to a named printer, all workbooks closed, Quit.
#include "ArgumentRules.h"
#include "PrintSubmission.h"
#include "Servers.h"
#include "SessionObject.h"
#include "office/ObjectModel.h"

namespace office {

namespace {

using namespace excel;

class ExcelWorksheets : public SessionObject {
  public:
    ExcelWorksheets(std::shared_ptr<OfficeSession> session, OfficeSession::DocumentHandle workbook)
        : SessionObject("Excel.Worksheets", std::move(session)), m_workbook(std::move(workbook)) {
        // From, To, Copies, Preview, ActivePrinter, PrintToFile, Collate:
        // every page of every sheet goes to the named printer.
        Serve(kWorksheetsPrintOut, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Worksheets.PrintOut", args,
                           {Arg::Missing, Arg::Missing, Arg::Missing, Arg::I2, Arg::BStr,
                            Arg::Missing, Arg::Missing});
            const std::string& printer = ArgumentValue(args, 4).AsBStr();
            CheckPrinterInstalled(printer);
            SubmitPrintJob(printer, m_workbook->pdf);
            return Variant();
        });
    }

  private:
    OfficeSession::DocumentHandle m_workbook;
};

class ExcelWorkbooks : public SessionObject {
  public:
    explicit ExcelWorkbooks(std::shared_ptr<OfficeSession> session)
        : SessionObject("Excel.Workbooks", std::move(session)) {
        // Filename, UpdateLinks, ReadOnly, Format, Password, WriteResPassword,
        // IgnoreReadOnlyRecommended, Origin, Delimiter, Editable, Notify,
        // Converter, AddToMru.
        Serve(kWorkbooksOpen, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments(
                "Workbooks.Open", args,
                {Arg::BStr, Arg::I2, Arg::I2, Arg::Missing, Arg::Missing, Arg::Missing, Arg::I2,
                 Arg::Missing, Arg::Missing, Arg::Missing, Arg::Missing, Arg::Missing, Arg::I2});
            Session().Open(ArgumentValue(args, 0).AsBStr());
            return Variant::Object(std::make_shared<PlainObject>("Excel.Workbook"));
        });
        Serve(kWorkbooksClose, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Workbooks.Close", args, {});
            Session().CloseAll();
            return Variant();
        });
    }
};

class ExcelApplication : public SessionObject {
  public:
    explicit ExcelApplication(std::shared_ptr<OfficeSession> session)
        : SessionObject("Excel.Application", std::move(session)) {
        // Headless: no alerts are ever shown and no window appears.
        Serve(kDisplayAlerts, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
            CheckArguments("DisplayAlerts", args, {Arg::Bool});
            return Variant();
        });
        Serve(kVisible, InvokeKind::PropertyPut, [](const std::vector<Variant>& args) {
            CheckArguments("Visible", args, {Arg::Bool});
            return Variant();
        });
        Serve(kWorkbooks, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Workbooks", args, {});
            return Variant::Object(std::make_shared<ExcelWorkbooks>(SharedSession()));
        });
        Serve(kWorksheets, InvokeKind::PropertyGet, [this](const std::vector<Variant>& args) {
            CheckArguments("Worksheets", args, {});
            return Variant::Object(
                std::make_shared<ExcelWorksheets>(SharedSession(), Session().ActiveDocument()));
        });
        Serve(kQuit, InvokeKind::Method, [this](const std::vector<Variant>& args) {
            CheckArguments("Quit", args, {});
            Session().Quit();
            return Variant();
        });
    }
};

}  // namespace

ServerPtr CreateExcelApplication(std::shared_ptr<OfficeSession> session) {
    return std::make_shared<ExcelApplication>(std::move(session));
}

}  // namespace office
