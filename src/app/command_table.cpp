#include "app/command_table.h"

#include "app/main_window.h"

namespace q32 {

namespace {

// In menu order; the kind buttons and the keys of no menu entry last.
const std::vector<CommandRow> kCommands = {
    {.id = CommandId::Install, .button = 9, .picture = "install", .toolTip = "Install", .menu = "popup",
     .entry = "install", .caption = "&Install files...", .shortcut = "Ctrl+I", .keyPress = keys::Tab,
     .handler = [](MainWindow& w) { w.install_Click(); }},
    {.id = CommandId::Test, .button = 10, .picture = "test", .toolTip = "Test", .menu = "popup", .entry = "test",
     .caption = "&Test files...", .shortcut = "Ctrl+T", .keyPress = keys::CtrlT,
     .handler = [](MainWindow& w) { w.TestZips(); }},
    {.id = CommandId::Diz, .button = 6, .picture = "diz", .toolTip = "Diz", .menu = "popup", .entry = "Diz",
     .caption = "Di&z display", .shortcut = "Ctrl+Z", .separatorBefore = true,
     .handler = [](MainWindow& w) { w.ShowDescriptions(); }},
    {.id = CommandId::Nfo, .button = 7, .picture = "nfo", .menu = "popup", .entry = "dnfo",
     .caption = "&Nfo display", .shortcut = "Ctrl+N", .handler = [](MainWindow& w) { w.dnfo_Click(); }},
    {.id = CommandId::Refresh, .menu = "popup", .entry = "refresh", .caption = "Re&fresh files...",
     .shortcut = "Ctrl+F", .separatorBefore = true, .handler = [](MainWindow& w) { w.refresh_Click(); }},
    {.id = CommandId::Delete, .menu = "popup", .entry = "delete", .caption = "&Delete files...",
     .shortcut = "Ctrl+D", .separatorBefore = true, .handler = [](MainWindow& w) { w.delete_Click(); }},
    {.id = CommandId::Exit, .button = 16, .picture = "exit", .toolTip = "Exit", .menu = "popup", .entry = "exit0",
     .caption = "E&xit", .shortcut = "Ctrl+X", .separatorBefore = true,
     .handler = [](MainWindow& w) { w.exit0_Click(); }},
    {.id = CommandId::TempDrive, .menu = "options", .entry = "temp", .caption = "Tem&porary drive...",
     .shortcut = "Ctrl+P", .handler = [](MainWindow& w) { w.temp_Click(); }},
    {.id = CommandId::DeleteTemp, .menu = "options", .entry = "dtemp", .caption = "De&lete temp. dir's...",
     .shortcut = "Ctrl+L", .handler = [](MainWindow& w) { w.dtemp_Click(); }},
    {.id = CommandId::Contents, .button = 12, .picture = "help", .toolTip = "Help", .menu = "help",
     .entry = "contents", .caption = "&Help Contents...", .shortcut = "Ctrl+H",
     .handler = [](MainWindow& w) { w.contents_Click(); }},
    {.id = CommandId::Web, .button = 13, .picture = "web", .toolTip = "Visit Web page", .menu = "help",
     .entry = "web", .caption = "&Web page...", .shortcut = "Ctrl+W", .separatorBefore = true,
     .handler = [](MainWindow& w) { w.web_Click(); }},
    {.id = CommandId::Mail, .button = 14, .picture = "email", .toolTip = "Email Tobrek", .menu = "help",
     .entry = "mail", .caption = "&E-mail...", .shortcut = "Ctrl+E", .handler = [](MainWindow& w) { w.mail_Click(); }},
    {.id = CommandId::About, .menu = "help", .entry = "about", .caption = "&About...", .shortcut = "Ctrl+A",
     .separatorBefore = true, .handler = [](MainWindow& w) { w.about_Click(); }},
    {.id = CommandId::ZipKind, .button = 1, .picture = "zip", .toolTip = "Zip's",
     .handler = [](MainWindow& w) { w.selectKind(1); }},
    {.id = CommandId::RarKind, .button = 2, .picture = "rar", .toolTip = "Rar's",
     .handler = [](MainWindow& w) { w.selectKind(2); }},
    {.id = CommandId::ArjKind, .button = 3, .picture = "arj", .toolTip = "Arj's",
     .handler = [](MainWindow& w) { w.selectKind(3); }},
    {.id = CommandId::AceKind, .button = 4, .picture = "ace", .toolTip = "Ace's",
     .handler = [](MainWindow& w) { w.selectKind(4); }},
    {.id = CommandId::SelectAll, .keyPress = keys::CtrlS, .handler = [](MainWindow& w) { w.selectAll(); }},
    {.id = CommandId::HelpKey, .keyDown = keys::F1, .handler = [](MainWindow& w) { w.helpKey(); }},
};

}  // namespace

const std::vector<CommandRow>& commandTable() { return kCommands; }

const CommandRow& commandSpec(CommandId id) {
    for (const CommandRow& row : kCommands) {
        if (row.id == id) return row;
    }
    return kCommands.front();
}

const CommandRow* commandOfButton(int index) {
    for (const CommandRow& row : kCommands) {
        if (index > 0 && row.button == index) return &row;
    }
    return nullptr;
}

const CommandRow* commandOfEntry(const std::string& entry) {
    for (const CommandRow& row : kCommands) {
        if (*row.entry != '\0' && row.entry == entry) return &row;
    }
    return nullptr;
}

}  // namespace q32
