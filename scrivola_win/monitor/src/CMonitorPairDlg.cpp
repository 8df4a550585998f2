#include "CMonitorPairDlg.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "EditTextLimit.h"
#include "pages/PageControls.h"
#include "widgets/CFolderPicker.h"
#include "widgets/DialogUnits.h"

namespace monitor {

namespace {

using pages::DialogRect;
using pages::kNoId;

constexpr int kTemplateWidth = 187;
constexpr int kTemplateHeight = 89;

// The platform's text for an edit whose text is over its limit.
QString TooLongMessage(int limit) {
    return QStringLiteral("Please enter no more than %1 characters.").arg(limit);
}

// Moves one edit's text to its field; false, after telling the user, when
// the text is longer than the limit.
bool ExchangeLimitedText(QWidget* dialog, QLineEdit* edit, int limit, std::string& value,
                         bool saveAndValidate) {
    if (!saveAndValidate) {
        edit->setText(QString::fromStdString(value));
        return true;
    }
    if (edit->text().size() > limit) {
        QMessageBox::warning(dialog, QCoreApplication::applicationName(), TooLongMessage(limit));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = edit->text().toStdString();
    return true;
}

}  // namespace

std::optional<QString> PickFolder(QWidget* owner, const QString& initialFolder) {
    CFolderPicker picker(owner, QStringLiteral("Please select a directory:"));
    picker.SetBrowseFlags(CFolderPicker::kOnlyFileSystemDirs | CFolderPicker::kStatusText);
    picker.SetInitialFolder(initialFolder);
    if (!picker.Browse()) {
        return std::nullopt;
    }
    return picker.Path();
}

CMonitorPairDlg::CMonitorPairDlg(QWidget* owner, const MonitorPair& pair,
                                 FolderChooser chooseFolder)
    : QDialog(owner),
      m_fields(pair),
      m_initialFolder(QString::fromStdString(pair.outputDirectory)),
      m_chooseFolder(std::move(chooseFolder)) {
    setObjectName(QString::number(kTemplateId));
    setWindowTitle(QStringLiteral("Setting"));
    setModal(true);
    CreateControls();
    DoDataExchange(false);
    SetEditTextLimit(m_monitored, kMonitoredLimit);
    SetEditTextLimit(m_output, kOutputLimit);
}

void CMonitorPairDlg::CreateControls() {
    const DialogUnits units = DialogUnits::ForFont(font());
    setFixedSize(units.ToPixels(kTemplateWidth, kTemplateHeight));
    const pages::PageControls controls(this, units);

    m_monitored = controls.Edit(kMonitoredEditId, DialogRect{7, 20, 130, 12});
    m_output = controls.Edit(kOutputEditId, DialogRect{7, 48, 130, 12});
    QPushButton* browseOutput =
        controls.Button(kBrowseOutputId, QStringLiteral("Browse"), DialogRect{140, 47, 38, 13});
    QPushButton* ok = controls.Button(kOkId, QStringLiteral("OK"), DialogRect{36, 68, 50, 14});
    QPushButton* cancel =
        controls.Button(kCancelId, QStringLiteral("Cancel"), DialogRect{101, 68, 50, 14});
    controls.Label(kNoId, QStringLiteral("Monitor Directory(.dwg;*.dxf;*.dwt;*.dwf):"),
                   DialogRect{7, 7, 169, 8});
    controls.Label(kNoId, QStringLiteral("PDF output Directory(*.pdf):"),
                   DialogRect{7, 37, 116, 8});
    QPushButton* browseMonitored =
        controls.Button(kBrowseMonitoredId, QStringLiteral("Browse"), DialogRect{140, 20, 38, 13});

    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browseMonitored, &QPushButton::clicked, this,
            [this] { Browse(m_monitored, kMonitoredLimit); });
    connect(browseOutput, &QPushButton::clicked, this, [this] { Browse(m_output, kOutputLimit); });
}

bool CMonitorPairDlg::DoDataExchange(bool saveAndValidate) {
    return ExchangeLimitedText(this, m_monitored, kMonitoredLimit, m_fields.monitoredDirectory,
                               saveAndValidate) &&
           ExchangeLimitedText(this, m_output, kOutputLimit, m_fields.outputDirectory,
                               saveAndValidate);
}

void CMonitorPairDlg::Browse(QLineEdit* target, int limit) {
    // Both buttons start where the output folder was when the dialog
    // opened, whatever the edits hold now.
    if (const std::optional<QString> folder = m_chooseFolder(this, m_initialFolder)) {
        SetLimitedEditText(target, *folder, limit);
    }
}

void CMonitorPairDlg::accept() {
    if (DoDataExchange(true)) {
        QDialog::accept();
    }
}

}  // namespace monitor
