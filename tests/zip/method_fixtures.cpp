#include "method_fixtures.h"

#include <lzma.h>
#include <zstd.h>

#include <filesystem>

#include "platform/zip_engine.h"
#include "support/run_tool.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

namespace fs = std::filesystem;

constexpr char SevenZip[] = "/usr/bin/7zz";

// 7-Zip writes the member from a file of that name beside the archive, at
// compression level `level` when given (BZip2 at level 1: blocks of 100 kB).
MethodCase sevenZip(const std::string& method, std::uint16_t number, const std::string& level = "") {
    const std::string label = "7zz_" + method + (level.empty() ? "" : "_x" + level);
    return {label, number, false, [method, level](const std::string& archive, const std::string& name, const std::string& data) {
                if (!fs::exists(SevenZip)) return false;
                const fs::path folder = fs::path(archive).parent_path() / ("7zz-" + method);
                fs::create_directories(folder);
                writeBytes((folder / name).string(), data);
                std::vector<std::string> arguments{"a", "-tzip", "-mm=" + method, "-bso0", "-bsp0"};
                if (!level.empty()) arguments.push_back("-mx=" + level);
                arguments.insert(arguments.end(), {archive, (folder / name).string()});
                const auto result = q32::test::runTool(SevenZip, arguments);
                fs::remove_all(folder);
                return result.exitCode == 0;
            }};
}

MethodCase encoded(const std::string& label, std::uint16_t method, std::uint16_t flags,
                   std::function<std::string(const std::string&)> encode) {
    return {label, method, method == 1 || method == 6, [=](const std::string& archive, const std::string& name, const std::string& data) {
                writeRawZip(archive, RawMember{name, method, flags, data.size(), crcOf(data), encode(data)});
                return true;
            }};
}

std::string xz(const std::string& data) {
    std::string out(lzma_stream_buffer_bound(data.size()), '\0');
    std::size_t written = 0;
    lzma_easy_buffer_encode(6, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const std::uint8_t*>(data.data()),
                            data.size(), reinterpret_cast<std::uint8_t*>(out.data()), &written, out.size());
    out.resize(written);
    return out;
}

std::string zstd(const std::string& data) {
    std::string out(ZSTD_compressBound(data.size()), '\0');
    out.resize(ZSTD_compress(out.data(), out.size(), data.data(), data.size(), 9));
    return out;
}

}  // namespace

std::string methodSampleData(std::size_t size) {
    const std::string noise = randomBytes(20000, 11);
    std::string data = noise + sampleText(30000, 12);
    for (int c = 0; c < 256; ++c) data += static_cast<char>(c);
    return data + noise + std::string(5000, '\x90') + sampleText(size, 13);
}

std::optional<bool> sevenZipAccepts(const std::string& archive) {
    if (!fs::exists(SevenZip)) return std::nullopt;
    return q32::test::runTool(SevenZip, {"t", "-bso0", "-bsp0", archive}).exitCode == 0;
}

const std::vector<MethodCase>& methodCases() {
    static const std::vector<MethodCase> cases = {
        encoded("shrink", 1, 0, [](const std::string& d) { return shrink(d, 5000); }),
        encoded("reduce1", 2, 0, [](const std::string& d) { return reduce(d, 1); }),
        encoded("reduce2", 3, 0, [](const std::string& d) { return reduce(d, 2); }),
        encoded("reduce3", 4, 0, [](const std::string& d) { return reduce(d, 3); }),
        encoded("reduce4", 5, 0, [](const std::string& d) { return reduce(d, 4); }),
        encoded("implode4k2trees", 6, 0, [](const std::string& d) { return implode(d, false, false); }),
        encoded("implode4k3trees", 6, 4, [](const std::string& d) { return implode(d, false, true); }),
        encoded("implode8k2trees", 6, 2, [](const std::string& d) { return implode(d, true, false); }),
        encoded("implode8k3trees", 6, 6, [](const std::string& d) { return implode(d, true, true); }),
        sevenZip("Deflate64", 9),
        sevenZip("BZip2", 12),
        sevenZip("BZip2", 12, "1"),
        sevenZip("LZMA", 14),
        sevenZip("PPMd", 98),
        encoded("xz", 95, 0, xz),
        encoded("zstd", 93, 0, zstd),
        encoded("zstd_old_number", 20, 0, zstd),
    };
    return cases;
}

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
