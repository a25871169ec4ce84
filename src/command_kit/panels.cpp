#include "command_kit/panels.h"

#include "common/text.h"

namespace q32 {

void startProgressMode(StatusPanel& panel3) {
    panel3.setProgressMode(true);
    panel3.setTextColor(TextColor::HighlightText);
    panel3.setFillPercent(0);
}

void endProgressMode(StatusPanel& panel3, const std::string& caption) {
    panel3.setProgressMode(false);
    panel3.setTextColor(TextColor::WindowText);
    panel3.setCaption(caption);
}

void showListFolder(StatusPanel& panel3, const FileList& list) {
    panel3.setProgressMode(false);
    panel3.setTextColor(TextColor::Black);
    panel3.setCaption(lower(list.path()));
}

ArchiveKind currentKind(const Toolbar& toolbar) {
    for (int index = 1; index <= 4; ++index) {
        if (toolbar.isDown(index)) return kindOfButton(index);
    }
    return ArchiveKind::Zip;
}

void setKindButtons(Toolbar& toolbar, ArchiveKind kind) {
    for (int index = 1; index <= 4; ++index) toolbar.setDown(index, kindOfButton(index) == kind);
}

void showError(Desktop& screen, const std::string& text) {
    screen.messageBox(text, "Quillet32 Error", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace q32
