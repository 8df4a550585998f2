#include "LinkLabelRules.h"

#include <cstdio>

namespace widgets {

std::string LinkErrorText(int code) {
    switch (code) {
        case 0:
            return "The operating system is out\nof memory or resources.";
        case 2:
            return "The specified file was not found.";
        case 3:
            return "The specified path was not found.";
        case 5:
            return "The operating system denied\naccess to the specified file.";
        case 8:
            return "There was not enough memory to complete the operation.";
        case 11:
            return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26:
            return "A sharing violation occurred. ";
        case 27:
            return "The filename association is\nincomplete or invalid.";
        case 28:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case 29:
            return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not\nbe completed because other DDE "
                   "transactions\nwere being processed.";
        case 31:
            return "There is no application associated\nwith the given filename extension.";
        case 32:
            return "The specified dynamic-link library was not found.";
        default: {
            char text[64];
            std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", code);
            return text;
        }
    }
}

std::string LinkErrorMessage(int code) {
    return "Unable to open hyperlink:\n\n" + LinkErrorText(code);
}

PixelRect FitRectToText(const PixelRect& rect, int textWidth, int textHeight, TextAlign align,
                        bool verticallyCentred) {
    PixelRect fitted = rect;
    if (verticallyCentred) {
        fitted.top = rect.top + (rect.Height() - textHeight) / 2;
    }
    fitted.bottom = fitted.top + textHeight;

    switch (align) {
        case TextAlign::kCentre:
            fitted.left = rect.left + (rect.Width() - textWidth) / 2;
            fitted.right = fitted.left + textWidth;
            break;
        case TextAlign::kRight:
            fitted.left = rect.right - textWidth;
            break;
        case TextAlign::kLeft:
            fitted.right = rect.left + textWidth;
            break;
    }
    return fitted;
}

}  // namespace widgets
