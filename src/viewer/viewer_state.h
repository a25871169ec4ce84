// What the description collection and the NFO display keep for the whole
// run: the two viewer windows, the banner and the paths of the last
// collection.
#pragma once

#include <string>

#include "platform/viewer_window.h"
#include "viewer/text_viewer.h"

namespace q32 {

struct ViewerState {
    ViewerState(ViewerWindow& descriptionWindow, ViewerWindow& nfoWindow)
        : Form3(descriptionWindow, TextViewer::Kind::Description), form5(nfoWindow, TextViewer::Kind::Nfo) {}

    TextViewer Form3;  // file_id.diz or the banner
    TextViewer form5;  // one .nfo file at a time
    // The description viewer's text when there is no description.
    std::string banner;
    // The folder tree's folder when the descriptions were last collected.
    std::string currentPath;
    // The first selected archive of the last collection of a ZIP archive;
    // lower-cased when it was found damaged.
    std::string firstArchivePath;
};

}  // namespace q32
