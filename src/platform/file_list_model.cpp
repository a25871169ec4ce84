#include "platform/file_list_model.h"

namespace q32 {

std::string normalFolderPath(const std::string& path) {
    std::string out = path;
    if (out.size() == 2 && out[1] == ':') return out + "\\";
    while (out.size() > 3 && out.back() == '\\') out.pop_back();
    return out;
}

bool FileListModel::load(const std::string& path) {
    auto names = fs_.listFiles(path, pattern_);
    if (!names) return false;
    path_ = path;
    names_ = std::move(*names);
    selected_.assign(names_.size(), false);
    return true;
}

bool FileListModel::setPath(const std::string& path) {
    if (path.empty()) return false;
    return load(normalFolderPath(path));
}

void FileListModel::setPattern(const std::string& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileListModel::refresh() {
    if (path_.empty() || !load(path_)) {
        names_.clear();
        selected_.clear();
    }
}

std::string FileListModel::item(int index) const {
    if (index < 0 || index >= count()) return {};
    return names_[static_cast<std::size_t>(index)];
}

bool FileListModel::selected(int index) const {
    if (index < 0 || index >= count()) return false;
    return selected_[static_cast<std::size_t>(index)];
}

void FileListModel::setSelected(int index, bool selected) {
    if (index < 0 || index >= count()) return;
    selected_[static_cast<std::size_t>(index)] = selected;
}

}  // namespace q32
