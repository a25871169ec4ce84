// The small commands of the Help menu and toolbar buttons 12 to 14: the help
// contents, the maker's web page and e-mail address, and the about window,
// which also opens from a click on the program's mark (status panel 1).
#include "app/main_window.h"
#include "common/text.h"

namespace q32 {

namespace {

// Where the web and mail commands send the user.
constexpr const char* kMakerWebPage = "https://quillet32.example.org/";
constexpr const char* kMakerMailAddress = "tobrek@quillet32.example.org";

}  // namespace

std::string MainWindow::helpFilePath() const { return joinPath(ProgramFolder, "Quil32.HLP"); }

void MainWindow::contents_Click() { Help.showContents(helpFilePath()); }

void MainWindow::web_Click() { Programs.start({"webdial.exe", {std::string("$") + kMakerWebPage}}, ShowState::Normal); }

void MainWindow::mail_Click() {
    Programs.start({"webdial.exe", {std::string(">mailto:") + kMakerMailAddress}}, ShowState::Normal);
}

// Already open, the window is shown again and the thunder rolls again.
void MainWindow::about_Click() {
    Form4.load();
    Sounds.play(joinPath(ProgramFolder, "thunder.wav"), false);
    Form4.show();
}

void MainWindow::SSPanel1_Click() {
    runCommand([this] {
        Form4.setIconVisible(true);
        about_Click();
    });
}

}  // namespace q32
