// The RAR and ACE installers: with RAR or ACE as the kind in force, the set
// in the folder the tree shows is proved, selected and extracted by the
// outside archiver into a fresh scratch folder. One procedure; the kinds
// differ only in their table.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

namespace {

constexpr DirectInstaller kRarInstaller{
    ArchiveKind::Rar, {"\\*.R??", "\\*.0??"}, "Thats not a valid .Rar file", "wrar.exe x -o+ -y "};
constexpr DirectInstaller kAceInstaller{
    ArchiveKind::Ace, {"\\*.ACE", "\\*.C??"}, "Thats not a valid .Ace file", "ace.pif x -y "};

}  // namespace

void MainWindow::InstallRar() { installSetDirectly(kRarInstaller); }
void MainWindow::InstallAce() { installSetDirectly(kAceInstaller); }

void MainWindow::installSetDirectly(const DirectInstaller& installer) {
    viewers_.Form3.close();
    Me.setBusy(true);
    install_.sourceFolder = folderWithoutRoot(ExplorerTree1.path());
    install_.installFolder = NextScratchFolder(installDrive_, 1);
    if (CheckInstallSpace(installDrive_, 0) && holdsFileOfKind(install_.sourceFolder, installer.probes))
        extractShownSet(installer);
    returnToIdle();
}

bool MainWindow::holdsFileOfKind(const std::string& folder, const char* const (&probes)[2]) {
    return Fs.firstFile(folder + probes[0]) || Fs.firstFile(folder + probes[1]);
}

void MainWindow::extractShownSet(const DirectInstaller& installer) {
    SSPanel2.setAlignment(Alignment::Center);
    if (!selectSetOf(installer.kind)) {
        showError(installer.notValid);
        return;
    }
    const std::string& folder = install_.installFolder.name;
    Fs.makeFolder(folder);
    SSPanel2.setCaption(kindInfo(installer.kind).caption);
    endProgressMode("Installed to: " + folder);
    SSPanel3.repaint();  // seen before the archiver takes over
    const int exitCode =
        runMinimised({installer.commandPrefix + install_.sourceFolder + "\\" + selection(1) + " " + folder});
    // The archiver has told the user what went wrong, in its own window;
    // the panel must not go on claiming an install.
    if (exitCode != 0) SSPanel3.setCaption("Not installed: " + folder);
}

// Where the RAR and ACE installers leave the window: the list of the folder
// they started from, nothing selected, the commands of a selection waiting.
void MainWindow::returnToIdle() {
    SSPanel3.setFillPercent(0);
    const std::string folder = folderWithRoot(install_.sourceFolder);
    ExplorerTree1.setPath(Fs.folderExists(folder) ? folder : "c:\\");
    File1.setPath(ExplorerTree1.path());
    Me.setBusy(false);
    viewers_.Form3.close();
    enableButtons({7, 9, 10}, false);
    enableMenus({"Diz", "dnfo", "install", "test"}, false);
    for (int index = 0; index < File1.count(); ++index) File1.setSelected(index, false);
}

// The archivers run with the window minimised; it comes back as it was. The
// result is the first exit code that was not 0.
int MainWindow::runMinimised(const std::vector<std::string>& commandLines) {
    const WindowState before = Me.windowState();
    Me.setWindowState(WindowState::Minimized);
    int failure = 0;
    for (const std::string& line : commandLines) {
        const int exitCode = ExecCmd(line);
        if (failure == 0) failure = exitCode;
    }
    Screen.doEvents();
    Me.setWindowState(before == WindowState::Maximized ? before : WindowState::Normal);
    Me.repaint();
    return failure;
}

}  // namespace q32
