// The install's last step: the package's setup.exe, offered and started. A
// DOS or Windows program runs through Wine (DOS programs through Wine's
// DOSBox); when what it needs is missing, the user learns what to install.
#include "command_kit/panels.h"
#include "common/text.h"
#include "install/install_command.h"
#include "install/setup_messages.h"

namespace q32 {

void InstallCommand::offerSetup(const std::string& folder) {
    if (!Fs.fileExists(joinPath(folder, "setup.exe"))) return;
    const std::string found = "Found " + folder + "\\Setup.exe";
    endProgressMode(SSPanel3, found);
    const MsgAnswer answer = Screen.messageBox("   Run Setup.exe?   ", "Found setup", MsgIcon::Question, MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes) return;
    const CommandLine setup("", {folder + "\\setup.exe"});
    const StartCheck check = Programs.checkStart(setup);
    if (check.problem != StartProblem::None) {
        showError(Screen, cannotStartSetupText(check, setup.text()));
        return;
    }
    // The first start of Wine makes its settings folder and takes a while.
    SSPanel3.setCaption(startingSetupCaption(check.kind));
    Screen.doEvents();  // the question goes, the caption shows
    Me.repaint();
    Me.setBusy(true);
    const int code = Programs.start(setup, ShowState::Hidden);
    Me.setBusy(false);
    SSPanel3.setCaption(found);
    if (code != kStarted) showError(Screen, setupFailedText(code, setup.text()));
}

}  // namespace q32
