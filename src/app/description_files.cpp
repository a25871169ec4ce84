// The description files (file_id.diz, *.nfo) that the test and description
// commands take out of an archive into the program folder.
#include "app/main_window.h"

namespace q32 {

namespace {

// A file_id.diz is ten lines and an NFO file a few pages: a member far
// larger than any real one is no description and is not written at all.
constexpr std::uint64_t kDescriptionMemberLimit = 4 * 1024 * 1024;

}  // namespace

std::int16_t MainWindow::extractDescriptionFiles(const std::string& mask, const std::string& archive) {
    XceedZip1.setFileMask(mask);
    XceedZip1.setDestinationFolder(ProgramFolder);
    XceedZip1.setArchiveName(archive);
    XceedZip1.setMemberSizeLimit(kDescriptionMemberLimit);
    const std::int16_t code = XceedZip1.extract(0);
    XceedZip1.setMemberSizeLimit(0);
    return code;
}

}  // namespace q32
