#include "LokProfile.h"

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace office::render {

namespace {

constexpr std::string_view kItemStart =
    "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\"";
constexpr std::string_view kItemsEnd = "</oor:items>";

std::string Item(const std::string& version) {
    return std::string(kItemStart) + " oor:op=\"fuse\"><value>" + version +
           "</value></prop></item>\n";
}

// The text between `open` and `close` after `from`, or nothing.
std::optional<std::string> Between(std::string_view text, std::size_t from, std::string_view open,
                                   std::string_view close) {
    const std::size_t start = text.find(open, from);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t end = text.find(close, start + open.size());
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(text.substr(start + open.size(), end - start - open.size()));
}

}  // namespace

std::optional<std::string> InstalledOfficeVersion(const std::string& programFolder) {
    const std::optional<std::string> configuration =
        platform::ReadWholeFile(platform::JoinPath(programFolder, "../share/registry/main.xcd"));
    if (!configuration) {
        return std::nullopt;
    }
    const std::size_t property = configuration->find("oor:name=\"ooSetupVersion\">");
    if (property == std::string::npos) {
        return std::nullopt;
    }
    std::optional<std::string> version = Between(*configuration, property, "<value>", "</value>");
    if (!version || version->empty() ||
        version->find_first_not_of("0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    return version;
}

std::string WithLastVersion(std::string_view settings, const std::string& version) {
    const std::size_t item = settings.find(kItemStart);
    if (item != std::string_view::npos) {
        const std::size_t end = settings.find("</item>", item);
        if (end != std::string_view::npos) {
            std::string text(settings.substr(0, item));
            text += Item(version);
            std::size_t rest = end + std::string_view("</item>").size();
            if (rest < settings.size() && settings[rest] == '\n') {
                ++rest;
            }
            text += settings.substr(rest);
            return text;
        }
    }
    const std::size_t close = settings.rfind(kItemsEnd);
    if (close != std::string_view::npos) {
        return std::string(settings.substr(0, close)) + Item(version) +
               std::string(settings.substr(close));
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n" +
           Item(version) + std::string(kItemsEnd) + "\n";
}

bool NoteLastVersion(const std::string& profileFolder, const std::string& version) {
    const std::string user = platform::JoinPath(profileFolder, "user");
    const std::string settingsFile = platform::JoinPath(user, "registrymodifications.xcu");
    const std::string settings = platform::ReadWholeFile(settingsFile).value_or("");
    const std::string updated = WithLastVersion(settings, version);
    if (updated == settings) {
        return true;
    }
    return platform::CreateDirectories(user) &&
           platform::WriteFileAtomically(settingsFile, updated);
}

}  // namespace office::render
