#include "install/volume_set_selection.h"

#include "archive/volume_set.h"
#include "common/text.h"

namespace q32 {

bool VolumeSetSelection::selectSetOf(ArchiveKind kind) {
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
// volume, ends the run: the selection then holds the list in list order, cut
// to as many names as volumes passed.
bool VolumeSetSelection::selectVolumeSet(ArchiveKind kind) {
    int verified = 0;
    std::vector<std::string> names = listNames(File1);
    for (int index = 0; index < File1.count(); ++index) {
        const std::string name = File1.item(index);
        if (!isVolumeCandidate(kind, name) || !isVolumeName(kind, name)) continue;
        const auto head = Fs.readHead(joinPath(ExplorerTree1.path(), name), headBytes(kind));
        const bool passed = head && headTest(kind, *head);
        if (!passed && (!head || failedHeadEndsSelection(kind))) {
            names.resize(static_cast<std::size_t>(verified));
            selection.assign(names);
            return verified > 0;
        }
        if (!passed) continue;
        File1.setSelected(index, true);
        Screen.doEvents();
        ++verified;
    }
    selection.collectFrom(File1);
    selection.assign(inSetOrder(kind, selection.names()));
    return verified > 0;
}

}  // namespace q32
