#include "widgets/CPercentProgressCtrl.h"

#include <QMetaObject>
#include <QPainter>
#include <QThread>

#include "ProgressPaint.h"

namespace {

widgets::Rgb ToRgb(const QColor& colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

QColor ToColour(const widgets::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

CPercentProgressCtrl::CPercentProgressCtrl(QWidget* parent) : QProgressBar(parent) {
    QProgressBar::setRange(m_lower, m_upper);
    QProgressBar::setValue(m_position);
    setTextVisible(false);
}

void CPercentProgressCtrl::SetBarRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_position = lower;
    QProgressBar::setRange(lower, upper);
    QProgressBar::setValue(lower);
    update();
}

void CPercentProgressCtrl::SetBarPos(int position) {
    // The directory monitor reports progress from its own thread; widgets
    // may only be touched from the thread they live in.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, position] { SetBarPos(position); }, Qt::QueuedConnection);
        return;
    }
    m_position = position;
    QProgressBar::setValue(position);
    update();
}

void CPercentProgressCtrl::SetShowPercentage(bool show) {
    m_showPercentage = show;
    update();
}

void CPercentProgressCtrl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Button);
    const widgets::ProgressPaintPlan plan =
        widgets::PlanProgressPaint(m_lower, m_upper, m_position, width(), ToRgb(m_gradientStart),
                                   ToRgb(m_gradientEnd), m_showPercentage);
    if (plan.plainFace) {
        painter.fillRect(rect(), face);
        return;
    }
    for (const widgets::GradientBand& band : plan.bands) {
        painter.fillRect(band.left, 0, band.right - band.left, height(), ToColour(band.colour));
    }
    if (plan.remainderLeft >= 0) {
        painter.fillRect(plan.remainderLeft, 0, width() - plan.remainderLeft, height(),
                         m_remainder.isValid() ? m_remainder : face);
    }
    if (!plan.text.empty()) {
        painter.setPen(m_textColor);
        painter.setFont(font());
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(plan.text));
    }
}
