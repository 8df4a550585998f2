#include "widgets/CHyperlinkLabel.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>

#include "LinkLabelRules.h"
#include "platform/Shell.h"

namespace {

constexpr int kShellSuccessAbove = 32;

}  // namespace

CHyperlinkLabel::CHyperlinkLabel(const QString& text, const QString& linkTarget, QWidget* parent)
    : QLabel(text, parent), m_linkTarget(linkTarget) {
    if (m_linkTarget.isEmpty()) {
        m_linkTarget = QLabel::text();
    }
    if (QLabel::text().isEmpty()) {
        setText(m_linkTarget);
    }
    // A plain static text: top-left, single line, no rich text from targets.
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(m_linkTarget);
    m_hoverColor = palette().color(QPalette::Highlight);
    ApplyLabelFont();
    ApplyTextColor();
}

QColor CHyperlinkLabel::CurrentTextColor() const {
    if (m_hovered) {
        return m_hoverColor;
    }
    return m_visited ? m_visitedColor : m_linkColor;
}

void CHyperlinkLabel::SetLinkTarget(const QString& target) {
    m_linkTarget = target;
    if (text().isEmpty()) {
        setText(target);
    }
    setToolTip(target);
    FitToText();
}

void CHyperlinkLabel::SetUnderlined(bool underlined) {
    m_underlined = underlined;
    ApplyLabelFont();
    FitToText();
    update();
}

void CHyperlinkLabel::ApplyLabelFont() {
    QFont labelFont = parentWidget() != nullptr ? parentWidget()->font() : QApplication::font();
    labelFont.setUnderline(m_underlined);
    setFont(labelFont);
}

void CHyperlinkLabel::ApplyTextColor() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, CurrentTextColor());
    setPalette(colours);
}

void CHyperlinkLabel::FitToText() {
    if (!m_fitToText) {
        return;
    }
    const QSize textSize = fontMetrics().size(0, text());
    const QRect area = geometry();
    const widgets::PixelRect current{area.left(), area.top(), area.left() + area.width(),
                                     area.top() + area.height()};
    widgets::TextAlign horizontal = widgets::TextAlign::kLeft;
    if (alignment() & Qt::AlignHCenter) {
        horizontal = widgets::TextAlign::kCentre;
    } else if (alignment() & Qt::AlignRight) {
        horizontal = widgets::TextAlign::kRight;
    }
    const widgets::PixelRect fitted =
        widgets::FitRectToText(current, textSize.width(), textSize.height(), horizontal,
                               (alignment() & Qt::AlignVCenter) != 0);
    setGeometry(fitted.left, fitted.top, fitted.Width(), fitted.Height());
}

void CHyperlinkLabel::SetHovered(bool hovered) {
    if (m_hovered != hovered) {
        m_hovered = hovered;
        ApplyTextColor();
        repaint();
    }
}

void CHyperlinkLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!m_hovered) {
        SetHovered(true);
    } else if (!rect().contains(event->position().toPoint())) {
        SetHovered(false);
    }
    QLabel::mouseMoveEvent(event);
}

void CHyperlinkLabel::leaveEvent(QEvent* event) {
    SetHovered(false);
    QLabel::leaveEvent(event);
}

void CHyperlinkLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    if (!m_fittedOnShow) {
        m_fittedOnShow = true;
        FitToText();
    }
}

void CHyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        return;
    }
    const int result = OpenLink(m_linkTarget);
    m_visited = result > kShellSuccessAbove;
    ApplyTextColor();
    if (m_visited) {
        repaint();
    } else {
        QApplication::beep();
    }
    emit LinkOpened(m_visited);
    if (!m_visited) {
        ReportLinkError(result);
    }
}

int CHyperlinkLabel::OpenLink(const QString& target) {
    return platform::ShellOpenDocument(target.toStdString());
}

void CHyperlinkLabel::ReportLinkError(int resultCode) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(),
                    QString::fromStdString(widgets::LinkErrorMessage(resultCode)), QMessageBox::Ok,
                    this);
    box.exec();
}
