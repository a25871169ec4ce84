// How the user's commands reach their handlers: toolbar buttons, menu
// entries and keys through the command table, the pop-up menu, and one
// command at a time. A command that lets window events through (the zip
// engine's progress, a message box) must not find a second command started
// inside it by a key, a menu, a button or a drop; only Escape gets through
// to stop it, and the close box waits for it to end.
#include "app/main_window.h"

namespace q32 {

namespace {

// Clears the running mark however the command ends.
class RunningMark {
public:
    explicit RunningMark(bool& running) : running_(running) { running_ = true; }
    ~RunningMark() { running_ = false; }
    RunningMark(const RunningMark&) = delete;
    RunningMark& operator=(const RunningMark&) = delete;

private:
    bool& running_;
};

bool isKindButton(int index) { return index >= 1 && index <= 4; }

}  // namespace

void MainWindow::buildToolbarAndMenus() {
    Menus.addMenu("popup", "&File");
    Menus.addMenu("options", "&Options");
    Menus.addMenu("help", "&Help");
    for (const CommandRow& row : commandTable()) {
        if (*row.entry == '\0') continue;
        if (row.separatorBefore) Menus.addSeparator(row.menu);
        Menus.addEntry(row.menu, row.entry, row.caption, row.shortcut);
    }
    for (int index = 1; index <= kToolbarButtons; ++index) {
        const CommandRow* row = commandOfButton(index);
        const ButtonStyle style = !row ? ButtonStyle::Separator
                                  : isKindButton(index) ? ButtonStyle::Group
                                                        : ButtonStyle::Plain;
        GTToolbar1.addButton(row ? row->picture : "", style, row ? row->toolTip : "");
    }
    GTToolbar1.setDown(1, true);
    enter(WindowMode::ToolbarBuilt);
}

void MainWindow::runCommand(const std::function<void()>& command) {
    if (commandRunning_) return;
    {
        const RunningMark mark(commandRunning_);
        kindOfRunningCommand_ = currentKind();
        command();
    }
    passwords_.forget();
    if (!closeAsked_) return;
    closeAsked_ = false;
    Me.unload();
}

void MainWindow::runRow(const CommandRow& row) {
    runCommand([this, &row] { row.handler(*this); });
}

bool MainWindow::Form_QueryUnload() {
    if (!commandRunning_) return true;
    XceedZip1.setAbort(true);
    closeAsked_ = true;
    return false;
}

// A kind button pressed while a command runs: the toolbar has put it down,
// but the command goes on with the kind it started with.
void MainWindow::GTToolbar1_ButtonClick(int index) {
    if (commandRunning_) {
        if (isKindButton(index)) GTToolbar1.setDown(static_cast<int>(kindOfRunningCommand_), true);
        return;
    }
    if (const CommandRow* row = commandOfButton(index)) runRow(*row);
}

void MainWindow::menu_Click(const std::string& entry) {
    if (const CommandRow* row = commandOfEntry(entry)) runRow(*row);
}

// Escape stops a running zip operation: it arrives while the engine reports
// its progress.
void MainWindow::Form_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == keys::Escape) XceedZip1.setAbort(true);
    for (const CommandRow& row : commandTable()) {
        if (row.keyDown == keyCode) runRow(row);
    }
}

void MainWindow::Form_KeyPress(int charCode) {
    for (const CommandRow& row : commandTable()) {
        if (row.keyPress != charCode) continue;
        if (*row.entry != '\0' && !Menus.isEnabled(row.entry)) return;
        runRow(row);
    }
}

// The right button opens the File menu at the pointer, but only while there
// is something to install.
void MainWindow::File1_MouseDown(MouseButton button) {
    if (button != MouseButton::Right || commandRunning_) return;
    if (Menus.isEnabled("install")) Menus.popup("popup");
}

void MainWindow::selectAll() {
    File1.refresh();
    Screen.doEvents();
    for (int index = 0; index < File1.count(); ++index) File1.setSelected(index, true);
    enter(WindowMode::AllSelected);
}

// A kind button: the list shows that kind's files; the commands of a
// selection wait for a new one.
void MainWindow::selectKind(int index) {
    const KindInfo& info = kindInfo(kindOfButton(index));
    File1.setPattern(info.toolbarFilter);
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption(info.caption);
    if (index == 1) return;
    enter(WindowMode::NothingSelected);
}

}  // namespace q32
