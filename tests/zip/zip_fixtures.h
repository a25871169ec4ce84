// Archives for the zip engine's tests: sound ones written with libzip,
// hand-made ones for what libzip will not write, and helpers that damage a
// copy by flipping or cutting bytes. Everything lives in a temporary folder
// (support/run_tool.h) that vanishes with the fixture.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "support/run_tool.h"

namespace q32::zip::test {

struct MemberSpec {
    enum class Kind { File, Folder, Link };
    std::string name{};
    std::string data{};  // the link target for a link
    Kind kind = Kind::File;
    std::int32_t method = 8;  // ZIP_CM_DEFLATE; 0 stores
    unsigned unixMode = 0;    // permission bits, 0 for none
    std::time_t modified = 0; // 0 keeps libzip's default
    std::uint16_t encryption = 0;  // ZIP_EM_TRAD_PKWARE, ZIP_EM_AES_128...; 0 for none
    std::string password{};
};

MemberSpec file(std::string name, std::string data, std::int32_t method = 8);
MemberSpec folder(std::string name);
MemberSpec link(std::string name, std::string target);

// Writes the members with libzip; names are stored as given.
void writeZip(const std::string& path, const std::vector<MemberSpec>& members);

// A hand-made archive of one member, its compressed bytes given as they are.
struct RawMember {
    std::string name{};
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint64_t size = 0;  // decoded
    std::uint32_t crc = 0;
    std::string compressed;
};
void writeRawZip(const std::string& path, const RawMember& member);

// A hand-made archive of one deflated member of `size` zero bytes.
void writeZerosZip(const std::string& path, const std::string& name, std::uint64_t size);

// A hand-made archive of stored members whose sizes and offset are kept
// in Zip64 extra fields, with Zip64 end records.
void writeZip64Stored(const std::string& path, const std::vector<MemberSpec>& members);

std::uint32_t crcOf(const std::string& data);

using q32::test::littleEndian;
using q32::test::putNumber;

// The fields of a hand-made local or central header, dated 1980-01-01. Sizes
// of 0xFFFFFFFF with a Zip64 extra field leave the real ones to that field.
struct HeaderFields {
    std::string name{};
    std::uint16_t version = 20;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressed = 0;
    std::uint32_t size = 0;
    std::string extra{};
    std::uint16_t madeBy = 20;       // the central header's only
    std::uint32_t attributes = 0;    // external; the central header's only
    std::uint32_t offset = 0;        // of the local header; the central header's only
};
std::string localHeader(const HeaderFields& fields);
std::string centralHeader(const HeaderFields& fields);
// The end of central directory record, counts and places capped at their 16 and 32 bits.
std::string endRecord(std::uint64_t entries, std::uint64_t directorySize, std::uint64_t directoryOffset);
// `body` followed by a central directory of `entries` and its end record.
std::string withDirectory(const std::string& body, const std::vector<HeaderFields>& entries);

// Bits least significant first; codes most significant bit first.
class BitWriter {
public:
    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bit((value >> i) & 1);
    }
    void code(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) bit((value >> i) & 1);
    }
    std::string finish() { return std::move(out_); }

private:
    void bit(std::uint32_t b) {
        if (used_ % 8 == 0) out_ += '\0';
        out_.back() = static_cast<char>(out_.back() | (b << (used_++ % 8)));
    }
    std::string out_;
    std::size_t used_ = 0;
};

using q32::test::readBytes;
using q32::test::readNumber;
using q32::test::TempFolder;
using q32::test::writeBytes;

// Offset of the first occurrence of `needle` in the file.
std::size_t findBytes(const std::string& path, const std::string& needle);
// Offset of a member's data, from its local header.
std::size_t memberDataOffset(const std::string& path, const std::string& name);
// Offset of a member's central directory header.
std::size_t centralHeaderOffset(const std::string& path, const std::string& name);
// Offset of a member's local header, as its central header records it.
std::size_t localHeaderOffset(const std::string& path, const std::string& name);
// Overwrites `bytes` bytes at `offset` with the little-endian `value`.
void patchNumber(const std::string& path, std::size_t offset, std::uint32_t value, int bytes);
inline void patchByte(const std::string& path, std::size_t at, unsigned char value) { patchNumber(path, at, value, 1); }
void flipByte(const std::string& path, std::size_t offset);
void cutTo(const std::string& path, std::size_t size);

using q32::test::randomBytes;
using q32::test::sampleText;

}  // namespace q32::zip::test
