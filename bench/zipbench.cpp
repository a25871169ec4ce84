// Runs the zip engine over archives and prints, one line per archive: the
// result code, the seconds taken and the MB/s of uncompressed data.
//   zipbench test ARCHIVE...
//   zipbench extract -d DEST ARCHIVE...
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/zip/zip_archive_engine.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: zipbench test ARCHIVE...\n       zipbench extract -d DEST ARCHIVE...\n");
    return 2;
}

struct Arguments {
    bool extract = false;
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
    }
    for (int i = next; i < argc; ++i) arguments.archives.emplace_back(argv[i]);
    return !arguments.archives.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!parse(argc, argv, arguments)) return usage();
    q32::zip::ZipArchiveEngine engine(q32::zip::ZipArchiveEngine::hostPaths());
    engine.setFileMask("");
    engine.setDestinationFolder(arguments.destination);
    int failures = 0;
    for (const std::string& archive : arguments.archives) {
        engine.setArchiveName(archive);
        const auto start = std::chrono::steady_clock::now();
        const std::int16_t code = arguments.extract ? engine.extract(0) : engine.test();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double megabytes = static_cast<double>(engine.lastBytesDone()) / 1e6;
        std::printf("%d %.4f %.1f %s\n", code, seconds, seconds > 0 ? megabytes / seconds : 0.0, archive.c_str());
        if (code != 0) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
