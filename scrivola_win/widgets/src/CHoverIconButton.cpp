#include "widgets/CHoverIconButton.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "HoverButtonLayout.h"

namespace {

QRect ToQRect(const widgets::PixelRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

// Lines in the platform's style: through the given points, with the
// pixel of the last point left out.
void DrawEdge(QPainter& painter, const QColor& colour, std::initializer_list<QPoint> points) {
    painter.setPen(QPen(colour, 1));
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous != nullptr && *previous != point) {
            const QPoint step((point.x() > previous->x()) - (point.x() < previous->x()),
                              (point.y() > previous->y()) - (point.y() < previous->y()));
            painter.drawLine(*previous, point - step);
        }
        previous = &point;
    }
}

}  // namespace

CHoverIconButton::CHoverIconButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setMouseTracking(true);
    const QPalette& colours = palette();
    m_normalFill = colours.color(QPalette::Button);
    m_normalText = colours.color(QPalette::ButtonText);
    m_hoverFill = colours.color(QPalette::Button);
    m_hoverText = colours.color(QPalette::ButtonText);
}

void CHoverIconButton::SetIcons(const QIcon& hoverIcon, const QIcon& normalIcon, int width,
                                int height) {
    m_hoverIcon = hoverIcon;
    m_normalIcon = normalIcon.isNull() ? hoverIcon : normalIcon;
    m_iconWidth = width;
    m_iconHeight = height;
    repaint();
}

void CHoverIconButton::SetFlatLook(bool flat) {
    m_flatLook = flat;
    update();
}

void CHoverIconButton::SetIconPlacement(int placement) {
    if (placement == 0 || placement == 1) {
        m_iconPlacement = placement;
    }
    update();
}

void CHoverIconButton::SetHoverFillColor(const QColor& color, bool repaintNow) {
    m_hoverFill = color;
    if (repaintNow) {
        repaint();
    }
}

void CHoverIconButton::SetHovered(bool hovered) {
    if (m_hovered != hovered) {
        m_hovered = hovered;
        update();
    }
}

void CHoverIconButton::mouseMoveEvent(QMouseEvent* event) {
    const bool leftHeld = (event->buttons() & Qt::LeftButton) != 0;
    if (m_flatLook && !(leftHeld && !m_hovered)) {
        if (!m_hovered) {
            SetHovered(true);
        } else if (!rect().contains(event->position().toPoint())) {
            SetHovered(false);
        }
    }
    QPushButton::mouseMoveEvent(event);
}

void CHoverIconButton::leaveEvent(QEvent* event) {
    SetHovered(false);
    QPushButton::leaveEvent(event);
}

void CHoverIconButton::focusOutEvent(QFocusEvent* event) {
    if (m_flatLook) {
        SetHovered(false);
    }
    QPushButton::focusOutEvent(event);
}

void CHoverIconButton::changeEvent(QEvent* event) {
    // A disabled button gets no mouse input, so it must not keep a hover
    // look it can no longer lose.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        SetHovered(false);
    }
    QPushButton::changeEvent(event);
}

void CHoverIconButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool disabled = !isEnabled();
    const bool highlighted = m_hovered || pressed;

    QRect r = rect();
    if (!m_flatLook && focused) {
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    painter.fillRect(r, highlighted ? m_hoverFill : m_normalFill);

    // Edges, with left/top inclusive and right/bottom exclusive as the
    // platform's drawing routines count them.
    const int left = r.left();
    const int top = r.top();
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    const QColor highlight = colours.color(QPalette::Light);
    const QColor light3d = colours.color(QPalette::Midlight);
    const QColor shadow = colours.color(QPalette::Dark);
    const QColor darkShadow = colours.color(QPalette::Shadow);
    if (pressed && m_flatLook && m_hoverBorder) {
        DrawEdge(painter, shadow, {{left, bottom - 1}, {left, top}, {right, top}});
        DrawEdge(painter, highlight,
                 {{left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1}});
    } else if (pressed && !m_flatLook) {
        painter.setPen(QPen(shadow, 1));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else if (!pressed && !m_flatLook) {
        DrawEdge(painter, highlight, {{left, bottom - 1}, {left, top}, {right, top}});
        DrawEdge(painter, light3d, {{left + 1, bottom - 1}, {left + 1, top + 1}, {right, top + 1}});
        DrawEdge(painter, darkShadow,
                 {{left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1}});
        DrawEdge(painter, shadow,
                 {{left + 1, bottom - 2}, {right - 2, bottom - 2}, {right - 2, top}});
    } else if (!pressed && m_flatLook && m_hovered && m_hoverBorder) {
        DrawEdge(painter, highlight, {{left, bottom - 1}, {left, top}, {right, top}});
        DrawEdge(painter, shadow,
                 {{left, bottom - 1}, {right - 1, bottom - 1}, {right - 1, top - 1}});
    }

    const QString caption = m_showCaption ? text() : QString();
    const widgets::PixelRect item{0, 0, width(), height()};
    const widgets::HoverButtonLayout layout =
        widgets::LayOutHoverButton(item, m_iconPlacement, !caption.isEmpty(), !m_hoverIcon.isNull(),
                                   m_iconWidth, m_iconHeight, pressed);
    if (layout.hasIcon) {
        const QIcon& icon = highlighted ? m_hoverIcon : m_normalIcon;
        icon.paint(&painter, ToQRect(layout.icon), Qt::AlignCenter,
                   disabled ? QIcon::Disabled : QIcon::Normal);
    }

    if (!caption.isEmpty()) {
        const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
        painter.setFont(font());
        const QSize measured = painter.fontMetrics().size(flags, caption);
        const QRect textRect =
            ToQRect(widgets::CentredIn(layout.captionArea, measured.width(), measured.height()));
        QColor textColour = highlighted ? m_hoverText : m_normalText;
        if (disabled) {
            textColour = colours.color(QPalette::Disabled, QPalette::ButtonText);
        }
        painter.setPen(textColour);
        painter.drawText(textRect, flags | Qt::AlignCenter, caption);
    }

    if (focused && (!m_flatLook || m_focusFrameWhenFlat)) {
        painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(3, 3, -4, -4));
    }
}
