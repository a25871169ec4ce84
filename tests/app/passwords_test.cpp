// Encrypted archives through the main window: the password box is asked once
// per archive, a password that worked opens the next archive of the same
// command, and a Cancel stops an install, passes over an archive in the ZIP
// test (no record, no ".bad") and leaves the banner in the description viewer.
#include <gtest/gtest.h>

#include <zip.h>

#include "support/program_test.h"
#include "viewer/description_text.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

using Box = HeadlessDesktop::PasswordBoxRecord;

class PasswordsTest : public ProgramTest {
protected:
    PasswordsTest() {
        drive.makeFolder("c:\\Down");
        program.window.Form_Load();
    }
    // An archive whose members are all under `password`, AES or traditional.
    void encrypted(const std::string& name, const std::vector<std::string>& members, std::uint16_t encryption,
                   const std::string& password = "pw") {
        std::vector<zip::test::MemberSpec> specs;
        for (const std::string& member : members) {
            specs.push_back(zip::test::file(member, member + " of " + name));
            specs.back().encryption = encryption;
            specs.back().password = password;
        }
        zip::test::writeZip(drive.host("c:\\Down\\" + name), specs);
    }
    void selectAndPress(const std::vector<std::string>& names, int key) {
        select("c:\\Down", names);
        ui.form.keyPress(key);
    }
};

TEST_F(PasswordsTest, InstallAsksOncePerPasswordAndAgainOnlyAfterAWrongOne) {
    encrypted("a.zip", {"a.txt"}, ZIP_EM_AES_256);
    encrypted("b.zip", {"b.txt"}, ZIP_EM_TRAD_PKWARE);
    ui.desktop.passwords = {"wrong", "pw"};
    selectAndPress({"a.zip", "b.zip"}, keys::Tab);

    EXPECT_EQ(drive.readFile("c:\\Quil001\\a.txt"), "a.txt of a.zip");
    EXPECT_EQ(drive.readFile("c:\\Quil001\\b.txt"), "b.txt of b.zip");
    EXPECT_EQ(ui.desktop.passwordBoxes,
              (std::vector<Box>{{"c:\\Down\\a.zip", "a.txt", false}, {"c:\\Down\\a.zip", "a.txt", true}}));
    EXPECT_TRUE(ui.desktop.boxes.empty());
    // The next command asks again: the password went with the command.
    ui.desktop.passwords = {"pw"};
    selectAndPress({"b.zip"}, keys::CtrlT);
    EXPECT_EQ(ui.desktop.passwordBoxes.size(), 3u);
    EXPECT_EQ(ui.panel3.caption(), " Found 0 zip error(s)");
}

TEST_F(PasswordsTest, CancelStopsTheInstallNamingTheArchive) {
    encrypted("a.zip", {"a.txt", "file_id.diz"}, ZIP_EM_AES_128);
    zip::test::writeZip(drive.host("c:\\Down\\b.zip"), {zip::test::file("b.txt", "open")});
    selectAndPress({"a.zip", "b.zip"}, keys::Tab);

    // Asked once, for the description the install shows first, not again for the same archive.
    EXPECT_EQ(ui.desktop.passwordBoxes, (std::vector<Box>{{"c:\\Down\\a.zip", "file_id.diz", false}}));
    EXPECT_EQ(ui.descriptionViewer.text(), bannerText());
    ASSERT_EQ(ui.desktop.boxes.size(), 1u);
    EXPECT_EQ(ui.desktop.boxes[0].text, "Not installed: no password was given for\nc:\\Down\\a.zip");
    EXPECT_FALSE(drive.exists("c:\\Quil001\\a.txt"));
    EXPECT_FALSE(drive.exists("c:\\Quil001\\b.txt"));
    expectZipListOf("c:\\Down");
}

TEST_F(PasswordsTest, TheTestPassesOverAnArchiveWhosePasswordIsNotGiven) {
    encrypted("enc.zip", {"file_id.diz", "setup.exe"}, ZIP_EM_TRAD_PKWARE);
    zip::test::writeBytes(drive.host("c:\\Down\\bad.zip"), "not an archive");
    selectAndPress({"bad.zip", "enc.zip"}, keys::CtrlT);

    EXPECT_EQ(ui.desktop.passwordBoxes, (std::vector<Box>{{"c:\\Down\\enc.zip", "file_id.diz", false}}));
    EXPECT_EQ(drive.readFile("c:\\Quillet32\\errors.txt"), "# 110 - c:\\down\\bad.zip\r\n");
    EXPECT_TRUE(drive.exists("c:\\Down\\enc.zip"));
    EXPECT_TRUE(drive.exists("c:\\Down\\bad.zip.bad"));
}

}  // namespace
}  // namespace q32::test
