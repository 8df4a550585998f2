#include "PaperSizes.h"

#include <array>
#include <utility>

namespace runner {

namespace {

constexpr std::array<PaperSize, kPaperSizeCount> kPaperSizes{{
    {"Letter [8.5 x 11 in]", 215.9f, 279.4f},       {"Legal [8.5 x 14 in]", 215.9f, 355.6f},
    {"Executive [7.25 x 10.5 in]", 184.1f, 266.7f}, {"Ledger [355.6 x 215.9 mm]", 355.6f, 215.9f},
    {"Tabloid [11 x 17 in]", 279.4f, 431.8f},       {"Screen [10 x 7.5 in]", 254.0f, 190.5f},
    {"A3 [297 x 420 mm]", 297.0f, 420.0f},          {"A4 [210 x 297 mm]", 210.0f, 297.0f},
    {"A5 [148 x 210 mm]", 148.0f, 210.0f},          {"Statement [5.5 x 8.5 in]", 139.7f, 215.9f},
    {"B4 [(JIS) 250 x 354 mm]", 250.0f, 354.0f},    {"B5 [(JIS) 182 x 257 mm]", 182.0f, 257.0f},
    {"A0 [841 x 1189 mm]", 841.0f, 1189.0f},        {"A1 [594 x 841 mm]", 594.0f, 841.0f},
    {"A2 [420 x 594 mm]", 420.0f, 594.0f},          {"B0 [1000 x 1414 mm]", 1000.0f, 1414.0f},
    {"B1 [707 x 1000 mm]", 707.0f, 1000.0f},        {"B2 [500 x 707 mm]", 500.0f, 707.0f},
    {"B3 [354 x 500 mm]", 354.0f, 500.0f},          {"ANSI C [17 x 22 in]", 431.8f, 558.8f},
    {"ANSI D [22 x 34 in]", 558.8f, 863.6f},        {"ANSI E [34 x 44 in]", 863.6f, 1117.6f},
    {"Screen [1024 x 768]", 102.4f, 76.8f},         {"Screen [512 x 768]", 51.2f, 76.8f},
    {"Screen [800 x 600]", 80.0f, 60.0f},           {"Screen [400 x 600]", 40.0f, 60.0f},
    {"Screen [640 x 480]", 64.0f, 48.0f},           {"Screen [320 x 480]", 32.0f, 48.0f},
    {"Folio [8.5 x 13 in]", 215.9f, 330.2f},        {"Quarto [215 x 275 mm]", 215.0f, 275.0f},
    {"Envelope DL [110 x 220 mm]", 110.0f, 220.0f}, {"Envelope C5 [162 x 229 mm]", 162.0f, 229.0f},
    {"Envelope C3 [324 x 458 mm]", 324.0f, 458.0f}, {"Envelope C4 [229 x 324 mm]", 229.0f, 324.0f},
    {"Envelope C6 [114 x 162 mm]", 114.0f, 162.0f}, {"Envelope B4 [250 x 353 mm]", 250.0f, 353.0f},
    {"Envelope B5 [176 x 250 mm]", 176.0f, 250.0f}, {"Envelope B6 [176 x 125 mm]", 176.0f, 125.0f},
    {"Arch A [9 x 12 in]", 228.6f, 304.8f},         {"Arch B [12 x 18 in]", 304.8f, 457.2f},
    {"Arch C [18 x 24 in]", 457.2f, 609.6f},        {"Arch D [24 x 36 in]", 609.6f, 914.4f},
    {"Arch E [36 x 48 in]", 914.4f, 1219.2f},
}};

// Points per millimetre in single precision, as the converter has always
// been given it; the sum is formed in double precision.
constexpr float kPointsPerMm = 2.8346457f;

int MmToPoints(int wholeMillimetres) {
    return static_cast<int>(wholeMillimetres * static_cast<double>(kPointsPerMm) + 0.5);
}

}  // namespace

const PaperSize* PaperSizeRow(int row) {
    if (row < 0 || row >= kPaperSizeCount) {
        return nullptr;
    }
    return &kPaperSizes[static_cast<std::size_t>(row)];
}

float PaperWidthMm(int row) {
    const PaperSize* size = PaperSizeRow(row);
    return size != nullptr ? size->widthMm : kPaperSizes[kDefaultPaperRow].widthMm;
}

float PaperHeightMm(int row) {
    const PaperSize* size = PaperSizeRow(row);
    return size != nullptr ? size->heightMm : kPaperSizes[kDefaultPaperRow].heightMm;
}

PagePoints PageSizeInPoints(int row, bool landscape) {
    int widthMm = static_cast<int>(PaperWidthMm(row));
    int heightMm = static_cast<int>(PaperHeightMm(row));
    if (landscape) {
        std::swap(widthMm, heightMm);
    }
    return {MmToPoints(widthMm), MmToPoints(heightMm)};
}

}  // namespace runner
