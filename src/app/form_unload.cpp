// Shutdown: settings written, description files cleared, windows closed.
#include "app/main_window.h"

namespace q32 {

void MainWindow::Form_Unload() {
    if (refused_) return;
    SaveSettings();
    Help.close(helpFilePath());
    removeFilesMatching("*.nfo", true);
    removeFilesMatching("*.diz", false);
    Screen.doEvents();
    viewers_.Form3.close();
    Form4.unload();
    viewers_.form5.close();
}

}  // namespace q32
