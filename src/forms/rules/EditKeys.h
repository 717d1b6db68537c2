#pragma once
// What a key press types into an edit, as the forms' key filters see it. A
// key filter refuses characters; it never refuses a key that edits or moves
// (on X11 the Delete key's event carries the text U+007F, Backspace U+0008,
// and Ctrl+C U+0003: none of them is a character the user typed).
#include <QString>
#include <Qt>

namespace EditKeys {

// True for a key that edits or moves rather than types: Backspace, Delete,
// Tab, Enter, Esc, the arrows, Home, End, Page Up, Page Down and Insert,
// with or without Shift; and every key with Ctrl (without Alt) or Meta held,
// which is a shortcut. Ctrl+Alt is what AltGr sends on some systems: it types.
bool IsEditingKey(int key, Qt::KeyboardModifiers mods);

// The characters a key press offers to a key filter: its text, empty for an
// editing key. (A control character that comes with another key is still
// offered, and a file name's filter refuses it.)
QString TypedText(int key, Qt::KeyboardModifiers mods, const QString& text);

} // namespace EditKeys
