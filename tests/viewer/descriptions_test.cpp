// The description and NFO commands through the main window: what the
// viewers show, where, what happens to damaged archives, and the NFO
// viewer's "&Next" button. Then the viewer windows' own behaviour, and the
// banner, without the main window.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/program_test.h"
#include "viewer/description_text.h"
#include "viewer/text_viewer.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

using zip::test::file;

class DescriptionsTest : public ProgramTest {
protected:
    DescriptionsTest() {
        drive.makeFolder("c:\\dl");
        program.window.Form_Load();
    }
    void makeZip(const std::string& path, const std::vector<zip::test::MemberSpec>& members) {
        zip::test::writeZip(drive.host(path), members);
    }
    // The user opens the folder and double-clicks an archive.
    void describe(const std::string& folder, const std::string& name) {
        ui.tree.userSelects(folder);
        ui.list.doubleClick(name);
    }
    // An .nfo file shown on its own through the command.
    std::string shownNfo(const std::string& bytes) {
        drive.writeFile("c:\\Quillet32\\one.nfo", bytes);
        program.window.dnfo_Click();
        return nfo.text();
    }
    bool nfoCommandEnabled() { return ui.toolbar.isEnabled(7) && ui.menus.isEnabled("dnfo"); }
    static Rect createdViewer() {
        HeadlessViewerWindow window;
        TextViewer(window, TextViewer::Kind::Description).use();
        return window.geometry();
    }
    HeadlessViewerWindow& viewer = ui.descriptionViewer;
    HeadlessViewerWindow& nfo = ui.nfoViewer;
};

TEST_F(DescriptionsTest, TheFirstSelectedArchiveIsDescribedAboveTheMainWindow) {
    makeZip("c:\\dl\\a.zip",
            {file("FILE_ID.DIZ", "Tool one\r\n\xDA\xC4\xBF\r\n"), file("a.nfo", "n"), file("setup.exe", "x")});
    makeZip("c:\\dl\\b.zip", {file("file_id.diz", "Tool two")});
    select("c:\\dl", {"a.zip", "b.zip"});
    ui.menus.choose("Diz");

    EXPECT_TRUE(viewer.isShown());
    EXPECT_EQ(viewer.caption(), "File_id.diz");
    EXPECT_EQ(viewer.text(), "Tool one\r\n\xDA\xC4\xBF\r\n");
    EXPECT_TRUE(nfoCommandEnabled());
    EXPECT_TRUE(drive.exists("c:\\Quillet32\\a.nfo"));
    EXPECT_FALSE(drive.exists("c:\\Quillet32\\setup.exe"));
    EXPECT_EQ(program.window.firstArchivePath(), "c:\\dl\\a.zip");
    EXPECT_TRUE(ui.panel3.progressMode());
    EXPECT_EQ(ui.panel3.fillPercent(), 0);
    expectZipListOf("c:\\dl");

    // In a drive root the path has one backslash; LF line ends show as CR LF.
    makeZip("c:\\root.zip", {file("file_id.diz", "at the\nroot\n")});
    describe("c:\\", "root.zip");
    EXPECT_EQ(program.window.firstArchivePath(), "c:\\root.zip");
    EXPECT_EQ(viewer.text(), "at the\r\nroot\r\n");
}

// Every old description goes first, so that an archive without one shows
// the banner, not what another archive left.
// The NFO files can be shown whether a description came or not; an empty
// folder named like a description does not keep the next one out.
TEST_F(DescriptionsTest, WithoutADescriptionTheBannerShowsAndTheNfoFilesCanBeShown) {
    drive.writeFile("c:\\Quillet32\\another.diz", "old");
    drive.writeFile("c:\\Quillet32\\file_id.diz", "old");
    makeZip("c:\\dl\\nfo.zip", {file("x.nfo", "n")});
    makeZip("c:\\dl\\none.zip", {file("setup.exe", "x")});
    makeZip("c:\\dl\\diz.zip", {file("file_id.diz", "d")});
    describe("c:\\dl", "nfo.zip");
    EXPECT_EQ(viewer.text(), bannerText());
    EXPECT_TRUE(viewer.isShown());
    EXPECT_FALSE(drive.exists("c:\\Quillet32\\another.diz"));
    ASSERT_TRUE(nfoCommandEnabled());
    ui.menus.choose("dnfo");
    EXPECT_EQ(nfo.text(), "n");

    describe("c:\\dl", "none.zip");
    EXPECT_EQ(viewer.text(), bannerText());
    EXPECT_FALSE(nfoCommandEnabled());
    drive.makeFolder("c:\\Quillet32\\file_id.diz");
    describe("c:\\dl", "diz.zip");
    EXPECT_EQ(viewer.text(), "d");
}

