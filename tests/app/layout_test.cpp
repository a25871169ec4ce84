// The main window's layout on resize, and the splitter.
#include <gtest/gtest.h>

#include "support/test_drive.h"

namespace q32::test {
namespace {

class LayoutTest : public ProgramTest {
protected:
    LayoutTest() { program.window.Form_Load(); }
};

TEST_F(LayoutTest, ResizeLaysOutFromTheInnerSize) {
    ui.form.resizeTo(12000, 8000);
    const double inner = ui.form.innerWidth(), high = ui.form.innerHeight();
    EXPECT_EQ(ui.frame.geometry().width, inner);
    EXPECT_EQ(ui.splitter.geometry().width, inner - 260);
    EXPECT_EQ(ui.splitter.geometry().height, high - 910);
    EXPECT_EQ(ui.panel1.geometry().left, inner - 950);
    EXPECT_EQ(ui.panel2.geometry().top, high - 300);
    EXPECT_EQ(ui.panel3.geometry().top, high - 300);
    EXPECT_EQ(ui.panel3.geometry().width, inner - 2540);
    EXPECT_EQ(ui.panel2.geometry().left, 75);
    EXPECT_EQ(ui.panel3.geometry().left, 2070);
    EXPECT_EQ(ui.sizeGrip.geometry().top, high - 300 - 135);
    EXPECT_EQ(ui.sizeGrip.geometry().left, 2070 + inner - 2540);
    for (Placed* panel : std::initializer_list<Placed*>{&ui.panel1, &ui.panel2, &ui.panel3})
        EXPECT_TRUE(panel->isVisible());
}

TEST_F(LayoutTest, PanelOneStaysWhereItWasWhenTheToolbarNeedsTheRoom) {
    ui.form.resizeTo(12000, 8000);
    const double placed = ui.panel1.geometry().left;
    const double toolbar = ui.toolbar.geometry().width;
    ui.form.resizeTo(toolbar + 1000, 8000);  // no longer less than the outer width
    EXPECT_EQ(ui.panel1.geometry().left, placed);
    EXPECT_EQ(ui.frame.geometry().width, ui.form.innerWidth());
    ui.form.resizeTo(toolbar + 1001, 8000);
    EXPECT_EQ(ui.panel1.geometry().left, ui.form.innerWidth() - 950);
}

TEST_F(LayoutTest, MinimisingLeavesTheLayoutAndRestoringRedoesIt) {
    ui.form.resizeTo(12000, 8000);
    const Rect splitter = ui.splitter.geometry();
    ui.form.setWindowState(WindowState::Minimized);
    ui.form.resizeTo(3000, 2000);
    EXPECT_EQ(ui.splitter.geometry(), splitter);
    ui.form.setWindowState(WindowState::Normal);
    EXPECT_EQ(ui.splitter.geometry().width, ui.form.innerWidth() - 260);
}

TEST_F(LayoutTest, SplitterPlacesTheTreeAndTheList) {
    ui.splitter.setGeometry({130, 560, 9000, 5000});
    ui.splitter.setPane1Width(2700);
    program.window.GTSplitter1_Resize();
    EXPECT_EQ(ui.splitter.geometry().height, ui.form.innerHeight() - 910);
    const Rect pane1 = ui.splitter.pane(1), pane2 = ui.splitter.pane(2);
    EXPECT_EQ(ui.tree.geometry(), pane1);
    EXPECT_EQ(ui.list.geometry(), (Rect{pane2.left + 20, pane2.top + 480, pane2.width + 220, pane2.height + 160}));

    ui.splitter.drag(3300);
    const Rect dragged1 = ui.splitter.pane(1), dragged2 = ui.splitter.pane(2);
    EXPECT_EQ(ui.tree.geometry(), (Rect{dragged1.left - 5, dragged1.top, 3300, dragged1.height}));
    EXPECT_EQ(ui.list.geometry().left, dragged2.left + 20);
    EXPECT_EQ(ui.list.geometry().width, dragged2.width + 220);
}

}  // namespace
}  // namespace q32::test
