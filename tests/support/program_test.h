// The whole program on headless controls over a test drive, and the fixture
// of the tests that drive the main window as a user would.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"
#include "support/test_drive.h"

namespace q32::test {

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
