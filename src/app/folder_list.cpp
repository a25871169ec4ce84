// The folder tree and the file list: following each other, clicks, refresh.
#include "app/main_window.h"
#include "command_kit/panels.h"
#include "common/text.h"

namespace q32 {

void MainWindow::ExplorerTree1_OnDirChanged() {
    // The running command decides what the tree and the list show.
    if (commandRunning_) {
        ExplorerTree1.setPath(File1.path());
        return;
    }
    const std::string folder = ExplorerTree1.path();
    if (!Fs.folderExists(folder)) {
        // A drive whose disk or folder is not there: the view cannot stay on it.
        if (folder == folderOf(folder)) fallBackToDriveC();
        return;
    }
    if (File1.setPath(folder)) {
        showListFolder(SSPanel3, File1);
        return;
    }
    fallBackToDriveC();
}

// A folder that cannot be read sends the view to drive C; without even that,
// the program cannot go on.
void MainWindow::fallBackToDriveC() {
    ExplorerTree1.setPath("c:\\");
    File1.setPath(ExplorerTree1.path());
    if (!Fs.folderExists("c:\\")) {
        Me.unload();
        return;
    }
    File1.setPath("c:\\");
    showListFolder(SSPanel3, File1);
}

// A click in the list offers the commands of the kind in force, whatever is
// selected.
void MainWindow::File1_MouseUp(MouseButton button) {
    if (button == MouseButton::Right || commandRunning_) return;
    switch (currentKind()) {
        case ArchiveKind::Zip: enter(WindowMode::ZipSelection); break;
        case ArchiveKind::Rar:
        case ArchiveKind::Ace: enter(WindowMode::SetSelection); break;
        case ArchiveKind::Arj:
            break;
    }
}

void MainWindow::refresh_Click() {
    File1.refresh();
    enter(WindowMode::ListReadAgain);
}

}  // namespace q32
