// Where the description viewer goes on the screen: somewhere it covers none
// of the main window's controls. Twips, screen coordinates.
#pragma once

#include "platform/controls.h"

namespace q32 {

struct ViewerSurroundings {
    Rect mainWindow;  // its frame; the whole screen while it is maximised
    Rect fileList;
    double screenWidth = 0;
    double screenHeight = 0;
};

ViewerSurroundings viewerSurroundings(const MainForm& form, const Splitter& splitter, const FileList& list,
                                      const Desktop& screen);

// Just above the main window when the screen has room there, else beside it
// (on the right, else on the left), else over the lower right of the file
// list; always on the screen, as far as the viewer fits on it.
Rect descriptionViewerPlace(double width, double height, const ViewerSurroundings& around);

}  // namespace q32
