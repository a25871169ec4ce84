#include "volume_files.h"

#include "archive/archivers.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <vector>

namespace q32::ace {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get()))
        names.emplace_back(entry->d_name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::optional<std::string> findNoCase(const std::string& folder, const std::string& wanted) {
    std::optional<std::string> found;
    for (const std::string& name : namesIn(folder)) {
        if (name == wanted)
            return name;
        if (!found && equalNoCase(name, wanted))
            found = name;
    }
    return found;
}

FileVolumeSource::FileVolumeSource(std::string firstVolumePath) : firstPath_(std::move(firstVolumePath)) {
    const std::size_t slash = firstPath_.rfind('/');
    if (slash == std::string::npos) {
        firstName_ = firstPath_;
    } else {
        folder_ = firstPath_.substr(0, slash + 1);
        firstName_ = firstPath_.substr(slash + 1);
    }
}

std::optional<std::string> FileVolumeSource::pathOf(unsigned index) const {
    if (index == 0)
        return firstPath_;
    const std::optional<std::string> wanted = volumeName(kAceVolumes, firstName_, index);
    if (!wanted)
        return std::nullopt;
    const std::optional<std::string> onDisk = findNoCase(folder_, *wanted);
    if (!onDisk)
        return std::nullopt;
    return folder_ + *onDisk;
}

std::unique_ptr<ByteInput> FileVolumeSource::open(unsigned index) {
    const std::optional<std::string> path = pathOf(index);
    if (!path)
        return nullptr;
    if (openedPaths_.size() <= index)
        openedPaths_.resize(index + 1);
    openedPaths_[index] = *path;
    return FileInput::open(*path);
}

std::string FileVolumeSource::describe(unsigned index) const {
    if (index < openedPaths_.size() && !openedPaths_[index].empty())
        return openedPaths_[index];
    const std::optional<std::string> wanted = volumeName(kAceVolumes, firstName_, index);
    return folder_ + wanted.value_or("volume " + std::to_string(index + 1));
}

}  // namespace q32::ace
