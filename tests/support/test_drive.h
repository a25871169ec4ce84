// A temporary folder tree mapped as drives for one test: drive c (and d)
// are fresh folders that vanish with the fixture, so no test touches
// anything outside it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "platform/host/host_file_system.h"
#include "support/headless_controls.h"
#include "support/run_tool.h"

namespace q32::test {

// The host file system, with the free space of a drive set by the test
// where it wants one.
class TestFileSystem : public host::HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::optional<std::int64_t> freeSpace(char driveLetter) override;
    std::map<char, std::optional<std::int64_t>> freeBytes;  // by lower-case letter
};

class TestDrive {
public:
    TestDrive();
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;

    // Host path of a virtual one ("c:\games\a.zip").
    std::string host(const std::string& virtualPath) const;
    void makeFolder(const std::string& virtualPath) const;  // with its parents
    void writeFile(const std::string& virtualPath, const std::string& bytes = "x") const;
    std::string readFile(const std::string& virtualPath) const;
    bool exists(const std::string& virtualPath) const;

    const std::string& root() const { return folder_.path(); }
    TestFileSystem& fs() { return *fs_; }

private:
    TempFolder folder_;  // removed with everything a test left in it, read-only or not
    std::unique_ptr<TestFileSystem> fs_;
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
