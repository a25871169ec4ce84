// The folders an extraction writes into, each once and numbered: folder 0
// is the destination, every other one has a parent and a name. Members
// refer to their folder by number, so workers open each folder once and
// never build or compare paths per member.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace q32::zip {

using FolderId = std::uint32_t;
inline constexpr FolderId DestinationFolder = 0;

class FolderTable {
public:
    struct Folder {
        FolderId parent = DestinationFolder;
        std::string name;
    };

    FolderTable();

    // The folder made of the first `depth` components, added when new.
    FolderId folderOf(const std::vector<std::string_view>& components, std::size_t depth);
    const Folder& operator[](FolderId id) const { return folders_[id]; }
    std::size_t size() const { return folders_.size(); }

private:
    // The folder `name` inside `parent`, added when new.
    FolderId child(FolderId parent, std::string_view name);

    std::vector<Folder> folders_;
    // Keyed by the parent's number and the folder's own name, never by the
    // whole path: memory grows with the names' bytes, not with their depth
    // squared.
    std::unordered_map<std::string, FolderId> byParentAndName_;
    std::string key_;  // reused while looking up
};

}  // namespace q32::zip
