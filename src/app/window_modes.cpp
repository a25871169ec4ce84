// Which commands each window mode enables and disables, on the toolbar, in
// the menus or both; commands a mode does not name keep their state. The
// quirks are deliberate: at start the File menu's entries wait for a
// selection while their buttons already do, a click in a RAR or ACE list
// offers only install, and the delete entry follows the list, not the kind.
#include <vector>

#include "app/main_window.h"

namespace q32 {

namespace {

enum class Where { Buttons, Menus, Both };

struct EnableChange {
    Where where;
    bool enabled;
    std::vector<CommandId> commands;
};

using C = CommandId;

const std::vector<EnableChange>& changesOf(WindowMode mode) {
    static const std::vector<EnableChange> toolbarBuilt{{Where::Buttons, false, {C::Diz, C::Nfo, C::Install, C::Test}},
                                                        {Where::Menus, false, {C::Nfo}}};
    static const std::vector<EnableChange> startedUp{{Where::Menus, false, {C::Diz, C::Install, C::Test, C::Delete}}};
    static const std::vector<EnableChange> nothingSelected{{Where::Both, false, {C::Diz, C::Nfo, C::Install, C::Test}}};
    static const std::vector<EnableChange> listReadAgain{{Where::Both, false, {C::Diz, C::Nfo, C::Install, C::Test}},
                                                         {Where::Menus, false, {C::Delete}}};
    static const std::vector<EnableChange> allSelected{{Where::Both, true, {C::Install, C::Test, C::Diz}}};
    static const std::vector<EnableChange> zipSelection{{Where::Both, true, {C::Install, C::Test, C::Diz}},
                                                        {Where::Menus, true, {C::Delete}}};
    static const std::vector<EnableChange> setSelection{{Where::Both, true, {C::Install}},
                                                        {Where::Buttons, false, {C::Diz, C::Test}}};
    static const std::vector<EnableChange> installing{{Where::Both, false, {C::Install, C::Diz}}};
    static const std::vector<EnableChange> installEnded{{Where::Both, false, {C::Nfo, C::Install, C::Test}},
                                                        {Where::Menus, false, {C::Diz, C::Delete}}};
    static const std::vector<EnableChange> setInstallEnded{{Where::Both, false, {C::Nfo, C::Install, C::Test}},
                                                           {Where::Menus, false, {C::Diz}}};
    static const std::vector<EnableChange> testEnded{{Where::Both, true, {C::Install, C::Test}}};
    static const std::vector<EnableChange> noDescriptions{{Where::Both, false, {C::Diz, C::Nfo}}};
    static const std::vector<EnableChange> nfoWaiting{{Where::Both, true, {C::Nfo}}};
    static const std::vector<EnableChange> noNfoLeft{{Where::Both, false, {C::Nfo}}};
    switch (mode) {
        case WindowMode::ToolbarBuilt: return toolbarBuilt;
        case WindowMode::StartedUp: return startedUp;
        case WindowMode::NothingSelected: return nothingSelected;
        case WindowMode::ListReadAgain: return listReadAgain;
        case WindowMode::AllSelected: return allSelected;
        case WindowMode::ZipSelection: return zipSelection;
        case WindowMode::SetSelection: return setSelection;
        case WindowMode::Installing: return installing;
        case WindowMode::InstallEnded: return installEnded;
        case WindowMode::SetInstallEnded: return setInstallEnded;
        case WindowMode::TestEnded: return testEnded;
        case WindowMode::NoDescriptions: return noDescriptions;
        case WindowMode::NfoWaiting: return nfoWaiting;
        case WindowMode::NoNfoLeft: break;
    }
    return noNfoLeft;
}

}  // namespace

void MainWindow::enter(WindowMode mode) {
    for (const EnableChange& change : changesOf(mode)) {
        for (CommandId id : change.commands) {
            const CommandRow& row = commandSpec(id);
            if (change.where != Where::Menus && row.button > 0) GTToolbar1.setEnabled(row.button, change.enabled);
            if (change.where != Where::Buttons && *row.entry != '\0') Menus.setEnabled(row.entry, change.enabled);
        }
    }
}

}  // namespace q32
