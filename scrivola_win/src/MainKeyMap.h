#pragma once
// What the main window does with a key pressed anywhere in it. Keys are
// taken before the controls see them, so Enter never presses a button and
// Escape never closes the window.
#include <Qt>

enum class MainKeyAction {
    PassOn,          // the focused control handles the key as usual
    Swallow,         // nobody handles it
    ViewDocuments,   // Enter
    AddFiles,        // Insert
    DeleteSelected,  // Delete
    SelectAll,       // Ctrl+A
    MoveUp,          // Ctrl+O
    MoveDown,        // Ctrl+P
    ForwardToList,   // paging and arrow keys move the document list's selection
};

// Keys with Alt pass on to the menu bar. Tab and Shift+Tab pass on too, so
// the buttons stay reachable from the keyboard.
MainKeyAction MainKeyActionFor(int key, Qt::KeyboardModifiers modifiers);
