// The main window: what belongs to the window itself (start-up and shutdown,
// settings, layout, tree and list, kinds, selection, the command table and
// the window modes) and the commands, each an object of its own folder that
// gets only the controls and services it uses. The program's entry names
// stay here as one-line forwards, so each can be found from its name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "command_kit/password_prompt.h"
#include "help/help_commands.h"
#include "housekeeping/housekeeping.h"
#include "install/install_command.h"
#include "platform/platform.h"
#include "viewer/description_commands.h"
#include "zip_test_command/zip_test_command.h"

namespace q32 {

class MainWindow : private ModeSwitch {
public:
    explicit MainWindow(const Platform& platform);

    // Start-up and shutdown; the close box waits for a running command to stop.
    void Form_Load();
    void Form_Unload();
    bool Form_QueryUnload();
    void SaveSettings();
    void exit0_Click() { Me.unload(); }

    // Toolbar, menus, keys, pop-up menu, layout, tree, list, drop
    void GTToolbar1_ButtonClick(int index);
    void GTToolbar1_MouseEnter() { GTToolbar1.setHotTracking(true); }
    void GTToolbar1_MouseExit() {}
    void menu_Click(const std::string& entry);
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(int charCode);
    void File1_MouseDown(MouseButton button);
    void Form_MouseDown(MouseButton button) { File1_MouseDown(button); }
    void SSPanel2_MouseDown(MouseButton button) { File1_MouseDown(button); }
    void SSPanel3_MouseDown(MouseButton button) { File1_MouseDown(button); }
    void Form_Resize();
    void GTSplitter1_Resize();
    void GTSplitter1_SplitterResize(const Rect& pane1, const Rect& pane2);
    void ExplorerTree1_OnDirChanged();
    void File1_MouseUp(MouseButton button);
    void File1_DblClick() { runCommand([this] { ShowDescriptions(); }); }
    void refresh_Click();
    void FMDrop1_DropFiles(const std::vector<std::string>& paths);
    void XceedZip1_Status(int percent);
    void SSPanel1_Click() { runCommand([this] { help_.markClicked(); }); }
    void selectKind(int index);  // a kind button: 1 to 4
    void selectAll();            // Ctrl+S

    // The commands
    void install_Click() { install_.install_Click(); }
    void InstallRar() { install_.InstallRar(); }
    void InstallAce() { install_.InstallAce(); }
    void SelectRarSet() { install_.sets().SelectRarSet(); }
    void SelectAceSet() { install_.sets().SelectAceSet(); }
    void SelectArjSet() { install_.sets().SelectArjSet(); }
    ScratchFolder NextScratchFolder(char drive, int start) { return install_.NextScratchFolder(drive, start); }
    bool CheckInstallSpace(char drive, std::int64_t bytes) { return install_.CheckInstallSpace(drive, bytes); }
    int ExecCmd(const CommandLine& command) { return install_.ExecCmd(command); }
    void TestZips() { zipTest_.TestZips(); }
    void ShowDescriptions() { descriptions_.ShowDescriptions(); }
    void dnfo_Click() { descriptions_.dnfo_Click(); }
    void ShowNextNfo() { descriptions_.ShowNextNfo(); }
    bool ScanScratchFolders(char drive) { return housekeeping_.ScanScratchFolders(drive); }
    void dtemp_Click() { housekeeping_.dtemp_Click(); }
    void temp_Click() { housekeeping_.temp_Click(); }
    void delete_Click() { housekeeping_.delete_Click(); }
    bool ChooseInstallDrive() { return housekeeping_.ChooseInstallDrive(); }
    void BrowseDialog1_SelectionChanged(const std::string& path) { housekeeping_.BrowseDialog1_SelectionChanged(path); }
    void contents_Click() { help_.contents_Click(); }
    void web_Click() { help_.web_Click(); }
    void mail_Click() { help_.mail_Click(); }
    void about_Click() { help_.about_Click(); }
    void helpKey() { help_.helpKey(); }
    std::string helpFilePath() const { return help_.helpFilePath(); }

    // State other parts read
    ArchiveKind currentKind() const;
    const std::string& versionText() const { return versionText_; }
    const std::string& rememberedFolder() const { return rememberedFolder_; }
    char installDrive() const { return installDrive_; }
    int selectionCount() const { return selection_.count(); }
    const std::string& selection(int slot) const { return selection_.at(slot); }
    const std::string& firstArchivePath() const { return descriptions_.firstArchivePath(); }
    const SetFoundFlags& setFound() const { return install_.sets().setFound(); }

    // Controls under the program's names.
    MainForm& Me;
    Toolbar& GTToolbar1;
    MenuBar& Menus;
    Placed& Frame1;
    StatusPanel& SSPanel1;
    StatusPanel& SSPanel2;
    StatusPanel& SSPanel3;
    Splitter& GTSplitter1;
    FolderTree& ExplorerTree1;
    FileList& File1;
    Placed& Picture1;
    SplashForm Form4;
    Desktop& Screen;
    InstanceGuard& App;
    FileSystem& Fs;
    DrivePicker& BrowseDialog1;
    ZipEngine& XceedZip1;
    const std::string ProgramFolder;

private:
    void connectEvents();
    void buildToolbarAndMenus();
    bool refusedStart();
    void writeDefaultSettings();
    bool readSettings();
    void keepWindowUsable();
    bool applyRememberedFolder();
    void settingsFallBack();
    bool showMainWindow(bool stopOnError);
    bool removeStartupLeftovers();
    void showStartFolder();
    void placeDesignedControls();
    void fallBackToDriveC();
    // Runs a command the user asked for, unless another one is running.
    void runCommand(const std::function<void()>& command);
    void runRow(const CommandRow& row);
    void installDroppedFiles(const std::vector<std::string>& paths);
    void enter(WindowMode mode) override;

    std::string versionText_, rememberedFolder_;
    char installDrive_ = 'c';
    bool refused_ = false, commandRunning_ = false, closeAsked_ = false;
    ArchiveKind kindOfRunningCommand_ = ArchiveKind::Zip;
    Selection selection_;
    PasswordPrompt passwords_;

    DescriptionCommands descriptions_;
    InstallCommand install_;
    ZipTestCommand zipTest_;
    Housekeeping housekeeping_;
    HelpCommands help_;
};

}  // namespace q32
