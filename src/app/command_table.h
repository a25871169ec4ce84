// The command table: every command the user can give, with its toolbar
// button, menu entry, key and handler, in one row each. The toolbar, the
// menus, the keys and the window modes all read it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace q32 {

class MainWindow;

enum class CommandId {
    Install, Test, Diz, Nfo, Refresh, Delete, Exit, TempDrive, DeleteTemp, Contents, Web, Mail, About,
    ZipKind, RarKind, ArjKind, AceKind, SelectAll, HelpKey,
};

struct CommandRow {
    CommandId id;
    // The toolbar button: its index from 1 (separators count), picture and
    // tool tip; 0 for none.
    int button = 0;
    const char* picture = "";
    const char* toolTip = "";
    // The menu entry: its menu, name, caption and shortcut; a separator
    // goes before it when asked. No name, no entry.
    const char* menu = "";
    const char* entry = "";
    const char* caption = "";
    const char* shortcut = "";
    bool separatorBefore = false;
    // A key press (character code) or key-down (key code) that gives the
    // command; 0 for none. A key stands for the menu entry and does nothing
    // while the entry is disabled.
    int keyPress = 0;
    int keyDown = 0;
    void (*handler)(MainWindow&) = nullptr;
};

const std::vector<CommandRow>& commandTable();
const CommandRow& commandSpec(CommandId id);
// The row of a toolbar button or a menu entry; null for a separator.
const CommandRow* commandOfButton(int index);
const CommandRow* commandOfEntry(const std::string& entry);

// The toolbar's buttons in index order, separators between the groups.
inline constexpr int kToolbarButtons = 16;

}  // namespace q32
