// Keys the main window sees before its controls, and the pop-up menu.
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

void MainWindow::Form_KeyDown(int keyCode, int /*shift*/) {
    // Escape stops a running zip operation: it arrives while the engine
    // reports its progress.
    if (keyCode == keys::Escape) XceedZip1.setAbort(true);
    if (keyCode == keys::F1) {
        runCommand([this] {
            Programs.start({"winhelp.exe", {joinPath(ProgramFolder, "Quil32.hlp")}}, ShowState::NormalNoFocus);
        });
    }
}

// Ctrl+T and Tab stand for the test and install entries and do nothing
// while those are disabled.
void MainWindow::Form_KeyPress(int charCode) {
    if (charCode == keys::CtrlS) {
        runCommand([this] { selectAll(); });
    } else if (charCode == keys::CtrlT) {
        if (Menus.isEnabled("test")) runCommand([this] { TestZips(); });
    } else if (charCode == keys::Tab) {
        if (Menus.isEnabled("install")) runCommand([this] { install_Click(); });
    }
}

void MainWindow::selectAll() {
    File1.refresh();
    Screen.doEvents();
    for (int index = 0; index < File1.count(); ++index) File1.setSelected(index, true);
    enableButtons({9, 10, 6}, true);
    enableMenus({"Diz", "install", "test"}, true);
}

// The right button opens the File menu at the pointer, but only while there
// is something to install.
void MainWindow::popupFileMenu() {
    if (commandRunning_) return;
    if (Menus.isEnabled("install")) Menus.popup("popup");
}

void MainWindow::File1_MouseDown(MouseButton button) {
    if (button == MouseButton::Right) popupFileMenu();
}

void MainWindow::Form_MouseDown(MouseButton button) {
    if (button == MouseButton::Right) popupFileMenu();
}

void MainWindow::SSPanel2_MouseDown(MouseButton button) {
    if (button == MouseButton::Right) popupFileMenu();
}

void MainWindow::SSPanel3_MouseDown(MouseButton button) {
    if (button == MouseButton::Right) popupFileMenu();
}

}  // namespace q32
