#include "zip_fixtures.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace q32::zip::test {

namespace fs = std::filesystem;

namespace {

void check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error(what);
}

zip_int64_t addMember(zip_t* archive, const MemberSpec& member) {
    if (member.kind == MemberSpec::Kind::Folder) return zip_dir_add(archive, member.name.c_str(), ZIP_FL_ENC_RAW);
    zip_source_t* source = zip_source_buffer(archive, member.data.data(), member.data.size(), 0);
    check(source != nullptr, "zip_source_buffer");
    const zip_int64_t index = zip_file_add(archive, member.name.c_str(), source, ZIP_FL_ENC_RAW);
    if (index < 0) zip_source_free(source);
    return index;
}

void setAttributes(zip_t* archive, zip_uint64_t index, const MemberSpec& member) {
    check(zip_set_file_compression(archive, index, member.method, 0) == 0, "compression method");
    if (member.kind == MemberSpec::Kind::Link) {
        zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777u) << 16);
    } else if (member.unixMode != 0) {
        const unsigned type = member.kind == MemberSpec::Kind::Folder ? S_IFDIR : S_IFREG;
        zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, (type | member.unixMode) << 16);
    }
    if (member.modified != 0) zip_file_set_mtime(archive, index, member.modified, 0);
    if (member.encryption != ZIP_EM_NONE) {
        check(zip_file_set_encryption(archive, index, member.encryption, member.password.c_str()) == 0, "encryption");
    }
}

}  // namespace

std::string localHeader(const HeaderFields& f) {
    return littleEndian({{0x04034b50, 4}, {f.version, 2}, {f.flags, 2}, {f.method, 2}, {0x00210000, 4}, {f.crc, 4},
                         {f.compressed, 4}, {f.size, 4}, {f.name.size(), 2}, {f.extra.size(), 2}}) +
           f.name + f.extra;
}

std::string centralHeader(const HeaderFields& f) {
    return littleEndian({{0x02014b50, 4}, {f.madeBy, 2}, {f.version, 2}, {f.flags, 2}, {f.method, 2}, {0x00210000, 4},
                         {f.crc, 4}, {f.compressed, 4}, {f.size, 4}, {f.name.size(), 2}, {f.extra.size(), 2},
                         {0, 6}, {f.attributes, 4}, {f.offset, 4}}) +  // comment, disk, internal attributes
           f.name + f.extra;
}

std::string endRecord(std::uint64_t entries, std::uint64_t directorySize, std::uint64_t directoryOffset) {
    entries = std::min<std::uint64_t>(entries, 0xFFFF);
    return littleEndian({{0x06054b50, 4}, {0, 4}, {entries, 2}, {entries, 2},
                         {std::min<std::uint64_t>(directorySize, 0xFFFFFFFF), 4},
                         {std::min<std::uint64_t>(directoryOffset, 0xFFFFFFFF), 4}, {0, 2}});
}

std::string withDirectory(const std::string& body, const std::vector<HeaderFields>& entries) {
    std::string directory;
    for (const auto& fields : entries) directory += centralHeader(fields);
    return body + directory + endRecord(entries.size(), directory.size(), body.size());
}

std::uint32_t crcOf(const std::string& data) {
    return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

namespace {

// One fixed-Huffman block: a zero literal, then copies of 258 bytes at distance 1.
std::string deflatedZeros(std::uint64_t size) {
    BitWriter writer;
    writer.bits(1, 1);  // last block
    writer.bits(1, 2);  // fixed Huffman codes
    std::uint64_t left = size;
    if (left > 0) {
        writer.code(0x30, 8);  // literal 0
        --left;
    }
    for (; left >= 258; left -= 258) {
        writer.code(0xC5, 8);  // length 258
        writer.code(0, 5);     // distance 1
    }
    for (; left > 0; --left) writer.code(0x30, 8);
    writer.code(0, 7);  // end of block
    return writer.finish();
}

// CRC-32 of `size` zero bytes, by doubling: no need to run over them all.
std::uint32_t crcOfZeros(std::uint64_t size) {
    const char zero = 0;
    uLong result = crc32(0, nullptr, 0);
    uLong power = crc32(0, reinterpret_cast<const Bytef*>(&zero), 1);  // CRC of 2^bit zeros
    for (std::uint64_t bit = 0; (size >> bit) != 0; ++bit) {
        const auto length = static_cast<z_off_t>(std::uint64_t{1} << bit);
        if ((size >> bit) & 1) result = crc32_combine(result, power, length);
        power = crc32_combine(power, power, length);
    }
    return static_cast<std::uint32_t>(result);
}

}  // namespace

MemberSpec file(std::string name, std::string data, std::int32_t method) {
    return MemberSpec{std::move(name), std::move(data), MemberSpec::Kind::File, method};
}

MemberSpec folder(std::string name) { return MemberSpec{std::move(name), "", MemberSpec::Kind::Folder}; }

MemberSpec link(std::string name, std::string target) {
    return MemberSpec{std::move(name), std::move(target), MemberSpec::Kind::Link, ZIP_CM_STORE};
}

void writeZip(const std::string& path, const std::vector<MemberSpec>& members) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    check(archive != nullptr, "zip_open for writing");
    for (const MemberSpec& member : members) {
        const zip_int64_t index = addMember(archive, member);
        check(index >= 0, "cannot add " + member.name);
        setAttributes(archive, static_cast<zip_uint64_t>(index), member);
    }
    check(zip_close(archive) == 0, "zip_close");
}

