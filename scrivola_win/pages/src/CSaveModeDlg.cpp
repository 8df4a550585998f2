#include "CSaveModeDlg.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "SaveModeRules.h"
#include "pages/DataExchange.h"
#include "pages/PageControls.h"
#include "runner/OutputChooser.h"

using pages::DialogRect;
using pages::kNoId;

namespace {

void ShowWarning(QWidget* owner, const QString& text) {
    QMessageBox::warning(owner, QGuiApplication::applicationDisplayName(), text);
}

struct RadioSpec {
    int id;
    const char* text;
    DialogRect rect;
};

// In screen order; the destination buttons store their id's value, so
// "Rename", second from the top, stores 3.
constexpr RadioSpec kMakeModeRadios[] = {
    {pages::kCombineRadio, "Combine Documents into one PDF file", {16, 20, 242, 8}},
    {pages::kPerDocumentRadio,
     "Convert multiple Documents to multiple PDF files",
     {16, 32, 242, 8}},
    {pages::kPerFolderRadio,
     "Convert multiple directories to multiple PDF files",
     {16, 44, 242, 8}},
};
constexpr RadioSpec kSaveModeRadios[] = {
    {pages::kAskRadio, "Always ask for filename", {16, 82, 242, 8}},
    {pages::kBesideRadio,
     "Save to original directories with corresponding filename",
     {16, 94, 242, 8}},
    {pages::kFixedRadio, "Save to following directory or filename", {16, 106, 242, 8}},
};
constexpr RadioSpec kDestinationRadios[] = {
    {pages::kOverwriteRadio, "Overwrite if file exist", {16, 166, 242, 8}},
    {pages::kRenameRadio, "Rename if file exist", {16, 178, 242, 8}},
    {pages::kInsertRadio, "Insert before the first page if file exist", {16, 190, 242, 8}},
    {pages::kAppendRadio, "Append to the last page if file exist", {16, 202, 242, 8}},
};

}  // namespace

CSaveModeDlg::CSaveModeDlg()
    : CPropertyPage(kTemplateId, QStringLiteral("Save Mode"), QSize(271, 225)),
      m_warn(&ShowWarning),
      m_chooseFile(&runner::ChoosePdfSaveFile),
      m_chooseFolder(&runner::ChooseOutputFolder) {}

void CSaveModeDlg::CreateControls(const DialogUnits& units) {
    const pages::PageControls controls(this, units);
    const auto addRadios = [&](const auto& specs) {
        for (const RadioSpec& spec : specs) {
            QRadioButton* radio =
                controls.ManualRadio(spec.id, QString::fromLatin1(spec.text), spec.rect);
            m_controls[spec.id] = radio;
            connect(radio, &QRadioButton::clicked, this,
                    [this, id = spec.id] { OnRadioClicked(id); });
        }
    };
    controls.GroupBox(kNoId, QStringLiteral("Make PDF files mode"), DialogRect{7, 7, 257, 52});
    addRadios(kMakeModeRadios);
    controls.GroupBox(kNoId, QStringLiteral("Save mode"), DialogRect{7, 69, 257, 75});
    addRadios(kSaveModeRadios);
    QPushButton* browse = controls.Button(pages::kBrowseButton, QStringLiteral("Browse"),
                                          DialogRect{13, 122, 32, 14});
    m_controls[pages::kBrowseButton] = browse;
    connect(browse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    m_path = controls.Edit(pages::kPathEdit, DialogRect{46, 123, 211, 12});
    m_controls[pages::kPathEdit] = m_path;
    controls.GroupBox(kNoId, QStringLiteral("Destination"), DialogRect{7, 151, 257, 67});
    addRadios(kDestinationRadios);
}

void CSaveModeDlg::OnInitDialog() {
    m_fields = scrivola_win::LoadSaveMode();
    UpdateData(false);
    Refresh();
}

void CSaveModeDlg::DoDataExchange(bool saveAndValidate) {
    pages::ExchangeText(m_path, m_fields.filenameOrPath, saveAndValidate);
}

QWidget* CSaveModeDlg::Control(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() ? found->second : nullptr;
}

void CSaveModeDlg::OnRadioClicked(int id) {
    pages::ApplySaveModeClick(m_fields, id);
    Refresh();
}

void CSaveModeDlg::Refresh() {
    for (const pages::ControlChange& change : pages::SaveModeRefresh(m_fields)) {
        QWidget* control = Control(change.id);
        if (control == nullptr) {
            continue;
        }
        if (change.checked) {
            if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                button->setChecked(*change.checked);
            }
        }
        if (change.enabled) {
            control->setEnabled(*change.enabled);
        }
    }
}

void CSaveModeDlg::OnBrowse() {
    const bool oneFile = m_fields.makeMode == scrivola_win::MakePdfMode::kCombineAll;
    const std::optional<std::string> chosen = oneFile ? m_chooseFile(this) : m_chooseFolder(this);
    if (!chosen) {
        return;
    }
    m_fields.filenameOrPath = *chosen;
    UpdateData(false);
}

void CSaveModeDlg::OnOK() {
    UpdateData(true);
    if (pages::CheckOutputPath(m_fields)) {
        m_warn(this, QString::fromLatin1(pages::kOutputPathWarning.data(),
                                         static_cast<int>(pages::kOutputPathWarning.size())));
    }
    scrivola_win::Store(m_fields);
}
