#include "platform/host/host_processes.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>


namespace q32::host {

namespace {

// A Windows program: a file starting with "MZ" that Linux cannot run itself.
bool isWindowsProgram(const std::string& path) {
    if (::access(path.c_str(), X_OK) == 0) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char head[2] = {0, 0};
    const bool mz = ::read(fd, head, 2) == 2 && head[0] == 'M' && head[1] == 'Z';
    ::close(fd);
    return mz;
}

std::vector<char*> argvOf(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return argv;
}

// Starts the program; returns its process id, or -1.
pid_t spawn(std::vector<std::string> words) {
    std::vector<char*> argv = argvOf(words);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return kNotStarted;
    }
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

}  // namespace

std::optional<std::vector<std::string>> HostProcesses::argumentsFor(const CommandLine& command) const {
    std::vector<std::string> words = command.words;
    if (words.empty()) return std::nullopt;
    auto program = findProgram(words[0], search_);
    if (!program) return std::nullopt;
    words[0] = *program;
    if (!isWindowsProgram(*program)) {
        if (::access(program->c_str(), X_OK) != 0) return std::nullopt;
        return words;
    }
    auto wine = findProgram("wine", search_);
    if (!wine) return std::nullopt;
    words.insert(words.begin(), *wine);
    return words;
}

int HostProcesses::runAndWait(const CommandLine& command) {
    auto words = argumentsFor(command);
    if (!words) return kNotStarted;
    const pid_t pid = spawn(std::move(*words));
    return pid > 0 ? waitFor(pid) : kNotStarted;
}

void HostProcesses::start(const CommandLine& command, ShowState /*show*/) {
    auto words = argumentsFor(command);
    if (!words) return;
    std::vector<char*> argv = argvOf(*words);
    // The intermediate child ends at once, so the started program never
    // stays behind as a zombie of ours.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::_exit(0);
    }
    if (child > 0) waitFor(child);
}

}  // namespace q32::host
