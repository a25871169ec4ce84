// The program's two text viewer windows: the description viewer (Form3),
// which shows file_id.diz or the banner, and the NFO viewer (form5), which
// shows one .nfo file at a time under a "&Next" button. A viewer exists from
// its first use until it is closed; the next use creates it again, hidden,
// with its sizes of creation.
#pragma once

#include <functional>

#include "platform/viewer_window.h"

namespace q32 {

class TextViewer {
public:
    enum class Kind { Description, Nfo };
    TextViewer(ViewerWindow& window, Kind kind);
    TextViewer(const TextViewer&) = delete;
    TextViewer& operator=(const TextViewer&) = delete;

    // The window, created first when it is not there.
    ViewerWindow& use();
    bool isLoaded() const { return window_.isLoaded(); }
    bool isShown() const { return window_.isLoaded() && window_.isShown(); }
    void close() { window_.close(); }

    // The NFO viewer's "&Next" button.
    std::function<void()> onNext;

private:
    void Form_Resize();
    void Text1_DblClick();
    void Form_KeyDown(int keyCode);

    ViewerWindow& window_;
    Kind kind_;
};

}  // namespace q32
