#pragma once
// A report-style list whose rows sort when a column header is clicked and
// which owns a record per row.
//
// Rows hold texts (one per column), an icon shown in column 0 and an
// optional ListRowRecord. Sorting compares records, not the texts on screen:
// CompareRows is asked for each pair; by default it uses the comparer set
// with SetRowComparer, or calls every pair equal.
//
// A header click sorts descending on a new column and reverses the
// direction on the current one; HeaderClicked is emitted afterwards.
#include <QIcon>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <memory>
#include <vector>

#include "widgets/CSortHeaderCtrl.h"
#include "widgets/ListRowRecord.h"

class SortListModel;

class CSortListCtrl : public QTableView {
    Q_OBJECT
  public:
    // Compares two records by one column in ascending order: negative when
    // the first goes first. The list applies the direction itself.
    using RowComparer =
        std::function<int(const ListRowRecord* a, const ListRowRecord* b, int column)>;

    // A list that is not sortable ignores header clicks and SortByColumn
    // and has the plain header (SortHeader() is nullptr).
    explicit CSortListCtrl(QWidget* parent = nullptr, bool sortable = true);
    ~CSortListCtrl() override;

    // Columns.
    int InsertColumn(int column, const QString& heading, int widthPixels,
                     Qt::Alignment alignment = Qt::AlignLeft);
    int ColumnCount() const;

    // Rows. InsertRow clamps the index to 0..RowCount() and returns the
    // index used; missing texts are empty. The list takes the record.
    int InsertRow(int row, const QStringList& texts, std::unique_ptr<ListRowRecord> record = {},
                  const QIcon& icon = {});
    int AppendRow(const QStringList& texts, std::unique_ptr<ListRowRecord> record = {},
                  const QIcon& icon = {});
    int RowCount() const;
    // Removing a row releases its record. Out-of-range rows are ignored.
    bool DeleteRow(int row);
    void DeleteAllRows();

    QString ItemText(int row, int column) const;
    bool SetItemText(int row, int column, const QString& text);
    QIcon ItemIcon(int row) const;
    bool SetItemIcon(int row, const QIcon& icon);
    ListRowRecord* Record(int row) const;
    // Replaces the row's record; the old one is released.
    bool SetRecord(int row, std::unique_ptr<ListRowRecord> record);

    // Exchanges texts, icons and records of two rows. The selection stays
    // with the positions. False (and nothing changes) for equal or invalid rows.
    bool SwapRows(int a, int b);

    // Selection (whole rows).
    std::vector<int> SelectedRows() const;  // ascending
    int FirstSelectedRow() const;           // -1 when none
    void SetRowSelected(int row, bool selected);
    void SelectAllRows();
    void ClearRowSelection();
    void EnsureRowVisible(int row);

    // Sorting.
    CSortHeaderCtrl* SortHeader() const { return m_header; }
    bool IsSortable() const { return m_sortable; }
    void SetRowComparer(RowComparer comparer);
    // Marks the header and sorts the rows (only when the list is sortable).
    void SortByColumn(int column, bool descending);
    // Final order of two rows, direction included: negative, 0 or positive.
    virtual int CompareRows(const ListRowRecord* a, const ListRowRecord* b) const;

  signals:
    void HeaderClicked(int column);  // after the list has sorted itself
    void RowDoubleClicked(int row);  // -1 below the last row
    void ContextMenuRequested(const QPoint& globalPos);
    // Emitted before the list's own handling of the key.
    void KeyPressed(int key, Qt::KeyboardModifiers modifiers);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnSectionClicked(int column);

    SortListModel* m_model = nullptr;
    CSortHeaderCtrl* m_header = nullptr;
    RowComparer m_comparer;
    bool m_sortable;
};
