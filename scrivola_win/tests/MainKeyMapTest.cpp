#include <gtest/gtest.h>

#include "MainKeyMap.h"

namespace {

TEST(WinMainKeyMapTest, KeysMapToTheirCommands) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        MainKeyAction action;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, MainKeyAction::ViewDocuments},
        {Qt::Key_Enter, Qt::KeypadModifier, MainKeyAction::ViewDocuments},
        {Qt::Key_Insert, Qt::NoModifier, MainKeyAction::AddFiles},
        {Qt::Key_Delete, Qt::NoModifier, MainKeyAction::DeleteSelected},
        {Qt::Key_A, Qt::ControlModifier, MainKeyAction::SelectAll},
        {Qt::Key_O, Qt::ControlModifier, MainKeyAction::MoveUp},
        {Qt::Key_P, Qt::ControlModifier, MainKeyAction::MoveDown},
        {Qt::Key_A, Qt::NoModifier, MainKeyAction::PassOn},
        {Qt::Key_PageDown, Qt::NoModifier, MainKeyAction::ForwardToList},
        {Qt::Key_Up, Qt::ShiftModifier, MainKeyAction::ForwardToList},
        {Qt::Key_Escape, Qt::NoModifier, MainKeyAction::Swallow},
        {Qt::Key_Home, Qt::NoModifier, MainKeyAction::Swallow},
        {Qt::Key_Tab, Qt::NoModifier, MainKeyAction::PassOn},
        {Qt::Key_F, Qt::AltModifier, MainKeyAction::PassOn},
        {Qt::Key_Return, Qt::AltModifier, MainKeyAction::PassOn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MainKeyActionFor(c.key, c.modifiers), c.action) << std::hex << c.key;
    }
}

}  // namespace
