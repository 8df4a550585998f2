#include "CImageManager.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>

#include "CMonitorPairDlg.h"
#include "MonitorPairStore.h"
#include "pages/DataExchange.h"
#include "pages/PageControls.h"
#include "widgets/CSortListCtrl.h"

namespace monitor {

namespace {

using pages::DialogRect;

constexpr int kMonitoredColumn = 0;
constexpr int kOutputColumn = 1;
// Each column is this many average characters wide.
constexpr int kColumnChars = 30 + 2;

QStringList RowTexts(const MonitorPair& pair) {
    return {QString::fromStdString(pair.monitoredDirectory),
            QString::fromStdString(pair.outputDirectory)};
}

}  // namespace

std::optional<MonitorPair> EditPairInDialog(QWidget* owner, const MonitorPair& pair) {
    CMonitorPairDlg dialog(owner, pair);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Fields();
}

CImageManager::CImageManager(PairEditor editPair)
    : CPropertyPage(kTemplateId, QStringLiteral("Directory Monitor Tool"), QSize(338, 180)),
      m_editPair(std::move(editPair)) {}

void CImageManager::CreateControls(const DialogUnits& units) {
    const pages::PageControls controls(this, units);
    QPushButton* add = controls.Button(kAddId, QStringLiteral("Add"), DialogRect{289, 7, 42, 16});
    QPushButton* remove =
        controls.Button(kDeleteId, QStringLiteral("Delete"), DialogRect{289, 30, 42, 16});
    QPushButton* modify =
        controls.Button(kModifyId, QStringLiteral("Modify"), DialogRect{289, 54, 42, 16});

    m_list = new CSortListCtrl(this, /*sortable=*/false);
    m_list->setObjectName(pages::ControlName(kListId));
    units.Place(m_list, 7, 7, 277, 134);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFrameShadow(QFrame::Sunken);

    m_erase = controls.CheckBox(kEraseCheckId,
                                QStringLiteral("Delete original image file(s) after conversion"),
                                DialogRect{7, 152, 245, 10});
    pages::MakeTwoStateOnClick(m_erase);

    m_averageCharWidth = units.Base().x;
    connect(add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(remove, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(modify, &QPushButton::clicked, this, [this] { OnModify(); });
}

void CImageManager::OnInitDialog() {
    m_list->setShowGrid(true);
    m_list->horizontalHeader()->setSectionsMovable(true);
    const int columnWidth = kColumnChars * m_averageCharWidth;
    m_list->InsertColumn(kMonitoredColumn, QStringLiteral("Monitor Directory(*.tif ...)"),
                         columnWidth, Qt::AlignLeft);
    m_list->InsertColumn(kOutputColumn, QStringLiteral("Output Directory(*.pdf)"), columnWidth,
                         Qt::AlignLeft);

    m_pairs = MonitorPairList(LoadMonitorPairs());
    for (const MonitorPair& pair : m_pairs.Pairs()) {
        m_list->AppendRow(RowTexts(pair));
    }
    m_option = scrivola_win::LoadMonitorOption();
    UpdateData(false);
}

void CImageManager::DoDataExchange(bool saveAndValidate) {
    pages::ExchangeCheck(m_erase, m_option.eraseOriginalFile, saveAndValidate);
}

void CImageManager::AppendRow(const MonitorPair& pair) {
    m_list->AppendRow(RowTexts(pair));
}

void CImageManager::OnAdd() {
    const std::optional<MonitorPair> pair = m_editPair(this, MonitorPair{});
    if (pair && m_pairs.Add(*pair)) {
        AppendRow(*pair);
    }
}

void CImageManager::OnDelete() {
    const int row = m_list->FirstSelectedRow();
    if (m_pairs.Delete(row)) {
        m_list->DeleteRow(row);
    }
}

void CImageManager::OnModify() {
    const int row = m_list->FirstSelectedRow();
    if (row < 0 || row >= m_pairs.Count()) {
        return;
    }
    const MonitorPair current = m_pairs.Pairs()[static_cast<std::size_t>(row)];
    const std::optional<MonitorPair> edited = m_editPair(this, current);
    if (edited && m_pairs.Modify(row, *edited)) {
        m_list->DeleteRow(row);
        AppendRow(*edited);
    }
}

void CImageManager::OnOK() {
    UpdateData(true);
    StoreMonitorPairs(m_pairs.Pairs());
    scrivola_win::Store(m_option);
}

}  // namespace monitor
