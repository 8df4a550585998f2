#include "MainKeyMap.h"

MainKeyAction MainKeyActionFor(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::AltModifier) {
        return MainKeyAction::PassOn;
    }
    const bool control = (modifiers & Qt::ControlModifier) != 0;
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return MainKeyAction::ViewDocuments;
        case Qt::Key_Insert:
            return MainKeyAction::AddFiles;
        case Qt::Key_Delete:
            return MainKeyAction::DeleteSelected;
        case Qt::Key_A:
            return control ? MainKeyAction::SelectAll : MainKeyAction::PassOn;
        case Qt::Key_O:
            return control ? MainKeyAction::MoveUp : MainKeyAction::PassOn;
        case Qt::Key_P:
            return control ? MainKeyAction::MoveDown : MainKeyAction::PassOn;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            return MainKeyAction::ForwardToList;
        case Qt::Key_Escape:
        case Qt::Key_Home:
        case Qt::Key_End:
            return MainKeyAction::Swallow;
        default:
            return MainKeyAction::PassOn;
    }
}
