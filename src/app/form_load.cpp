// Start-up: from the program's start to the main window waiting for the user.
#include "app/main_window.h"
#include "command_kit/panels.h"
#include "command_kit/program_folder_files.h"
#include "common/text.h"

namespace q32 {

namespace {

std::string folderOfDirLine(const std::string& dirLine) { return dirLine.size() > 4 ? dirLine.substr(4) : ""; }

}  // namespace

void MainWindow::Form_Load() {
    GTSplitter1.addSecondPane("File1");
    buildToolbarAndMenus();
    if (refusedStart()) return;

    Form4.load();
    Form4.setIconVisible(true);
    const bool settingsRead = readSettings();
    if (!settingsRead) writeDefaultSettings();

    // From the remembered folder to the leftovers, a failing step sends the
    // view to drive C once; after that, failures are passed over so start-up
    // cannot go round in circles.
    const bool shown = (!settingsRead || applyRememberedFolder()) && showMainWindow(true);
    if (!shown) {
        settingsFallBack();
        showMainWindow(false);
    }

    ScanScratchFolders('c');
    File1.setPattern("*.zip");
    Screen.doEvents();
    showStartFolder();
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
    File1.setPattern("*.zip");
    GTToolbar1.setDown(1, true);
    enter(WindowMode::StartedUp);
    installDrive_ = 'c';
}

// A program in a drive root, or a second copy, ends before it reads or
// writes anything.
bool MainWindow::refusedStart() {
    if (!ProgramFolder.empty() && ProgramFolder.back() == '\\') {
        Screen.messageBox("Quillet32 can NOT be run from a root directory", "Error", MsgIcon::Critical,
                          MsgButtons::Ok);
        refused_ = true;
        Me.unload();
        return true;
    }
    if (App.otherCopyRunning()) {
        // This copy gives up the program's title before it wakes the running one.
        Me.setCaption("... duplicate instance.");
        App.restoreOtherCopy();
        refused_ = true;
        Me.unload();
        return true;
    }
    return false;
}

bool MainWindow::applyRememberedFolder() {
    const std::string folder = folderOfDirLine(rememberedFolder_);
    if (!Fs.folderExists(folder)) return true;
    return File1.setPath(folder) && ExplorerTree1.setPath(File1.path());
}

void MainWindow::settingsFallBack() {
    ExplorerTree1.setPath("c:\\");
    File1.setPath(ExplorerTree1.path());
    rememberedFolder_ = "Dir=" + ExplorerTree1.path();
}

// Shows the main window and clears what earlier runs left in the program's
// folder. With stopOnError, the first failing step ends it with false.
bool MainWindow::showMainWindow(bool stopOnError) {
    versionText_ = Form4.versionText();
    if (Fs.folderExists(ExplorerTree1.path())) {
        if (!File1.setPath(ExplorerTree1.path()) && stopOnError) return false;
        showListFolder(SSPanel3, File1);
    }
    Form4.unload();
    Me.show();
    Me.repaint();
    return removeStartupLeftovers() || !stopOnError;
}

// One description file, every NFO file and the old test report.
bool MainWindow::removeStartupLeftovers() {
    bool removed = removeFilesMatching(Fs, ProgramFolder, "*.diz", false);
    removed = removeFilesMatching(Fs, ProgramFolder, "*.nfo", true) && removed;
    const std::string report = joinPath(ProgramFolder, "errors.txt");
    if (Fs.fileExists(report)) removed = Fs.deleteFile(report) && removed;
    return removed;
}

// The remembered folder when it still exists, else the root of drive C.
void MainWindow::showStartFolder() {
    const std::string folder = folderOfDirLine(rememberedFolder_);
    if (Fs.folderExists(folder)) {
        File1.setPath(folder);
        ExplorerTree1.setPath(File1.path());
    } else {
        ExplorerTree1.setPath("c:\\");
        File1.setPath(ExplorerTree1.path());
    }
    showListFolder(SSPanel3, File1);
}

}  // namespace q32
