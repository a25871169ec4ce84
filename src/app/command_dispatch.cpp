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
    for (const CommandSpec& spec : commandTable()) {
        if (*spec.entry == '\0') continue;
        if (spec.separatorBefore) Menus.addSeparator(spec.menu);
        Menus.addEntry(spec.menu, spec.entry, spec.caption, spec.shortcut);
    }
    for (int index = 1; index <= kToolbarButtons; ++index) {
        const CommandSpec* spec = commandOfButton(index);
        const ButtonStyle style = !spec ? ButtonStyle::Separator
                                  : isKindButton(index) ? ButtonStyle::Group
                                                        : ButtonStyle::Plain;
        GTToolbar1.addButton(spec ? spec->picture : "", style, spec ? spec->toolTip : "");
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

void MainWindow::runSpec(const CommandSpec& spec) {
    runCommand([this, &spec] { spec.handler(*this); });
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
    if (const CommandSpec* spec = commandOfButton(index)) runSpec(*spec);
}

void MainWindow::menu_Click(const std::string& entry) {
    if (const CommandSpec* spec = commandOfEntry(entry)) runSpec(*spec);
}

// Escape stops a running zip operation: it arrives while the engine reports
// its progress.
void MainWindow::Form_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == keys::Escape) XceedZip1.setAbort(true);
    for (const CommandSpec& spec : commandTable()) {
        if (spec.keyDown == keyCode) runSpec(spec);
    }
}

void MainWindow::Form_KeyPress(int charCode) {
    for (const CommandSpec& spec : commandTable()) {
        if (spec.keyPress != charCode) continue;
        if (*spec.entry != '\0' && !Menus.isEnabled(spec.entry)) return;
        runSpec(spec);
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
