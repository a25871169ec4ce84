// The description and NFO commands: the first selected ZIP archive's
// file_id.diz (or the banner) in the description viewer beside the main
// window, its NFO files one at a time in the NFO viewer, and a damaged
// archive marked ".bad".
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "command_kit/description_viewers.h"
#include "command_kit/selection.h"
#include "command_kit/window_modes.h"
#include "platform/controls.h"
#include "platform/filesystem.h"
#include "platform/zip_engine.h"
#include "viewer/viewer_state.h"

namespace q32 {

// The controls and services the descriptions use, under the window's names.
struct DescriptionContext {
    MainForm& Me;
    Toolbar& GTToolbar1;
    StatusPanel& SSPanel2;
    StatusPanel& SSPanel3;
    Splitter& GTSplitter1;
    FolderTree& ExplorerTree1;
    FileList& File1;
    Desktop& Screen;
    FileSystem& Fs;
    ZipEngine& XceedZip1;
    std::string ProgramFolder;
    Selection& selection;
    ModeSwitch& modes;
    ViewerWindow& descriptionWindow;
    ViewerWindow& nfoWindow;
};

class DescriptionCommands : public DescriptionViewers, private DescriptionContext {
public:
    explicit DescriptionCommands(const DescriptionContext& context);

    void ShowDescriptions() override;
    void dnfo_Click();
    // The NFO viewer's "&Next" button.
    void ShowNextNfo();
    const std::string& firstArchivePath() const override { return viewers_.firstArchivePath; }
    void closeDescriptionViewer() override { viewers_.Form3.close(); }
    void closeNfoViewer() { viewers_.form5.close(); }
    // A resized main window gives the shown description viewer the focus back.
    void focusShownDescription() {
        if (viewers_.Form3.isShown()) viewers_.Form3.use().focus();
    }
    // Runs the NFO viewer's "&Next" button, as the window runs its commands.
    std::function<void()>& onNext() { return viewers_.form5.onNext; }

private:
    std::int16_t extractDescriptions(const std::string& firstName);
    void markDamagedArchive(std::int16_t code);
    void showCollectedDescription();
    void placeDescriptionViewer();
    void showNextNfoFile();
    void enableNfoCommand(bool enabled);

    ViewerState viewers_;
};

}  // namespace q32
