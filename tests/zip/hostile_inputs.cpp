#include "hostile_inputs.h"

#include "platform/zip_engine.h"
#include "zip_fixtures.h"

namespace q32::zip::test {

namespace {

struct CentralEntry {
    std::string name;
    std::uint32_t offset;
    std::uint32_t compressed;
    std::uint32_t crc;
};

void putSizes(std::string& out, std::uint32_t crc, std::uint32_t compressed, std::uint32_t size) {
    put32(out, crc);
    put32(out, compressed);
    put32(out, size);
}

// A stored member's local header and data.
std::string storedMember(const std::string& name, const std::string& data) {
    std::string out;
    put32(out, 0x04034b50);
    for (const std::uint32_t field : {20u, 0u, 0u, 0u, 0x21u}) put16(out, field);  // version .. date
    putSizes(out, crcOf(data), static_cast<std::uint32_t>(data.size()), static_cast<std::uint32_t>(data.size()));
    put16(out, static_cast<std::uint32_t>(name.size()));
    put16(out, 0);
    return out + name + data;
}

// `body` followed by a central directory of `entries` (all stored, sizes as claimed).
std::string withDirectory(std::string body, const std::vector<CentralEntry>& entries) {
    const std::size_t directoryAt = body.size();
    for (const auto& entry : entries) {
        put32(body, 0x02014b50);
        for (const std::uint32_t field : {20u, 20u, 0u, 0u, 0u, 0x21u}) put16(body, field);  // made by .. date
        putSizes(body, entry.crc, entry.compressed, entry.compressed);
        for (const std::uint32_t field : {static_cast<std::uint32_t>(entry.name.size()), 0u, 0u, 0u, 0u}) {
            put16(body, field);  // name length, extra, comment, disk, internal attributes
        }
        put32(body, 0);
        put32(body, entry.offset);
        body += entry.name;
    }
    const std::size_t directorySize = body.size() - directoryAt;
    put32(body, 0x06054b50);
    for (const std::uint32_t field : {0u, 0u, unsigned(entries.size()), unsigned(entries.size())}) put16(body, field);
    put32(body, static_cast<std::uint32_t>(directorySize));
    put32(body, static_cast<std::uint32_t>(directoryAt));
    put16(body, 0);
    return body;
}

// 74 bytes, no directory: one local header whose Zip64 compressed size,
// added to where its data starts, wraps round to the start of the file.
std::string wrappingSize() {
    std::string out;
    put32(out, 0x04034b50);
    for (const std::uint32_t field : {45u, 0u, 0u, 0u, 0x21u}) put16(out, field);
    putSizes(out, 0, 0xFFFFFFFF, 0xFFFFFFFF);
    put16(out, 8);
    put16(out, 20);
    out += "hang.txt";
    put16(out, 1);
    put16(out, 16);
    put64(out, 16);
    put64(out, ~std::uint64_t{0} - 57);  // 2^64 - 58
    return out + std::string(16, 'x');
}

// Many entries that all point at one member's data.
std::string overlapBomb() {
    const std::string data = "boom boom boom";
    std::vector<CentralEntry> entries;
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) entries.push_back({name, 0, unsigned(data.size()), crcOf(data)});
    return withDirectory(storedMember("bomb.txt", data), entries);
}

// A member whose claimed size reaches into the next member's header.
std::string overlapTail() {
    const std::string first = storedMember("a.txt", "aaaa");
    return withDirectory(first + storedMember("b.txt", "bbbb"),
                         {{"a.txt", 0, 10, crcOf("aaaa")}, {"b.txt", unsigned(first.size()), 4, crcOf("bbbb")}});
}

std::string repeated(const std::string& part, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i) out += part;
    return out;
}

}  // namespace

std::vector<HostileInput> writeHostileCorpus(const std::string& folder) {
    writeBytes(folder + "/wrapping-size.zip", wrappingSize());
    writeBytes(folder + "/overlap-bomb.zip", overlapBomb());
    writeBytes(folder + "/overlap-tail.zip", overlapTail());
    writeZip(folder + "/too-deep.zip", {file(repeated("a/", 256) + "f.txt", "deep"), file("ok.txt", "ok")});
    writeZip(folder + "/too-long.zip", {file(repeated(std::string(99, 'x') + "/", 41) + "f.txt", "long")});
    writeZip(folder + "/deepest-allowed.zip", {file(repeated("a/", 255) + "f.txt", "deep")});
    return {{"wrapping-size.zip", zipcode::Truncated, zipcode::Truncated},
            {"overlap-bomb.zip", zipcode::NotAZip, zipcode::NotAZip},
            {"overlap-tail.zip", zipcode::NotAZip, zipcode::NotAZip},
            {"too-deep.zip", zipcode::Success, zipcode::UnsafeNamesSkipped},
            {"too-long.zip", zipcode::Success, zipcode::UnsafeNamesSkipped},
            {"deepest-allowed.zip", zipcode::Success, zipcode::Success}};
}

}  // namespace q32::zip::test
