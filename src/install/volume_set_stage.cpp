// Volume sets among the files an install extracted: a RAR, ARJ or ACE set
// (setup.rar and setup.r00 spread over disk1.zip and disk2.zip) is proved,
// extracted by its archiver into the next scratch folder, given the first
// archive's descriptions, and offered for setup; the install folder goes.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

namespace {

// Looked for in this order; the first kind found is the one installed.
constexpr SetStage kSetStages[] = {
    {ArchiveKind::Rar, {"\\*.R??", "\\*.0??"}, "*.R??;*.0??", "*.r??;*.0??", true, false, "wrar.exe x -o+ -y "},
    {ArchiveKind::Arj, {"\\*.A??", "\\*.0??"}, "*.A??;*.0??", "*.a??;*.0??", false, true, "warj.pif x -y "},
    {ArchiveKind::Ace, {"\\*.C??", "\\*.ACE"}, "*.C??;*.ACE", "*.c??;*.ACE", false, false, "wace.pif x -y "},
};

}  // namespace

bool MainWindow::installVolumeSets() {
    const ScratchFolder setFolder = NextScratchFolder(installDrive_, install_.installFolder.number);
    Screen.doEvents();
    SSPanel3.setFillPercent(0);
    Me.setBusy(true);
    for (const SetStage& stage : kSetStages) {
        if (!holdsFileOfKind(install_.installFolder.name, stage.probes)) continue;
        File1.setPattern(stage.patternBefore);
        SSPanel2.setAlignment(Alignment::Center);
        setKindButtons(stage.kind);
        if (!selectSetOf(stage.kind)) continue;
        const bool extracted = extractSet(stage, setFolder.name) == 0;
        finishSetInstall(setFolder.name, extracted);
        return true;
    }
    return false;
}

int MainWindow::extractSet(const SetStage& stage, const std::string& setFolder) {
    const std::string& installFolder = install_.installFolder.name;
    Fs.makeFolder(setFolder);
    SSPanel2.setCaption(kindInfo(stage.kind).caption);
    File1.setPattern(stage.patternAfter);
    ExplorerTree1.setPath(stage.treeOnSetFolder ? setFolder : installFolder);
    if (!stage.treeOnSetFolder) {
        Me.setBusy(true);
        Screen.doEvents();
    }
    endProgressMode("Installed to: " + setFolder);
    SSPanel3.repaint();
    std::vector<std::string> commandLines;
    const int volumes = stage.runPerVolume ? selectionCount() : 1;
    for (int slot = 1; slot <= volumes; ++slot)
        commandLines.push_back(stage.commandPrefix + installFolder + "\\" + selection(slot) + " " + setFolder);
    return runMinimised(commandLines);
}

void MainWindow::finishSetInstall(const std::string& setFolder, bool extracted) {
    const std::string& installFolder = install_.installFolder.name;
    if (!extracted) {
        keepInstallFolder(setFolder);
        return;
    }
    XceedZip1.setFileMask("*.diz\r*.nfo");
    XceedZip1.setDestinationFolder(setFolder);
    XceedZip1.setArchiveName(firstArchivePath());
    XceedZip1.extract(0);
    Me.repaint();
    for (int index : {2, 3, 4}) GTToolbar1.setDown(index, false);
    SSPanel3.setFillPercent(0);
    if (Fs.folderExists(installFolder)) ExecCmd("killd.pif " + installFolder);
    if (Fs.fileExists(joinPath(setFolder, "setup.exe"))) {
        ExplorerTree1.setPath(setFolder);
        SSPanel2.setCaption("*.*");
        File1.setPath(setFolder);
        File1.setPattern("*.*");
    }
    offerSetup(setFolder);
}

// The archiver failed (a volume missing or damaged) and has said why in its
// own window. What the ZIP archives brought stays where it is, and the user
// learns where.
void MainWindow::keepInstallFolder(const std::string& setFolder) {
    for (int index : {2, 3, 4}) GTToolbar1.setDown(index, false);
    SSPanel3.setFillPercent(0);
    SSPanel3.setCaption("Not installed: " + setFolder);
    showError("The volume set " + selection(1) + " could not be extracted to " + setFolder +
              ".\nThe files extracted from the ZIP archives are kept in " + install_.installFolder.name + ".");
}

}  // namespace q32
