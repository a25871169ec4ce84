// ace.pif x -y ARCHIVE DESTINATION and wace.pif (the same command line):
// ACE 1.0 archives and volume sets, through our own reader.
#include <filesystem>
#include <iostream>

#include "ace_extract.h"
#include "staging.h"
#include "standin.h"

namespace q32::standin {

int runAce(const Context& context) {
    int exitCode = 0;
    auto job = extractJob(context, "x -y ARCHIVE DESTINATION", exitCode);
    if (!job) return exitCode;

    std::string error;
    auto staging = Staging::create(job->destination, error);
    if (!staging) return fail(context, error);
    const ace::AceResult result = ace::extractAce(job->archive, staging->out(), error);
    if (result != ace::AceResult::Ok && result != ace::AceResult::SkippedUnsafeNames)
        return fail(context, "Cannot extract " + job->args.archive + "\n" + error);
    // Members whose names would lead outside the destination were left out.
    if (result == ace::AceResult::SkippedUnsafeNames) std::cerr << context.role << ": " << error << std::endl;
    if (!staging->commit(error)) return fail(context, error);
    return 0;
}

}  // namespace q32::standin
