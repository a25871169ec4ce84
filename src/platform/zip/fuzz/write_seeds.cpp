// Writes the zip fuzz target's seed corpus: small archives that reach every
// record (stored, deflated, folders, links, Zip64, a data descriptor), the
// two encryptions (password "fuzz", as the target answers), one
// member in each method the tests can make, and the hostile archives. Given
// a second folder, writes there the decoder targets' seeds too
// (method_input.h), a folder for each: the same members as those targets read them.
//   zipfuzzseeds FOLDER [DECODER-FOLDER]
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "method_fixtures.h"
#include "platform/zip/fuzz/method_input.h"
#include "zip_fixtures.h"

namespace {

using namespace q32::zip::test;
using q32::zip::MemberFacts;
namespace fuzz = q32::zip::fuzz;

// One stored member whose sizes and CRC follow its data in a descriptor.
std::string withDataDescriptor(const std::string& name, const std::string& data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    const HeaderFields known{.name = name, .flags = 8, .crc = crcOf(data), .compressed = size, .size = size};
    const std::string body = localHeader({.name = name, .flags = 8}) + data +
                             littleEndian({{0x08074b50, 4}, {known.crc, 4}, {size, 4}, {size, 4}});
    return withDirectory(body, {known});
}

const char* folderOf(fuzz::FuzzedDecoder decoder) {
    switch (decoder) {
    case fuzz::FuzzedDecoder::Shrink: return "shrink";
    case fuzz::FuzzedDecoder::Reduce: return "reduce";
    case fuzz::FuzzedDecoder::Implode: return "implode";
    case fuzz::FuzzedDecoder::Deflate64: return "deflate64";
    case fuzz::FuzzedDecoder::Bzip2: break;
    }
    return "bzip2";
}

// The decoder target's input for the member `name` of an archive.
std::optional<std::string> decoderInput(const std::string& archive, const std::string& name) {
    const std::string bytes = readBytes(archive);
    const std::size_t central = centralHeaderOffset(archive, name);
    const auto field = [&](std::size_t at, int count) { return readNumber(bytes, central + at, count); };
    const MemberFacts facts{static_cast<std::uint16_t>(field(10, 2)), static_cast<std::uint16_t>(field(8, 2)),
                            field(24, 4), field(20, 4), static_cast<std::uint32_t>(field(16, 4))};
    return fuzz::methodInput(facts, bytes.substr(memberDataOffset(archive, name), facts.compressedSize));
}

void writeDecoderSeeds(const std::string& seeds, const std::string& text) {
    TempFolder work;
    for (const auto& method : methodCases()) {
        const auto decoder = fuzz::fuzzedDecoderOf(method.method);
        const std::string archive = work.path() + "/" + method.label + ".zip";
        if (!decoder || !method.write(archive, "member.txt", text)) continue;
        const std::string folder = seeds + "/" + folderOf(*decoder);
        std::filesystem::create_directories(folder);
        if (const auto input = decoderInput(archive, "member.txt")) writeBytes(folder + "/" + method.label, *input);
    }
    // Shrink's partial clearing, which the method's own case does not reach in so short a text.
    const MemberFacts clearing{1, 0, text.size(), 0, crcOf(text)};
    writeBytes(seeds + "/shrink/clearing", *fuzz::methodInput(clearing, shrink(text, 60)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: zipfuzzseeds FOLDER [DECODER-FOLDER]\n");
        return 2;
    }
    const std::string seeds = argv[1];
    std::filesystem::create_directories(seeds);
    const std::string text = sampleText(300, 3);
    writeZip(seeds + "/records.zip", {file("stored.txt", "stored", 0), file("docs/deflated.txt", text),
                                     folder("empty/"), q32::zip::test::link("docs/link", "deflated.txt")});
    writeZip64Stored(seeds + "/zip64.zip", {file("wide.txt", "kept in Zip64 fields", 0)});
    writeBytes(seeds + "/descriptor.zip", withDataDescriptor("streamed.txt", "sizes after the data"));
    writeZip(seeds + "/encrypted.zip",
             {MemberSpec{.name = "pkware.txt", .data = text, .encryption = ZIP_EM_TRAD_PKWARE, .password = "fuzz"},
              MemberSpec{.name = "aes.txt", .data = text, .encryption = ZIP_EM_AES_128, .password = "fuzz"}});
    for (const auto& method : methodCases()) {
        if (!method.write(seeds + "/method-" + method.label + ".zip", "member.txt", text)) {
            std::fprintf(stderr, "zipfuzzseeds: cannot write %s\n", method.label.c_str());
        }
    }
    writeHostileCorpus(seeds);
    if (argc == 3) writeDecoderSeeds(argv[2], sampleText(2000, 3));
    return 0;
}
