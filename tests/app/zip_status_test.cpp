// The zip engine as the main window holds it: its progress moves the fill of
// status panel 3 and lets events through, and Escape stops it.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_drive.h"
#include "zip_fixtures.h"

namespace q32::test {
namespace {

class ZipStatusTest : public ProgramTest {
protected:
    ZipStatusTest() {
        program.window.Form_Load();
        zip::test::writeZerosZip(drive.host("c:\\big.zip"), "zeros.bin", 64u << 20);
        engine().setFileMask("*.*\r");
        engine().setDestinationFolder("c:\\Quil001");
        engine().setArchiveName("c:\\big.zip");
    }
    ZipEngine& engine() { return program.window.XceedZip1; }
};

TEST_F(ZipStatusTest, ProgressFillsPanelThreeAndLetsEventsThrough) {
    std::vector<int> fills;
    ui.desktop.onDoEvents = [&] { fills.push_back(ui.panel3.fillPercent()); };
    EXPECT_EQ(engine().extract(0), zipcode::Success);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.back(), 100);
    EXPECT_TRUE(std::is_sorted(fills.begin(), fills.end()));
    EXPECT_EQ(drive.fs().fileLength("c:\\Quil001\\zeros.bin"), 64u << 20);
}

TEST_F(ZipStatusTest, EscapeWhileTheEngineWorksStopsIt) {
    ui.desktop.onDoEvents = [&] { ui.form.keyDown(keys::Escape); };
    EXPECT_EQ(engine().extract(0), zipcode::Aborted);
    EXPECT_FALSE(drive.fs().fileExists("c:\\Quil001\\zeros.bin"));
    // The next operation starts afresh.
    ui.desktop.onDoEvents = nullptr;
    EXPECT_EQ(engine().test(), zipcode::Success);
}

TEST_F(ZipStatusTest, EscapeBetweenOperationsIsForgotten) {
    ui.form.keyDown(keys::Escape);
    EXPECT_EQ(engine().test(), zipcode::Success);
}

}  // namespace
}  // namespace q32::test
