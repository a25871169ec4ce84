#include "help/help_commands.h"

#include "common/text.h"

namespace q32 {

namespace {

// Where the web and mail commands send the user.
constexpr const char* kMakerWebPage = "https://quillet32.example.org/";
constexpr const char* kMakerMailAddress = "tobrek@quillet32.example.org";

}  // namespace

std::string HelpCommands::helpFilePath() const { return joinPath(ProgramFolder, "Quil32.HLP"); }

void HelpCommands::contents_Click() { Help.showContents(helpFilePath()); }

void HelpCommands::helpKey() {
    Programs.start({"winhelp.exe", {joinPath(ProgramFolder, "Quil32.hlp")}}, ShowState::NormalNoFocus);
}

void HelpCommands::web_Click() { Programs.start({"webdial.exe", {std::string("$") + kMakerWebPage}}, ShowState::Normal); }

void HelpCommands::mail_Click() {
    Programs.start({"webdial.exe", {std::string(">mailto:") + kMakerMailAddress}}, ShowState::Normal);
}

// Already open, the window is shown again and the thunder rolls again.
void HelpCommands::about_Click() {
    Form4.load();
    Sounds.play(joinPath(ProgramFolder, "thunder.wav"), false);
    Form4.show();
}

void HelpCommands::markClicked() {
    Form4.setIconVisible(true);
    about_Click();
}

}  // namespace q32
