// Members of every method the engine reads, made by the tests: by 7-Zip
// (`7zz a -tzip -mm=...`), by small writers over liblzma and libzstd, and by
// the test encoders of legacy_encoders.h.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

namespace q32::zip::test {

struct MethodCase {
    std::string label;
    std::uint16_t method = 0;
    // Our own encoders' output that 7-Zip reads too, a check of both against an independent reader.
    bool crossCheck = false;
    // Writes an archive holding one member `name` with `data`; false when the
    // tool it needs is missing.
    std::function<bool(const std::string& archive, const std::string& name, const std::string& data)> write;
};

// Test names and messages show the label.
inline void PrintTo(const MethodCase& method, std::ostream* out) { *out << method.label; }

// `size` bytes and 75 KB more, with short and long repeats, near and far (50 KiB back), and every byte value.
std::string methodSampleData(std::size_t size);

const std::vector<MethodCase>& methodCases();

// 7-Zip's verdict on an archive: true when `7zz t` finds it sound; nullopt without 7zz.
std::optional<bool> sevenZipAccepts(const std::string& archive);

}  // namespace q32::zip::test
