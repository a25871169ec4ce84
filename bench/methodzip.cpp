// Writes a one-member archive of a file in one of the methods the tests make
// (their writers and encoders), for compare.sh's row per method.
//   methodzip LABEL INPUT ARCHIVE      (LABEL as in tests/zip/method_fixtures.cpp)
#include <cstdio>
#include <filesystem>
#include <string>

#include "method_fixtures.h"
#include "zip_fixtures.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: methodzip LABEL INPUT ARCHIVE\n");
        return 2;
    }
    const std::string label = argv[1];
    for (const auto& method : q32::zip::test::methodCases()) {
        if (method.label != label) continue;
        const std::string data = q32::zip::test::readBytes(argv[2]);
        const std::string name = std::filesystem::path(argv[2]).filename().string();
        return method.write(std::filesystem::absolute(argv[3]).string(), name, data) ? 0 : 1;
    }
    std::fprintf(stderr, "methodzip: no method %s\n", argv[1]);
    return 2;
}
