#include "widgets/EditKeys.h"

EditKey EditKeyOf(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Backtab || (event.key() == Qt::Key_Tab && mods == Qt::ShiftModifier))
        return EditKey::BackTab;
    if (mods != Qt::NoModifier)
        return EditKey::Other;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return EditKey::Enter;
    case Qt::Key_Escape:
        return EditKey::Escape;
    case Qt::Key_Tab:
        return EditKey::Tab;
    case Qt::Key_Up:
        return EditKey::Up;
    case Qt::Key_Down:
        return EditKey::Down;
    case Qt::Key_Left:
        return EditKey::Left;
    case Qt::Key_Right:
        return EditKey::Right;
    default:
        return EditKey::Other;
    }
}
