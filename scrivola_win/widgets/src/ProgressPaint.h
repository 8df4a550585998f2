#pragma once
// What CPercentProgressCtrl paints for a position: gradient bands up to the
// fill, the remainder in the face colour, and the percentage text.
#include <string>
#include <vector>

namespace widgets {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct GradientBand {
    int left = 0;
    int right = 0;  // exclusive
    Rgb colour;
};

struct ProgressPaintPlan {
    // Plain face, no bands, no text: the position is not strictly inside
    // the range.
    bool plainFace = true;
    std::vector<GradientBand> bands;
    int remainderLeft = -1;  // remainder colour from here to the right end; -1 none
    std::string text;        // empty when the percentage is not shown
};

// The percentage as the bar writes it: "%.0f%%" of position * 100 / upper.
std::string PercentText(int position, int upper);

// The gradient spans the whole width from start to end colour in as many
// steps as the largest channel difference; the bar shows it up to the first
// band edge at or beyond position / upper of the width.
ProgressPaintPlan PlanProgressPaint(int lower, int upper, int position, int width, Rgb start,
                                    Rgb end, bool showPercentage);

}  // namespace widgets
