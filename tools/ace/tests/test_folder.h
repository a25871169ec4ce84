// Temporary folders, files and extraction results for the ACE tests.
#pragma once

#include "ace_error.h"

#include <string>
#include <vector>

namespace q32::ace::testing {

// A fresh temporary folder, removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Relative paths of every file and link below `folder`, sorted.
std::vector<std::string> filesUnder(const std::string& folder);
// Those of them that are unfinished temporary files.
std::vector<std::string> temporaryFilesUnder(const std::string& folder);

// "hash16 size path" lines, sorted, as the samples' manifests list files.
std::vector<std::string> manifestOf(const std::string& folder);
std::vector<std::string> sampleManifest(const std::string& name);

struct Extraction {
    AceResult result;
    std::string error;
};

Extraction extract(const std::string& firstVolume, const std::string& destination);

}  // namespace q32::ace::testing
