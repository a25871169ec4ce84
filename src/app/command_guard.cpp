// One command at a time. A command that lets window events through (the zip
// engine's progress, a message box) must not find a second command started
// inside it by a key, a menu, a button or a drop; only Escape gets through to
// stop it, and the close box waits for it to end.
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

}  // namespace

void MainWindow::runCommand(const std::function<void()>& command) {
    if (commandRunning_) return;
    {
        const RunningMark mark(commandRunning_);
        kindOfRunningCommand_ = currentKind();
        command();
    }
    if (!closeAsked_) return;
    closeAsked_ = false;
    Me.unload();
}

// A kind button pressed while a command runs: the toolbar has put it down,
// but the command goes on with the kind it started with.
void MainWindow::keepKindOfRunningCommand() { GTToolbar1.setDown(static_cast<int>(kindOfRunningCommand_), true); }

bool MainWindow::Form_QueryUnload() {
    if (!commandRunning_) return true;
    XceedZip1.setAbort(true);
    closeAsked_ = true;
    return false;
}

}  // namespace q32
