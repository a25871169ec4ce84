// An archive opened for reading by several threads at once: positioned reads
// only, so no thread disturbs another's place in the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace q32::zip {

class ArchiveFile {
public:
    ArchiveFile() = default;
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // False when the file is missing, unreadable or not a regular file.
    bool open(const std::string& hostPath);
    const std::string& path() const { return path_; }
    std::uint64_t size() const { return size_; }

    // Reads up to `length` bytes at `offset`; fewer only at the end of the
    // file. -1 on a read error.
    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t length) const;

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::string path_;
};

// Little-endian fields of ZIP headers.
inline std::uint16_t le16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(le16(p)) | (static_cast<std::uint32_t>(le16(p + 2)) << 16);
}
inline std::uint64_t le64(const unsigned char* p) {
    return static_cast<std::uint64_t>(le32(p)) | (static_cast<std::uint64_t>(le32(p + 4)) << 32);
}

}  // namespace q32::zip
