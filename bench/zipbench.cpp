// Runs the zip engine over archives and prints, one line per archive: the
// result code, the seconds taken and the MB/s of uncompressed data.
//   zipbench test [--serial] ARCHIVE...
//   zipbench extract -d DEST ARCHIVE...
// A test takes the archives in one call (testArchives), the workers moving on
// to the next archive's members while the current one's last ones finish; an
// archive's seconds then run from the previous archive's result to its own.
// --serial tests them one call each, one after another, as before.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/zip/zip_archive_engine.h"

namespace {

using Clock = std::chrono::steady_clock;

int usage() {
    std::fprintf(stderr, "usage: zipbench test [--serial] ARCHIVE...\n       zipbench extract -d DEST ARCHIVE...\n");
    return 2;
}

struct Arguments {
    bool extract = false;
    bool serial = false;
    std::string destination;
    std::vector<std::string> archives;
};

bool parse(int argc, char** argv, Arguments& arguments) {
    if (argc < 3) return false;
    const std::string mode = argv[1];
    int next = 2;
    if (mode == "extract") {
        if (argc < 5 || std::strcmp(argv[2], "-d") != 0) return false;
        arguments.extract = true;
        arguments.destination = argv[3];
        next = 4;
    } else if (mode != "test") {
        return false;
    } else if (std::strcmp(argv[2], "--serial") == 0) {
        arguments.serial = true;
        next = 3;
    }
    for (int i = next; i < argc; ++i) arguments.archives.emplace_back(argv[i]);
    return !arguments.archives.empty();
}

// Prints one archive's line; true when it failed.
bool print(std::int16_t code, Clock::time_point start, std::uint64_t bytes, const std::string& archive) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double megabytes = static_cast<double>(bytes) / 1e6;
    std::printf("%d %.4f %.1f %s\n", code, seconds, seconds > 0 ? megabytes / seconds : 0.0, archive.c_str());
    return code != 0;
}

int oneCallEach(q32::zip::ZipArchiveEngine& engine, const Arguments& arguments) {
    int failures = 0;
    for (const std::string& archive : arguments.archives) {
        engine.setArchiveName(archive);
        const auto start = Clock::now();
        const std::int16_t code = arguments.extract ? engine.extract(0) : engine.test();
        if (print(code, start, engine.lastBytesDone(), archive)) ++failures;
    }
    return failures;
}

int oneCall(q32::zip::ZipArchiveEngine& engine, const std::vector<std::string>& archives) {
    int failures = 0;
    auto start = Clock::now();
    const auto tested = [&](std::size_t index, std::int16_t code) {
        if (print(code, start, engine.lastBytesDone(), archives[index])) ++failures;
        start = Clock::now();
    };
    engine.testArchives(archives, tested);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!parse(argc, argv, arguments)) return usage();
    q32::zip::ZipArchiveEngine engine(q32::zip::ZipArchiveEngine::hostPaths());
    engine.setFileMask("");
    engine.setDestinationFolder(arguments.destination);
    const bool inOneCall = !arguments.extract && !arguments.serial;
    const int failures = inOneCall ? oneCall(engine, arguments.archives) : oneCallEach(engine, arguments);
    return failures == 0 ? 0 : 1;
}
