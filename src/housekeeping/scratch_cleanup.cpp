// Offering left-over scratch folders for deletion: at start-up and from the
// Options menu.
#include "command_kit/panels.h"
#include "common/text.h"
#include "common/wildcard.h"
#include "housekeeping/housekeeping.h"

namespace q32 {

// Shows each scratch folder of the drive in the list and asks about it.
// False when the user answered Cancel.
bool Housekeeping::ScanScratchFolders(char drive) {
    const std::string root = std::string(1, drive) + ":\\";
    const auto folders = Fs.listFolders(root);
    if (!folders) return true;
    for (const std::string& name : *folders) {
        if (!wildcardMatch("Quil0??", name)) continue;
        const std::string folder = root + name;
        // Only a real folder the user has seen is offered (a link of that
        // name is not a scratch folder), and only one that the deleting
        // program would be given exactly, never another of a similar name.
        if (!Fs.isRealFolder(folder) || !carriesOnCommandLine(folder) || !File1.setPath(folder)) continue;
        ExplorerTree1.setPath(File1.path());
        File1.setPattern("*.*");
        SSPanel2.setAlignment(Alignment::Center);
        SSPanel2.setCaption("*.*");
        const MsgAnswer answer = Screen.messageBox("Found temporary directory\n\n" + folder + " . . . . .Delete?",
                                                   "Temporary directory", MsgIcon::Question,
                                                   MsgButtons::YesNoCancel);
        Screen.doEvents();
        if (answer == MsgAnswer::Cancel) return false;
        if (answer != MsgAnswer::Yes) continue;
        Me.setBusy(true);
        Programs.runAndWait({"killd.pif", {folder}});
        Me.setBusy(false);
    }
    return true;
}

void Housekeeping::dtemp_Click() {
    const std::string saved = folderWithoutRoot(ExplorerTree1.path());
    ScanScratchFolders('c');
    ExplorerTree1.setPath(saved);
    File1.setPath(ExplorerTree1.path());
    File1.setPattern("*.zip");
    File1.refresh();
    Screen.doEvents();
    modes.enter(WindowMode::NothingSelected);
    setKindButtons(GTToolbar1, ArchiveKind::Zip);
    SSPanel2.setCaption("*.zip");
}

void Housekeeping::temp_Click() {
    if (!ChooseInstallDrive()) return;
    const std::string saved = File1.path();
    // Cancel leaves the last scratch folder on show.
    if (!ScanScratchFolders(installDrive)) return;
    Screen.doEvents();
    setKindButtons(GTToolbar1, ArchiveKind::Zip);
    SSPanel2.setCaption("*.zip");
    File1.setPattern("*.zip");
    File1.setPath(saved);
    ExplorerTree1.setPath(File1.path());
}

}  // namespace q32
