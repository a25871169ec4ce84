// Damaged archives found by the test and description commands get ".bad"
// added to their names, so that they leave the list of ZIP archives.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

// An older ".bad" of the same name is replaced. A drive with 2 bytes or
// less free keeps the name. The list is read again either way.
void MainWindow::markArchiveBad(const std::string& archive) {
    const std::optional<std::int64_t> free =
        archive.empty() ? std::nullopt : Fs.freeSpace(lower(archive.substr(0, 1)).front());
    if (free && *free > 2) {
        const std::string marked = archive + ".bad";
        if (Fs.fileExists(marked)) {
            Fs.setNormalAttributes(marked);
            Fs.deleteFile(marked);
        }
        Fs.rename(archive, marked);
    }
    File1.refresh();
}

}  // namespace q32
