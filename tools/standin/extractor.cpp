#include "extractor.h"

#include <string_view>

#include "run_program.h"

namespace q32::standin {

namespace {

std::string filledIn(std::string word, std::string_view placeholder, const std::string& value) {
    for (std::size_t at = word.find(placeholder); at != std::string::npos;
         at = word.find(placeholder, at + value.size()))
        word.replace(at, placeholder.size(), value);
    return word;
}

// The program's command line whose program is the stand-in's role.
std::string commandOf(const KindInfo& kind, const std::string& role) {
    const std::string_view set = kind.setCommand;
    return set.starts_with(role + " ") ? kind.setCommand : kind.directCommand;
}

}  // namespace

std::optional<Failure> ArchiverSteps::runTool(const std::vector<std::string>& argv, const RunLimits& limits,
                                              const ExtractJob& job, std::string& output) const {
    std::vector<std::string> words;
    for (const std::string& word : argv)
        words.push_back(filledIn(filledIn(word, "{archive}", job.archive), "{out}", limits.progressFolder));
    const ProgramResult result = runProgram(words, limits);
    output = result.output;
    if (result.hung) return Failure{ExitCode::Watchdog, stuckMessage(words.front(), limits, result.output)};
    if (!result.started)
        return Failure{ExitCode::ToolMissing,
                       "The " + std::string(kind_.name) + " extractor " + words.front() + " is not installed"};
    if (result.exitCode != 0) return toolFailed(job, result.output);
    return std::nullopt;
}

std::optional<Failure> ArchiverSteps::extract(const ExtractJob& job, const Staging& staging) {
    std::string output;
    return runTool(kind_.standin.argv, RunLimits{staging.out()}, job, output);
}

Failure ArchiverSteps::toolFailed(const ExtractJob& job, const std::string& output) const {
    return {ExitCode::ToolFailed, "Cannot extract " + job.args.archive + "\n" + output};
}

int runExtractor(const Context& context, ArchiverSteps& steps) {
    Failure failure{};
    auto job = extractJob(context, commandOf(steps.kind(), context.role), failure);
    if (!job) return fail(context, failure);
    if (steps.nothingToDo(*job)) return exitCodeOf(ExitCode::Done);

    std::string error;
    auto staging = Staging::create(job->destination, error);
    if (!staging) return fail(context, {ExitCode::CannotWrite, error});
    if (auto failed = steps.prepare(*job, *staging)) return fail(context, *failed);
    // Members left out for their names do not stop the others.
    const auto leftOut = steps.extract(*job, *staging);
    if (leftOut && leftOut->code != ExitCode::UnsafeNames) return fail(context, *leftOut);
    if (auto failed = steps.check(*job, *staging)) return fail(context, *failed);
    if (auto failed = staging->commit()) return fail(context, *failed);
    return leftOut ? fail(context, *leftOut) : exitCodeOf(ExitCode::Done);
}

}  // namespace q32::standin
