// Finding the volume set among the files the list shows: each candidate is
// proved by its head and selected for the user to see, and the selection
// table ends up holding the set with its first volume in front.
#include "app/main_window.h"
#include "archive/volume_set.h"
#include "common/text.h"

namespace q32 {

void MainWindow::SelectRarSet() { setFound_.rar = selectVolumeSet(ArchiveKind::Rar); }
void MainWindow::SelectAceSet() { setFound_.ace = selectVolumeSet(ArchiveKind::Ace); }
void MainWindow::SelectArjSet() { setFound_.arj = selectVolumeSet(ArchiveKind::Arj); }

bool MainWindow::selectSetOf(ArchiveKind kind) {
    switch (kind) {
        case ArchiveKind::Rar: SelectRarSet(); return setFound_.rar;
        case ArchiveKind::Arj: SelectArjSet(); return setFound_.arj;
        case ArchiveKind::Ace: SelectAceSet(); return setFound_.ace;
        case ArchiveKind::Zip: break;
    }
    return false;
}

// True when at least one volume passed its head test. Files the list filter
// shows that are not named as volumes (a readme.rtf beside a RAR set) are
// passed over. A candidate that cannot be read, or a failing RAR or ACE
// volume, ends the run: the table then holds the list in list order, cut to
// the volumes that passed.
bool MainWindow::selectVolumeSet(ArchiveKind kind) {
    int verified = 0;
    selectionTable_.assign(1, "");
    for (int index = 0; index < File1.count(); ++index) selectionTable_.push_back(File1.item(index));
    for (int index = 0; index < File1.count(); ++index) {
        const std::string name = File1.item(index);
        if (!isVolumeCandidate(kind, name) || !isVolumeName(kind, name)) continue;
        const auto head = Fs.readHead(joinPath(ExplorerTree1.path(), name), headBytes(kind));
        const bool passed = head && headTest(kind, *head);
        if (!passed && (!head || failedHeadEndsSelection(kind))) {
            selectionTable_.resize(static_cast<std::size_t>(verified) + 1);
            return verified > 0;
        }
        if (!passed) continue;
        File1.setSelected(index, true);
        Screen.doEvents();
        ++verified;
    }
    collectSelection();
    const std::vector<std::string> ordered =
        inSetOrder(kind, std::vector<std::string>(selectionTable_.begin() + 1, selectionTable_.end()));
    selectionTable_.resize(1);
    selectionTable_.insert(selectionTable_.end(), ordered.begin(), ordered.end());
    return verified > 0;
}

}  // namespace q32
