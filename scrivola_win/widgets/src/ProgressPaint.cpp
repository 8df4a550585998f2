#include "ProgressPaint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace widgets {

std::string PercentText(int position, int upper) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f%%", position * 100.0 / upper);
    return text;
}

ProgressPaintPlan PlanProgressPaint(int lower, int upper, int position, int width, Rgb start,
                                    Rgb end, bool showPercentage) {
    ProgressPaintPlan plan;
    // A non-positive upper bound gives no meaningful fraction (and would
    // divide by zero), so such a range shows the plain face.
    if (!(lower < position && position < upper) || upper <= 0) {
        return plan;
    }
    plan.plainFace = false;
    if (showPercentage) {
        plan.text = PercentText(position, upper);
    }
    if (width <= 0) {
        return plan;
    }

    const int fillWidth = static_cast<int>(static_cast<double>(position) / upper * width);
    int steps = std::max({std::abs(end.red - start.red), std::abs(end.green - start.green),
                          std::abs(end.blue - start.blue)});
    steps = std::max(steps, 1);  // equal colours still paint one band
    const double stepWidth = static_cast<double>(width) / steps;

    for (int i = 0; i < steps; ++i) {
        GradientBand band;
        band.left = static_cast<int>(i * stepWidth);
        // The last band ends at the right end whatever the rounding says.
        band.right = i + 1 == steps ? width : static_cast<int>((i + 1) * stepWidth);
        band.colour = {start.red + i * (end.red - start.red) / steps,
                       start.green + i * (end.green - start.green) / steps,
                       start.blue + i * (end.blue - start.blue) / steps};
        plan.bands.push_back(band);
        if (fillWidth <= band.right) {
            if (band.right < width) {
                plan.remainderLeft = band.right;
            }
            break;
        }
    }
    return plan;
}

}  // namespace widgets
