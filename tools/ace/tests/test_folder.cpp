#include "test_folder.h"

#include "ace_extract.h"

#include <algorithm>
#include <cstdio>
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

std::vector<std::string> temporaryFilesUnder(const std::string& folder) {
    std::vector<std::string> found = filesUnder(folder);
    std::erase_if(found, [](const std::string& file) { return !file.ends_with(".part"); });
    return found;
}

namespace {

std::string sha256Prefix(const std::string& file) {
    FILE* pipe = ::popen(("sha256sum '" + file + "'").c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run sha256sum");
    char hash[16];
    const std::size_t got = std::fread(hash, 1, sizeof hash, pipe);
    ::pclose(pipe);
    return std::string(hash, got);
}

}  // namespace

std::vector<std::string> manifestOf(const std::string& folder) {
    std::vector<std::string> lines;
    for (const std::string& file : filesUnder(folder)) {
        const std::string path = folder + "/" + file;
        lines.push_back(sha256Prefix(path) + " " + std::to_string(fs::file_size(path)) + " " + file);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> sampleManifest(const std::string& name) {
    std::istringstream manifest(readFile(std::string(Q32_SAMPLES_DIR) + "/" + name + ".manifest"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(manifest, line);) {
        if (!line.empty())
            lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

Extraction extract(const std::string& firstVolume, const std::string& destination) {
    Extraction extraction;
    extraction.result = extractAce(firstVolume, destination, extraction.error);
    return extraction;
}

}  // namespace q32::ace::testing
