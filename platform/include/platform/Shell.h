#pragma once
// The shell's "open" verb. Files and addresses are opened with xdg-open, or
// with the command named by SCRIVOLA_OPEN_COMMAND (a command line to which
// the target is appended as one quoted argument). Results follow the shell's
// convention: greater than 32 on success.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

inline constexpr int kShellOk = 42;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;

// Opens a file or web address with its registered program.
int ShellOpen(std::string_view target);

// The command registered for web pages (the freedesktop MIME default for
// text/html): its desktop entry's Exec line with the field codes %u %U %f %F
// written as %1 and the other field codes removed. Nothing when none is set.
std::optional<std::string> HtmlOpenCommand();

// Starts a command line without waiting for it; greater than 31 on success.
int StartCommandLine(std::string_view commandLine);

// Opens a file or web address with its registered program, falling back to
// the program registered for web pages: the registered command is cut at
// "\"%1\"" (or else at "%1"), and a blank and the target are appended.
// Returns the shell's result, or the start result of the fallback.
int ShellOpenDocument(std::string_view target);

}  // namespace platform
