#include "app/main_window.h"

#include "common/text.h"

namespace q32 {

MainWindow::MainWindow(const Platform& platform)
    : Me(platform.form),
      GTToolbar1(platform.toolbar),
      Menus(platform.menus),
      Frame1(platform.frame),
      SSPanel1(platform.panel1),
      SSPanel2(platform.panel2),
      SSPanel3(platform.panel3),
      GTSplitter1(platform.splitter),
      ExplorerTree1(platform.tree),
      File1(platform.list),
      Picture1(platform.sizeGrip),
      Form4(platform.splash),
      Screen(platform.desktop),
      App(platform.instance),
      Fs(platform.fs),
      Programs(platform.processes),
      BrowseDialog1(platform.picker),
      XceedZip1(platform.zip),
      Sounds(platform.sound),
      Help(platform.help),
      ProgramFolder(platform.programFolder),
      viewers_(platform.descriptionViewer, platform.nfoViewer) {
    placeDesignedControls();
    File1.setToolTip("Double click on zip to view diz");
    BrowseDialog1.setPrompt("Choose drive for temporary files...");
    connectEvents();
}

void MainWindow::connectEvents() {
    GTToolbar1.onButtonClick = [this](int index) { GTToolbar1_ButtonClick(index); };
    GTToolbar1.onMouseEnter = [this] { GTToolbar1_MouseEnter(); };
    GTToolbar1.onMouseExit = [this] { GTToolbar1_MouseExit(); };
    Menus.onTriggered = [this](const std::string& entry) { menu_Click(entry); };
    Me.onResize = [this] { Form_Resize(); };
    Me.onUnload = [this] { Form_Unload(); };
    Me.onQueryUnload = [this] { return Form_QueryUnload(); };
    Me.onMouseDown = [this](MouseButton button) { Form_MouseDown(button); };
    Me.onKeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    Me.onKeyPress = [this](int charCode) { Form_KeyPress(charCode); };
    Me.onDropFiles = [this](const std::vector<std::string>& paths) { FMDrop1_DropFiles(paths); };
    SSPanel1.onClick = [this] { SSPanel1_Click(); };
    SSPanel2.onMouseDown = [this](MouseButton button) { SSPanel2_MouseDown(button); };
    SSPanel3.onMouseDown = [this](MouseButton button) { SSPanel3_MouseDown(button); };
    GTSplitter1.onResize = [this] { GTSplitter1_Resize(); };
    GTSplitter1.onSplitterResize = [this](const Rect& a, const Rect& b) { GTSplitter1_SplitterResize(a, b); };
    ExplorerTree1.onDirChanged = [this] { ExplorerTree1_OnDirChanged(); };
    File1.onMouseDown = [this](MouseButton button) { File1_MouseDown(button); };
    File1.onMouseUp = [this](MouseButton button) { File1_MouseUp(button); };
    File1.onDblClick = [this] { File1_DblClick(); };
    BrowseDialog1.onSelectionChanged = [this](const std::string& path) { BrowseDialog1_SelectionChanged(path); };
    XceedZip1.onStatus = [this](int percent) { XceedZip1_Status(percent); };
    viewers_.form5.onNext = [this] { runCommand([this] { ShowNextNfo(); }); };
}

ArchiveKind MainWindow::currentKind() const {
    for (int index = 1; index <= 4; ++index) {
        if (GTToolbar1.isDown(index)) return kindOfButton(index);
    }
    return ArchiveKind::Zip;
}

// Commands that end put the kind buttons back to ZIP.
void MainWindow::showZipKind() { setKindButtons(ArchiveKind::Zip); }

void MainWindow::setKindButtons(ArchiveKind kind) {
    for (int index = 1; index <= 4; ++index) GTToolbar1.setDown(index, kindOfButton(index) == kind);
}

void MainWindow::enableButtons(std::initializer_list<int> indexes, bool enabled) {
    for (int index : indexes) GTToolbar1.setEnabled(index, enabled);
}

void MainWindow::enableMenus(std::initializer_list<const char*> entries, bool enabled) {
    for (const char* entry : entries) Menus.setEnabled(entry, enabled);
}

void MainWindow::disableArchiveCommands() {
    enableButtons({6, 7, 9, 10}, false);
    enableMenus({"Diz", "dnfo", "install", "test"}, false);
}

void MainWindow::enableInstallAndTest() {
    enableButtons({9, 10}, true);
    enableMenus({"install", "test"}, true);
}

// While the zip engine works: the progress fill moves and the window handles
// its events (Escape among them).
void MainWindow::XceedZip1_Status(int percent) {
    SSPanel3.setFillPercent(percent);
    Screen.doEvents();
}

void MainWindow::deselectAll() {
    for (int index = 0; index < File1.count(); ++index) File1.setSelected(index, false);
}

void MainWindow::collectSelection() {
    selectionTable_.resize(1);
    for (int index = 0; index < File1.count(); ++index) {
        if (File1.selected(index)) selectionTable_.push_back(File1.item(index));
    }
}

// While archives are processed, panel 3 shows the fill from 0 %; afterwards
// a caption in the window's text colour.
void MainWindow::startProgressMode() {
    SSPanel3.setProgressMode(true);
    SSPanel3.setTextColor(TextColor::HighlightText);
    SSPanel3.setFillPercent(0);
}

void MainWindow::endProgressMode(const std::string& caption) {
    SSPanel3.setProgressMode(false);
    SSPanel3.setTextColor(TextColor::WindowText);
    SSPanel3.setCaption(caption);
}

void MainWindow::showListFolderInPanel3() {
    SSPanel3.setProgressMode(false);
    SSPanel3.setTextColor(TextColor::Black);
    SSPanel3.setCaption(lower(File1.path()));
}

}  // namespace q32
