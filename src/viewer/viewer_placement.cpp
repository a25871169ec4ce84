#include "viewer/viewer_placement.h"

#include <algorithm>

namespace q32 {

namespace {

// Between the viewer and the main window.
constexpr double kGap = 50;

// The start that keeps a length inside [0, limit], as far as it fits.
double inside(double start, double length, double limit) { return std::max(0.0, std::min(start, limit - length)); }

// The file list lies on the splitter, which lies on the inner area: inside
// the frame's borders, below the caption and the menus.
Rect fileListOnScreen(const MainForm& form, const Splitter& splitterControl, const FileList& listControl) {
    const Rect main = form.geometry();
    const double border = (main.width - form.innerWidth()) / 2;
    const double innerTop = main.top + main.height - form.innerHeight() - border;
    const Rect splitter = splitterControl.geometry();
    const Rect list = listControl.geometry();
    return {main.left + border + splitter.left + list.left, innerTop + splitter.top + list.top, list.width,
            list.height};
}

}  // namespace

ViewerSurroundings viewerSurroundings(const MainForm& form, const Splitter& splitter, const FileList& list,
                                      const Desktop& screen) {
    const double screenWidth = screen.screenWidth();
    const double screenHeight = screen.screenHeight();
    const bool maximised = form.windowState() == WindowState::Maximized;
    const Rect main = maximised ? Rect{0, 0, screenWidth, screenHeight} : form.geometry();
    return {main, fileListOnScreen(form, splitter, list), screenWidth, screenHeight};
}

Rect descriptionViewerPlace(double width, double height, const ViewerSurroundings& around) {
    const auto onScreen = [&](double left, double top) {
        return Rect{inside(left, width, around.screenWidth), inside(top, height, around.screenHeight), width, height};
    };
    const Rect& main = around.mainWindow;
    const double above = main.top - kGap - height;
    if (above >= 0) return onScreen(main.left, above);
    const double right = main.left + main.width + kGap;
    if (right + width <= around.screenWidth) return onScreen(right, main.top);
    const double left = main.left - kGap - width;
    if (left >= 0) return onScreen(left, main.top);
    const Rect& list = around.fileList;
    return onScreen(std::max(list.left, list.left + list.width - width),
                    std::max(list.top, list.top + list.height - height));
}

}  // namespace q32
