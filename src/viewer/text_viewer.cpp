// The viewers' own behaviour: their sizes of creation, how their text area
// follows the window, the double-click that toggles a full-screen view, and
// Escape in the NFO viewer.
#include "viewer/text_viewer.h"

#include <algorithm>

namespace q32 {

namespace {

const ViewerDesign& descriptionDesign() {
    static const ViewerDesign design{"File_id.diz", 5730, 1905, {15, 30, 5685, 1860}, std::nullopt, "", {}};
    return design;
}

const ViewerDesign& nfoDesign() {
    static const ViewerDesign design{
        "", 9825, 5730, {0, 30, 9825, 5700}, Rgb{224, 224, 224}, "&Next", {8460, 180, 945, 345}};
    return design;
}

}  // namespace

TextViewer::TextViewer(ViewerWindow& window, Kind kind) : window_(window), kind_(kind) {
    window_.onResize = [this] { Form_Resize(); };
    window_.onTextDblClick = [this] { Text1_DblClick(); };
    window_.onKeyDown = [this](int keyCode) { Form_KeyDown(keyCode); };
    window_.onButtonClick = [this] {
        if (onNext) onNext();
    };
}

ViewerWindow& TextViewer::use() {
    if (!window_.isLoaded()) window_.load(kind_ == Kind::Description ? descriptionDesign() : nfoDesign());
    return window_;
}

// The text area fills the window, less a small margin; the NFO viewer's
// button keeps its place near the right-hand edge. A minimised window leaves
// them as they are.
void TextViewer::Form_Resize() {
    if (window_.windowState() == WindowState::Minimized) return;
    const double margin = kind_ == Kind::Description ? 10 : 5;
    Rect text = window_.textGeometry();
    text.width = std::max(0.0, window_.innerWidth() - margin);
    text.height = std::max(0.0, window_.innerHeight() - 10);
    window_.setTextGeometry(text);
    if (kind_ == Kind::Description) return;
    Rect button = window_.buttonGeometry();
    button.left = text.width - 1500;
    window_.setButtonGeometry(button);
}

// A double-click on the text switches between the normal and the maximised
// window.
void TextViewer::Text1_DblClick() {
    window_.setTextVisible(false);
    const bool normal = window_.windowState() == WindowState::Normal;
    window_.setWindowState(normal ? WindowState::Maximized : WindowState::Normal);
    window_.setTextVisible(true);
    window_.clearSelection();
}

void TextViewer::Form_KeyDown(int keyCode) {
    if (kind_ == Kind::Nfo && keyCode == keys::Escape) window_.close();
}

}  // namespace q32
