#include "ace_writer.h"
#include "archive/archivers.h"

#include "ace_crc.h"
#include "ace_extract.h"
#include "headers.h"
#include "volume_files.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

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

// The header of one segment of a member; `segmentFlags` tell whether it
// continues one in the volume before and whether one in the next follows.
std::string fileHeader(const WriterMember& member, const WriterOptions& options, std::uint32_t crc,
                       std::size_t packedSize, std::uint16_t segmentFlags) {
    const std::uint16_t flags =
        header_flag::kAddSize | member.extraFlags | (options.solid ? header_flag::kSolid : 0) | segmentFlags;
    const int method = member.method >= 0 ? member.method : member.lz77 ? 1 : 0;
    return framed(littleEndian({{header_type::kFile32, 1}, {flags, 2}, {packedSize, 4},
                                {member.data.size(), 4}, {kDosTime, 4}, {member.folder ? kFolderAttribute : 0x20u, 4},
                                {crc, 4}, {static_cast<std::uint64_t>(method), 1},
                                {method == 0 ? 0u : 3u, 1},  // quality
                                {kDictionaryParameter, 2}, {0, 2}, {member.name.size(), 2}}) +
                  member.name);
}

}  // namespace

WrittenArchive writeAce(const std::vector<WriterMember>& members, const WriterOptions& options) {
    WrittenArchive written;
    Lz77Encoder encoder;
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
        if (!options.solid)
            encoder.forget();
        if (!member.lz77)
            encoder.remember(member.data);  // stored members fill a solid archive's window too
        const std::string packed = !member.packedOverride.empty() ? member.packedOverride
                                   : member.lz77                  ? encoder.encode(member.data)
                                                                  : member.data;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(member.data.data());
        const std::uint32_t crc = aceCrc32(bytes, member.data.size());
        // Each segment takes what room its volume has left after its header.
        for (std::size_t done = 0;;) {
            const std::size_t used = written.volumes.back().size() + fileHeader(member, options, crc, 0, 0).size();
            if (options.volumeSize > 0 && used >= options.volumeSize) {
                startVolume();
                continue;
            }
            const std::size_t room = options.volumeSize > 0 ? options.volumeSize - used : packed.size();
            const std::size_t size = std::min(packed.size() - done, room);
            const bool continues = done + size < packed.size();
            const std::uint16_t segmentFlags = (done > 0 ? header_flag::kContinuedFromPrevious : 0) |
                                               (continues ? header_flag::kContinuesInNext : 0);
            append(fileHeader(member, options, crc, size, segmentFlags), written.fileHeaders);
            append(packed.substr(done, size), written.data);
            done += size;
            if (!continues)
                break;
            startVolume();
        }
    }
    written.stats = encoder.stats();
    return written;
}

std::string saveVolumes(const WrittenArchive& archive, const std::string& folder, const std::string& base) {
    for (unsigned i = 0; i < archive.volumes.size(); ++i)
        writeBytes(folder + "/" + *volumeName(kAceVolumes, base + ".ace", i), archive.volumes[i]);
    return folder + "/" + base + ".ace";
}

std::vector<WriterMember> storedMembers(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<WriterMember> members;
    for (const auto& [name, data] : files)
        members.push_back({.name = name, .data = data});
    return members;
}

std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string path = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_symlink())
            files[path] = "link to " + fs::read_symlink(entry.path()).string();
        else if (!entry.is_directory())
            files[path] = readBytes(entry.path());
    }
    return files;
}

std::map<std::string, std::string> onDisk(const std::vector<std::pair<std::string, std::string>>& members) {
    std::map<std::string, std::string> files;
    for (auto [name, data] : members) {
        std::replace(name.begin(), name.end(), '\\', '/');
        files[name] = data;
    }
    return files;
}

Extraction extract(const std::string& firstVolume, const std::string& destination) {
    Extraction extraction;
    extraction.result = extractAce(firstVolume, destination, extraction.error);
    return extraction;
}

}  // namespace q32::ace::testing
