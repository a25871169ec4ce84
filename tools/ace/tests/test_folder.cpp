#include "test_folder.h"

#include "ace_extract.h"
#include "sha256.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace q32::ace::testing {

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "q32-ace-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(path_, error);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

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

std::string samplesFolder() { return Q32_SAMPLES_DIR; }

std::string copySample(const std::string& relativePath, const std::string& folder) {
    const fs::path from = fs::path(samplesFolder()) / relativePath;
    const fs::path to = fs::path(folder) / from.filename();
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write);
    return to.string();
}

std::string compareWithManifest(const std::string& folder, const std::string& manifestPath) {
    std::istringstream manifest(readFile(manifestPath));
    std::vector<std::string> expectedPaths;
    std::string differences;
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string hash, path;
        std::uintmax_t size = 0;
        if (!(fields >> hash >> size))
            continue;
        std::getline(fields >> std::ws, path);  // the rest of the line: paths may hold spaces
        expectedPaths.push_back(path);
        const std::string file = folder + "/" + path;
        if (!fs::is_regular_file(file)) {
            differences += "missing " + path + "\n";
            continue;
        }
        const std::string bytes = readFile(file);
        if (bytes.size() != size || sha256Hex(bytes).substr(0, 16) != hash)
            differences += "different " + path + "\n";
    }
    std::sort(expectedPaths.begin(), expectedPaths.end());
    for (const std::string& extra : filesUnder(folder)) {
        if (!std::binary_search(expectedPaths.begin(), expectedPaths.end(), extra))
            differences += "unexpected " + extra + "\n";
    }
    return differences;
}

}  // namespace q32::ace::testing

namespace q32::ace::testing {

Extraction extract(const std::string& firstVolume, const std::string& destination) {
    Extraction extraction;
    extraction.result = extractAce(firstVolume, destination, extraction.error);
    return extraction;
}

std::vector<std::string> temporaryFilesUnder(const std::string& folder) {
    std::vector<std::string> found;
    for (const std::string& file : filesUnder(folder)) {
        if (file.ends_with(".part"))
            found.push_back(file);
    }
    return found;
}

}  // namespace q32::ace::testing
