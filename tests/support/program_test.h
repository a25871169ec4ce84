// The whole program on headless controls over a test drive, with recorders
// of the outside services, and the fixture of the tests that drive the main
// window as a user would.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "platform/host/host_processes.h"
#include "platform/zip/zip_archive_engine.h"
#include "support/test_drive.h"

namespace q32::test {

// Records every command line; the waited-for ones run for real through
// `real`, the started ones do not run.
class RecordingProcesses : public Processes {
public:
    explicit RecordingProcesses(Processes& real) : real_(real) {}
    int runAndWait(const CommandLine& command) override {
        waited.push_back(command.text());
        return real_.runAndWait(command);
    }
    int start(const CommandLine& command, ShowState show) override {
        started.emplace_back(command.text(), show);
        if (onStart) onStart();
        return realStarts ? real_.start(command, show) : startCode;
    }
    std::function<void()> onStart;
    bool realStarts = false;  // programs started for real, not only recorded
    // What the test says, else what the real runner says.
    StartCheck checkStart(const CommandLine& command) const override {
        return startCheck.value_or(real_.checkStart(command));
    }
    std::optional<StartCheck> startCheck;
    int startCode = kStarted;
    std::vector<std::string> waited;
    std::vector<std::pair<std::string, ShowState>> started;

private:
    Processes& real_;
};

// Plays nothing: records each sound asked for, with whether the program
// waited for it.
class HeadlessSound : public Sound {
public:
    void play(const std::string& path, bool synchronous) override { played.emplace_back(path, synchronous); }
    std::vector<std::pair<std::string, bool>> played;
};

// Records the help files asked for and closed.
class RecordingHelp : public HelpSystem {
public:
    void showContents(const std::string& helpFile) override { shown.push_back(helpFile); }
    void close(const std::string& helpFile) override { closed.push_back(helpFile); }
    std::vector<std::string> shown;
    std::vector<std::string> closed;
};

// The whole set, wired into a Platform for one MainWindow.
// Outside programs and the zip engine are the real ones, over the test's drives.
struct HeadlessUi {
    HeadlessUi(host::HostFileSystem& fs, std::string programFolder);
    Platform platform();

    host::HostFileSystem& fs;
    std::string programFolder;
    HeadlessMainForm form;
    HeadlessToolbar toolbar;
    HeadlessMenuBar menus;
    HeadlessPlaced frame;
    HeadlessStatusPanel panel1, panel2, panel3;
    HeadlessSplitter splitter;
    HeadlessFolderTree tree;
    HeadlessFileList list;
    HeadlessPlaced sizeGrip;
    HeadlessSplash splash;
    HeadlessDesktop desktop;
    HeadlessInstanceGuard instance;
    HeadlessDrivePicker picker;
    HeadlessViewerWindow descriptionViewer, nfoViewer;
    host::HostProcesses realProcesses;
    RecordingProcesses processes;
    zip::ZipArchiveEngine zip;
    HeadlessSound sound;
    RecordingHelp help;
};

// A main window on headless controls over a test drive, with the program in
// c:\Quillet32 unless told otherwise.
class TestProgram {
public:
    explicit TestProgram(TestDrive& drive, std::string programFolder = "c:\\Quillet32");
    HeadlessUi ui;
    MainWindow window;
};

// A test of the main window over a fresh test drive; the window is loaded
// by the test or its fixture, once the drive holds what it needs.
class ProgramTest : public ::testing::Test {
protected:
    bool enabled(int button) { return ui.toolbar.isEnabled(button); }
    bool enabled(const char* entry) { return ui.menus.isEnabled(entry); }
    // Buttons 6, 7, 9 and 10 and the menu entries of the selection are all off.
    void expectSelectionCommandsDisabled() {
        for (int b : {6, 7, 9, 10}) EXPECT_FALSE(enabled(b)) << b;
        for (const char* e : {"Diz", "dnfo", "install", "test", "delete"}) EXPECT_FALSE(enabled(e)) << e;
    }
    // The user opens the folder and selects the files: the first alone, the others added.
    void select(const std::string& folder, const std::vector<std::string>& names) {
        ui.tree.userSelects(folder);
        for (std::size_t i = 0; i < names.size(); ++i) ui.list.click(names[i], i > 0);
    }
    // The ZIP list of `folder` on show, and the window idle.
    void expectZipListOf(const std::string& folder) {
        EXPECT_EQ(ui.tree.path(), folder);
        EXPECT_EQ(ui.list.path(), folder);
        EXPECT_EQ(ui.list.pattern(), "*.zip");
        EXPECT_EQ(ui.panel2.caption(), "*.zip");
        EXPECT_EQ(ui.panel2.alignment(), Alignment::Center);
        EXPECT_TRUE(ui.toolbar.isDown(1));
        EXPECT_FALSE(ui.form.busy());
    }
    // The texts of the message boxes shown so far.
    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.desktop.boxes) texts.push_back(box.text);
        return texts;
    }

    TestDrive drive;
    TestProgram program{drive};
    HeadlessUi& ui = program.ui;
};

}  // namespace q32::test
