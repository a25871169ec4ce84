// Deleting the selected files of the list, after one confirmation.
#include "common/text.h"
#include "housekeeping/housekeeping.h"

namespace q32 {

void Housekeeping::delete_Click() {
    const MsgAnswer answer =
        Screen.messageBox("Delete all files selected?", "Quillet32", MsgIcon::Exclamation, MsgButtons::OkCancel);
    if (answer != MsgAnswer::Ok) return;
    const std::string folder = folderWithoutRoot(File1.path());
    // The list is read again only after the loop, so its indexes stay put.
    for (int index = 0; index < File1.count(); ++index) {
        const std::string path = joinPath(folder, File1.item(index));
        if (!File1.selected(index) || !Fs.fileExists(path)) continue;
        Fs.setNormalAttributes(path);
        Fs.deleteFile(path);
    }
    File1.refresh();
    descriptions.closeDescriptionViewer();
    modes.enter(WindowMode::ListReadAgain);
}

}  // namespace q32
