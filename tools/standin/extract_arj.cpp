// warj.pif x -y VOLUME DESTINATION, run once per volume of a set: the first
// volume brings the whole set out through arj; a continuation volume whose
// first volume lies beside it has nothing more to do.
#include <filesystem>
#include <regex>

#include "common/text.h"
#include "run_program.h"
#include "staging.h"
#include "standin.h"

namespace q32::standin {

namespace {

namespace fs = std::filesystem;

bool isArjVolumeExtension(const std::string& extension) {
    static const std::regex volume(R"(arj|a\d\d|\d\d\d)", std::regex::icase);
    return std::regex_match(extension, volume);
}

// The volumes lying beside `volume` with the same stem, by their extension in
// lower case.
std::vector<fs::path> siblingVolumes(const fs::path& volume) {
    std::vector<fs::path> found;
    std::error_code listing;
    const std::string stem = volume.stem().string();
    for (auto it = fs::directory_iterator(volume.parent_path(), listing); !listing && it != fs::directory_iterator();
         it.increment(listing)) {
        const fs::path name = it->path().filename();
        const std::string extension = name.extension().string();
        if (!equalsNoCase(name.stem().string(), stem) || extension.size() < 2) continue;
        std::error_code code;
        if (isArjVolumeExtension(extension.substr(1)) && it->is_regular_file(code)) found.push_back(it->path());
    }
    return found;
}

bool firstVolumeBeside(const fs::path& volume) {
    for (const fs::path& sibling : siblingVolumes(volume)) {
        if (equalsNoCase(sibling.extension().string(), ".arj")) return true;
    }
    return false;
}

// arj finds the next volume by changing the extension of the one before, in
// the letter case of the first; links with one stem and lower-case
// extensions make any mix of cases work.
fs::path linkVolumes(const fs::path& volume, const std::string& folder) {
    const std::string stem = volume.stem().string();
    std::error_code code;
    for (const fs::path& sibling : siblingVolumes(volume)) {
        const fs::path target = fs::absolute(sibling, code);
        fs::create_symlink(target, fs::path(folder) / (stem + lower(sibling.extension().string())), code);
    }
    return fs::path(folder) / (stem + lower(volume.extension().string()));
}

// What arj said, told the way the user can act on it: a volume it could not
// open is a missing volume; otherwise its last lines, without the progress
// bars it draws in bytes no window can show.
std::string arjFailure(const std::string& output) {
    static const std::regex missing(R"(Can't open ([^\r\n]+))");
    std::smatch match;
    if (std::regex_search(output, match, missing))
        return "The volume " + fs::path(match[1].str()).filename().string() + " is missing";
    std::string readable;
    for (char c : output) {
        if (c == '\n' || (c >= ' ' && c <= '~')) readable += c;
    }
    const std::size_t keep = 600;
    return readable.size() > keep ? readable.substr(readable.size() - keep) : readable;
}

}  // namespace

int runArj(const Context& context) {
    int exitCode = 0;
    auto job = extractJob(context, "x -y VOLUME DESTINATION", exitCode);
    if (!job) return exitCode;
    const fs::path volume(job->archive);
    if (!equalsNoCase(volume.extension().string(), ".arj") && firstVolumeBeside(volume)) return 0;

    std::string error;
    auto staging = Staging::create(job->destination, error);
    if (!staging) return fail(context, error);
    const fs::path first = linkVolumes(volume, staging->volumes());
    const RunLimits limits{staging->out()};
    const ProgramResult result = runProgram({"arj", "x", "-v", "-y", first.string(), staging->out() + "/"}, limits);
    if (result.hung) return fail(context, stuckMessage("arj", limits, result.output));
    if (!result.started) return fail(context, "The ARJ extractor arj is not installed");
    if (result.exitCode != 0) return fail(context, "Cannot extract " + job->args.archive + "\n" + arjFailure(result.output));
    if (!staging->commit(error)) return fail(context, error);
    return 0;
}

}  // namespace q32::standin
