#include "test_folder.h"

#include "ace_extract.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace q32::ace::testing {

std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string path = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_symlink())
            files[path] = "link to " + fs::read_symlink(entry.path()).string();
        else if (!entry.is_directory())
            files[path] = readBytes(entry.path());
    }
    return files;
}

std::map<std::string, std::string> onDisk(const std::vector<std::pair<std::string, std::string>>& members) {
    std::map<std::string, std::string> files;
    for (auto [name, data] : members) {
        std::replace(name.begin(), name.end(), '\\', '/');
        files[name] = data;
    }
    return files;
}

Extraction extract(const std::string& firstVolume, const std::string& destination) {
    Extraction extraction;
    extraction.result = extractAce(firstVolume, destination, extraction.error);
    return extraction;
}

}  // namespace q32::ace::testing
