#pragma once
// The command line that starts the console converter for one conversion.
#include <string>
#include <string_view>

#include "settings/SettingsModes.h"

namespace runner {

// The settings that go onto the converter's command line, as stored.
struct ConverterOptions {
    scrivola_win::DestinationMode destinationMode{};  // -p, handed over as read
    int pageIndex = 7;                                // row of the paper-size table
    bool landscape = false;
    int colorIndex = 2;  // 0, 1, 2 give -b 1, 2, 3; anything else no -b
    std::string dpi = "default";
    std::string author;
    std::string subject;
    std::string title;
    std::string keywords;
};

// The resolution text meaning "the converter's usual 300 dpi".
inline constexpr std::string_view kDefaultDpiText = "default";

// A value in double quotes. Values holding a double quote, or ending in a
// backslash that would escape the closing quote, are quoted by the argument
// rules instead, so the converter receives them whole.
std::string QuotedValue(std::string_view value);

std::string BuildConverterCommandLine(std::string_view converterPath, std::string_view outputPath,
                                      std::string_view inputPath, const ConverterOptions& options);

}  // namespace runner
