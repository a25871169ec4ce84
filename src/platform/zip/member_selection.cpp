#include "platform/zip/member_selection.h"

#include <unordered_map>

#include "platform/zip/dos_time.h"
#include "platform/zip/member_path.h"

namespace q32::zip {

namespace {

std::string joined(const std::vector<std::string>& place) {
    std::string path;
    for (const auto& part : place) path += part + '/';
    return path;
}

// Keeps the last file member of each place, in directory order.
std::vector<PlannedMember> lastOfEachPlace(std::vector<PlannedMember> files) {
    std::unordered_map<std::string, std::size_t> last;
    for (std::size_t i = 0; i < files.size(); ++i) last[joined(files[i].place)] = i;
    if (last.size() == files.size()) return files;
    std::vector<PlannedMember> kept;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (last[joined(files[i].place)] == i) kept.push_back(std::move(files[i]));
    }
    return kept;
}

}  // namespace

Selection selectForTest(const ZipDirectory& directory, const FileMask& mask) {
    Selection selection;
    selection.files.reserve(directory.members.size());
    for (std::size_t i = 0; i < directory.members.size(); ++i) {
        const MemberEntry& entry = directory.members[i];
        if (!mask.selects(entry.name)) continue;
        selection.anySelected = true;
        if (!entry.isDirectory()) selection.files.push_back(PlannedMember{i, {}, std::nullopt});
    }
    return selection;
}

Selection selectForExtraction(const ZipDirectory& directory, const FileMask& mask) {
    Selection selection;
    selection.files.reserve(directory.members.size());
    DosTimeConverter times;
    for (std::size_t i = 0; i < directory.members.size(); ++i) {
        const MemberEntry& entry = directory.members[i];
        if (!mask.selects(entry.name)) continue;
        selection.anySelected = true;
        auto place = safeComponents(entry.name);
        if (!place || entry.isSpecialFile()) {
            selection.unsafeSkipped = true;
            continue;
        }
        auto modified = entry.unixTime ? entry.unixTime : times.toUnix(entry.dosDateTime);
        auto& list = entry.isDirectory() ? selection.folders : selection.files;
        list.push_back(PlannedMember{i, std::move(*place), modified});
    }
    selection.files = lastOfEachPlace(std::move(selection.files));
    return selection;
}

}  // namespace q32::zip