TEST_F(DescriptionsTest, OtherKindsShowNothingAndDisableTheDescriptionCommands) {
    for (const char* name : {"pack.rar", "pack.arj", "pack.ace"})
        makeZip("c:\\dl\\" + std::string(name), {file("file_id.diz", "d")});
    ui.tree.userSelects("c:\\dl");
    for (int kindButton : {2, 3, 4}) {
        ui.toolbar.click(kindButton);
        ui.list.doubleClick(ui.list.items().at(0));
        EXPECT_FALSE(viewer.isShown()) << kindButton;
        EXPECT_EQ(viewer.text(), bannerText());
        EXPECT_FALSE(drive.exists("c:\\Quillet32\\file_id.diz"));
        EXPECT_FALSE(enabled(6) || enabled(7) || enabled("Diz")) << kindButton;
    }
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

bool overlap(const Rect& a, const Rect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// Wherever the main window stands, the viewer keeps its size, stays on the
// screen and leaves the caption, the menus and the toolbar uncovered.
TEST_F(DescriptionsTest, TheViewerCoversNoneOfTheMainWindowsControls) {
    makeZip("c:\\dl\\a.zip", {file("file_id.diz", "d")});
    enum class Where { Above, Right, Left, OverTheList };
    struct Case {
        const char* name;
        Rect main;
        bool maximised;
        Where where;
    };
    const Case cases[] = {
        {"room above", {2000, 5000, 9600, 7200}, false, Where::Above},
        {"near the top", {2000, 1000, 9600, 7200}, false, Where::Right},
        {"near the top right", {9000, 1000, 9600, 7200}, false, Where::Left},
        {"near the top, screen wide", {0, 1000, 19200, 12000}, false, Where::OverTheList},
        {"maximised", {2000, 5000, 9600, 7200}, true, Where::OverTheList},
    };
    const Rect screen{0, 0, ui.desktop.screenWidth(), ui.desktop.screenHeight()};
    const Rect created = createdViewer();
    for (const Case& c : cases) {
        ui.form.setWindowState(WindowState::Normal);
        ui.form.setGeometry(c.main);
        if (c.maximised) ui.form.setWindowState(WindowState::Maximized);
        describe("c:\\dl", "a.zip");
        const Rect placed = viewer.geometry();
        const double innerTop = c.main.top + HeadlessMainForm::kTitleAndMenu;
        const double innerLeft = c.main.left + HeadlessMainForm::kBorder;
        const Rect controls{c.main.left, c.main.top, c.main.width, innerTop - c.main.top + ui.frame.geometry().height};
        const Rect splitter = ui.splitter.geometry();
        const Rect list = ui.list.geometry();
        const Rect listOnScreen{innerLeft + splitter.left + list.left, innerTop + splitter.top + list.top, list.width,
                                list.height};
        const double bottomAbove = c.main.top - placed.top - placed.height;  // "just above": a gap of some pixels
        const bool landed[] = {
            bottomAbove >= 0 && bottomAbove < 100 && placed.left == c.main.left,  // above
            placed.left >= c.main.left + c.main.width,                             // right
            placed.left + placed.width <= c.main.left,                             // left
            inside(placed, listOnScreen),                                          // over the list
        };
        EXPECT_TRUE(landed[static_cast<int>(c.where)]) << c.name;
        EXPECT_EQ(placed.width, created.width) << c.name;
        EXPECT_EQ(placed.height, created.height) << c.name;
        EXPECT_TRUE(inside(placed, screen)) << c.name;
        EXPECT_FALSE(overlap(placed, controls)) << c.name;
        EXPECT_EQ(viewer.text(), "d") << c.name;
    }
}

// Archives damaged three ways, as the zip engine tells them apart.
class DamagedArchiveTest : public DescriptionsTest, public ::testing::WithParamInterface<int> {
protected:
    // c:\dl\Tool.ZIP, damaged as the parameter says.
    void makeDamaged() {
        const std::string path = drive.host("c:\\dl\\Tool.ZIP");
        const int code = GetParam();
        if (code == zipcode::NotAZip) {
            drive.writeFile("c:\\dl\\Tool.ZIP", "not an archive at all");
            return;
        }
        makeZip("c:\\dl\\Tool.ZIP", {file("file_id.diz", zip::test::sampleText(400000, 3))});
        const std::size_t data = zip::test::memberDataOffset(path, "file_id.diz");
        if (code == zipcode::BadData) zip::test::patchByte(path, data, 0x07);  // a block type that never occurs
        else zip::test::cutTo(path, data + 1000);
    }
    std::string message() const {
        return "\r\n\r\n\r\n\r\n# " + std::to_string(GetParam()) + " - Zip CRC error - c:\\dl\\tool.zip";
    }
};

// A full drive keeps the name; a maximised main window still shows the
// message, over the file list.
TEST_P(DamagedArchiveTest, IsMarkedBadAndReported) {
    makeDamaged();
    drive.writeFile("c:\\dl\\Tool.ZIP.bad", "an older one");
    drive.fs().freeBytes['c'] = 2;
    describe("c:\\dl", "Tool.ZIP");
    EXPECT_TRUE(drive.exists("c:\\dl\\Tool.ZIP"));
    EXPECT_EQ(viewer.text(), message());

    drive.fs().freeBytes.erase('c');
    viewer.close();
    describe("c:\\dl", "Tool.ZIP");
    EXPECT_FALSE(drive.exists("c:\\dl\\Tool.ZIP"));
    EXPECT_NE(drive.readFile("c:\\dl\\Tool.ZIP.bad"), "an older one");
    EXPECT_TRUE(ui.list.items().empty());
    EXPECT_TRUE(viewer.isShown());
    EXPECT_EQ(viewer.text(), message());
    EXPECT_EQ(viewer.geometry().left, ui.form.geometry().left);  // placed as a description is
    EXPECT_EQ(program.window.firstArchivePath(), "c:\\dl\\tool.zip");
    expectZipListOf("c:\\dl");

    makeDamaged();
    viewer.close();
    ui.form.setWindowState(WindowState::Maximized);
    describe("c:\\dl", "Tool.ZIP");
    EXPECT_FALSE(drive.exists("c:\\dl\\Tool.ZIP"));
    EXPECT_TRUE(viewer.isShown());
    EXPECT_EQ(viewer.text(), message());
}

INSTANTIATE_TEST_SUITE_P(Codes, DamagedArchiveTest,
                         ::testing::Values(zipcode::NotAZip, zipcode::BadData, zipcode::Truncated),
                         [](const auto& info) { return "Code" + std::to_string(info.param); });

TEST_F(DescriptionsTest, DeleteClosesTheDescriptionViewerAndShutdownBoth) {
    makeZip("c:\\dl\\a.zip", {file("file_id.diz", "d"), file("a.nfo", "n")});
    makeZip("c:\\dl\\b.zip", {file("file_id.diz", "d")});
    describe("c:\\dl", "a.zip");
    ui.menus.choose("dnfo");
    ASSERT_TRUE(viewer.isShown() && nfo.isShown());
    ui.form.resizeTo(9000, 7000);
    EXPECT_EQ(viewer.focusRequests, 1);
    ui.menus.choose("delete");
    EXPECT_FALSE(viewer.isLoaded());
    EXPECT_TRUE(nfo.isShown());

    describe("c:\\dl", "b.zip");
    ASSERT_TRUE(viewer.isShown());
    program.window.exit0_Click();
    EXPECT_FALSE(viewer.isLoaded());
    EXPECT_FALSE(nfo.isLoaded());
}

TEST_F(DescriptionsTest, NfoFilesAreShownInTurnUntilNoneIsLeft) {
    makeZip("c:\\dl\\pkg.zip",
            {file("a.nfo", "first"), file("B.NFO", "second"), file("c.nfo", "third"), file("file_id.diz", "d")});
    describe("c:\\dl", "pkg.zip");
    ui.menus.choose("dnfo");
    std::vector<std::string> captions{nfo.caption()}, texts{nfo.text()};
    EXPECT_TRUE(nfoCommandEnabled());
    for (int press = 0; press < 2; ++press) {
        nfo.clickButton();
        captions.push_back(nfo.caption());
        texts.push_back(nfo.text());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"a.nfo", "b.nfo", "c.nfo"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_FALSE(nfoCommandEnabled());
    EXPECT_TRUE(nfo.isShown());
    EXPECT_FALSE(drive.fs().firstFile("c:\\Quillet32\\*.nfo"));
    EXPECT_FALSE(nfo.busy());

    // Even after the command was disabled, Next shows a file that came since,
    // restoring a minimised viewer.
    drive.writeFile("c:\\Quillet32\\late.nfo", "late");
    nfo.setWindowState(WindowState::Minimized);
    nfo.clickButton();
    EXPECT_EQ(nfo.windowState(), WindowState::Normal);
    EXPECT_EQ(nfo.caption(), "late.nfo");

    nfo.clickButton();
    EXPECT_FALSE(nfo.isLoaded());
}

TEST_F(DescriptionsTest, NfoLineEndsAsTheFirstOneSays) {
    const std::pair<const char*, const char*> cases[] = {
        {"one\r\ntwo\r\n", "one\r\ntwo"},  // CR LF: the final line end goes
        {"one\r\ntwo", "one\r\ntwo"},      // and only a final line end
        {"one\r\ntwo\r\n\r\n", "one\r\ntwo\r\n"},
        {"\r", "\r"},
        {"one\ntwo\r\n", "one\r\ntwo\r\n"},  // LF: every line end becomes CR LF
        {"one\ntwo\rthree", "one\r\ntwothree"},
        {"no line end", "no line end"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(shownNfo(bytes), text) << bytes;
}

// A file of any size is converted and shown once, and one larger than any
// real description or NFO file is shown cut, with a line that says so.
TEST_F(DescriptionsTest, OverlongFilesAreShownOnceAndCut) {
    std::string lines;
    while (lines.size() < 3 * kNfoShownBytes) lines += std::string(99, 'x') + "\n";
    const std::string note = "--- The file is cut here: 1,048,576 of its 3,145,800 bytes are shown. ---";
    const std::string nfoText = shownNfo(lines);
    EXPECT_EQ(nfo.texts.size(), 1u);
    EXPECT_EQ(nfoText.substr(0, 101), std::string(99, 'x') + "\r\n");
    EXPECT_EQ(nfoText.substr(nfoText.size() - note.size()), note);
    EXPECT_EQ(std::count(nfoText.begin(), nfoText.end(), 'x'), 1048576 - 1048576 / 100);

    makeZip("c:\\dl\\big.zip", {file("file_id.diz", std::string(kDescriptionShownBytes + 1, 'd'))});
    describe("c:\\dl", "big.zip");
    EXPECT_EQ(viewer.text(), std::string(kDescriptionShownBytes, 'd') +
                                 "\r\n\r\n--- The file is cut here: 65,536 of its 65,537 bytes are shown. ---");

    // One far larger is no description: it is not even written.
    makeZip("c:\\dl\\huge.zip", {file("file_id.diz", std::string(5 << 20, 'd')), file("a.nfo", "n")});
    describe("c:\\dl", "huge.zip");
    EXPECT_EQ(viewer.text(), bannerText());
    EXPECT_FALSE(drive.exists("c:\\Quillet32\\file_id.diz"));
    EXPECT_TRUE(drive.exists("c:\\Quillet32\\a.nfo"));
}

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
        if (viewer == &form5) {
            EXPECT_EQ(window.buttonGeometry().left, text.width - 1500);
        }
        window.setWindowState(WindowState::Minimized);
        window.setGeometry({100, 100, 100, 100});
        EXPECT_EQ(window.textGeometry(), text);
        // A window smaller than its margins leaves an empty text area.
        window.setWindowState(WindowState::Normal);
        EXPECT_EQ(window.textGeometry(), (Rect{text.left, text.top, 0, 0}));
    }
}

// Both viewers take the double-click through the same handler.
TEST_F(TextViewerTest, DoubleClickTogglesTheFullView) {
    form5.use().show();
    std::vector<WindowState> states;
    for (int click = 0; click < 2; ++click) {
        nfoWindow.doubleClickText();
        states.push_back(nfoWindow.windowState());
        EXPECT_TRUE(nfoWindow.textVisible());
    }
    nfoWindow.setWindowState(WindowState::Minimized);
    nfoWindow.doubleClickText();
    states.push_back(nfoWindow.windowState());
    EXPECT_EQ(states, (std::vector<WindowState>{WindowState::Maximized, WindowState::Normal, WindowState::Normal}));
    EXPECT_EQ(nfoWindow.selectionClears, 3);
}

TEST_F(TextViewerTest, EscapeClosesOnlyTheNfoViewer) {
    Form3.use().setText("kept");
    form5.use().setText("gone");
    descriptionWindow.keyDown(keys::Escape);
    nfoWindow.keyDown(keys::Escape);
    EXPECT_EQ(descriptionWindow.text(), "kept");
    EXPECT_FALSE(form5.isLoaded());
}

}  // namespace
}  // namespace q32::test
