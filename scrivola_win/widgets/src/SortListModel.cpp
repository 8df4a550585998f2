#include "SortListModel.h"

#include <algorithm>
#include <numeric>

SortListModel::SortListModel(QObject* parent) : QAbstractTableModel(parent) {}

SortListModel::~SortListModel() = default;

int SortListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SortListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant SortListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsRow(index.row())) {
        return {};
    }
    const Row& row = m_rows[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            return row.texts.value(index.column());
        case Qt::DecorationRole:
            if (index.column() == 0 && !row.icon.isNull()) {
                return row.icon;
            }
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() < static_cast<int>(m_columns.size())) {
                return QVariant::fromValue(m_columns[index.column()].alignment | Qt::AlignVCenter);
            }
            return {};
        default:
            return {};
    }
}

QVariant SortListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_columns.size())) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
        case Qt::DisplayRole:
            return m_columns[section].heading;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(m_columns[section].alignment | Qt::AlignVCenter);
        default:
            return {};
    }
}

int SortListModel::InsertColumn(int column, const QString& heading, Qt::Alignment alignment) {
    column = std::clamp(column, 0, static_cast<int>(m_columns.size()));
    beginInsertColumns({}, column, column);
    m_columns.insert(m_columns.begin() + column, Column{heading, alignment});
    for (Row& row : m_rows) {
        if (column <= row.texts.size()) {
            row.texts.insert(column, QString());
        }
    }
    endInsertColumns();
    return column;
}

int SortListModel::InsertRow(int row, const QStringList& texts,
                             std::unique_ptr<ListRowRecord> record, const QIcon& icon) {
    row = std::clamp(row, 0, static_cast<int>(m_rows.size()));
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, Row{texts, icon, std::move(record)});
    endInsertRows();
    return row;
}

bool SortListModel::RemoveRow(int row) {
    if (!IsRow(row)) {
        return false;
    }
    beginRemoveRows({}, row, row);
    // Take the row out first, so the record is released after the view
    // has stopped referring to it.
    Row removed = std::move(m_rows[row]);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    return true;
}

void SortListModel::RemoveAllRows() {
    beginResetModel();
    std::vector<Row> removed;
    removed.swap(m_rows);
    endResetModel();
}

QString SortListModel::Text(int row, int column) const {
    return IsRow(row) ? m_rows[row].texts.value(column) : QString();
}

bool SortListModel::SetText(int row, int column, const QString& text) {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(m_columns.size())) {
        return false;
    }
    QStringList& texts = m_rows[row].texts;
    while (texts.size() <= column) {
        texts.append(QString());
    }
    texts[column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    return true;
}

QIcon SortListModel::Icon(int row) const {
    return IsRow(row) ? m_rows[row].icon : QIcon();
}

bool SortListModel::SetIcon(int row, const QIcon& icon) {
    if (!IsRow(row)) {
        return false;
    }
    m_rows[row].icon = icon;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::DecorationRole});
    return true;
}

ListRowRecord* SortListModel::Record(int row) const {
    return IsRow(row) ? m_rows[row].record.get() : nullptr;
}

bool SortListModel::SetRecord(int row, std::unique_ptr<ListRowRecord> record) {
    if (!IsRow(row)) {
        return false;
    }
    m_rows[row].record = std::move(record);
    return true;
}

bool SortListModel::SwapRows(int a, int b) {
    if (a == b || !IsRow(a) || !IsRow(b)) {
        return false;
    }
    std::swap(m_rows[a], m_rows[b]);
    RowChanged(a);
    RowChanged(b);
    return true;
}

void SortListModel::RowChanged(int row) {
    if (!m_columns.empty()) {
        emit dataChanged(index(row, 0), index(row, static_cast<int>(m_columns.size()) - 1));
    }
}

void SortListModel::SortRows(const RecordOrder& order) {
    if (m_rows.size() < 2) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);

    std::vector<int> newOrder(m_rows.size());
    std::iota(newOrder.begin(), newOrder.end(), 0);
    // A stable merge sort never reads outside the range, even when a
    // comparison hook is not a consistent ordering.
    std::stable_sort(newOrder.begin(), newOrder.end(), [&](int a, int b) {
        return order(m_rows[a].record.get(), m_rows[b].record.get()) < 0;
    });

    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    std::vector<int> newPosition(m_rows.size());
    for (std::size_t i = 0; i < newOrder.size(); ++i) {
        sorted.push_back(std::move(m_rows[newOrder[i]]));
        newPosition[newOrder[i]] = static_cast<int>(i);
    }
    m_rows = std::move(sorted);

    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        after.append(IsRow(old.row()) ? index(newPosition[old.row()], old.column())
                                      : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
