// The files commands keep in the program folder and the archives they find
// damaged: description files taken out of archives, left-overs cleared, and
// ".bad" added to a damaged archive's name so that it leaves the ZIP list.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/filesystem.h"
#include "platform/zip_engine.h"

namespace q32 {

// Deletes the first file matching the pattern in the folder, or all of them;
// read-only files go too. False when one would not go.
bool removeFilesMatching(FileSystem& fs, const std::string& folder, const std::string& pattern, bool all);

// Extracts an archive's description files (the mask) into the folder,
// passing over any too large to be a description.
std::int16_t extractDescriptionFiles(ZipEngine& zip, const std::string& folder, const std::string& mask,
                                     const std::string& archive);

// Adds ".bad" to a damaged archive's name when its drive has room, then
// reads the list again.
void markArchiveBad(FileSystem& fs, FileList& list, Desktop& screen, const std::string& archive);

}  // namespace q32
