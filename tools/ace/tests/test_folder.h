// Temporary folders, files and extraction results for the ACE tests; the
// folder, file and manifest helpers are the ones every test shares.
#pragma once

#include "ace_error.h"
#include "support/run_tool.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace q32::ace::testing {

using q32::test::littleEndian;
using q32::test::manifestOf;
using q32::test::readBytes;
using q32::test::readManifest;
using q32::test::TempFolder;
using q32::test::writeBytes;

// Every file and link below `folder` by its relative path: a file's bytes,
// a link's target. Empty when the folder is not there.
std::map<std::string, std::string> filesIn(const std::string& folder);
// The same for members given by their names in the archive ("\" between
// folders) and their bytes, once extracted.
std::map<std::string, std::string> onDisk(const std::vector<std::pair<std::string, std::string>>& members);

struct Extraction {
    AceResult result;
    std::string error;
};

Extraction extract(const std::string& firstVolume, const std::string& destination);

}  // namespace q32::ace::testing
