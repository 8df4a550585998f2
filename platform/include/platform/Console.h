#pragma once
// Questions and key waits on the controlling terminal (/dev/tty). Without a
// terminal the answer is No and nothing waits.
#include <string_view>

namespace platform {

// Shows the question and reads y/n; true only for a Yes.
bool AskYesNo(std::string_view question);

// Waits for one key press without echo.
void WaitForKeyPress();

}  // namespace platform
