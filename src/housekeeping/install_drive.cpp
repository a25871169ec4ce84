// Choosing the install drive in the drive picker.
#include "common/text.h"
#include "housekeeping/housekeeping.h"

namespace q32 {

namespace {

constexpr std::int64_t kPickerMinimumFree = 500000;

}  // namespace

bool Housekeeping::ChooseInstallDrive() {
    if (!BrowseDialog1.browse()) {
        installDrive = 'c';
        return false;
    }
    const std::string path = BrowseDialog1.selectedPath();
    if (!path.empty()) installDrive = path[0];
    return true;
}

void Housekeeping::BrowseDialog1_SelectionChanged(const std::string& newPath) {
    const auto freeBytes = newPath.empty() ? std::nullopt : Fs.freeSpace(newPath[0]);
    if (freeBytes && *freeBytes >= kPickerMinimumFree) {
        BrowseDialog1.setOkAllowed(true);
        BrowseDialog1.setStatusText(groupDigits(*freeBytes, Screen.digitGroupSeparator()) + " Free space");
        return;
    }
    BrowseDialog1.setStatusText("Not a valid path or not enough free space");
    BrowseDialog1.setOkAllowed(false);
}

}  // namespace q32
