// The help commands: the help contents (the menu and F1), the maker's web
// page and e-mail address, and the about window, which also opens from a
// click on the program's mark (status panel 1).
#pragma once

#include <string>

#include "help/splash_form.h"
#include "platform/help.h"
#include "platform/processes.h"
#include "platform/sound.h"

namespace q32 {

// The services the help commands use, under the window's names.
struct HelpContext {
    SplashForm& Form4;
    Processes& Programs;
    Sound& Sounds;
    HelpSystem& Help;
    std::string ProgramFolder;
};

class HelpCommands : private HelpContext {
public:
    explicit HelpCommands(const HelpContext& context) : HelpContext(context) {}

    void contents_Click();
    // F1 opens the help file in the help program, beside the window.
    void helpKey();
    void web_Click();
    void mail_Click();
    void about_Click();
    // The program's mark: the about window with its icon.
    void markClicked();
    // The help window goes with the main window.
    void closeHelp() { Help.close(helpFilePath()); }
    // The program's folder + "\Quil32.HLP".
    std::string helpFilePath() const;
};

}  // namespace q32
