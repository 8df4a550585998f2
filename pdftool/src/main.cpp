// tools.cfg: sets document information and merges pages, in place.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "pdftool/RunRequest.h"
#include "pdftool/ToolRequest.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Library messages may span lines; the caller's log expects one.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const pdftool::ParsedCommandLine parsed = pdftool::ParseToolArguments(args);
    switch (parsed.kind) {
        case pdftool::ParsedCommandLine::Kind::Help:
            std::cout << pdftool::UsageText();
            return kExitDone;
        case pdftool::ParsedCommandLine::Kind::Error:
            std::cerr << "tools.cfg: " << parsed.error << "\n" << pdftool::UsageText();
            return kExitUsage;
        case pdftool::ParsedCommandLine::Kind::Run:
            break;
    }
    try {
        pdftool::RunToolRequest(parsed.request);
    } catch (const std::exception& error) {
        std::cerr << "tools.cfg: " << OneLine(error.what()) << "\n";
        return kExitFailed;
    }
    return kExitDone;
}
