// Shutdown: settings written, description files cleared, windows closed.
#include "app/main_window.h"
#include "command_kit/program_folder_files.h"

namespace q32 {

void MainWindow::Form_Unload() {
    if (refused_) return;
    SaveSettings();
    help_.closeHelp();
    removeFilesMatching(Fs, ProgramFolder, "*.nfo", true);
    removeFilesMatching(Fs, ProgramFolder, "*.diz", false);
    Screen.doEvents();
    descriptions_.closeDescriptionViewer();
    Form4.unload();
    descriptions_.closeNfoViewer();
}

}  // namespace q32
