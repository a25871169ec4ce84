// The install command: the selected ZIP archives are extracted into a fresh
// scratch folder, the package's setup.exe is offered, and the window goes
// back to the ZIP list with nothing selected.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

namespace {

// The first line of the message that stops an install at a failing archive;
// empty for the codes an install passes over.
std::string extractionFailure(std::int16_t code) {
    switch (code) {
        case zipcode::CrcMismatch:
        case zipcode::BadData:
        case zipcode::Truncated: return "Zip CRC error - ";
        case zipcode::NotAZip: return "Zip structure error - ";
        case zipcode::CannotWrite: return "Zip write error - ";
        case zipcode::Unsupported: return "Zip method error - ";
        default: return "";
    }
}

}  // namespace

void MainWindow::install_Click() {
    enableButtons({9, 6}, false);
    enableMenus({"Diz", "install"}, false);
    setFound_ = {};
    install_ = {};
    startProgressMode();
    switch (currentKind()) {
        case ArchiveKind::Rar: InstallRar(); return;
        case ArchiveKind::Ace: InstallAce(); return;
        case ArchiveKind::Arj:
            showError("Quillet32 doesn't install directly from Arj's at this time");
            install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
            break;
        case ArchiveKind::Zip: installZipArchives(); break;
    }
    returnToZipList();
}

void MainWindow::installZipArchives() {
    ShowDescriptions();
    Me.setBusy(true);
    install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
    install_.installFolder = NextScratchFolder(installDrive_, 1);
    if (!CheckInstallSpace(installDrive_, selectedArchiveBytes())) return;
    if (!extractSelectedArchives()) return;
    showInstallFolder();
    if (installVolumeSets()) return;
    offerSetup(install_.installFolder.name);
}

std::string MainWindow::sourceArchive(const std::string& name) const { return install_.sourceFolder + "\\" + name; }

std::int64_t MainWindow::selectedArchiveBytes() {
    std::int64_t total = 0;
    for (int slot = 1; slot <= selectionCount(); ++slot)
        total += static_cast<std::int64_t>(Fs.fileLength(sourceArchive(selection(slot))).value_or(0));
    return total;
}

// False when the install stops here: Escape, or an archive that failed.
bool MainWindow::extractSelectedArchives() {
    const int count = selectionCount();
    for (int slot = 1; slot <= count; ++slot) {
        const std::string name = selection(slot);
        SSPanel2.setAlignment(Alignment::Left);
        SSPanel2.setCaption(" " + lower(name) + "   " + numText(slot) + " of" + numText(count));
        XceedZip1.setFileMask("*.*\r");
        XceedZip1.setDestinationFolder(install_.installFolder.name);
        XceedZip1.setArchiveName(sourceArchive(name));
        const std::int16_t code = XceedZip1.extract(0);
        if (code == zipcode::Aborted) return false;
        if (code != zipcode::Success) {
            Screen.doEvents();
            install_.sourceFolder = lower(install_.sourceFolder);
            const std::string failure = extractionFailure(code);
            if (!failure.empty()) {
                showError(failure + "#" + numText(static_cast<int>(code)) + "\n" + sourceArchive(name));
                return false;
            }
        }
        SSPanel3.setFillPercent(0);
    }
    return true;
}

// The list shows what was extracted: every file, not only ZIP archives.
void MainWindow::showInstallFolder() {
    SSPanel3.setFillPercent(0);
    SSPanel3.repaint();
    endProgressMode("To: " + install_.installFolder.name);
    SSPanel2.setCaption("");
    File1.setPattern("*.*");
    File1.setPath(install_.installFolder.name);
    ExplorerTree1.setPath(File1.path());
}

// The tree and the list back on the folder the install started from, or on
// c:\ when that folder has gone; the pointer normal again.
void MainWindow::showSourceFolderAgain() {
    SSPanel3.setFillPercent(0);
    const std::string folder = folderWithRoot(install_.sourceFolder);
    ExplorerTree1.setPath(!folder.empty() && Fs.folderExists(folder) ? folder : "c:\\");
    File1.setPath(ExplorerTree1.path());
    Me.setBusy(false);
}

// Every install ends in the ZIP list of the folder it started from, with
// nothing selected and the commands waiting for a new selection.
void MainWindow::returnToZipList() {
    showSourceFolderAgain();
    showZipKind();
    enableButtons({7, 9, 10}, false);
    File1.setPattern("*.zip");
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
    enableMenus({"Diz", "test", "dnfo", "install", "delete"}, false);
    removeFilesMatching("*.nfo", true);
    deselectAll();
}

}  // namespace q32
