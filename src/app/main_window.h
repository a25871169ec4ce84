// The main window: the whole program. Its member functions are the commands
// and event handlers, under the names the program gives them; the controls are
// members under their own names. The members are defined over several .cpp
// files, one per command or group of related handlers.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/splash_form.h"
#include "archive/kinds.h"
#include "install/install_run.h"
#include "platform/platform.h"
#include "viewer/viewer_state.h"
#include "zip_test_command/zip_test_run.h"

namespace q32 {

class MainWindow {
public:
    explicit MainWindow(const Platform& platform);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Start-up and shutdown
    void Form_Load();
    void Form_Unload();
    // The close box: false keeps the window open while a command runs; the
    // command is asked to stop and the window closes once it has ended.
    bool Form_QueryUnload();
    void SaveSettings();
    void exit0_Click();

    // Toolbar, menus, keys, pop-up menu
    void GTToolbar1_ButtonClick(int index);
    void GTToolbar1_MouseEnter();
    void GTToolbar1_MouseExit();
    void menu_Click(const std::string& entry);
    void Form_KeyDown(int keyCode, int shift);
    void Form_KeyPress(int charCode);
    void File1_MouseDown(MouseButton button);
    void Form_MouseDown(MouseButton button);
    void SSPanel2_MouseDown(MouseButton button);
    void SSPanel3_MouseDown(MouseButton button);

    // Layout
    void Form_Resize();
    void GTSplitter1_Resize();
    void GTSplitter1_SplitterResize(const Rect& pane1, const Rect& pane2);

    // Folder tree, file list, drop
    void ExplorerTree1_OnDirChanged();
    void File1_MouseUp(MouseButton button);
    void File1_DblClick();
    void refresh_Click();
    void FMDrop1_DropFiles(const std::vector<std::string>& paths);

    // Zip engine
    void XceedZip1_Status(int percent);

    // Install targets and the command runner
    ScratchFolder NextScratchFolder(char drive, int start);
    bool CheckInstallSpace(char drive, std::int64_t requiredBytes);
    bool ChooseInstallDrive();
    void BrowseDialog1_SelectionChanged(const std::string& newPath);
    // Returns the program's exit code; most callers go on whatever it did.
    int ExecCmd(const CommandLine& command);

    // Housekeeping
    bool ScanScratchFolders(char drive);
    void dtemp_Click();
    void temp_Click();
    void delete_Click();

    // Install
    void install_Click();
    void InstallRar();
    void InstallAce();

    // Volume sets among the files the list shows
    void SelectRarSet();
    void SelectAceSet();
    void SelectArjSet();

    // The ZIP test
    void TestZips();

    // Descriptions and NFO files
    void ShowDescriptions();
    void dnfo_Click();
    void ShowNextNfo();

    // Help, web page, e-mail, about
    void contents_Click();
    void web_Click();
    void mail_Click();
    void about_Click();
    void SSPanel1_Click();
    // The program's folder + "\Quil32.HLP".
    std::string helpFilePath() const;

    // State other parts read
    ArchiveKind currentKind() const;
    const std::string& versionText() const { return versionText_; }
    const std::string& rememberedFolder() const { return rememberedFolder_; }
    char installDrive() const { return installDrive_; }
    int selectionCount() const { return static_cast<int>(selectionTable_.size()) - 1; }
    const std::string& selection(int slot) const { return selectionTable_.at(static_cast<std::size_t>(slot)); }
    const std::string& firstArchivePath() const { return viewers_.firstArchivePath; }
    const SetFoundFlags& setFound() const { return setFound_; }

