#include "command_kit/program_folder_files.h"

#include <optional>

#include "command_kit/panels.h"
#include "common/text.h"

namespace q32 {

namespace {

// A file_id.diz is ten lines and an NFO file a few pages: a member far
// larger than any real one is no description and is not written at all.
constexpr std::uint64_t kDescriptionMemberLimit = 4 * 1024 * 1024;

}  // namespace

bool removeFilesMatching(FileSystem& fs, const std::string& folder, const std::string& pattern, bool all) {
    const std::string search = joinPath(folder, pattern);
    while (auto name = fs.firstFile(search)) {
        const std::string path = joinPath(folder, *name);
        fs.setNormalAttributes(path);
        if (!fs.deleteFile(path)) return false;
        if (!all) break;
    }
    return true;
}

std::int16_t extractDescriptionFiles(ZipEngine& zip, const std::string& folder, const std::string& mask,
                                     const std::string& archive) {
    zip.setFileMask(mask);
    zip.setDestinationFolder(folder);
    zip.setArchiveName(archive);
    zip.setMemberSizeLimit(kDescriptionMemberLimit);
    const std::int16_t code = zip.extract(0);
    zip.setMemberSizeLimit(0);
    return code;
}

// An older ".bad" of exactly the same name is replaced; one whose name
// differs only in letter case is another archive's and stays. A drive with
// 2 bytes or less free keeps the name. The list is read again either way.
void markArchiveBad(FileSystem& fs, FileList& list, Desktop& screen, const std::string& archive) {
    const std::optional<std::int64_t> free =
        archive.empty() ? std::nullopt : fs.freeSpace(lower(archive.substr(0, 1)).front());
    if (free && *free > 2) {
        const std::string marked = archive + ".bad";
        fs.setNormalAttributes(marked);
        fs.deleteFile(marked);
        if (!fs.rename(archive, marked))
            showError(screen, "The damaged archive\n" + archive + "\ncould not be renamed " + nameOf(marked) +
                                  ":\nsomething of that name is in the way, or the folder cannot be changed.");
    }
    list.refresh();
}

}  // namespace q32
