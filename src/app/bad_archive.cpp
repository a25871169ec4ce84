// Damaged archives found by the test and description commands get ".bad"
// added to their names, so that they leave the list of ZIP archives.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

// An older ".bad" of exactly the same name is replaced; one whose name
// differs only in letter case is another archive's and stays. A drive with
// 2 bytes or less free keeps the name. The list is read again either way.
void MainWindow::markArchiveBad(const std::string& archive) {
    const std::optional<std::int64_t> free =
        archive.empty() ? std::nullopt : Fs.freeSpace(lower(archive.substr(0, 1)).front());
    if (free && *free > 2) {
        const std::string marked = archive + ".bad";
        Fs.setNormalAttributes(marked);
        Fs.deleteFile(marked);
        if (!Fs.rename(archive, marked))
            showError("The damaged archive\n" + archive + "\ncould not be renamed " + nameOf(marked) +
                      ":\nsomething of that name is in the way, or the folder cannot be changed.");
    }
    File1.refresh();
}

}  // namespace q32
