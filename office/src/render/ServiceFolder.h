#pragma once
// Where a user's render service lives: a folder only that user can enter,
// holding the service's socket, the lock clients take to start it, and the
// temporary folders of running services.
#include <sys/types.h>

#include <optional>
#include <string>
#include <variant>

namespace office::render {

struct ServicePaths {
    std::string folder;
    std::string socket;
    std::string lock;
};

// Why `path` is not a private folder of `owner` (a real folder, not a link,
// owned by `owner`, with no access for group or others), or nothing.
std::optional<std::string> PrivateFolderProblem(const std::string& path, uid_t owner);

// $XDG_RUNTIME_DIR/scrivola, or without that variable a folder named after
// the service and the user in the temporary folder; created 0700 when missing and checked
// before use. The paths, or why the folder cannot be used.
std::variant<ServicePaths, std::string> PrepareServiceFolder();

// The temporary folder of the service with process id `pid`.
std::string ServiceTempFolder(const ServicePaths& paths, pid_t pid);

// Removes the temporary folders of services that are no longer running.
void RemoveDeadServiceFolders(const ServicePaths& paths);

// Running, as opposed to gone or a zombie nobody has reaped yet.
bool IsProcessRunning(pid_t pid);

}  // namespace office::render
