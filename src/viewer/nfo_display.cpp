// The NFO command and the NFO viewer's "&Next" button: the first .nfo file
// of the program folder is shown, then deleted, so the next use shows the
// next one; when none is left the command is disabled.
#include "viewer/description_commands.h"

#include "common/text.h"
#include "viewer/description_text.h"

namespace q32 {

void DescriptionCommands::dnfo_Click() { showNextNfoFile(); }

void DescriptionCommands::ShowNextNfo() {
    ViewerWindow& viewer = viewers_.form5.use();
    if (viewer.windowState() == WindowState::Minimized) viewer.setWindowState(WindowState::Normal);
    showNextNfoFile();
}

void DescriptionCommands::showNextNfoFile() {
    const std::string pattern = joinPath(ProgramFolder, "*.nfo");
    const std::optional<std::string> name = Fs.firstFile(pattern);
    if (!name) {
        enableNfoCommand(false);
        viewers_.form5.close();
        return;
    }
    if (viewers_.form5.use().windowState() == WindowState::Minimized)
        viewers_.form5.use().setWindowState(WindowState::Normal);

    const std::string path = joinPath(ProgramFolder, *name);
    const std::optional<std::string> bytes = Fs.readHead(path, kNfoShownBytes);
    Screen.doEvents();
    viewers_.form5.use().show();
    Screen.doEvents();
    // Events may have closed the viewer; using it again brings it back.
    ViewerWindow& viewer = viewers_.form5.use();
    viewer.setCaption(lower(*name));
    viewer.setBusy(true);
    if (bytes) {
        const bool crLf = lineEndStyle(*bytes) == LineEnds::CrLf;
        viewer.setText((crLf ? crLfDisplay(*bytes) : textWithCrLf(*bytes)) +
                       cutNote(bytes->size(), Fs.fileLength(path).value_or(0)));
    }
    viewer.setBusy(false);

    Fs.setNormalAttributes(path);
    Fs.deleteFile(path);
    if (!Fs.firstFile(pattern)) enableNfoCommand(false);
}

}  // namespace q32
