#pragma once
// Rules of CHyperlinkLabel that need no window: the error texts for the
// shell's result codes and fitting the control to its text.
#include <string>

#include "widgets/PixelRect.h"

namespace widgets {

// The text for a shell result code; unknown codes give "Unknown Error (%d) occurred.".
std::string LinkErrorText(int code);
// The whole message of the warning box.
std::string LinkErrorMessage(int code);

enum class TextAlign { kLeft, kCentre, kRight };

// The control's rectangle shrunk (or grown) to its text. Vertically centred
// text shrinks evenly around the middle, otherwise the bottom moves; the
// horizontal alignment decides which edges move.
PixelRect FitRectToText(const PixelRect& rect, int textWidth, int textHeight, TextAlign align,
                        bool verticallyCentred);

}  // namespace widgets
