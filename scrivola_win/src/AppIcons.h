#pragma once
// The program's own icons, drawn as SVG and compiled into the program.
// Numbered as the resources they stand for.
#include <QIcon>

enum class AppIconId {
    Application = 128,
    AddFiles = 131,
    Close = 133,
    Setting = 137,
    MakePdf = 138,
    MoveUp = 143,
    MoveDown = 144,
    Document = 0,  // fallback for file types without a themed icon
};

// Rendered at the usual icon sizes; a null icon only if the resource is missing.
QIcon AppIcon(AppIconId id);
