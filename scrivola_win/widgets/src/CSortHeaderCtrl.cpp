#include "widgets/CSortHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "HeaderArrow.h"

namespace {

constexpr int kMaxHeadingLength = 255;

QPolygon ToPolygon(const widgets::Polyline& line) {
    QPolygon polygon;
    for (const widgets::PixelPoint& point : line) {
        polygon << QPoint(point.x, point.y);
    }
    return polygon;
}

}  // namespace

CSortHeaderCtrl::CSortHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(true);
    setHighlightSections(false);
}

int CSortHeaderCtrl::SetSortMark(int column, bool descending) {
    const int previous = m_state.column;
    m_state = {column, descending};
    if (column >= 0) {
        m_ownerDrawn.insert(column);
    }
    viewport()->update();
    return previous;
}

void CSortHeaderCtrl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (m_ownerDrawn.count(logicalIndex) != 0) {
        PaintMarkedSection(painter, rect, logicalIndex);
    } else {
        QHeaderView::paintSection(painter, rect, logicalIndex);
    }
}

void CSortHeaderCtrl::PaintMarkedSection(QPainter* painter, const QRect& rect,
                                         int logicalIndex) const {
    painter->save();
    const QPalette& colours = palette();
    painter->fillRect(rect, colours.color(QPalette::Button));
    // The divider the platform draws between its own items.
    painter->setPen(colours.color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());

    const QFontMetrics metrics(font());
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const widgets::PixelRect item{rect.left(), rect.top(), rect.left() + rect.width(),
                                  rect.top() + rect.height()};
    const bool isSortColumn = logicalIndex == m_state.column;
    const bool pressed = logicalIndex == m_pressedSection;

    QString heading;
    Qt::Alignment alignment = Qt::AlignLeft;
    if (model() != nullptr) {
        heading = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        const QVariant align =
            model()->headerData(logicalIndex, orientation(), Qt::TextAlignmentRole);
        if (align.isValid()) {
            const auto requested = align.value<Qt::Alignment>();
            if (requested & Qt::AlignHCenter) {
                alignment = Qt::AlignHCenter;
            } else if (requested & Qt::AlignRight) {
                alignment = Qt::AlignRight;
            }
        }
    }
    heading.truncate(kMaxHeadingLength);

    const widgets::PixelRect textRect = widgets::HeaderTextRect(item, space, pressed, isSortColumn);
    const QRect textArea(textRect.left, textRect.top, textRect.Width(), textRect.Height());
    if (textArea.width() > 0) {
        painter->setPen(colours.color(QPalette::ButtonText));
        painter->setFont(font());
        painter->drawText(textArea, alignment | Qt::AlignVCenter | Qt::TextSingleLine,
                          metrics.elidedText(heading, Qt::ElideRight, textArea.width()));
    }

    if (isSortColumn) {
        const widgets::SortArrowLines arrow =
            widgets::SortArrow(item.right, item.bottom, space, m_state.descending);
        painter->setPen(QPen(colours.color(QPalette::Light), 1));
        painter->drawPolyline(ToPolygon(arrow.highlight));
        painter->setPen(QPen(colours.color(QPalette::Dark), 1));
        painter->drawPolyline(ToPolygon(arrow.shadow));
    }
    painter->restore();
}

void CSortHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    if (sectionsClickable() && event->button() == Qt::LeftButton) {
        m_pressedSection = logicalIndexAt(event->position().toPoint());
        viewport()->update();
    }
    QHeaderView::mousePressEvent(event);
}

void CSortHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressedSection != -1) {
        m_pressedSection = -1;
        viewport()->update();
    }
    QHeaderView::mouseReleaseEvent(event);
}
