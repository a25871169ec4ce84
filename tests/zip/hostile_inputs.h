// Archives made to hurt the zip engine's reader, each with the result codes
// it must give: lying sizes, members that share their data, names too deep
// or too long to make. The tests run them all, and they seed the fuzzer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace q32::zip::test {

struct HostileInput {
    std::string file;
    std::int16_t testCode;
    std::int16_t extractCode;
};

// Writes every hostile archive into `folder`, which must exist.
std::vector<HostileInput> writeHostileCorpus(const std::string& folder);

}  // namespace q32::zip::test
