#include "CommandLine.h"

#include <string_view>

#include "OptionScanner.h"
#include "platform/Paths.h"

namespace scrivola {
namespace {

constexpr std::int32_t kMinResolution = 1;
constexpr std::int32_t kMaxResolution = 1200;
constexpr std::int32_t kFallbackResolution = 300;

bool StoreLimited(std::string& field, std::string_view value, std::size_t limit) {
    if (value.size() > limit) {
        return false;
    }
    field.assign(value);
    return true;
}

// Applies one option; false when the usage text is due.
bool ApplyOption(int letter, std::string_view value, CommandLine& commandLine) {
    ConversionSettings& settings = commandLine.settings;
    switch (letter) {
        case 'i':
            return StoreLimited(commandLine.inputSpec, value, platform::kMaxPath);
        case 'o':
            return StoreLimited(commandLine.outputSpec, value, platform::kMaxPath);
        case 'j':
            return StoreLimited(settings.subject, value, kMaxInfoText);
        case 't':
            return StoreLimited(settings.title, value, kMaxInfoText);
        case 'a':
            return StoreLimited(settings.author, value, kMaxInfoText);
        case 'k':
            return StoreLimited(settings.keywords, value, kMaxInfoText);
        case 'p':
            settings.collisionMode = static_cast<CollisionMode>(ParseDecimalInteger(value));
            return true;
        case 'V':
            settings.viewAfterConversion = 1;
            return true;
        case 'w':
            settings.pageWidth = ParseDecimalInteger(value);
            return true;
        case 'h':
            settings.pageHeight = ParseDecimalInteger(value);
            return true;
        case 'b':
            settings.colorMode = ParseDecimalInteger(value);
            return true;
        case 'z':
            settings.optionZ = ParseDecimalInteger(value);
            return true;
        case 'c':
            settings.optionC = ParseDecimalInteger(value);
            return true;
        case 'q':
            settings.optionQ = ParseDecimalInteger(value);
            return true;
        case 'r':
            settings.resolution = ResolutionFromOption(ParseDecimalInteger(value));
            return true;
        case 'v':
            settings.optionV = ParseDecimalInteger(value);
            return true;
        default:  // '-?'
            return false;
    }
}

}  // namespace

std::int32_t ResolutionFromOption(std::int32_t requested) {
    if (requested < kMinResolution || requested > kMaxResolution) {
        return kFallbackResolution;
    }
    return requested;
}

std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv) {
    CommandLine commandLine;
    OptionScanner scanner;
    const char* value = nullptr;
    for (int letter = NextOption(scanner, argc, argv, kOptionString, value);
         letter != kEndOfOptions; letter = NextOption(scanner, argc, argv, kOptionString, value)) {
        if (!ApplyOption(letter, value ? std::string_view(value) : std::string_view(),
                         commandLine)) {
            return std::nullopt;
        }
    }
    if (commandLine.inputSpec.empty()) {
        return std::nullopt;
    }
    return commandLine;
}

}  // namespace scrivola
