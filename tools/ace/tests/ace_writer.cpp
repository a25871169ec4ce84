#include "ace_writer.h"

#include "ace_crc.h"
#include "headers.h"
#include "test_folder.h"
#include "volume_files.h"

#include <algorithm>

namespace q32::ace::testing {
namespace {

constexpr std::uint32_t kDosTime = (44u << 25) | (6u << 21) | (15u << 16) | (12u << 11) | (30u << 5);
constexpr std::uint16_t kDictionaryParameter = 0x000A;  // 1 MiB

// Check and size in front of a header body.
std::string framed(const std::string& body) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(body.data());
    return littleEndian({{headerCheck(bytes, body.size()), 2}, {body.size(), 2}}) + body;
}

std::string mainHeader(const WriterOptions& options, unsigned volume) {
    const std::uint16_t flags = (options.volumeSize > 0 ? header_flag::kMultiVolume : 0) |
                                (options.solid ? header_flag::kSolid : 0);
    // Versions needed and made by 2.0, made on Win32.
    return framed(littleEndian({{header_type::kMain, 1}, {flags, 2}}) + kSignature +
                  littleEndian({{20, 1}, {20, 1}, {2, 1}, {volume, 1}, {kDosTime, 4}}) + std::string(8, '\0'));
}

struct Segment {
    const WriterMember& member;
    std::uint32_t crc;
    std::size_t packedSize;
    bool continuedFromPrevious;
    bool continuesInNext;
};

std::string fileHeader(const Segment& segment, const WriterOptions& options) {
    const WriterMember& member = segment.member;
    const std::uint16_t flags = header_flag::kAddSize | member.extraFlags | (options.solid ? header_flag::kSolid : 0) |
                                (segment.continuedFromPrevious ? header_flag::kContinuedFromPrevious : 0) |
                                (segment.continuesInNext ? header_flag::kContinuesInNext : 0);
    const int method = member.method >= 0 ? member.method : member.lz77 ? 1 : 0;
    return framed(littleEndian({{header_type::kFile32, 1}, {flags, 2}, {segment.packedSize, 4},
                                {member.data.size(), 4}, {kDosTime, 4}, {member.folder ? kFolderAttribute : 0x20u, 4},
                                {segment.crc, 4}, {static_cast<std::uint64_t>(method), 1},
                                {method == 0 ? 0u : 3u, 1},  // quality
                                {kDictionaryParameter, 2}, {0, 2}, {member.name.size(), 2}}) +
                  member.name);
}

// Packs a member's data; stored members still fill a solid archive's window.
std::string pack(Lz77Encoder& encoder, const WriterMember& member, bool solid) {
    if (!solid)
        encoder.forget();
    if (!member.packedOverride.empty())
        return member.packedOverride;
    if (!member.lz77) {
        encoder.remember(member.data);
        return member.data;
    }
    return encoder.encode(member.data);
}

}  // namespace

WrittenArchive writeAce(const std::vector<WriterMember>& members, const WriterOptions& options) {
    WrittenArchive written;
    Lz77Encoder encoder(options.symbolsPerBlock);
    const auto append = [&](const std::string& bytes, std::vector<Part>& parts) {
        std::string& volume = written.volumes.back();
        if (!bytes.empty())
            parts.push_back({static_cast<unsigned>(written.volumes.size() - 1), volume.size(), bytes.size()});
        volume += bytes;
    };
    const auto startVolume = [&] {
        written.volumes.emplace_back();
        append(mainHeader(options, static_cast<unsigned>(written.volumes.size() - 1)), written.mainHeaders);
    };
    startVolume();
    for (const WriterMember& member : members) {
        const std::string packed = pack(encoder, member, options.solid);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(member.data.data());
        Segment segment{member, aceCrc32(bytes, member.data.size()), 0, false, false};
        // Each segment takes what room its volume has left after its header.
        for (std::size_t done = 0;;) {
            const std::size_t used = written.volumes.back().size() + fileHeader(segment, options).size();
            if (options.volumeSize > 0 && used >= options.volumeSize) {
                startVolume();
                continue;
            }
            const std::size_t room = options.volumeSize > 0 ? options.volumeSize - used : packed.size();
            segment.packedSize = std::min(packed.size() - done, room);
            segment.continuesInNext = done + segment.packedSize < packed.size();
            append(fileHeader(segment, options), written.fileHeaders);
            append(packed.substr(done, segment.packedSize), written.data);
            done += segment.packedSize;
            if (!segment.continuesInNext)
                break;
            segment.continuedFromPrevious = true;
            startVolume();
        }
    }
    written.stats = encoder.stats();
    return written;
}

std::string saveVolumes(const WrittenArchive& archive, const std::string& folder, const std::string& base) {
    for (unsigned i = 0; i < archive.volumes.size(); ++i)
        writeBytes(folder + "/" + *volumeFileName(base + ".ace", i), archive.volumes[i]);
    return folder + "/" + base + ".ace";
}

std::vector<WriterMember> storedMembers(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<WriterMember> members;
    for (const auto& [name, data] : files)
        members.push_back(storedFile(name, data));
    return members;
}

}  // namespace q32::ace::testing
