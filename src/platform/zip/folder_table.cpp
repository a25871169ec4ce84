#include "platform/zip/folder_table.h"

namespace q32::zip {

FolderTable::FolderTable() : folders_(1) {}

FolderId FolderTable::folderOf(const std::vector<std::string_view>& components, std::size_t depth) {
    FolderId id = DestinationFolder;
    for (std::size_t i = 0; i < depth; ++i) id = child(id, components[i]);
    return id;
}

FolderId FolderTable::child(FolderId parent, std::string_view name) {
    key_.assign(reinterpret_cast<const char*>(&parent), sizeof parent).append(name);
    const auto found = byParentAndName_.find(key_);
    if (found != byParentAndName_.end()) return found->second;
    const auto added = static_cast<FolderId>(folders_.size());
    folders_.push_back(Folder{parent, std::string(name)});
    byParentAndName_.emplace(key_, added);
    return added;
}

}  // namespace q32::zip
