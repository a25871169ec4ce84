// The folder tree and the file list: following each other, clicks, refresh.
#include "app/main_window.h"

namespace q32 {

void MainWindow::ExplorerTree1_OnDirChanged() {
    const std::string folder = ExplorerTree1.path();
    if (!Fs.folderExists(folder)) return;
    if (File1.setPath(folder)) {
        showListFolderInPanel3();
        return;
    }
    // A folder that cannot be read sends the view to drive C; without even
    // that, the program cannot go on.
    ExplorerTree1.setPath("c:\\");
    File1.setPath(ExplorerTree1.path());
    if (!Fs.folderExists("c:\\")) {
        Me.unload();
        return;
    }
    File1.setPath("c:\\");
    showListFolderInPanel3();
}

// A click in the list offers the commands of the kind in force, whatever is
// selected.
void MainWindow::File1_MouseUp(MouseButton button) {
    if (button == MouseButton::Right) return;
    switch (currentKind()) {
        case ArchiveKind::Zip:
            enableButtons({9, 10, 6}, true);
            enableMenus({"Diz", "install", "test", "delete"}, true);
            break;
        case ArchiveKind::Rar:
        case ArchiveKind::Ace:
            Menus.setEnabled("install", true);
            GTToolbar1.setEnabled(9, true);
            enableButtons({6, 10}, false);
            break;
        case ArchiveKind::Arj:
            break;
    }
}

void MainWindow::File1_DblClick() { ShowDescriptions(); }

void MainWindow::refresh_Click() {
    File1.refresh();
    enableButtons({6, 7, 9, 10}, false);
    enableMenus({"Diz", "dnfo", "install", "test", "delete"}, false);
}

}  // namespace q32
