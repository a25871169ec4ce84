#include "app/main_window.h"

#include "command_kit/panels.h"

namespace q32 {

MainWindow::MainWindow(const Platform& p)
    : Me(p.form),
      GTToolbar1(p.toolbar),
      Menus(p.menus),
      Frame1(p.frame),
      SSPanel1(p.panel1),
      SSPanel2(p.panel2),
      SSPanel3(p.panel3),
      GTSplitter1(p.splitter),
      ExplorerTree1(p.tree),
      File1(p.list),
      Picture1(p.sizeGrip),
      Form4(p.splash),
      Screen(p.desktop),
      App(p.instance),
      Fs(p.fs),
      BrowseDialog1(p.picker),
      XceedZip1(p.zip),
      ProgramFolder(p.programFolder),
      passwords_(Screen),
      descriptions_({Me, GTToolbar1, SSPanel2, SSPanel3, GTSplitter1, ExplorerTree1, File1, Screen, Fs, XceedZip1,
                     ProgramFolder, selection_, *this, p.descriptionViewer, p.nfoViewer}),
      install_({Me, GTToolbar1, SSPanel2, SSPanel3, ExplorerTree1, File1, Screen, Fs, p.processes, XceedZip1,
                ProgramFolder, installDrive_, selection_, *this, descriptions_}),
      zipTest_({Me, GTToolbar1, SSPanel2, SSPanel3, ExplorerTree1, File1, Screen, Fs, p.processes, XceedZip1, p.sound,
                ProgramFolder, selection_, *this, descriptions_, closeAsked_}),
      housekeeping_({Me, GTToolbar1, SSPanel2, ExplorerTree1, File1, Screen, Fs, p.processes, BrowseDialog1,
                     installDrive_, *this, descriptions_}),
      help_({Form4, p.processes, p.sound, p.help, ProgramFolder}) {
    placeDesignedControls();
    File1.setToolTip("Double click on zip to view diz");
    BrowseDialog1.setPrompt("Choose drive for temporary files...");
    XceedZip1.setPasswordProvider(&passwords_);
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
    descriptions_.onNext() = [this] { runCommand([this] { ShowNextNfo(); }); };
}

ArchiveKind MainWindow::currentKind() const { return q32::currentKind(GTToolbar1); }

// While the zip engine works: the progress fill moves and the window handles
// its events (Escape among them).
void MainWindow::XceedZip1_Status(int percent) {
    SSPanel3.setFillPercent(percent);
    Screen.doEvents();
}

}  // namespace q32
