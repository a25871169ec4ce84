// What the tests of every part share: running a built program (a stand-in,
// a test helper) the way the main program would, keeping its exit code and
// what it wrote on standard error; one temporary folder; files as bytes; and
// the samples' manifests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace q32::test {

struct ToolResult {
    int exitCode = -1;
    std::string errorText;
};

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& environment = {});

// "hash16 size path" lines for every file under a host folder, sorted, as the
// samples' manifests list them.
std::vector<std::string> manifestOf(const std::string& hostFolder);
std::vector<std::string> readManifest(const std::string& manifestPath);

// A fresh temporary folder, removed with its contents (read-only ones too)
// when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return root_; }
    std::string operator/(const std::string& relative) const { return root_ + "/" + relative; }
    // Every entry below the root, relative, sorted ("dest/a/b.txt").
    std::vector<std::string> listing() const;

private:
    std::string root_;
};

// Little-endian numbers for hand-made records: one of `bytes` bytes, or
// fields each a value and its width, one after the other.
void putNumber(std::string& out, std::uint64_t value, int bytes);
std::string littleEndian(std::initializer_list<std::pair<std::uint64_t, int>> fields);
// The little-endian number of `count` bytes at `at`.
std::uint64_t readNumber(const std::string& bytes, std::size_t at, int count);

// Text with short and long repeats that compresses well but not trivially,
// and bytes that do not compress: `size` bytes, the same for the same seed.
std::string sampleText(std::size_t size, unsigned seed);
std::string randomBytes(std::size_t size, unsigned seed);

// Whole files as bytes; both throw when the file cannot be read or written.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

}  // namespace q32::test
