#include "widgets/CSortListCtrl.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "SortListModel.h"

CSortListCtrl::CSortListCtrl(QWidget* parent, bool sortable)
    : QTableView(parent), m_model(new SortListModel(this)), m_sortable(sortable) {
    setModel(m_model);
    if (m_sortable) {
        m_header = new CSortHeaderCtrl(this);
        setHorizontalHeader(m_header);
        // A header click sorts; it must not select a column's cells.
        disconnect(m_header, SIGNAL(sectionPressed(int)), this, nullptr);
        disconnect(m_header, SIGNAL(sectionEntered(int)), this, nullptr);
        connect(m_header, &QHeaderView::sectionClicked, this, &CSortListCtrl::OnSectionClicked);
    }
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setIconSize(QSize(16, 16));
    setTabKeyNavigation(false);
}

CSortListCtrl::~CSortListCtrl() = default;

int CSortListCtrl::InsertColumn(int column, const QString& heading, int widthPixels,
                                Qt::Alignment alignment) {
    const int inserted = m_model->InsertColumn(column, heading, alignment);
    setColumnWidth(inserted, widthPixels);
    return inserted;
}

int CSortListCtrl::ColumnCount() const {
    return m_model->columnCount();
}

int CSortListCtrl::InsertRow(int row, const QStringList& texts,
                             std::unique_ptr<ListRowRecord> record, const QIcon& icon) {
    return m_model->InsertRow(row, texts, std::move(record), icon);
}

int CSortListCtrl::AppendRow(const QStringList& texts, std::unique_ptr<ListRowRecord> record,
                             const QIcon& icon) {
    return InsertRow(RowCount(), texts, std::move(record), icon);
}

int CSortListCtrl::RowCount() const {
    return m_model->rowCount();
}

bool CSortListCtrl::DeleteRow(int row) {
    return m_model->RemoveRow(row);
}

void CSortListCtrl::DeleteAllRows() {
    m_model->RemoveAllRows();
}

QString CSortListCtrl::ItemText(int row, int column) const {
    return m_model->Text(row, column);
}

bool CSortListCtrl::SetItemText(int row, int column, const QString& text) {
    return m_model->SetText(row, column, text);
}

QIcon CSortListCtrl::ItemIcon(int row) const {
    return m_model->Icon(row);
}

bool CSortListCtrl::SetItemIcon(int row, const QIcon& icon) {
    return m_model->SetIcon(row, icon);
}

ListRowRecord* CSortListCtrl::Record(int row) const {
    return m_model->Record(row);
}

bool CSortListCtrl::SetRecord(int row, std::unique_ptr<ListRowRecord> record) {
    return m_model->SetRecord(row, std::move(record));
}

bool CSortListCtrl::SwapRows(int a, int b) {
    return m_model->SwapRows(a, b);
}

std::vector<int> CSortListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CSortListCtrl::FirstSelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    return rows.empty() ? -1 : rows.front();
}

void CSortListCtrl::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    selectionModel()->select(m_model->index(row, 0), (selected ? QItemSelectionModel::Select
                                                               : QItemSelectionModel::Deselect) |
                                                         QItemSelectionModel::Rows);
}

void CSortListCtrl::SelectAllRows() {
    selectAll();
}

void CSortListCtrl::ClearRowSelection() {
    selectionModel()->clearSelection();
}

void CSortListCtrl::EnsureRowVisible(int row) {
    if (row >= 0 && row < RowCount()) {
        scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
    }
}

void CSortListCtrl::SetRowComparer(RowComparer comparer) {
    m_comparer = std::move(comparer);
}

void CSortListCtrl::SortByColumn(int column, bool descending) {
    if (!m_sortable) {
        return;
    }
    m_header->SetSortMark(column, descending);
    m_model->SortRows(
        [this](const ListRowRecord* a, const ListRowRecord* b) { return CompareRows(a, b); });
}

int CSortListCtrl::CompareRows(const ListRowRecord* a, const ListRowRecord* b) const {
    if (!m_comparer || m_header == nullptr) {
        return 0;
    }
    const int ascending = m_comparer(a, b, m_header->SortColumn());
    // Sign only, so reversing cannot overflow.
    const int sign = (ascending > 0) - (ascending < 0);
    return m_header->IsDescending() ? -sign : sign;
}

void CSortListCtrl::OnSectionClicked(int column) {
    SortByColumn(column, widgets::DescendingAfterClick(m_header->State(), column));
    emit HeaderClicked(column);
}

void CSortListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit RowDoubleClicked(rowAt(event->position().toPoint().y()));
    }
}

void CSortListCtrl::contextMenuEvent(QContextMenuEvent* event) {
    emit ContextMenuRequested(event->globalPos());
    event->accept();
}

void CSortListCtrl::keyPressEvent(QKeyEvent* event) {
    emit KeyPressed(event->key(), event->modifiers());
    QTableView::keyPressEvent(event);
}
