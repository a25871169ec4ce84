// Writes the zip fuzz target's seed corpus: small archives that reach every
// record (stored, deflated, folders, links, Zip64, a data descriptor), one
// member in each method the tests can make, and the hostile archives.
//   zipfuzzseeds FOLDER
#include <cstdio>
#include <filesystem>
#include <string>

#include "hostile_inputs.h"
#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace {

using namespace q32::zip::test;

// One stored member whose sizes and CRC follow its data in a descriptor.
std::string withDataDescriptor(const std::string& name, const std::string& data) {
    std::string out;
    const auto header = [&](std::uint32_t crc, std::uint32_t size) {
        for (const std::uint32_t field : {20u, 8u, 0u, 0u, 0x21u}) put16(out, field);  // version, flags .. date
        put32(out, crc);
        put32(out, size);
        put32(out, size);
        put16(out, static_cast<std::uint32_t>(name.size()));
        put16(out, 0);
    };
    put32(out, 0x04034b50);
    header(0, 0);
    out += name + data;
    put32(out, 0x08074b50);
    for (const std::uint32_t field : {crcOf(data), unsigned(data.size()), unsigned(data.size())}) put32(out, field);
    const std::size_t directoryAt = out.size();
    put32(out, 0x02014b50);
    put16(out, 20);
    header(crcOf(data), static_cast<std::uint32_t>(data.size()));
    for (int i = 0; i < 4; ++i) put16(out, 0);  // comment, disk, attributes
    put32(out, 0);
    put32(out, 0);
    out += name;
    const std::size_t directorySize = out.size() - directoryAt;
    put32(out, 0x06054b50);
    for (const std::uint32_t field : {0u, 0u, 1u, 1u}) put16(out, field);
    put32(out, static_cast<std::uint32_t>(directorySize));
    put32(out, static_cast<std::uint32_t>(directoryAt));
    put16(out, 0);
    return out;
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
