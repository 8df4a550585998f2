#pragma once
// The PDF toolkit tools.cfg beside the converter: document information and
// page merging, both in place on the file named with -i.
#include <cstddef>
#include <functional>
#include <string>

#include "ConversionSettings.h"

namespace scrivola {

// Longest command line a child is started with; longer ones are refused.
inline constexpr std::size_t kMaxToolCommandLine = 2047;

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

// 1 when the toolkit was run, 0 when there was nothing to do.
int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings,
                    const Toolkit& toolkit);
int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings);

// Puts the working output's pages into the final output by the collision
// mode. 1 when the final output exists afterwards (or there was nothing to
// merge), else 0.
int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings, const Toolkit& toolkit);
int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings);

// Runs a command line and waits for it: the child's exit code, -1 when it
// could not be started or the line is empty or too long. A final '&' means
// "do not wait" (the result is then 0); a final '|' is dropped.
int RunToolCommand(const std::string& commandLine);

}  // namespace scrivola
