// wrar.exe x -o+ -y ARCHIVE DESTINATION: RAR archives and volume sets, through unar.
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <regex>
#include <sstream>

#include "run_program.h"
#include "staging.h"
#include "standin.h"

namespace q32::standin {

namespace {

namespace fs = std::filesystem;

struct ListedFile {
    std::string name;
    std::uintmax_t size = 0;
};

// The files (not folders, not links) that `lsar -l` lists in the archive.
std::optional<std::vector<ListedFile>> listedFiles(const std::string& archive) {
    RunLimits whole;
    whole.keptOutput = SIZE_MAX;  // every line of the listing is needed
    const ProgramResult listing = runProgram({"lsar", "-l", archive}, whole);
    if (!listing.started || listing.exitCode != 0) return std::nullopt;
    static const std::regex row(R"(^\s*\d+\.\s+(\S+)\s+(\d+)\s+\S+\s+\S+\s+\S+\s+\S+\s+(.+)$)");
    std::vector<ListedFile> files;
    std::istringstream lines(listing.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (!std::regex_match(line, match, row)) continue;
        const std::string flags = match[1];
        if (flags.find('D') != std::string::npos || flags.find('L') != std::string::npos) continue;
        const std::string size = match[2];
        std::uintmax_t bytes = 0;
        if (std::from_chars(size.data(), size.data() + size.size(), bytes).ec != std::errc()) return std::nullopt;
        files.push_back({match[3], bytes});
    }
    return files;
}

// Every listed file arrived whole.
std::optional<std::string> missingFile(const std::vector<ListedFile>& files, const std::string& folder) {
    for (const ListedFile& file : files) {
        std::error_code code;
        const fs::path path = fs::path(folder) / file.name;
        if (!fs::is_regular_file(path, code) || fs::file_size(path, code) != file.size) return file.name;
    }
    return std::nullopt;
}

}  // namespace

int runRar(const Context& context) {
    int exitCode = 0;
    auto job = extractJob(context, "x -o+ -y ARCHIVE DESTINATION", exitCode);
    if (!job) return exitCode;
    const std::string& name = job->args.archive;

    std::string error;
    auto staging = Staging::create(job->destination, error);
    if (!staging) return fail(context, error);
    auto expected = listedFiles(job->archive);
    if (!expected) return fail(context, name + " is not a RAR archive or is damaged");
    const RunLimits limits{staging->out()};
    const ProgramResult result = runProgram({"unar", "-q", "-f", "-D", "-o", staging->out(), job->archive}, limits);
    if (result.hung) return fail(context, stuckMessage("unar", limits, result.output));
    if (!result.started) return fail(context, "The RAR extractor unar is not installed");
    if (result.exitCode != 0) return fail(context, "Cannot extract " + name + "\n" + result.output);
    if (auto missing = missingFile(*expected, staging->out()))
        return fail(context, "Cannot extract " + *missing + " from " + name);
    if (!staging->commit(error)) return fail(context, error);
    return 0;
}

}  // namespace q32::standin
