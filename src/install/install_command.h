// The install command and what serves it alone: scratch folders and the
// space check, the volume-set selections and stage, the RAR and ACE
// installers, the outside archivers run minimised, and the setup offer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/kinds.h"
#include "command_kit/description_viewers.h"
#include "command_kit/selection.h"
#include "command_kit/window_modes.h"
#include "install/install_run.h"
#include "install/volume_set_selection.h"
#include "platform/controls.h"
#include "platform/filesystem.h"
#include "platform/processes.h"
#include "platform/zip_engine.h"

namespace q32 {

// The controls and services an install uses, under the window's names.
struct InstallContext {
    MainForm& Me;
    Toolbar& GTToolbar1;
    StatusPanel& SSPanel2;
    StatusPanel& SSPanel3;
    FolderTree& ExplorerTree1;
    FileList& File1;
    Desktop& Screen;
    FileSystem& Fs;
    Processes& Programs;
    ZipEngine& XceedZip1;
    std::string ProgramFolder;
    const char& installDrive;
    Selection& selection;
    ModeSwitch& modes;
    DescriptionViewers& descriptions;
};

class InstallCommand : private InstallContext {
public:
    explicit InstallCommand(const InstallContext& context);

    void install_Click();
    void InstallRar();
    void InstallAce();
    // The first scratch name from `start` on that nothing uses yet.
    ScratchFolder NextScratchFolder(char drive, int start);
    bool CheckInstallSpace(char drive, std::int64_t requiredBytes);
    // Returns the program's exit code; most callers go on whatever it did.
    int ExecCmd(const CommandLine& command);
    VolumeSetSelection& sets() { return sets_; }
    const VolumeSetSelection& sets() const { return sets_; }

private:
    void installZipArchives();
    std::string sourceArchive(const std::string& name) const;
    std::int64_t selectedArchiveBytes();
    bool extractSelectedArchives();
    void showInstallFolder();
    void showSourceFolderAgain();
    void returnToZipList();

    // The volume-set stage
    bool installVolumeSets();
    int extractSet(const KindInfo& kind, const std::string& setFolder);
    void finishSetInstall(const std::string& setFolder, bool extracted);
    void copyFirstArchiveDescriptions(const std::string& folder);
    void keepInstallFolder(const std::string& setFolder);

    // The RAR and ACE installers
    void installSetDirectly(const KindInfo& kind);
    bool holdsFileOfKind(const std::string& folder, const KindInfo& kind);
    void extractShownSet(const KindInfo& kind);
    void returnToIdle();
    int runMinimised(const std::vector<CommandLine>& commands);

    void offerSetup(const std::string& folder);

    int selectionCount() const { return selection.count(); }
    const std::string& selected(int slot) const { return selection.at(slot); }

    VolumeSetSelection sets_;
    InstallRun install_;
};

}  // namespace q32
