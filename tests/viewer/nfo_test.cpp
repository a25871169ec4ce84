// The NFO command and the NFO viewer's "&Next" button.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

using zip::test::file;

class NfoTest : public ProgramTest {
protected:
    NfoTest() {
        drive.makeFolder("c:\\dl");
        program.window.Form_Load();
    }
    // The user describes an archive that brings these .nfo files.
    void describeArchiveWith(const std::vector<zip::test::MemberSpec>& nfoFiles) {
        std::vector<zip::test::MemberSpec> members = nfoFiles;
        members.push_back(file("file_id.diz", "d"));
        zip::test::writeZip(drive.host("c:\\dl\\pkg.zip"), members);
        ui.tree.userSelects("c:\\dl");
        ui.list.doubleClick("pkg.zip");
    }
    // An .nfo file shown on its own through the command.
    std::string shown(const std::string& bytes) {
        drive.writeFile("c:\\Quillet32\\one.nfo", bytes);
        program.window.dnfo_Click();
        return viewer.text();
    }
    bool commandEnabled() { return ui.toolbar.isEnabled(7) && ui.menus.isEnabled("dnfo"); }
    HeadlessViewerWindow& viewer = ui.nfoViewer;
};

TEST_F(NfoTest, FilesAreShownInTurnUntilNoneIsLeft) {
    describeArchiveWith({file("a.nfo", "first"), file("B.NFO", "second"), file("c.nfo", "third")});
    ui.menus.choose("dnfo");
    std::vector<std::string> captions{viewer.caption()}, texts{viewer.text()};
    EXPECT_TRUE(commandEnabled());
    for (int press = 0; press < 2; ++press) {
        viewer.clickButton();
        captions.push_back(viewer.caption());
        texts.push_back(viewer.text());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"a.nfo", "b.nfo", "c.nfo"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_FALSE(commandEnabled());
    EXPECT_TRUE(viewer.isShown());
    EXPECT_FALSE(drive.fs().firstFile("c:\\Quillet32\\*.nfo"));
    EXPECT_FALSE(viewer.busy());

    viewer.clickButton();
    EXPECT_FALSE(viewer.isLoaded());
}

TEST_F(NfoTest, LineEndsAsTheFirstOneSays) {
    struct Case {
        const char* bytes;
        const char* text;
    };
    const Case cases[] = {
        {"one\r\ntwo\r\n", "one\r\ntwo"},       // CR LF: the final line end goes
        {"one\r\ntwo", "one\r\ntwo"},           // and only a final line end
        {"one\r\ntwo\r\n\r\n", "one\r\ntwo\r\n"},
        {"\r", "\r"},
        {"one\ntwo\r\n", "one\r\ntwo\r\n"},     // LF: every line end becomes CR LF
        {"one\ntwo\rthree", "one\r\ntwothree"},
        {"no line end", "no line end"},
    };
    for (const Case& c : cases) EXPECT_EQ(shown(c.bytes), c.text) << c.bytes;
}

TEST_F(NfoTest, LongLfFilesAppearWhileTheyAreRead) {
    std::string bytes;
    for (int line = 0; line < 45; ++line) bytes += std::string(99, 'x') + "\n";  // 4455 letters
    shown(bytes);
    std::vector<std::size_t> letters;
    for (const std::string& text : viewer.texts) letters.push_back(std::count(text.begin(), text.end(), 'x'));
    EXPECT_EQ(letters, (std::vector<std::size_t>{1999, 3999, 4455}));
    EXPECT_EQ(viewer.redraws, 2);
    EXPECT_EQ(viewer.text().size(), 4455u + 2 * 45);
}

TEST_F(NfoTest, WithoutFilesTheCommandIsDisabledAndTheViewerClosed) {
    describeArchiveWith({file("a.nfo", "first")});
    ui.menus.choose("dnfo");
    drive.writeFile("c:\\Quillet32\\late.nfo", "late");
    viewer.setWindowState(WindowState::Minimized);
    viewer.clickButton();
    EXPECT_EQ(viewer.windowState(), WindowState::Normal);
    EXPECT_EQ(viewer.caption(), "late.nfo");

    program.window.dnfo_Click();
    EXPECT_FALSE(viewer.isLoaded());
    EXPECT_FALSE(commandEnabled());
}

}  // namespace
}  // namespace q32::test
