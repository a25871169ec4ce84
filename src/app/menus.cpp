// The menu bar and its dispatch.
#include "app/main_window.h"

namespace q32 {

namespace {

struct EntrySpec {
    const char* menu;
    const char* name;  // "" for a separator
    const char* caption;
    const char* shortcut;
};

constexpr EntrySpec kEntries[] = {
    {"popup", "install", "&Install files...", "Ctrl+I"},
    {"popup", "test", "&Test files...", "Ctrl+T"},
    {"popup", "", "", ""},
    {"popup", "Diz", "Di&z display", "Ctrl+Z"},
    {"popup", "dnfo", "&Nfo display", "Ctrl+N"},
    {"popup", "", "", ""},
    {"popup", "refresh", "Re&fresh files...", "Ctrl+F"},
    {"popup", "", "", ""},
    {"popup", "delete", "&Delete files...", "Ctrl+D"},
    {"popup", "", "", ""},
    {"popup", "exit0", "E&xit", "Ctrl+X"},
    {"options", "temp", "Tem&porary drive...", "Ctrl+P"},
    {"options", "dtemp", "De&lete temp. dir's...", "Ctrl+L"},
    {"help", "contents", "&Help Contents...", "Ctrl+H"},
    {"help", "", "", ""},
    {"help", "web", "&Web page...", "Ctrl+W"},
    {"help", "mail", "&E-mail...", "Ctrl+E"},
    {"help", "", "", ""},
    {"help", "about", "&About...", "Ctrl+A"},
};

}  // namespace

void MainWindow::buildMenus() {
    Menus.addMenu("popup", "&File");
    Menus.addMenu("options", "&Options");
    Menus.addMenu("help", "&Help");
    for (const EntrySpec& entry : kEntries) {
        if (*entry.name == '\0') Menus.addSeparator(entry.menu);
        else Menus.addEntry(entry.menu, entry.name, entry.caption, entry.shortcut);
    }
}

void MainWindow::menu_Click(const std::string& entry) {
    runCommand([this, &entry] { chooseMenuEntry(entry); });
}

void MainWindow::chooseMenuEntry(const std::string& entry) {
    if (entry == "install") install_Click();
    else if (entry == "test") TestZips();
    else if (entry == "Diz") ShowDescriptions();
    else if (entry == "dnfo") dnfo_Click();
    else if (entry == "refresh") refresh_Click();
    else if (entry == "delete") delete_Click();
    else if (entry == "temp") temp_Click();
    else if (entry == "dtemp") dtemp_Click();
    else if (entry == "exit0") exit0_Click();
    else if (entry == "contents") contents_Click();
    else if (entry == "web") web_Click();
    else if (entry == "mail") mail_Click();
    else if (entry == "about") about_Click();
}

void MainWindow::exit0_Click() { Me.unload(); }

}  // namespace q32
