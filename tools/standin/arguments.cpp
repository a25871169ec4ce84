#include <filesystem>

#include "common/text.h"
#include "standin.h"

namespace q32::standin {

std::optional<std::string> Context::hostPath(const std::string& path) const {
    if (!path.empty() && path.front() == '/') return path;
    return drives.toHost(path);
}

std::string joinWords(const std::vector<std::string>& words, std::size_t from) {
    std::string out;
    for (std::size_t i = from; i < words.size(); ++i) {
        if (i > from) out += ' ';
        out += words[i];
    }
    return out;
}

std::optional<ExtractArgs> parseExtractArgs(const std::vector<std::string>& args) {
    if (args.size() < 3) return std::nullopt;
    ExtractArgs parsed;
    parsed.command = lower(args[0]);
    std::size_t next = 1;
    while (next < args.size() - 1 && !args[next].empty() && args[next][0] == '-') parsed.switches.push_back(args[next++]);
    if (next >= args.size() - 1) return std::nullopt;
    parsed.archive = joinWords({args.begin() + static_cast<long>(next), args.end() - 1});
    parsed.destination = args.back();
    return parsed;
}

std::optional<ExtractJob> extractJob(const Context& context, const std::string& usage, Failure& failure) {
    auto args = parseExtractArgs(context.args);
    if (!args || args->command != "x") {
        failure = {ExitCode::BadArguments, "Usage: " + usage + "ARCHIVE DESTINATION"};
        return std::nullopt;
    }
    auto archive = context.hostPath(args->archive);
    auto destination = context.hostPath(args->destination);
    std::error_code code;
    if (!archive || !std::filesystem::is_regular_file(*archive, code)) {
        failure = {ExitCode::CannotOpen, "Cannot open " + args->archive};
        return std::nullopt;
    }
    if (!destination) {
        failure = {ExitCode::BadArguments, "Not a valid destination: " + args->destination};
        return std::nullopt;
    }
    return ExtractJob{*args, *archive, *destination};
}

}  // namespace q32::standin
