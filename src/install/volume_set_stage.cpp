// Volume sets among the files an install extracted: a RAR, ARJ or ACE set
// (setup.rar and setup.r00 spread over disk1.zip and disk2.zip) is proved,
// extracted by its archiver into the next scratch folder, given the first
// archive's descriptions, and offered for setup; the install folder goes.
#include "command_kit/panels.h"
#include "common/text.h"
#include "install/install_command.h"

namespace q32 {

namespace {

// Looked for in this order; the first kind found is the one installed.
constexpr ArchiveKind kSetKinds[] = {ArchiveKind::Rar, ArchiveKind::Arj, ArchiveKind::Ace};

}  // namespace

// True when a set was found, whether its archiver managed or not; the
// install then skips its own setup offer.
bool InstallCommand::installVolumeSets() {
    const ScratchFolder setFolder = NextScratchFolder(installDrive, install_.installFolder.number);
    Screen.doEvents();
    SSPanel3.setFillPercent(0);
    Me.setBusy(true);
    for (ArchiveKind setKind : kSetKinds) {
        const KindInfo& kind = kindInfo(setKind);
        if (!holdsFileOfKind(install_.installFolder.name, kind)) continue;
        File1.setPattern(kind.setFilter);
        SSPanel2.setAlignment(Alignment::Center);
        setKindButtons(GTToolbar1, setKind);
        if (!sets_.selectSetOf(setKind)) continue;
        const bool extracted = extractSet(kind, setFolder.name) == 0;
        finishSetInstall(setFolder.name, extracted);
        return true;
    }
    return false;
}

// The list follows a RAR set into its folder while it fills; for ARJ and
// ACE it stays on the volumes.
int InstallCommand::extractSet(const KindInfo& kind, const std::string& setFolder) {
    const std::string& installFolder = install_.installFolder.name;
    const bool showSetFolder = kind.kind == ArchiveKind::Rar;
    Fs.makeFolder(setFolder);
    SSPanel2.setCaption(kind.caption);
    File1.setPattern(kind.setFilterAfter);
    ExplorerTree1.setPath(showSetFolder ? setFolder : installFolder);
    if (!showSetFolder) {
        Me.setBusy(true);
        Screen.doEvents();
    }
    endProgressMode(SSPanel3, "Installed to: " + setFolder);
    SSPanel3.repaint();
    std::vector<CommandLine> commands;
    const int volumes = kind.runPerVolume ? selectionCount() : 1;
    for (int slot = 1; slot <= volumes; ++slot)
        commands.push_back({kind.setCommand, {installFolder + "\\" + selected(slot), setFolder}});
    return runMinimised(commands);
}

void InstallCommand::finishSetInstall(const std::string& setFolder, bool extracted) {
    const std::string& installFolder = install_.installFolder.name;
    if (extracted) copyFirstArchiveDescriptions(setFolder);
    Me.repaint();
    for (int index : {2, 3, 4}) GTToolbar1.setDown(index, false);
    SSPanel3.setFillPercent(0);
    if (!extracted) {
        keepInstallFolder(setFolder);
        return;
    }
    if (Fs.folderExists(installFolder)) ExecCmd({"killd.pif", {installFolder}});
    if (Fs.fileExists(joinPath(setFolder, "setup.exe"))) {
        ExplorerTree1.setPath(setFolder);
        SSPanel2.setCaption("*.*");
        File1.setPath(setFolder);
        File1.setPattern("*.*");
    }
    offerSetup(setFolder);
}

void InstallCommand::copyFirstArchiveDescriptions(const std::string& folder) {
    XceedZip1.setFileMask("*.diz\r*.nfo");
    XceedZip1.setDestinationFolder(folder);
    XceedZip1.setArchiveName(descriptions.firstArchivePath());
    XceedZip1.extract(0);
}

// The archiver failed (a volume missing or damaged) and has said why in its
// own window. What the ZIP archives brought stays where it is, and the user
// learns where.
void InstallCommand::keepInstallFolder(const std::string& setFolder) {
    SSPanel3.setCaption("Not installed: " + setFolder);
    showError(Screen, "The volume set " + selected(1) + " could not be extracted to " + setFolder +
              ".\nThe files extracted from the ZIP archives are kept in " + install_.installFolder.name + ".");
}

}  // namespace q32
