// The program registered for web pages: the freedesktop default application
// for text/html and the Exec line of its desktop entry.
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/XdgDirectories.h"

namespace platform {

namespace {

constexpr std::string_view kHtmlType = "text/html";

// Desktop names from XDG_CURRENT_DESKTOP, lower case, for the
// "<desktop>-mimeapps.list" files that take precedence.
std::vector<std::string> CurrentDesktops() {
    std::vector<std::string> desktops;
    const char* value = std::getenv("XDG_CURRENT_DESKTOP");
    if (value == nullptr) {
        return desktops;
    }
    const std::string_view list(value);
    std::size_t position = 0;
    while (position < list.size()) {
        std::size_t colon = list.find(':', position);
        if (colon == std::string_view::npos) {
            colon = list.size();
        }
        if (colon > position) {
            desktops.push_back(ToLowerAscii(list.substr(position, colon - position)));
        }
        position = colon + 1;
    }
    return desktops;
}

// The association files in the order in which they take precedence.
std::vector<std::string> MimeAppsLists() {
    std::vector<std::string> folders{ConfigHome()};
    for (const std::string& folder : ConfigDirectories()) {
        folders.push_back(folder);
    }
    folders.push_back(DataHome() + "/applications");
    for (const std::string& folder : DataDirectories()) {
        folders.push_back(folder + "/applications");
    }
    const std::vector<std::string> desktops = CurrentDesktops();
    std::vector<std::string> files;
    for (const std::string& folder : folders) {
        for (const std::string& desktop : desktops) {
            files.push_back(folder + "/" + desktop + "-mimeapps.list");
        }
        files.push_back(folder + "/mimeapps.list");
    }
    return files;
}

std::vector<std::string> ApplicationFolders() {
    std::vector<std::string> folders{DataHome() + "/applications"};
    for (const std::string& folder : DataDirectories()) {
        folders.push_back(folder + "/applications");
    }
    return folders;
}

// The value of `key` in group `group` of a key file, if present.
std::optional<std::string> KeyFileValue(std::string_view text, std::string_view group,
                                        std::string_view key) {
    bool inGroup = false;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(position, end - position));
        position = end + 1;
        if (!line.empty() && line.front() == '[') {
            inGroup =
                line.size() >= 2 && line.back() == ']' && line.substr(1, line.size() - 2) == group;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inGroup && equals != std::string_view::npos && Trim(line.substr(0, equals)) == key) {
            return std::string(Trim(line.substr(equals + 1)));
        }
    }
    return std::nullopt;
}

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> items;
    std::size_t position = 0;
    while (position < list.size()) {
        std::size_t semicolon = list.find(';', position);
        if (semicolon == std::string_view::npos) {
            semicolon = list.size();
        }
        const std::string_view item = Trim(list.substr(position, semicolon - position));
        if (!item.empty()) {
            items.emplace_back(item);
        }
        position = semicolon + 1;
    }
    return items;
}

// The text of a desktop entry whose id is `desktopId`, unless it is hidden.
std::optional<std::string> LoadDesktopEntry(const std::string& desktopId) {
    if (desktopId.find('/') != std::string::npos) {
        return std::nullopt;
    }
    for (const std::string& folder : ApplicationFolders()) {
        auto text = ReadWholeFile(folder + "/" + desktopId);
        if (!text) {
            continue;
        }
        // The first entry of that id found hides all later ones.
        if (KeyFileValue(*text, "Desktop Entry", "Hidden") == "true") {
            return std::nullopt;
        }
        return text;
    }
    return std::nullopt;
}

// Removes the escapes of a key file's string values.
std::string UnescapeValue(std::string_view value) {
    std::string result;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        const char next = value[++i];
        switch (next) {
            case 's':
                result += ' ';
                break;
            case 'n':
                result += '\n';
                break;
            case 't':
                result += '\t';
                break;
            case 'r':
                result += '\r';
                break;
            case '\\':
                result += '\\';
                break;
            default:
                result += '\\';
                result += next;
        }
    }
    return result;
}

// Splits an Exec value into arguments by its own quoting rules; nothing
// when a quote is left open.
std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size()) {
                current += exec[++i];
            } else {
                current += c;
            }
        } else if (c == '"') {
            quoted = true;
            inArgument = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inArgument) {
                arguments.push_back(std::move(current));
                current.clear();
                inArgument = false;
            }
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (inArgument) {
        arguments.push_back(std::move(current));
    }
    return arguments;
}

// Field codes: the file and address codes become the placeholder %1, %%
// a percent sign, and the rest are dropped (a code alone drops its argument).
std::optional<std::string> ReplaceFieldCodes(const std::string& argument) {
    std::string result;
    bool hadCode = false;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        if (argument[i] != '%' || i + 1 == argument.size()) {
            result += argument[i];
            continue;
        }
        const char code = argument[++i];
        if (code == '%') {
            result += '%';
        } else if (code == 'u' || code == 'U' || code == 'f' || code == 'F') {
            result += "%1";
        } else {
            hadCode = true;
        }
    }
    if (result.empty() && hadCode) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> CommandFromEntry(const std::string& entry) {
    const auto exec = KeyFileValue(entry, "Desktop Entry", "Exec");
    if (!exec) {
        return std::nullopt;
    }
    const auto arguments = SplitExec(UnescapeValue(*exec));
    if (!arguments || arguments->empty()) {
        return std::nullopt;
    }
    std::string command;
    for (const std::string& argument : *arguments) {
        const auto replaced = ReplaceFieldCodes(argument);
        if (!replaced) {
            continue;
        }
        if (!command.empty()) {
            command += ' ';
        }
        // The placeholder alone is written quoted, as registered commands are.
        command += *replaced == "%1" ? std::string("\"%1\"") : QuoteArgument(*replaced);
    }
    return command;
}

std::optional<std::string> FirstInstalled(const std::vector<std::string>& files,
                                          std::string_view group) {
    for (const std::string& file : files) {
        const auto text = ReadWholeFile(file);
        if (!text) {
            continue;
        }
        const auto list = KeyFileValue(*text, group, kHtmlType);
        if (!list) {
            continue;
        }
        for (const std::string& desktopId : SplitList(*list)) {
            if (const auto entry = LoadDesktopEntry(desktopId)) {
                if (auto command = CommandFromEntry(*entry)) {
                    return command;
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> HtmlOpenCommand() {
    const std::vector<std::string> mimeApps = MimeAppsLists();
    if (auto command = FirstInstalled(mimeApps, "Default Applications")) {
        return command;
    }
    // The older defaults.list files, then any program that declared itself
    // able to show web pages.
    std::vector<std::string> defaultsLists;
    std::vector<std::string> caches;
    for (const std::string& folder : ApplicationFolders()) {
        defaultsLists.push_back(folder + "/defaults.list");
        caches.push_back(folder + "/mimeinfo.cache");
    }
    if (auto command = FirstInstalled(defaultsLists, "Default Applications")) {
        return command;
    }
    if (auto command = FirstInstalled(mimeApps, "Added Associations")) {
        return command;
    }
    return FirstInstalled(caches, "MIME Cache");
}

}  // namespace platform
