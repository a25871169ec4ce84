// The test command: every selected ZIP archive of the folder is tested, the
// damaged ones are recorded in errors.txt in the program folder and renamed
// with ".bad" added, and the report is opened in Notepad with the error sound.
#include "app/main_window.h"
#include "common/text.h"
#include "zip_test_command/zip_test_report.h"

namespace q32 {

void MainWindow::TestZips() {
    if (currentKind() != ArchiveKind::Zip) return;
    Me.setBusy(true);
    viewers_.Form3.close();
    const std::string report = joinPath(ProgramFolder, "errors.txt");
    if (Fs.fileExists(report)) Fs.deleteFile(report);
    disableArchiveCommands();
    collectSelection();
    startTestRun();
    // The close box stops the run as Escape does, even when it came while
    // an archive's descriptions were extracted.
    for (int slot = 1; slot <= selectionCount() && !closeAsked_; ++slot) {
        if (!testArchive(slot)) break;
    }
    showTestSummary();
    if (!test_.errors.empty()) writeTestReport(report);
    enableInstallAndTest();
    deselectAll();
    Me.setBusy(false);
}

void MainWindow::startTestRun() {
    test_ = TestRun{};
    test_.folder = folderWithoutRoot(ExplorerTree1.path());
    test_.shownFolder = lower(test_.folder);
    startProgressMode();
    XceedZip1.setOption10(false);
}

// Extracts the archive's descriptions into the program folder, then tests
// the whole archive. False when the user stopped the run. The archive is
// opened under its listed name, so that names differing only in case stay
// apart; the caption and the record show it in lower case.
bool MainWindow::testArchive(int slot) {
    const std::string& name = selection(slot);
    const std::string shownName = lower(name);
    const std::string archive = test_.folder + "\\" + name;
    SSPanel2.setAlignment(Alignment::Left);
    SSPanel2.setCaption(testProgressCaption(shownName, slot, selectionCount()));
    std::int16_t code = extractDescriptionFiles("*.diz", archive);
    TestStep step = afterExtraction(code);
    if (step == TestStep::TestArchive) {
        XceedZip1.setArchiveName(archive);
        XceedZip1.setFileMask("");
        code = XceedZip1.test();
        step = afterTest(code);
    }
    if (step == TestStep::StopRun) return false;
    if (step == TestStep::RecordError) {
        test_.errors.push_back(errorRecord(code, test_.shownFolder, shownName));
        markArchiveBad(archive);
    }
    SSPanel3.setFillPercent(0);
    return true;
}

void MainWindow::showTestSummary() {
    endProgressMode(testSummaryCaption(test_.errors.size()));
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
}

// The report, shown in Notepad, and the error sound, which the command waits for.
void MainWindow::writeTestReport(const std::string& report) {
    if (!Fs.writeFileAtomic(report, reportText(test_.errors)) || !Fs.fileExists(report)) {
        showError("The report of the damaged archives could not be written:\n" + report);
        return;
    }
    Programs.start({"notepad.exe", {report}}, ShowState::Normal);
    Sounds.play(joinPath(ProgramFolder, "error.wav"), true);
}

}  // namespace q32
