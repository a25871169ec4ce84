// The RAR and ACE installers: with RAR or ACE as the kind in force, the set
// in the folder the tree shows is proved, selected and extracted by the
// outside archiver into a fresh scratch folder. One procedure; the kinds
// differ only in their entries of the kind table.
#include "archive/archivers.h"
#include "command_kit/panels.h"
#include "common/text.h"
#include "install/install_command.h"

namespace q32 {

void InstallCommand::InstallRar() { installSetDirectly(kindInfo(ArchiveKind::Rar)); }
void InstallCommand::InstallAce() { installSetDirectly(kindInfo(ArchiveKind::Ace)); }

void InstallCommand::installSetDirectly(const KindInfo& kind) {
    descriptions.closeDescriptionViewer();
    Me.setBusy(true);
    install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
    install_.installFolder = NextScratchFolder(installDrive, 1);
    if (CheckInstallSpace(installDrive, 0) && holdsFileOfKind(install_.sourceFolder, kind)) extractShownSet(kind);
    returnToIdle();
}

bool InstallCommand::holdsFileOfKind(const std::string& folder, const KindInfo& kind) {
    return Fs.firstFile(folder + kind.folderProbes[0]) || Fs.firstFile(folder + kind.folderProbes[1]);
}

void InstallCommand::extractShownSet(const KindInfo& kind) {
    SSPanel2.setAlignment(Alignment::Center);
    if (!sets_.selectSetOf(kind.kind)) {
        showError(Screen, kind.notValid);
        return;
    }
    const std::string& folder = install_.installFolder.name;
    Fs.makeFolder(folder);
    SSPanel2.setCaption(kind.caption);
    endProgressMode(SSPanel3, "Installed to: " + folder);
    SSPanel3.repaint();  // seen before the archiver takes over
    const int exitCode =
        runMinimised({{kind.directCommand, {install_.sourceFolder + "\\" + selected(1), folder}}});
    // The archiver has told the user what went wrong, in its own window;
    // the panel must not go on claiming an install.
    if (exitCode != 0) SSPanel3.setCaption("Not installed: " + folder);
}

// Where the RAR and ACE installers leave the window: the list of the folder
// they started from, nothing selected, the commands of a selection waiting.
void InstallCommand::returnToIdle() {
    showSourceFolderAgain();
    descriptions.closeDescriptionViewer();
    modes.enter(WindowMode::SetInstallEnded);
    deselectAll(File1);
}

// The archivers run with the window minimised; it comes back as it was. The
// result is the first exit code that was not 0; names left out as unsafe
// leave the rest of the set in place and count as done.
int InstallCommand::runMinimised(const std::vector<CommandLine>& commands) {
    const WindowState before = Me.windowState();
    Me.setWindowState(WindowState::Minimized);
    int failure = 0;
    for (const CommandLine& command : commands) {
        const int exitCode = ExecCmd(command);
        if (failure == 0 && exitCode != kStandinLeftOutUnsafeNames) failure = exitCode;
    }
    Screen.doEvents();
    Me.setWindowState(before == WindowState::Maximized ? before : WindowState::Normal);
    Me.repaint();
    return failure;
}

}  // namespace q32