void writeZerosZip(const std::string& path, const std::string& name, std::uint64_t size) {
    writeRawZip(path, RawMember{name, 8, 0, size, crcOfZeros(size), deflatedZeros(size)});
}

void writeRawZip(const std::string& path, const RawMember& member) {
    const HeaderFields fields{.name = member.name, .version = static_cast<std::uint16_t>(member.method > 8 ? 63 : 20),
                              .method = member.method, .flags = member.flags, .crc = member.crc,
                              .compressed = static_cast<std::uint32_t>(member.compressed.size()),
                              .size = static_cast<std::uint32_t>(member.size)};
    writeBytes(path, withDirectory(localHeader(fields) + member.compressed, {fields}));
}

void writeZip64Stored(const std::string& path, const std::vector<MemberSpec>& members) {
    std::string out, directory;
    for (const MemberSpec& member : members) {
        const std::uint64_t size = member.data.size();
        HeaderFields fields{.name = member.name, .version = 45, .crc = crcOf(member.data), .compressed = 0xFFFFFFFF,
                            .size = 0xFFFFFFFF, .extra = littleEndian({{1, 2}, {16, 2}, {size, 8}, {size, 8}}),
                            .madeBy = (3 << 8) | 45, .attributes = (S_IFREG | 0644u) << 16, .offset = 0xFFFFFFFF};
        const std::uint64_t offset = out.size();
        out += localHeader(fields) + member.data;
        fields.extra = littleEndian({{1, 2}, {24, 2}, {size, 8}, {size, 8}, {offset, 8}});
        directory += centralHeader(fields);
    }
    const std::uint64_t directoryAt = out.size(), recordAt = directoryAt + directory.size();
    out += directory + littleEndian({{0x06064b50, 4}, {44, 8}, {(3 << 8) | 45, 2}, {45, 2}, {0, 8},
                                     {members.size(), 8}, {members.size(), 8}, {directory.size(), 8},
                                     {directoryAt, 8}, {0x07064b50, 4}, {0, 4}, {recordAt, 8}, {1, 4}});
    writeBytes(path, out + endRecord(0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF));
}

std::size_t findBytes(const std::string& path, const std::string& needle) {
    const std::size_t at = readBytes(path).find(needle);
    check(at != std::string::npos, "not in the archive: " + needle);
    return at;
}

namespace {

// The first header of `signature` whose name, of the length at `lengthAt`, stands at `nameAt` and is `name`.
std::size_t headerOffset(const std::string& bytes, const std::string& signature, std::size_t lengthAt,
                         std::size_t nameAt, const std::string& name) {
    for (std::size_t at = bytes.find(signature); at != std::string::npos; at = bytes.find(signature, at + 1)) {
        if (readNumber(bytes, at + lengthAt, 2) == name.size() && bytes.compare(at + nameAt, name.size(), name) == 0)
            return at;
    }
    throw std::runtime_error("no header for " + name);
}

}  // namespace

std::size_t memberDataOffset(const std::string& path, const std::string& name) {
    const std::string bytes = readBytes(path);
    const std::size_t at = headerOffset(bytes, "PK\3\4", 26, 30, name);
    return at + 30 + name.size() + readNumber(bytes, at + 28, 2);
}

std::size_t centralHeaderOffset(const std::string& path, const std::string& name) {
    return headerOffset(readBytes(path), "PK\1\2", 28, 46, name);
}

std::size_t localHeaderOffset(const std::string& path, const std::string& name) {
    return readNumber(readBytes(path), centralHeaderOffset(path, name) + 42, 4);
}

void patchNumber(const std::string& path, std::size_t offset, std::uint32_t value, int bytes) {
    std::string patch;
    putNumber(patch, value, bytes);
    std::fstream io(path, std::ios::binary | std::ios::in | std::ios::out);
    io.seekp(static_cast<std::streamoff>(offset));
    io.write(patch.data(), bytes);
    check(io.good(), "cannot patch " + path);
}

void flipByte(const std::string& path, std::size_t offset) {
    patchByte(path, offset, static_cast<unsigned char>(readBytes(path).at(offset)) ^ 0xFF);
}

void cutTo(const std::string& path, std::size_t size) { fs::resize_file(path, size); }

}  // namespace q32::zip::test
