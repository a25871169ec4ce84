#include "platform/zip/member_selection.h"

#include <bit>
#include <functional>

#include "platform/zip/dos_time.h"
#include "platform/zip/member_path.h"

namespace q32::zip {

namespace {

constexpr std::size_t NoMember = static_cast<std::size_t>(-1);

// Finds the places of members' names in the folder table. Members of one
// folder usually follow each other, so the folder of the previous name is
// tried first, by the bytes of the name before its file name.
class PlaceFinder {
public:
    explicit PlaceFinder(FolderTable& table) : table_(table) {}

    // False when the name is unsafe.
    bool find(std::string_view name, bool isFolder, FolderId& folder, std::string_view& fileName) {
        if (!splitSafeName(name, components_)) return false;
        if (isFolder) {
            folder = table_.folderOf(components_, components_.size());
            fileName = {};
            return true;
        }
        fileName = components_.back();
        const std::string_view prefix = name.substr(0, static_cast<std::size_t>(fileName.data() - name.data()));
        if (!known_ || prefix != lastPrefix_) {
            lastFolder_ = table_.folderOf(components_, components_.size() - 1);
            lastPrefix_ = prefix;
            known_ = true;
        }
        folder = lastFolder_;
        return true;
    }

private:
    FolderTable& table_;
    std::vector<std::string_view> components_;
    std::string_view lastPrefix_;
    FolderId lastFolder_ = DestinationFolder;
    bool known_ = false;
};

std::size_t placeHash(const PlannedMember& member) {
    return std::hash<std::string_view>{}(member.name) ^ (member.folder * 0x9E3779B97F4A7C15ull);
}

bool samePlace(const PlannedMember& a, const PlannedMember& b) { return a.folder == b.folder && a.name == b.name; }

// Which members a later member of the same place replaces: an open-addressed
// table of places, walked from the last member back.
std::vector<bool> replacedMembers(const PlannedMembers& files, bool& anyReplaced) {
    const std::size_t mask = std::bit_ceil(files.size() * 2 + 1) - 1;
    BulkVector<std::size_t> slots(mask + 1, NoMember);
    std::vector<bool> replaced(files.size(), false);
    anyReplaced = false;
    for (std::size_t i = files.size(); i-- > 0;) {
        std::size_t slot = placeHash(files[i]) & mask;
        while (slots[slot] != NoMember && !samePlace(files[slots[slot]], files[i])) slot = (slot + 1) & mask;
        if (slots[slot] == NoMember) {
            slots[slot] = i;
        } else {
            replaced[i] = true;
            anyReplaced = true;
        }
    }
    return replaced;
}

// Keeps the last file member of each place, in directory order.
PlannedMembers lastOfEachPlace(PlannedMembers files) {
    bool anyReplaced = false;
    const std::vector<bool> replaced = replacedMembers(files, anyReplaced);
    if (!anyReplaced) return files;
    PlannedMembers kept;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!replaced[i]) kept.push_back(files[i]);
    }
    return kept;
}

bool selects(const FileMask& mask, const MemberEntry& entry, std::string_view name) {
    return entry.markedAsFolder() ? mask.selectsFolders() : mask.selectsFile(name);
}

}  // namespace

Selection selectForTest(const ZipDirectory& directory, const FileMask& mask) {
    Selection selection;
    selection.files.reserve(directory.members.size());
    for (std::size_t i = 0; i < directory.members.size(); ++i) {
        const MemberEntry& entry = directory.members[i];
        if (!selects(mask, entry, directory.name(entry))) continue;
        selection.anySelected = true;
        if (!entry.isDirectory()) selection.files.push_back(PlannedMember{i, DestinationFolder, {}, std::nullopt});
    }
    return selection;
}

Selection selectForExtraction(const ZipDirectory& directory, const FileMask& mask, std::uint64_t sizeLimit) {
    Selection selection;
    selection.files.reserve(directory.members.size());
    PlaceFinder places(selection.folderTable);
    DosTimeConverter times;
    for (std::size_t i = 0; i < directory.members.size(); ++i) {
        const MemberEntry& entry = directory.members[i];
        const std::string_view name = directory.name(entry);
        if (!selects(mask, entry, name)) continue;
        selection.anySelected = true;
        PlannedMember member{i, DestinationFolder, {}, std::nullopt};
        if (entry.isSpecialFile() || !places.find(name, entry.isDirectory(), member.folder, member.name)) {
            selection.unsafeSkipped = true;
            continue;
        }
        member.modified = entry.unixTime ? entry.unixTime : times.toUnix(entry.dosDateTime);
        if (entry.isDirectory()) {
            selection.folders.push_back(member);
        } else if (entry.size > sizeLimit) {
            selection.largeSkipped = true;
        } else {
            selection.files.push_back(member);
        }
    }
    selection.files = lastOfEachPlace(std::move(selection.files));
    return selection;
}

}  // namespace q32::zip
