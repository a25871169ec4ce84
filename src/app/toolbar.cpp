// The toolbar: the four kind buttons and the command buttons.
#include "app/main_window.h"

namespace q32 {

namespace {

struct ButtonSpec {
    const char* key;
    ButtonStyle style;
    const char* toolTip;
};

// In index order from 1; separators count.
constexpr ButtonSpec kButtons[] = {
    {"zip", ButtonStyle::Group, "Zip's"},       {"rar", ButtonStyle::Group, "Rar's"},
    {"arj", ButtonStyle::Group, "Arj's"},       {"ace", ButtonStyle::Group, "Ace's"},
    {"", ButtonStyle::Separator, ""},           {"diz", ButtonStyle::Plain, "Diz"},
    {"nfo", ButtonStyle::Plain, ""},            {"", ButtonStyle::Separator, ""},
    {"install", ButtonStyle::Plain, "Install"}, {"test", ButtonStyle::Plain, "Test"},
    {"", ButtonStyle::Separator, ""},           {"help", ButtonStyle::Plain, "Help"},
    {"web", ButtonStyle::Plain, "Visit Web page"}, {"email", ButtonStyle::Plain, "Email Tobrek"},
    {"", ButtonStyle::Separator, ""},           {"exit", ButtonStyle::Plain, "Exit"},
};

}  // namespace

void MainWindow::buildToolbar() {
    for (const ButtonSpec& button : kButtons) GTToolbar1.addButton(button.key, button.style, button.toolTip);
    GTToolbar1.setDown(1, true);
    enableButtons({6, 7, 9, 10}, false);
    Menus.setEnabled("dnfo", false);
}

void MainWindow::GTToolbar1_ButtonClick(int index) {
    if (commandRunning_) {
        if (index >= 1 && index <= 4) keepKindOfRunningCommand();
        return;
    }
    runCommand([this, index] { clickButton(index); });
}

void MainWindow::clickButton(int index) {
    switch (index) {
        case 1: case 2: case 3: case 4: selectKind(index); break;
        case 6: ShowDescriptions(); break;
        case 7: dnfo_Click(); break;
        case 9: install_Click(); break;
        case 10: TestZips(); break;
        case 12: contents_Click(); break;
        case 13: web_Click(); break;
        case 14: mail_Click(); break;
        case 16: exit0_Click(); break;
        default: break;  // separators
    }
}

// A kind button: the list shows that kind's files; the commands of a
// selection wait for a new one.
void MainWindow::selectKind(int index) {
    const KindInfo& info = kindInfo(kindOfButton(index));
    File1.setPattern(info.toolbarFilter);
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption(info.caption);
    if (index == 1) return;
    disableArchiveCommands();
}

void MainWindow::GTToolbar1_MouseEnter() { GTToolbar1.setHotTracking(true); }

void MainWindow::GTToolbar1_MouseExit() {}

}  // namespace q32
