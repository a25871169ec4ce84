// warj.pif x -y VOLUME DESTINATION, run once per volume of a set: the first
// volume brings the whole set out through arj; a continuation volume whose
// first volume lies beside it has nothing more to do.
#include <filesystem>
#include <regex>

#include "archive/archivers.h"
#include "extractor.h"
#include "volume_files.h"

namespace q32::standin {

namespace {

namespace fs = std::filesystem;

// The file named `wanted` in the folder of `volume`, as it is spelt on disk.
std::optional<std::string> besideOnDisk(const fs::path& volume, const std::optional<std::string>& wanted) {
    if (!wanted) return std::nullopt;
    return ace::findNoCase(volume.parent_path().string(), *wanted);
}

// What arj said, told the way the user can act on it: a volume it could not
// open is a missing volume; otherwise its last lines, without the progress
// bars it draws in bytes no window can show.
Failure arjFailure(const std::string& archive, const std::string& output) {
    static const std::regex missing(R"(Can't open ([^\r\n]+))");
    std::smatch match;
    if (std::regex_search(output, match, missing))
        return {ExitCode::MissingVolume, "Cannot extract " + archive + "\nThe volume " +
                                             fs::path(match[1].str()).filename().string() + " is missing"};
    std::string readable;
    for (char c : output) {
        if (c == '\n' || (c >= ' ' && c <= '~')) readable += c;
    }
    const std::size_t keep = 600;
    if (readable.size() > keep) readable.erase(0, readable.size() - keep);
    return {ExitCode::ToolFailed, "Cannot extract " + archive + "\n" + readable};
}

class ArjSteps : public ArchiverSteps {
public:
    ArjSteps() : ArchiverSteps(kArjKind) {}

    bool nothingToDo(const ExtractJob& job) const override {
        const fs::path volume(job.archive);
        const std::string name = volume.filename().string();
        return !isFirstVolumeNamed(kArjVolumes, name) && besideOnDisk(volume, volumeName(kArjVolumes, name, 0));
    }

    // arj finds the next volume by changing the extension of the one before,
    // in the letter case of the first: the volume and those that follow it
    // are linked into the staging folder under the names arj will look for,
    // whatever their letter case on disk.
    std::optional<Failure> prepare(ExtractJob& job, const Staging& staging) override {
        const fs::path volume(job.archive);
        const std::string name = volume.filename().string();
        std::error_code code;
        fs::create_symlink(fs::absolute(volume, code), fs::path(staging.volumes()) / name, code);
        for (auto next = nextVolumeName(kArjVolumes, name); next; next = nextVolumeName(kArjVolumes, *next)) {
            const auto onDisk = besideOnDisk(volume, next);
            if (!onDisk) break;
            fs::create_symlink(fs::absolute(volume.parent_path() / *onDisk, code), fs::path(staging.volumes()) / *next,
                               code);
        }
        job.archive = staging.volumes() + "/" + name;
        return std::nullopt;
    }

protected:
    Failure toolFailed(const ExtractJob& job, const std::string& output) const override {
        return arjFailure(job.args.archive, output);
    }
};

}  // namespace

int runArj(const Context& context) {
    ArjSteps steps;
    return runExtractor(context, steps);
}

}  // namespace q32::standin
