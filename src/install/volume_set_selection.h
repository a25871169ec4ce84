// Finding the volume set among the files the list shows: each candidate is
// proved by its head and selected for the user to see, and the selection
// ends up holding the set with its first volume in front.
#pragma once

#include "archive/kinds.h"
#include "command_kit/selection.h"
#include "install/install_run.h"
#include "platform/controls.h"
#include "platform/filesystem.h"

namespace q32 {

struct VolumeSetContext {
    FolderTree& ExplorerTree1;
    FileList& File1;
    Desktop& Screen;
    FileSystem& Fs;
    Selection& selection;
};

class VolumeSetSelection : private VolumeSetContext {
public:
    explicit VolumeSetSelection(const VolumeSetContext& context) : VolumeSetContext(context) {}

    void SelectRarSet() { setFound_.rar = selectVolumeSet(ArchiveKind::Rar); }
    void SelectAceSet() { setFound_.ace = selectVolumeSet(ArchiveKind::Ace); }
    void SelectArjSet() { setFound_.arj = selectVolumeSet(ArchiveKind::Arj); }
    // Runs the kind's selection and returns its set-found flag.
    bool selectSetOf(ArchiveKind kind);
    const SetFoundFlags& setFound() const { return setFound_; }
    void forgetSets() { setFound_ = {}; }

private:
    bool selectVolumeSet(ArchiveKind kind);

    SetFoundFlags setFound_;
};

}  // namespace q32
