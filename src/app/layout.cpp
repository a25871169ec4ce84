// Layout of the main window on every resize, in twips.
#include "app/main_window.h"

namespace q32 {

namespace {

// The window as it was designed, twips.
constexpr double kDesignedWidth = 9600;
constexpr double kDesignedHeight = 7200;
constexpr double kDesignedPane1Width = 3000;

}  // namespace

void MainWindow::Form_Resize() {
    if (Me.windowState() == WindowState::Minimized) return;
    const double innerWidth = Me.innerWidth();
    const double innerHeight = Me.innerHeight();
    SSPanel1.setVisible(false);
    SSPanel2.setVisible(false);
    SSPanel3.setVisible(false);

    Rect frame = Frame1.geometry();
    frame.width = innerWidth;
    Frame1.setGeometry(frame);

    Rect splitter = GTSplitter1.geometry();
    splitter.width = innerWidth - 260;
    splitter.height = innerHeight - 910;
    GTSplitter1.setGeometry(splitter);

    // Panel 1 follows the right edge only while the toolbar leaves room for it.
    if (GTToolbar1.geometry().width + 1000 < Me.geometry().width) {
        Rect mark = SSPanel1.geometry();
        mark.left = innerWidth - 950;
        SSPanel1.setGeometry(mark);
    }

    Rect filter = SSPanel2.geometry();
    filter.top = innerHeight - 300;
    SSPanel2.setGeometry(filter);
    Rect folder = SSPanel3.geometry();
    folder.top = innerHeight - 300;
    folder.width = innerWidth - 2540;
    SSPanel3.setGeometry(folder);

    SSPanel1.setVisible(true);
    SSPanel2.setVisible(true);
    SSPanel3.setVisible(true);

    Rect grip = Picture1.geometry();
    grip.top = folder.top - 135;
    grip.left = folder.left + folder.width;
    Picture1.setGeometry(grip);
    descriptions_.focusShownDescription();
}

namespace {

Rect listRectInPane(const Rect& pane) {
    return {pane.left + 20, pane.top + 480, pane.width + 220, pane.height + 160};
}

}  // namespace

void MainWindow::GTSplitter1_Resize() {
    Rect splitter = GTSplitter1.geometry();
    splitter.height = Me.innerHeight() - 910;
    GTSplitter1.setGeometry(splitter);
    ExplorerTree1.setGeometry(GTSplitter1.pane(1));
    if (GTSplitter1.paneCount() >= 2) File1.setGeometry(listRectInPane(GTSplitter1.pane(2)));
}

void MainWindow::GTSplitter1_SplitterResize(const Rect& pane1, const Rect& pane2) {
    ExplorerTree1.setGeometry({pane1.left - 5, pane1.top, pane1.width, pane1.height});
    File1.setGeometry(listRectInPane(pane2));
}

}  // namespace q32

namespace q32 {

// Where the controls stand before the first resize lays the window out.
void MainWindow::placeDesignedControls() {
    const double width = kDesignedWidth;
    const double height = kDesignedHeight;
    Me.setGeometry({0, 0, width, height});
    Frame1.setGeometry({0, 0, width, 540});
    Rect toolbar = GTToolbar1.geometry();
    GTToolbar1.setGeometry({30, 30, toolbar.width, 480});
    SSPanel1.setGeometry({width - 950, 90, 885, 345});
    GTSplitter1.setGeometry({130, 560, width - 260, height - 910});
    GTSplitter1.setPane1Width(kDesignedPane1Width);
    SSPanel2.setGeometry({75, height - 300, 1935, 240});
    SSPanel3.setGeometry({2070, height - 300, width - 2540, 240});
    Picture1.setGeometry({width - 470, height - 435, 470, 435});
}

}  // namespace q32
