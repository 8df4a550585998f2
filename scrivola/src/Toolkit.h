#pragma once
// The PDF toolkit tools.cfg beside the converter: document information and
// page merging, both in place on the file named with -i.
#include <cstdint>
#include <functional>
#include <string>

#include "ConversionSettings.h"

namespace scrivola {

// The toolkit gets this long; a hung one is ended and its step fails.
inline constexpr std::uint32_t kToolTimeLimitMs = 2 * 60 * 1000;

struct Toolkit {
    std::string path;                                   // the tools.cfg program
    std::function<int(const std::string&)> runCommand;  // RunToolCommand
};

// tools.cfg in the running program's folder, run with RunToolCommand.
Toolkit DefaultToolkit();

// Every value is quoted for the argument rules, so quotes and backslashes in
// titles or paths reach the toolkit whole.
std::string DocumentInfoCommand(const std::string& toolPath, const std::string& pdf,
                                const ConversionSettings& settings);
std::string MergeCommand(const std::string& toolPath, const std::string& workingOutput,
                         const std::string& finalOutput, CollisionMode collisionMode);

// 1 when the information was set or there was none to set; 0 when the
// toolkit failed (the PDF is then as it was).
int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings,
                    const Toolkit& toolkit);
int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings);

// Puts the working output's pages into the final output by the collision
// mode. 1 when the toolkit merged them (or there was nothing to merge), else
// 0: the toolkit leaves the final output as it was when it fails.
int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings, const Toolkit& toolkit);
int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings);

// Runs a command line and waits for it, at most kToolTimeLimitMs: the
// child's exit code, -1 when it could not be started or the line is empty,
// -2 when it took too long and was ended. The line is split into arguments,
// so its length meets no limit and nothing is ever cut. A final '&' means
// "do not wait" (the result is then 0); a final '|' is dropped.
int RunToolCommand(const std::string& commandLine);

}  // namespace scrivola
