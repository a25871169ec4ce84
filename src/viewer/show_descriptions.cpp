// The description command: the first selected ZIP archive's file_id.diz and
// .nfo files are extracted into the program folder, file_id.diz (or the
// banner) is shown in the description viewer beside the main window, and a
// damaged archive is marked ".bad".
#include "app/main_window.h"
#include "common/text.h"
#include "viewer/description_text.h"
#include "viewer/viewer_placement.h"

namespace q32 {

namespace {

bool isDamage(std::int16_t code) {
    return code == zipcode::NotAZip || code == zipcode::BadData || code == zipcode::Truncated;
}

}  // namespace

void MainWindow::ShowDescriptions() {
    viewers_.banner = bannerText();
    if (currentKind() != ArchiveKind::Zip) {
        enableButtons({6, 7}, false);
        enableMenus({"Diz", "dnfo"}, false);
        viewers_.Form3.use().setText(viewers_.banner);
        return;
    }
    startProgressMode();
    // Every old description goes, so that an archive without one never
    // shows the description another archive left behind.
    removeFilesMatching("*.diz", true);
    removeFilesMatching("*.nfo", true);
    // A folder of a description's name would keep the description out.
    Fs.removeEmptyFolder(joinPath(ProgramFolder, "file_id.diz"));
    Me.setBusy(true);
    collectSelection();
    viewers_.currentPath = ExplorerTree1.path();
    const std::string firstName = selectionCount() > 0 ? selection(1) : std::string();
    viewers_.firstArchivePath = joinPath(viewers_.currentPath, firstName);

    const std::int16_t code = extractDescriptions(firstName);
    Me.setBusy(false);
    SSPanel3.setFillPercent(0);
    if (isDamage(code)) markDamagedArchive(code);
    else showCollectedDescription();
}

std::int16_t MainWindow::extractDescriptions(const std::string& firstName) {
    SSPanel2.setAlignment(Alignment::Left);
    SSPanel2.setCaption(" " + lower(firstName));
    return extractDescriptionFiles("*.diz\r*.nfo", viewers_.firstArchivePath);
}

// The archive gets ".bad" added (an older ".bad" of the same name goes), and
// the viewer says so.
void MainWindow::markDamagedArchive(std::int16_t code) {
    SSPanel2.setAlignment(Alignment::Center);
    SSPanel2.setCaption("*.zip");
    std::string& archive = viewers_.firstArchivePath;
    markArchiveBad(archive);
    archive = lower(archive);
    placeDescriptionViewer();
    ViewerWindow& viewer = viewers_.Form3.use();
    viewer.show();
    viewer.setText("\r\n\r\n\r\n\r\n#" + numText(static_cast<int>(code)) + " - Zip CRC error - " + archive);
}

// After an extraction that did not find the archive damaged: file_id.diz
// when it came, otherwise the banner.
void MainWindow::showCollectedDescription() {
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
void MainWindow::placeDescriptionViewer() {
    ViewerWindow& viewer = viewers_.Form3.use();
    const Rect size = viewer.geometry();
    viewer.setGeometry(descriptionViewerPlace(size.width, size.height, viewerSurroundings(*this)));
}

void MainWindow::enableNfoCommand(bool enabled) {
    GTToolbar1.setEnabled(7, enabled);
    Menus.setEnabled("dnfo", enabled);
}

}  // namespace q32
