// Writes small ACE archives and volume sets for the tests: stored members,
// or members packed by the tests' LZ77 encoder, solid or not, split over
// volumes of a given size. It also tells where each part of each volume
// lies, so that tests can damage exactly one part.
#pragma once

#include "lz77_encoder.h"
#include "support/run_tool.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace q32::ace::testing {

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
    std::uint32_t symbolsPerBlock = 32767;  // in the packed members' streams
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

inline WriterMember storedFile(const std::string& name, const std::string& data) {
    return {.name = name, .data = data};
}
inline WriterMember packedFile(const std::string& name, const std::string& data) {
    return {.name = name, .data = data, .lz77 = true};
}
inline WriterMember folderEntry(const std::string& name) { return {.name = name, .folder = true}; }

using q32::test::randomBytes;
using q32::test::sampleText;

// One member for each (name, data) pair, stored.
std::vector<WriterMember> storedMembers(const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace q32::ace::testing
