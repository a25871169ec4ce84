// ace.pif x -y ARCHIVE DESTINATION and wace.pif (the same command line):
// ACE 1.0 archives and volume sets, through our own reader.
#include "ace_extract.h"
#include "archive/archivers.h"
#include "extractor.h"

namespace q32::standin {

namespace {

ExitCode exitCodeFor(ace::AceResult result) {
    switch (result) {
        case ace::AceResult::Ok: return ExitCode::Done;
        case ace::AceResult::SkippedUnsafeNames: return ExitCode::UnsafeNames;
        case ace::AceResult::CannotOpen: return ExitCode::CannotOpen;
        case ace::AceResult::MissingVolume: return ExitCode::MissingVolume;
        case ace::AceResult::WriteFailed: return ExitCode::CannotWrite;
        case ace::AceResult::NotAnAceArchive:
        case ace::AceResult::NotFirstVolume:
        case ace::AceResult::Truncated:
        case ace::AceResult::Damaged:
        case ace::AceResult::Unsupported: break;
    }
    return ExitCode::ToolFailed;
}

class AceSteps : public ArchiverSteps {
public:
    AceSteps() : ArchiverSteps(kAceKind) {}

    std::optional<Failure> extract(const ExtractJob& job, const Staging& staging) override {
        std::string error;
        const ace::AceResult result = ace::extractAce(job.archive, staging.out(), error);
        const ExitCode code = exitCodeFor(result);
        if (code == ExitCode::Done) return std::nullopt;
        // Members whose names would lead outside the destination were left out.
        if (code == ExitCode::UnsafeNames) return Failure{code, job.args.archive + ": " + error};
        return Failure{code, "Cannot extract " + job.args.archive + "\n" + error};
    }
};

}  // namespace

int runAce(const Context& context) {
    AceSteps steps;
    return runExtractor(context, steps);
}

}  // namespace q32::standin
