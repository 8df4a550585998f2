#pragma once
// The user's folders by the freedesktop base-directory rules: a variable
// counts only when it holds an absolute path; otherwise the default below
// the home folder applies.
#include <string>
#include <vector>

namespace platform {

// $HOME when set and not empty, else the user's entry in the password
// database; "" when neither is known.
std::string HomeDirectory();

// $XDG_CONFIG_HOME, default ~/.config.
std::string ConfigHome();
// $XDG_DATA_HOME, default ~/.local/share.
std::string DataHome();
// $XDG_CONFIG_DIRS, default /etc/xdg, in order.
std::vector<std::string> ConfigDirectories();
// $XDG_DATA_DIRS, default /usr/local/share and /usr/share, in order.
std::vector<std::string> DataDirectories();
// $XDG_DOCUMENTS_DIR, default ~/Documents.
std::string DocumentsDirectory();

}  // namespace platform
