#include "support/run_tool.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace q32::test {

namespace fs = std::filesystem;

ToolResult runTool(const std::string& program, const std::vector<std::string>& args,
                   const std::map<std::string, std::string>& environment) {
    ToolResult result;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return result;
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& [name, value] : environment) ::setenv(name.c_str(), value.c_str(), 1);
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::close(pipeFds[0]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        result.errorText.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

namespace {

std::string sha256Prefix(const fs::path& file) {
    const std::string command = "sha256sum '" + file.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return "";
    std::array<char, 17> hash{};
    const std::size_t got = std::fread(hash.data(), 1, 16, pipe);
    ::pclose(pipe);
    return std::string(hash.data(), got);
}

}  // namespace

std::vector<std::string> manifestOf(const std::string& hostFolder) {
    std::vector<std::string> lines;
    for (const auto& entry : fs::recursive_directory_iterator(hostFolder)) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = fs::relative(entry.path(), hostFolder).string();
        lines.push_back(sha256Prefix(entry.path()) + " " + std::to_string(entry.file_size()) + " " + relative);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> readManifest(const std::string& manifestPath) {
    std::vector<std::string> lines;
    std::ifstream in(manifestPath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace q32::test
