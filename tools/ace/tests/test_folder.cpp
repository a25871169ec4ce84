#include "test_folder.h"

#include "ace_extract.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace q32::ace::testing {

std::vector<std::string> filesUnder(const std::string& folder) {
    std::vector<std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory() || entry.is_symlink())
            files.push_back(fs::relative(entry.path(), folder).generic_string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> temporaryFilesUnder(const std::string& folder) {
    std::vector<std::string> found = filesUnder(folder);
    std::erase_if(found, [](const std::string& file) { return !file.ends_with(".part"); });
    return found;
}

Extraction extract(const std::string& firstVolume, const std::string& destination) {
    Extraction extraction;
    extraction.result = extractAce(firstVolume, destination, extraction.error);
    return extraction;
}

}  // namespace q32::ace::testing
