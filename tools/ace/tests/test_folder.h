// Temporary folders, file helpers and manifest checks for the ACE tests.
#pragma once

#include "ace_error.h"

#include <string>
#include <vector>

namespace q32::ace::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
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

// Relative paths ("/" between folders) of every file and link below
// `folder`, sorted; folders themselves are not listed.
std::vector<std::string> filesUnder(const std::string& folder);

// The samples folder's file `relativePath` copied into `folder`; returns the copy's path.
std::string copySample(const std::string& relativePath, const std::string& folder);

// Compares the files below `folder` with a sample manifest (first 16 hex
// digits of SHA-256, size, path per line). Empty when everything matches
// and nothing else is there; otherwise the differences, one a line.
std::string compareWithManifest(const std::string& folder, const std::string& manifestPath);

std::string samplesFolder();

struct Extraction {
    AceResult result;
    std::string error;
};

Extraction extract(const std::string& firstVolume, const std::string& destination);

// Files below `folder` whose names show an unfinished temporary file.
std::vector<std::string> temporaryFilesUnder(const std::string& folder);

}  // namespace q32::ace::testing
