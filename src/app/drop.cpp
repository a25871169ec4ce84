// Files dropped on the main window: their folder is opened, the dropped ZIP
// archives are selected and installed.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

void MainWindow::FMDrop1_DropFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    const std::string folder = folderOf(paths.front());
    ExplorerTree1.setPath(folder);
    // A folder that cannot be opened must not leave the old list in place,
    // where a file of the same name would be installed instead.
    if (!File1.setPath(folder)) return;
    Screen.doEvents();
    for (int index = 0; index < File1.count(); ++index) File1.setSelected(index, false);

    for (const std::string& path : paths) {
        const std::string name = nameOf(path);
        if (!isZipName(name)) continue;
        for (int index = 0; index < File1.count(); ++index) {
            if (!equalsNoCase(File1.item(index), name)) continue;
            File1.setSelected(index, true);
            break;
        }
    }

    collectSelection();
    install_Click();
}

}  // namespace q32
