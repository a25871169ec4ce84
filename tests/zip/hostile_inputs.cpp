#include "hostile_inputs.h"

#include "platform/zip_engine.h"
#include "zip_fixtures.h"

namespace q32::zip::test {

namespace {

// A stored member's local header and data.
std::string storedMember(const std::string& name, const std::string& data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    return localHeader({.name = name, .crc = crcOf(data), .compressed = size, .size = size}) + data;
}

// A stored entry of the central directory, its sizes as claimed.
HeaderFields entry(const std::string& name, std::uint32_t offset, std::uint32_t size, const std::string& data) {
    return {.name = name, .crc = crcOf(data), .compressed = size, .size = size, .offset = offset};
}

// 74 bytes, no directory: one local header whose Zip64 compressed size,
// added to where its data starts, wraps round to the start of the file.
std::string wrappingSize() {
    return localHeader({.name = "hang.txt", .version = 45, .compressed = 0xFFFFFFFF, .size = 0xFFFFFFFF,
                        .extra = littleEndian({{1, 2}, {16, 2}, {16, 8}, {~std::uint64_t{0} - 57, 8}})}) +  // 2^64 - 58
           std::string(16, 'x');
}

// Many entries that all point at one member's data.
std::string overlapBomb() {
    const std::string data = "boom boom boom";
    std::vector<HeaderFields> entries;
    for (const char* name : {"1.txt", "2.txt", "3.txt"}) entries.push_back(entry(name, 0, unsigned(data.size()), data));
    return withDirectory(storedMember("bomb.txt", data), entries);
}

// A member whose claimed size reaches into the next member's header.
std::string overlapTail() {
    const std::string first = storedMember("a.txt", "aaaa");
    return withDirectory(first + storedMember("b.txt", "bbbb"),
                         {entry("a.txt", 0, 10, "aaaa"), entry("b.txt", unsigned(first.size()), 4, "bbbb")});
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
