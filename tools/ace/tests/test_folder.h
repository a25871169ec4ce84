// Temporary folders, files and extraction results for the ACE tests; the
// folder, file and manifest helpers are the ones every test shares.
#pragma once

#include "ace_error.h"
#include "support/run_tool.h"

#include <string>
#include <vector>

namespace q32::ace::testing {

using q32::test::littleEndian;
using q32::test::manifestOf;
using q32::test::readBytes;
using q32::test::readManifest;
using q32::test::TempFolder;
using q32::test::writeBytes;

// Relative paths of every file and link below `folder`, sorted.
std::vector<std::string> filesUnder(const std::string& folder);
// Those of them that are unfinished temporary files.
std::vector<std::string> temporaryFilesUnder(const std::string& folder);

struct Extraction {
    AceResult result;
    std::string error;
};

Extraction extract(const std::string& firstVolume, const std::string& destination);

}  // namespace q32::ace::testing
