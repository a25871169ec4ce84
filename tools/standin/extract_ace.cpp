// ace.pif x -y ARCHIVE DESTINATION and wace.pif (the same command line):
// ACE 1.0 archives and volume sets, through our own reader.
#include <filesystem>
#include <iostream>

#include "ace_extract.h"
#include "staging.h"
#include "standin.h"

namespace q32::standin {

int runAce(const Context& context) {
    auto args = parseExtractArgs(context.args);
    if (!args || args->command != "x") return fail(context, "Usage: " + context.role + " x -y ARCHIVE DESTINATION");
    auto archive = context.hostPath(args->archive);
    auto destination = context.hostPath(args->destination);
    if (!archive || !std::filesystem::is_regular_file(*archive)) return fail(context, "Cannot open " + args->archive);
    if (!destination) return fail(context, "Not a valid destination: " + args->destination);

    std::string error;
    auto staging = Staging::create(*destination, error);
    if (!staging) return fail(context, error);
    const ace::AceResult result = ace::extractAce(*archive, staging->out(), error);
    if (result != ace::AceResult::Ok && result != ace::AceResult::SkippedUnsafeNames)
        return fail(context, "Cannot extract " + args->archive + "\n" + error);
    // Members whose names would lead outside the destination were left out.
    if (result == ace::AceResult::SkippedUnsafeNames) std::cerr << context.role << ": " << error << std::endl;
    if (!staging->commit(error)) return fail(context, error);
    return 0;
}

}  // namespace q32::standin
