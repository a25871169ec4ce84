// The viewer windows' own behaviour, and the banner, without the main
// window. The line-end rules are seen through the NFO command.
#include <gtest/gtest.h>

#include "support/headless_controls.h"
#include "viewer/description_text.h"
#include "viewer/text_viewer.h"

namespace q32::test {
namespace {

// Three empty lines, then four of 37 characters: nine blanks and the mark in
// line-art bytes.
TEST(Banner, ThreeEmptyLinesThenFourLinesOfLineArt) {
    const std::string banner = bannerText();
    const std::string art = "\xB3\xC4\xDA\xBF\xC0\xD9\xC1 ";
    ASSERT_EQ(banner.size(), 3 * 2 + 4 * (37 + 2));
    EXPECT_EQ(banner.substr(0, 6), "\r\n\r\n\r\n");
    for (std::size_t line = 6; line < banner.size(); line += 37 + 2) {
        EXPECT_EQ(banner.find_first_not_of(' ', line), line + 9);
        EXPECT_EQ(banner.substr(line, 37).find_first_not_of(art), std::string::npos) << line;
        EXPECT_EQ(banner.substr(line + 37, 2), "\r\n");
    }
}

class TextViewerTest : public ::testing::Test {
protected:
    HeadlessViewerWindow descriptionWindow, nfoWindow;
    TextViewer Form3{descriptionWindow, TextViewer::Kind::Description};
    TextViewer form5{nfoWindow, TextViewer::Kind::Nfo};
};

TEST_F(TextViewerTest, TheTextAreaFollowsTheWindowUnlessMinimised) {
    for (const auto& [viewer, widthMargin] : {std::pair{&Form3, 10.0}, std::pair{&form5, 5.0}}) {
        ViewerWindow& window = viewer->use();
        const Rect created = window.textGeometry();
        window.setGeometry({100, 100, 8000, 4000});
        const Rect text = window.textGeometry();
        EXPECT_EQ(text, (Rect{created.left, created.top, window.innerWidth() - widthMargin,
                              window.innerHeight() - 10}));
        if (viewer == &form5) EXPECT_EQ(window.buttonGeometry().left, text.width - 1500);
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
    for (const auto& [viewer, window] : {std::pair{&Form3, &descriptionWindow}, std::pair{&form5, &nfoWindow}}) {
        viewer->use().show();
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
