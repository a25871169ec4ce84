// Peak memory of the zip engine on members with very deep names: 8 entries
// whose names are 65,535 bytes of "a/a/.../aN" (32,767 folders each).
// Such names are refused as unsafe, and the refusal must cost memory in
// proportion to the names' bytes. Goal: a peak under 64 MB.
//   deepnames [FOLDER]     (default /dev/shm)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/zip/folder_table.h"
#include "platform/zip/zip_archive_engine.h"
#include "zip_fixtures.h"

namespace {

using namespace q32::zip::test;

constexpr std::size_t Entries = 8;
constexpr std::size_t Folders = 32767;

long peakKilobytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The folder table alone, as if no depth limit applied: 8 chains of
// 32,767 folders each, none shared.
void measureFolderTable() {
    const long before = peakKilobytes();
    q32::zip::FolderTable table;
    std::vector<std::string_view> components(Folders, "a");
    const std::vector<std::string> roots = {"0", "1", "2", "3", "4", "5", "6", "7"};
    for (const auto& root : roots) {
        components[0] = root;
        table.folderOf(components, components.size());
    }
    std::printf("folder table without the limit: %zu folders, peak %.1f MB (+%.1f MB)\n", table.size(),
                peakKilobytes() / 1024.0, (peakKilobytes() - before) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path folder = std::filesystem::path(argc > 1 ? argv[1] : "/dev/shm") / "q32-deepnames";
    std::filesystem::create_directories(folder);
    std::string prefix;
    for (std::size_t i = 0; i < Folders; ++i) prefix += "a/";
    std::vector<MemberSpec> members;
    for (std::size_t i = 0; i < Entries; ++i) members.push_back(file(prefix + std::to_string(i), "deep", 0));
    const std::string archive = (folder / "deep.zip").string();
    writeZip(archive, members);
    const long before = peakKilobytes();

    q32::zip::ZipArchiveEngine engine{q32::zip::ZipArchiveEngine::hostPaths()};
    engine.setArchiveName(archive);
    engine.setFileMask("*.*\r");
    engine.setDestinationFolder((folder / "out").string());
    const auto start = std::chrono::steady_clock::now();
    const int code = engine.extract(0);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long peak = peakKilobytes();
    std::printf("deepnames: %zu entries of %zu-byte names, archive %ju bytes: code %d in %.3f s\n", Entries,
                prefix.size() + 1, static_cast<std::uintmax_t>(std::filesystem::file_size(archive)), code, seconds);
    std::printf("peak memory %.1f MB (%.1f MB before the extract; goal under 64 MB)\n", peak / 1024.0,
                before / 1024.0);
    std::filesystem::remove_all(folder);
    measureFolderTable();
    return peak < 64 * 1024 ? 0 : 1;
}
