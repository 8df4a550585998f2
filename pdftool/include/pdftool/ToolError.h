#pragma once
#include <stdexcept>

namespace pdftool {

// A failure to report to the user in one line; nothing has been changed.
class ToolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace pdftool
