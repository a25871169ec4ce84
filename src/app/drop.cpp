// Files dropped on the main window: their folder is opened, the dropped ZIP
// archives are selected and installed.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

void MainWindow::FMDrop1_DropFiles(const std::vector<std::string>& paths) {
    runCommand([this, &paths] { installDroppedFiles(paths); });
}

void MainWindow::installDroppedFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    // A folder that cannot be opened leaves the view and its selection as
    // they were: a file of the same name in the old folder must not be
    // installed instead.
    if (!File1.setPath(folderOf(paths.front()))) return;
    ExplorerTree1.setPath(File1.path());
    Screen.doEvents();
    deselectAll(File1);

    for (const std::string& path : paths) {
        const std::string name = nameOf(path);
        if (!isZipName(name)) continue;
        for (int index = 0; index < File1.count(); ++index) {
            if (!equalsNoCase(File1.item(index), name)) continue;
            File1.setSelected(index, true);
            break;
        }
    }

    selection_.collectFrom(File1);
    install_Click();
}

}  // namespace q32
