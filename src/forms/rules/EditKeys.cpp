#include "EditKeys.h"

namespace EditKeys {

bool IsEditingKey(int key, Qt::KeyboardModifiers mods)
{
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    if ((ctrl && !alt) || (mods & Qt::MetaModifier))
        return true;
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
    case Qt::Key_Clear:
        return true;
    default:
        return false;
    }
}

QString TypedText(int key, Qt::KeyboardModifiers mods, const QString& text)
{
    if (IsEditingKey(key, mods))
        return QString();
    return text;
}

} // namespace EditKeys
