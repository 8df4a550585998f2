#pragma once
// The main window's commands carried out by the conversion runner, the
// settings sheet and the directory monitor.
#include <memory>

class FrontEndCommands;

std::shared_ptr<FrontEndCommands> CreateFrontEndCommands();
