// Keys as the program knows them: key codes of key-down events (the virtual
// key codes of the platform the program was written for: letters upper-case
// ASCII, digits ASCII, Escape 27, F1 112...) and the character codes of key
// presses (Ctrl+letter 1 to 26, Tab 9, printable characters their code).
#pragma once

#include <QKeyEvent>
#include <optional>

namespace q32 {

// 0 for a key that has no code.
int keyCode(const QKeyEvent& event);

// Shift 1, Ctrl 2, Alt 4, added up.
int shiftMask(Qt::KeyboardModifiers modifiers);

// The character a key press gives the program; empty for keys that give none.
std::optional<int> characterCode(const QKeyEvent& event);

}  // namespace q32
