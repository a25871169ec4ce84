// The install command: the selected ZIP archives are extracted into a fresh
// scratch folder, the package's setup.exe is offered, and the window goes
// back to the ZIP list with nothing selected.
#include "install/install_command.h"

#include "command_kit/panels.h"
#include "command_kit/program_folder_files.h"
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

InstallCommand::InstallCommand(const InstallContext& context)
    : InstallContext(context), sets_({ExplorerTree1, File1, Screen, Fs, selection}) {}

void InstallCommand::install_Click() {
    modes.enter(WindowMode::Installing);
    sets_.forgetSets();
    install_ = {};
    startProgressMode(SSPanel3);
    switch (currentKind(GTToolbar1)) {
        case ArchiveKind::Rar: InstallRar(); return;
        case ArchiveKind::Ace: InstallAce(); return;
        case ArchiveKind::Arj:
            showError(Screen, "Quillet32 doesn't install directly from Arj's at this time");
            install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
            break;
        case ArchiveKind::Zip: installZipArchives(); break;
    }
    returnToZipList();
}

void InstallCommand::installZipArchives() {
    descriptions.ShowDescriptions();
    Me.setBusy(true);
    install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
    install_.installFolder = NextScratchFolder(installDrive, 1);
    if (!CheckInstallSpace(installDrive, selectedArchiveBytes())) return;
    if (!extractSelectedArchives()) return;
    showInstallFolder();
    if (installVolumeSets()) return;
    offerSetup(install_.installFolder.name);
}

std::string InstallCommand::sourceArchive(const std::string& name) const { return install_.sourceFolder + "\\" + name; }

std::int64_t InstallCommand::selectedArchiveBytes() {
    std::int64_t total = 0;
    for (int slot = 1; slot <= selectionCount(); ++slot)
        total += static_cast<std::int64_t>(Fs.fileLength(sourceArchive(selected(slot))).value_or(0));
    return total;
}

// False when the install stops here: Escape, or an archive that failed.
bool InstallCommand::extractSelectedArchives() {
    const int count = selectionCount();
    for (int slot = 1; slot <= count; ++slot) {
        const std::string name = selected(slot);
        SSPanel2.setAlignment(Alignment::Left);
        SSPanel2.setCaption(" " + lower(name) + "   " + numText(slot) + " of" + numText(count));
        XceedZip1.setFileMask("*.*\r");
        XceedZip1.setDestinationFolder(install_.installFolder.name);
        XceedZip1.setArchiveName(sourceArchive(name));
        const std::int16_t code = XceedZip1.extract(0);
        if (code == zipcode::Aborted) return false;
        if (code == zipcode::PasswordCancelled) {
            showError(Screen, "Not installed: no password was given for\n" + sourceArchive(name));
            return false;
        }
        if (code != zipcode::Success) {
            Screen.doEvents();
            install_.sourceFolder = lower(install_.sourceFolder);
            const std::string failure = extractionFailure(code);
            if (!failure.empty()) {
                showError(Screen, failure + "#" + numText(static_cast<int>(code)) + "\n" + sourceArchive(name));
                return false;
            }
        }
        SSPanel3.setFillPercent(0);
    }
    return true;
}

// The list shows what was extracted: every file, not only ZIP archives.
void InstallCommand::showInstallFolder() {
    SSPanel3.setFillPercent(0);
    SSPanel3.repaint();
    endProgressMode(SSPanel3, "To: " + install_.installFolder.name);
    SSPanel2.setCaption("");
    File1.setPattern("*.*");
    File1.setPath(install_.installFolder.name);
    ExplorerTree1.setPath(File1.path());
}

// The tree and the list back on the folder the install started from, or on
// c:\ when that folder has gone; the pointer normal again.
void InstallCommand::showSourceFolderAgain() {
    SSPanel3.setFillPercent(0);
    const std::string folder = folderWithRoot(install_.sourceFolder);
    ExplorerTree1.setPath(!folder.empty() && Fs.folderExists(folder) ? folder : "c:\\");
    File1.setPath(ExplorerTree1.path());
    Me.setBusy(false);
}

// Every install ends in the ZIP list of the folder it started from, with
// nothing selected and the commands waiting for a new selection.
void InstallCommand::returnToZipList() {
    showSourceFolderAgain();
    setKindButtons(GTToolbar1, ArchiveKind::Zip);
    modes.enter(WindowMode::InstallEnded);
    File1.setPattern("*.zip");
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
    removeFilesMatching(Fs, ProgramFolder, "*.nfo", true);
    deselectAll(File1);
}

}  // namespace q32
