#pragma once
// The header of a CSortListCtrl. It keeps the sort state and draws the
// items it has marked itself, with a small triangle on the sort column:
// pointing down while ascending, up while descending.
#include <QHeaderView>
#include <set>

#include "widgets/SortRules.h"

class CSortHeaderCtrl : public QHeaderView {
    Q_OBJECT
  public:
    explicit CSortHeaderCtrl(QWidget* parent = nullptr);

    // Stores the sort state, marks the column as drawn by this header and
    // repaints. Returns the previous sort column.
    int SetSortMark(int column, bool descending);

    int SortColumn() const { return m_state.column; }
    bool IsDescending() const { return m_state.descending; }
    widgets::SortState State() const { return m_state; }

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void PaintMarkedSection(QPainter* painter, const QRect& rect, int logicalIndex) const;

    widgets::SortState m_state;
    std::set<int> m_ownerDrawn;  // marked once, drawn by us from then on
    int m_pressedSection = -1;
};
