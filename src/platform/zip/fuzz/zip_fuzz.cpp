// libFuzzer target for the zip engine. Each input is written out as an
// archive in a work folder of its own, tested, then extracted into a
// destination beside it. Afterwards the work folder must hold nothing but
// the archive and the destination, and nothing under the destination may
// be a link: anything else was written outside the destination. Encrypted
// members are opened with the password "fuzz" (the seeds' own); a wrong one
// is cancelled at once.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/zip/zip_archive_engine.h"

namespace {

namespace fs = std::filesystem;

struct WorkFolder {
    fs::path root;
    fs::path archive;
    fs::path destination;

    // Left behind after a finding (an abort), removed after a clean run.
    ~WorkFolder() {
        std::error_code error;
        fs::remove_all(root, error);
    }
};

WorkFolder makeWorkFolder() {
    std::string pattern = (fs::temp_directory_path() / "q32-zipfuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    return {pattern, fs::path(pattern) / "input.zip", fs::path(pattern) / "out"};
}

void writeArchive(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) std::abort();
}

void checkNothingEscaped(const WorkFolder& work) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(work.root)) {
        if (entry.path() != work.archive && entry.path() != work.destination) std::abort();
    }
    if (!fs::exists(work.destination, error)) return;
    for (const auto& entry : fs::recursive_directory_iterator(work.destination)) {
        if (entry.is_symlink()) std::abort();
    }
}

class FixedPassword final : public q32::PasswordProvider {
public:
    std::optional<std::string> password(const q32::PasswordRequest& request) override {
        if (request.lastWasWrong) return std::nullopt;
        return std::string("fuzz");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const WorkFolder work = makeWorkFolder();
    static q32::zip::ZipArchiveEngine engine{q32::zip::ZipArchiveEngine::hostPaths()};
    static FixedPassword password;
    engine.setPasswordProvider(&password);
    writeArchive(work.archive, data, size);
    engine.setArchiveName(work.archive.string());
    engine.setFileMask("");
    engine.test();
    engine.setFileMask("*.*\r");
    engine.setDestinationFolder(work.destination.string());
    engine.extract(0);
    checkNothingEscaped(work);
    fs::remove_all(work.destination);
    return 0;
}
