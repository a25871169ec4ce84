// Writes the zip fuzz target's seed corpus: small archives that reach every
// record (stored, deflated, folders, links, Zip64, a data descriptor), one
// member in each method the tests can make, and the hostile archives.
//   zipfuzzseeds FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace {

using namespace q32::zip::test;

// One stored member whose sizes and CRC follow its data in a descriptor.
std::string withDataDescriptor(const std::string& name, const std::string& data) {
    const auto size = static_cast<std::uint32_t>(data.size());
    const HeaderFields known{.name = name, .flags = 8, .crc = crcOf(data), .compressed = size, .size = size};
    const std::string body = localHeader({.name = name, .flags = 8}) + data +
                             littleEndian({{0x08074b50, 4}, {known.crc, 4}, {size, 4}, {size, 4}});
    return withDirectory(body, {known});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zipfuzzseeds FOLDER\n");
        return 2;
    }
    const std::string seeds = argv[1];
    std::filesystem::create_directories(seeds);
    const std::string text = sampleText(300, 3);
    writeZip(seeds + "/records.zip", {file("stored.txt", "stored", 0), file("docs/deflated.txt", text),
                                     folder("empty/"), link("docs/link", "deflated.txt")});
    writeZip64Stored(seeds + "/zip64.zip", {file("wide.txt", "kept in Zip64 fields", 0)});
    writeBytes(seeds + "/descriptor.zip", withDataDescriptor("streamed.txt", "sizes after the data"));
    for (const auto& method : methodCases()) {
        if (!method.write(seeds + "/method-" + method.label + ".zip", "member.txt", text)) {
            std::fprintf(stderr, "zipfuzzseeds: cannot write %s\n", method.label.c_str());
        }
    }
    writeHostileCorpus(seeds);
    return 0;
}
