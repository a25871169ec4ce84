#include "platform/zip/folder_table.h"

namespace q32::zip {

FolderTable::FolderTable() : folders_(1) {}

FolderId FolderTable::folderOf(const std::vector<std::string_view>& components, std::size_t depth) {
    FolderId id = DestinationFolder;
    path_.clear();
    for (std::size_t i = 0; i < depth; ++i) {
        path_.append(components[i]).push_back('/');
        const auto found = byPath_.find(path_);
        if (found != byPath_.end()) {
            id = found->second;
            continue;
        }
        const auto added = static_cast<FolderId>(folders_.size());
        folders_.push_back(Folder{id, std::string(components[i])});
        byPath_.emplace(path_, added);
        id = added;
    }
    return id;
}

}  // namespace q32::zip
