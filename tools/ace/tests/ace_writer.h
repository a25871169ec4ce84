// What the ACE tests share. A writer of small ACE archives and volume sets:
// stored members, or members packed by the tests' LZ77 encoder, solid or
// not, split over volumes of a given size; it also tells where each part of
// each volume lies, so that tests can damage exactly one part. And the
// extraction of an archive and what it leaves in a folder; the folder, file
// and manifest helpers are the ones every test shares.
#pragma once

#include "ace_error.h"
#include "lz77_encoder.h"
#include "support/run_tool.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace q32::ace::testing {

using q32::test::littleEndian;
using q32::test::manifestOf;
using q32::test::randomBytes;
using q32::test::readBytes;
using q32::test::readManifest;
using q32::test::sampleText;
using q32::test::TempFolder;
using q32::test::writeBytes;

struct WriterMember {
    std::string name{};          // as stored: "\" between folders
    std::string data{};
    bool folder = false;
    bool lz77 = false;           // packed with the test encoder, else stored
    std::uint16_t extraFlags = 0;
    int method = -1;             // overrides the method byte when set
    std::string packedOverride{};  // packed bytes to write instead of encoding `data`
};

struct WriterOptions {
    bool solid = false;
    std::size_t volumeSize = 0;  // most bytes a volume holds; 0 for one volume
};

struct Part {
    unsigned volume = 0;
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct WrittenArchive {
    std::vector<std::string> volumes;
    std::vector<Part> mainHeaders;  // one per volume
    std::vector<Part> fileHeaders;  // one per segment of a member
    std::vector<Part> data;         // every segment's packed data that is not empty
    Lz77Stats stats;                // what packing the members took
};

WrittenArchive writeAce(const std::vector<WriterMember>& members, const WriterOptions& options = {});

// Saves the volumes into `folder` as BASE.ace, BASE.c00 ...; returns the
// first volume's path.
std::string saveVolumes(const WrittenArchive& archive, const std::string& folder, const std::string& base);

inline WriterMember packedFile(const std::string& name, const std::string& data) {
    return {.name = name, .data = data, .lz77 = true};
}
inline WriterMember folderEntry(const std::string& name) { return {.name = name, .folder = true}; }

// One member for each (name, data) pair, stored.
std::vector<WriterMember> storedMembers(const std::vector<std::pair<std::string, std::string>>& files);

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
