// The viewer windows' own behaviour, and the banner, without the main
// window. The line-end rules are seen through the NFO command.
#include <gtest/gtest.h>

#include "support/headless_controls.h"
#include "viewer/description_text.h"
#include "viewer/text_viewer.h"

namespace q32::test {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(Banner, ThreeEmptyLinesThenFourLinesOfLineArt) {
    const std::string banner = bannerText();
    const std::vector<std::string> lines = linesOf(banner);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(banner.size(), 3 * 2 + 4 * (37 + 2));
    const std::string art = "\xB3\xC4\xDA\xBF\xC0\xD9\xC1 ";
    for (int i = 0; i < 3; ++i) EXPECT_EQ(lines[i], "");
    for (int i = 3; i < 7; ++i) {
        EXPECT_EQ(lines[i].size(), 37u);
        EXPECT_EQ(lines[i].substr(0, 9), std::string(9, ' '));
        EXPECT_NE(lines[i][9], ' ');
        EXPECT_EQ(lines[i].find_first_not_of(art), std::string::npos) << i;
    }
}

class TextViewerTest : public ::testing::Test {
protected:
    HeadlessViewerWindow descriptionWindow, nfoWindow;
    TextViewer Form3{descriptionWindow, TextViewer::Kind::Description};
    TextViewer form5{nfoWindow, TextViewer::Kind::Nfo};
};

TEST_F(TextViewerTest, TheTextAreaFollowsTheWindowUnlessMinimised) {
    struct Case {
        TextViewer* viewer;
        HeadlessViewerWindow* window;
        double widthMargin;
    };
    for (const Case& c : {Case{&Form3, &descriptionWindow, 10}, Case{&form5, &nfoWindow, 5}}) {
        ViewerWindow& window = c.viewer->use();
        const Rect created = window.textGeometry();
        window.setGeometry({100, 100, 8000, 4000});
        const Rect text = window.textGeometry();
        EXPECT_EQ(text, (Rect{created.left, created.top, window.innerWidth() - c.widthMargin,
                              window.innerHeight() - 10}));
        if (c.window == &nfoWindow) {
            EXPECT_EQ(window.buttonGeometry().left, text.width - 1500);
        }
        window.setWindowState(WindowState::Minimized);
        window.setGeometry({100, 100, 100, 100});
        EXPECT_EQ(window.textGeometry(), text);
        // A window smaller than its margins leaves an empty text area.
        window.setWindowState(WindowState::Normal);
        EXPECT_EQ(window.textGeometry().width, 0);
        EXPECT_EQ(window.textGeometry().height, 0);
    }
}

TEST_F(TextViewerTest, DoubleClickTogglesTheFullView) {
    for (HeadlessViewerWindow* window : {&descriptionWindow, &nfoWindow}) {
        (window == &descriptionWindow ? Form3 : form5).use().show();
        std::vector<WindowState> states;
        for (int click = 0; click < 2; ++click) {
            window->doubleClickText();
            states.push_back(window->windowState());
            EXPECT_TRUE(window->textVisible());
        }
        window->setWindowState(WindowState::Minimized);
        window->doubleClickText();
        states.push_back(window->windowState());
        EXPECT_EQ(states, (std::vector<WindowState>{WindowState::Maximized, WindowState::Normal, WindowState::Normal}));
        EXPECT_EQ(window->selectionClears, 3);
    }
}

TEST_F(TextViewerTest, EscapeClosesOnlyTheNfoViewerAndANewUseStartsAfresh) {
    Form3.use().setText("kept");
    form5.use().setText("gone");
    descriptionWindow.keyDown(keys::Escape);
    nfoWindow.keyDown(keys::Escape);
    EXPECT_EQ(descriptionWindow.text(), "kept");
    EXPECT_FALSE(form5.isLoaded());

    nfoWindow.setWindowState(WindowState::Maximized);  // nothing while it is closed
    ViewerWindow& again = form5.use();
    EXPECT_EQ(nfoWindow.loads, 2);
    EXPECT_EQ(again.text(), "");
    EXPECT_EQ(again.windowState(), WindowState::Normal);
    EXPECT_EQ(again.innerWidth(), 9825);
}

}  // namespace
}  // namespace q32::test
