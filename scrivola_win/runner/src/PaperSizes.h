#pragma once
// The page sizes the converter can be asked for, by row of the paper-size
// table that m_iPageIndex selects.
#include <string_view>

namespace runner {

inline constexpr int kPaperSizeCount = 43;
// The row used when m_iPageIndex is outside the table (A4).
inline constexpr int kDefaultPaperRow = 7;

struct PaperSize {
    std::string_view label;
    float widthMm;
    float heightMm;
};

// The row, or nothing for a row outside 0..kPaperSizeCount-1.
const PaperSize* PaperSizeRow(int row);

// Millimetres of a row; rows outside the table give A4 (210 x 297).
float PaperWidthMm(int row);
float PaperHeightMm(int row);

struct PagePoints {
    int width = 0;
    int height = 0;
    friend bool operator==(const PagePoints&, const PagePoints&) = default;
};

// The " -w"/" -h" values: millimetres cut to whole numbers, exchanged for
// landscape, then rounded to points. Cutting first is what the converter
// has always been given (Letter is 609 x 791, not 612 x 792).
PagePoints PageSizeInPoints(int row, bool landscape);

}  // namespace runner
