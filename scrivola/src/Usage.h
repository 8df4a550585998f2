#pragma once
// The converter's usage text, shown for a malformed command line and for -?.
#include <string>

namespace scrivola {

inline constexpr char kMakerLine[] = "Made by the Scrivola project";
inline constexpr char kSupportEmail[] = "support@scrivola.example.org";

// The whole usage text, every line ended by a line feed.
std::string UsageText();

// Writes the usage text and "Press any key to continue..." to standard
// output, waits for a key on the terminal (none without one), and ends the
// process with status 1.
[[noreturn]] void PrintUsageAndExit();

}  // namespace scrivola
