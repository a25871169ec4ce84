// Walks an ACE archive or volume set from its first volume to its last,
// checking every header and every member's CRC-32, and hands the members to
// a sink. Stops at the first problem with an AceError.
#pragma once

#include "byte_input.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q32::ace {

class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    // Volume `index` of the set (0 = the first); nullptr when it is not there.
    virtual std::unique_ptr<ByteInput> open(unsigned index) = 0;
    // The volume's name for messages.
    virtual std::string describe(unsigned index) const = 0;
};

// Receives the members. Paths are relative, "/" between folders, UTF-8, and
// never lead outside the destination.
class MemberSink {
public:
    virtual ~MemberSink() = default;
    virtual void makeFolder(const std::string& path) = 0;
    virtual void beginFile(const std::string& path, std::uint32_t dosTime) = 0;
    virtual void write(const std::uint8_t* data, std::size_t size) = 0;
    // The file is complete and its CRC matched.
    virtual void keepFile() = 0;
    // The file is not to be kept (damage, or the read stopped); must not throw.
    virtual void dropFile() noexcept = 0;
};

struct ReadSummary {
    unsigned files = 0;
    unsigned folders = 0;
    std::vector<std::string> skippedNames;  // unsafe names, not extracted
};

ReadSummary readArchive(VolumeSource& volumes, MemberSink& sink);

}  // namespace q32::ace