    // Designed window geometry, twips.
    static constexpr double kDesignedWidth = 9600;
    static constexpr double kDesignedHeight = 7200;
    static constexpr double kDesignedPane1Width = 3000;

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
    Processes& Programs;
    DrivePicker& BrowseDialog1;
    ZipEngine& XceedZip1;
    Sound& Sounds;
    HelpSystem& Help;
    const std::string ProgramFolder;

private:
    // Start-up pieces
    void buildToolbar();
    void buildMenus();
    void connectEvents();
    bool refusedStart();
    std::string settingsPath() const;
    void writeDefaultSettings();
    bool readSettings();
    void keepWindowUsable();
    bool applyRememberedFolder();
    void settingsFallBack();
    bool showMainWindow(bool stopOnError);
    bool removeStartupLeftovers();
    bool removeFilesMatching(const std::string& pattern, bool all);
    void showStartFolder();
    void placeDesignedControls();

    // Install pieces
    void installZipArchives();
    std::string sourceArchive(const std::string& name) const;
    std::int64_t selectedArchiveBytes();
    bool extractSelectedArchives();
    void showInstallFolder();
    bool installVolumeSets();
    int extractSet(const KindInfo& kind, const std::string& setFolder);
    void finishSetInstall(const std::string& setFolder, bool extracted);
    void copyFirstArchiveDescriptions(const std::string& folder);
    void keepInstallFolder(const std::string& setFolder);
    void offerSetup(const std::string& folder);
    void showSourceFolderAgain();
    void returnToZipList();
    void installSetDirectly(const KindInfo& kind);
    bool holdsFileOfKind(const std::string& folder, const KindInfo& kind);
    void extractShownSet(const KindInfo& kind);
    void returnToIdle();
    int runMinimised(const std::vector<CommandLine>& commands);

    // Set selection: runs the kind's selection and returns its set-found flag.
    bool selectSetOf(ArchiveKind kind);
    bool selectVolumeSet(ArchiveKind kind);

    // Runs a command the user asked for, unless another one is running.
    void runCommand(const std::function<void()>& command);
    void keepKindOfRunningCommand();
    void clickButton(int index);
    void chooseMenuEntry(const std::string& entry);
    void selectAll();
    void fallBackToDriveC();
    void installDroppedFiles(const std::vector<std::string>& paths);

    // Shared steps of several commands
    void enableButtons(std::initializer_list<int> indexes, bool enabled);
    void enableMenus(std::initializer_list<const char*> entries, bool enabled);
    // Buttons 6, 7, 9, 10 and the entries Diz, dnfo, install, test.
    void disableArchiveCommands();
    // Buttons 9, 10 and the entries install, test.
    void enableInstallAndTest();
    // Adds ".bad" to a damaged archive's name when its drive has room.
    void markArchiveBad(const std::string& archive);
    // Extracts an archive's description files (the mask) into the program
    // folder, passing over any too large to be a description.
    std::int16_t extractDescriptionFiles(const std::string& mask, const std::string& archive);
    void showListFolderInPanel3();
    void startProgressMode();
    void endProgressMode(const std::string& caption);
    // Fills the selection table from slot 1 with the list's selected names.
    void collectSelection();
    void deselectAll();
    void selectKind(int index);
    void popupFileMenu();
    void showError(const std::string& text);
    void showZipKind();
    void setKindButtons(ArchiveKind kind);

    // Description collection and NFO display
    std::int16_t extractDescriptions(const std::string& firstName);
    void markDamagedArchive(std::int16_t code);
    void showCollectedDescription();
    void placeDescriptionViewer();
    void showNextNfoFile();
    void enableNfoCommand(bool enabled);
    ViewerState viewers_;

    // The ZIP test
    void startTestRun();
    bool testArchive(int slot);
    void showTestSummary();
    void writeTestReport(const std::string& report);
    TestRun test_;

    std::string versionText_;
    std::string rememberedFolder_;
    char installDrive_ = 'c';
    bool refused_ = false;

    // Names the commands work on, from slot 1 (slot 0 stays empty); as many
    // as the user selected.
    std::vector<std::string> selectionTable_{1};

    InstallRun install_;
    SetFoundFlags setFound_;

    bool commandRunning_ = false;
    ArchiveKind kindOfRunningCommand_ = ArchiveKind::Zip;
    bool closeAsked_ = false;
};

}  // namespace q32
