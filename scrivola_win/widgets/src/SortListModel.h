#pragma once
// The rows behind CSortListCtrl: texts per column, an icon and an owned
// record per row. Sorting reorders whole rows and keeps the selection (and
// every other persistent index) with its row.
#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "widgets/ListRowRecord.h"

class SortListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using RecordOrder = std::function<int(const ListRowRecord*, const ListRowRecord*)>;

    explicit SortListModel(QObject* parent = nullptr);
    ~SortListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int InsertColumn(int column, const QString& heading, Qt::Alignment alignment);

    int InsertRow(int row, const QStringList& texts, std::unique_ptr<ListRowRecord> record,
                  const QIcon& icon);
    bool RemoveRow(int row);
    void RemoveAllRows();

    QString Text(int row, int column) const;
    bool SetText(int row, int column, const QString& text);
    QIcon Icon(int row) const;
    bool SetIcon(int row, const QIcon& icon);
    ListRowRecord* Record(int row) const;
    bool SetRecord(int row, std::unique_ptr<ListRowRecord> record);
    bool SwapRows(int a, int b);

    // Reorders the rows so that order(a, b) < 0 puts a first. Rows that
    // compare equal keep their relative order.
    void SortRows(const RecordOrder& order);

  private:
    struct Row {
        QStringList texts;
        QIcon icon;
        std::unique_ptr<ListRowRecord> record;
    };
    struct Column {
        QString heading;
        Qt::Alignment alignment;
    };

    bool IsRow(int row) const { return row >= 0 && row < static_cast<int>(m_rows.size()); }
    void RowChanged(int row);

    std::vector<Row> m_rows;
    std::vector<Column> m_columns;
};
