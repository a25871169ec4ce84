// wrar.exe x -o+ -y ARCHIVE DESTINATION: RAR archives and volume sets,
// through unar. unar's exit code alone is not trusted: every file that
// lsar lists must arrive whole.
#include <filesystem>

#include "archive/archivers.h"
#include "extractor.h"
#include "lsar_listing.h"
#include "run_program.h"

namespace q32::standin {

namespace {

namespace fs = std::filesystem;

class RarSteps : public ArchiverSteps {
public:
    RarSteps() : ArchiverSteps(kRarKind) {}

    std::optional<Failure> prepare(ExtractJob& job, const Staging&) override {
        RunLimits whole;
        whole.keptOutput = SIZE_MAX;  // the whole listing is needed
        whole.errorsToo = false;      // and nothing but the listing
        std::string listing;
        if (auto failed = runTool(kind().standin.listArgv, whole, job, listing)) {
            if (failed->code != ExitCode::ToolFailed) return failed;
        } else {
            expected_ = parseLsarListing(listing);
        }
        if (!expected_) return Failure{ExitCode::ToolFailed, job.args.archive + " is not a RAR archive or is damaged"};
        return std::nullopt;
    }

    std::optional<Failure> check(const ExtractJob& job, const Staging& staging) override {
        for (const ListedFile& file : *expected_) {
            std::error_code code;
            const fs::path path = fs::path(staging.out()) / file.name;
            if (!fs::is_regular_file(path, code) || fs::file_size(path, code) != file.size)
                return Failure{ExitCode::ToolFailed, "Cannot extract " + file.name + " from " + job.args.archive};
        }
        return std::nullopt;
    }

private:
    std::optional<std::vector<ListedFile>> expected_;
};

}  // namespace

int runRar(const Context& context) {
    RarSteps steps;
    return runExtractor(context, steps);
}

}  // namespace q32::standin
