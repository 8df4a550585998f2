#include "widgets/DialogUnits.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>
#include <cmath>

namespace {

// v * numerator / denominator, rounded to the nearest integer.
int ScaleRounded(int value, int numerator, int denominator) {
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& dialogFont) {
    const QFontMetrics metrics(dialogFont);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // Average over 52 letters, rounded.
    return {(letters / 26 + 1) / 2, metrics.height()};
}

DialogUnits DialogUnits::ForDefaultFont() {
    return ForFont(QApplication::font());
}

int DialogUnits::X(int dialogUnitsX) const {
    return ScaleRounded(dialogUnitsX, m_base.x, 4);
}

int DialogUnits::Y(int dialogUnitsY) const {
    return ScaleRounded(dialogUnitsY, m_base.y, 8);
}

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    const int left = X(x);
    const int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

QSize DialogUnits::ToPixels(int width, int height) const {
    return QSize(X(width), Y(height));
}

void DialogUnits::Place(QWidget* control, int x, int y, int width, int height) const {
    control->setGeometry(ToPixels(x, y, width, height));
}
