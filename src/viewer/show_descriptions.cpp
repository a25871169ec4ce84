// The description command: the first selected ZIP archive's file_id.diz and
// .nfo files are extracted into the program folder, file_id.diz (or the
// banner) is shown in the description viewer beside the main window, and a
// damaged archive is marked ".bad".
#include "viewer/description_commands.h"

#include "command_kit/panels.h"
#include "command_kit/program_folder_files.h"
#include "common/text.h"
#include "viewer/description_text.h"
#include "viewer/viewer_placement.h"

namespace q32 {

namespace {

bool isDamage(std::int16_t code) {
    return code == zipcode::NotAZip || code == zipcode::BadData || code == zipcode::Truncated;
}

}  // namespace

DescriptionCommands::DescriptionCommands(const DescriptionContext& context)
    : DescriptionContext(context), viewers_(descriptionWindow, nfoWindow) {}

void DescriptionCommands::ShowDescriptions() {
    viewers_.banner = bannerText();
    if (currentKind(GTToolbar1) != ArchiveKind::Zip) {
        modes.enter(WindowMode::NoDescriptions);
        viewers_.Form3.use().setText(viewers_.banner);
        return;
    }
    startProgressMode(SSPanel3);
    // Every old description goes, so that an archive without one never
    // shows the description another archive left behind.
    removeFilesMatching(Fs, ProgramFolder, "*.diz", true);
    removeFilesMatching(Fs, ProgramFolder, "*.nfo", true);
    // A folder of a description's name would keep the description out.
    Fs.removeEmptyFolder(joinPath(ProgramFolder, "file_id.diz"));
    Me.setBusy(true);
    selection.collectFrom(File1);
    viewers_.currentPath = ExplorerTree1.path();
    const std::string firstName = selection.count() > 0 ? selection.at(1) : std::string();
    viewers_.firstArchivePath = joinPath(viewers_.currentPath, firstName);

    const std::int16_t code = extractDescriptions(firstName);
    Me.setBusy(false);
    SSPanel3.setFillPercent(0);
    if (isDamage(code)) markDamagedArchive(code);
    else showCollectedDescription();
}

std::int16_t DescriptionCommands::extractDescriptions(const std::string& firstName) {
    SSPanel2.setAlignment(Alignment::Left);
    SSPanel2.setCaption(" " + lower(firstName));
    return extractDescriptionFiles(XceedZip1, ProgramFolder, "*.diz\r*.nfo", viewers_.firstArchivePath);
}

// The archive gets ".bad" added (an older ".bad" of the same name goes), and
// the viewer says so.
void DescriptionCommands::markDamagedArchive(std::int16_t code) {
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
    std::string& archive = viewers_.firstArchivePath;
    markArchiveBad(Fs, File1, Screen, archive);
    archive = lower(archive);
    placeDescriptionViewer();
    ViewerWindow& viewer = viewers_.Form3.use();
    viewer.show();
    viewer.setText("\r\n\r\n\r\n\r\n#" + numText(static_cast<int>(code)) + " - Zip CRC error - " + archive);
}

// After an extraction that did not find the archive damaged: file_id.diz
// when it came, otherwise the banner.
void DescriptionCommands::showCollectedDescription() {
    placeDescriptionViewer();
    ViewerWindow& viewer = viewers_.Form3.use();
    const std::string description = joinPath(ProgramFolder, "file_id.diz");
    // The NFO files can be shown whether a description came or not.
    enableNfoCommand(Fs.firstFile(joinPath(ProgramFolder, "*.nfo")).has_value());
    if (!Fs.fileExists(description)) {
        viewer.show();
        viewer.setText(viewers_.banner);
    } else {
        viewer.setText("");
        viewer.show();
        const std::string head = Fs.readHead(description, kDescriptionShownBytes).value_or("");
        viewer.setText(textWithCrLf(head) + cutNote(head.size(), Fs.fileLength(description).value_or(0)));
    }
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
}

// Where it covers none of the main window's controls, at its own size.
void DescriptionCommands::placeDescriptionViewer() {
    ViewerWindow& viewer = viewers_.Form3.use();
    const Rect size = viewer.geometry();
    viewer.setGeometry(descriptionViewerPlace(size.width, size.height, viewerSurroundings(Me, GTSplitter1, File1, Screen)));
}

void DescriptionCommands::enableNfoCommand(bool enabled) {
    modes.enter(enabled ? WindowMode::NfoWaiting : WindowMode::NoNfoLeft);
}

}  // namespace q32
