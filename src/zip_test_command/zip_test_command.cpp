#include "zip_test_command/zip_test_command.h"

#include "command_kit/panels.h"
#include "command_kit/program_folder_files.h"
#include "common/text.h"
#include "zip_test_command/zip_test_report.h"

namespace q32 {

void ZipTestCommand::TestZips() {
    if (currentKind(GTToolbar1) != ArchiveKind::Zip) return;
    Me.setBusy(true);
    descriptions.closeDescriptionViewer();
    const std::string report = joinPath(ProgramFolder, "errors.txt");
    if (Fs.fileExists(report)) Fs.deleteFile(report);
    modes.enter(WindowMode::NothingSelected);
    selection.collectFrom(File1);
    startTestRun();
    // The close box stops the run as Escape does, even when it came while
    // an archive's descriptions were extracted.
    for (int slot = 1; slot <= selection.count() && !closeAsked; ++slot) {
        if (!testArchive(slot)) break;
    }
    showTestSummary();
    if (!test_.errors.empty()) writeTestReport(report);
    modes.enter(WindowMode::TestEnded);
    deselectAll(File1);
    Me.setBusy(false);
}

void ZipTestCommand::startTestRun() {
    test_ = TestRun{};
    test_.folder = folderWithoutRoot(ExplorerTree1.path());
    test_.shownFolder = lower(test_.folder);
    startProgressMode(SSPanel3);
    XceedZip1.setOption10(false);
}

// Extracts the archive's descriptions into the program folder, then tests
// the whole archive. False when the user stopped the run. The archive is
// opened under its listed name, so that names differing only in case stay
// apart; the caption and the record show it in lower case.
bool ZipTestCommand::testArchive(int slot) {
    const std::string& name = selection.at(slot);
    const std::string shownName = lower(name);
    const std::string archive = test_.folder + "\\" + name;
    SSPanel2.setAlignment(Alignment::Left);
    SSPanel2.setCaption(testProgressCaption(shownName, slot, selection.count()));
    std::int16_t code = extractDescriptionFiles(XceedZip1, ProgramFolder, "*.diz", archive);
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
        markArchiveBad(Fs, File1, Screen, archive);
    }
    SSPanel3.setFillPercent(0);
    return true;
}

void ZipTestCommand::showTestSummary() {
    endProgressMode(SSPanel3, testSummaryCaption(test_.errors.size()));
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
}

// The report, shown in Notepad, and the error sound, which the command waits for.
void ZipTestCommand::writeTestReport(const std::string& report) {
    if (!Fs.writeFileAtomic(report, reportText(test_.errors)) || !Fs.fileExists(report)) {
        showError(Screen, "The report of the damaged archives could not be written:\n" + report);
        return;
    }
    Programs.start({"notepad.exe", {report}}, ShowState::Normal);
    Sounds.play(joinPath(ProgramFolder, "error.wav"), true);
}

}  // namespace q32
