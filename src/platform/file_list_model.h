// What a file list shows: the files of a folder matching a filter, with
// selected flags. Shared by the Qt file list and the headless one, so both
// list exactly the same entries in the same order.
#pragma once

#include <string>
#include <vector>

#include "platform/filesystem.h"

namespace q32 {

class FileListModel {
public:
    explicit FileListModel(FileSystem& fs) : fs_(fs) {}

    const std::string& path() const { return path_; }
    // Reads the folder; false (and nothing changes) when it cannot be read.
    bool setPath(const std::string& path);
    const std::string& pattern() const { return pattern_; }
    void setPattern(const std::string& pattern);
    // Reads the folder again; the selection is gone.
    void refresh();

    int count() const { return static_cast<int>(names_.size()); }
    std::string item(int index) const;
    bool selected(int index) const;
    void setSelected(int index, bool selected);

private:
    bool load(const std::string& path);

    FileSystem& fs_;
    std::string path_;
    std::string pattern_ = "*.*";
    std::vector<std::string> names_;
    std::vector<bool> selected_;
};

// A folder path as file lists report it: a drive root keeps its backslash
// ("c:\"), any other folder loses a trailing one.
std::string normalFolderPath(const std::string& path);

}  // namespace q32
