#include "platform/host/host_processes.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/program_head.h"


namespace q32::host {

namespace {

// The first bytes of a file, as many as the program kinds need.
std::string headOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    std::string head(kProgramHeadBytes, '\0');
    std::size_t done = 0;
    while (done < head.size()) {
        const ssize_t n = ::read(fd, head.data() + done, head.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    head.resize(done);
    return head;
}

// A file whose head is a DOS or Windows executable ("MZ") is a Windows
// program whatever its mode bits say: Linux cannot run it itself.
bool startsAsWindowsProgram(const std::string& head) { return head.size() >= 2 && head.substr(0, 2) == "MZ"; }

std::string folderOfHost(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::vector<char*> argvOf(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return argv;
}

// In the child: into the folder the program runs in, then the program.
[[noreturn]] void execIn(const std::string& folder, std::vector<char*>& argv) {
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

// Starts the program; returns its process id, or -1.
pid_t spawn(HostProcesses::Launch launch) {
    std::vector<char*> argv = argvOf(launch.words);
    const pid_t pid = ::fork();
    if (pid == 0) execIn(launch.folder, argv);
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

std::optional<HostProcesses::Launch> HostProcesses::launchFor(const CommandLine& command) const {
    std::vector<std::string> words = command.words;
    if (words.empty()) return std::nullopt;
    auto program = findProgram(words[0], search_);
    if (!program) return std::nullopt;
    words[0] = *program;
    const std::string head = headOf(*program);
    if (!startsAsWindowsProgram(head)) {
        if (::access(program->c_str(), X_OK) != 0) return std::nullopt;
        return Launch{words, ""};
    }
    if (programKindOf(head) == ProgramKind::NotAProgram) return std::nullopt;
    auto wine = findProgram("wine", search_);
    if (!wine) return std::nullopt;
    words.insert(words.begin(), *wine);
    // As Windows starts a program opened from a folder: in that folder, where
    // setup programs look for their data files by relative names.
    return Launch{words, folderOfHost(*program)};
}

std::optional<std::vector<std::string>> HostProcesses::argumentsFor(const CommandLine& command) const {
    auto launch = launchFor(command);
    if (!launch) return std::nullopt;
    return launch->words;
}

int HostProcesses::runAndWait(const CommandLine& command) {
    auto launch = launchFor(command);
    if (!launch) return kNotStarted;
    const pid_t pid = spawn(std::move(*launch));
    return pid > 0 ? waitFor(pid) : kNotStarted;
}

void HostProcesses::start(const CommandLine& command, ShowState /*show*/) {
    auto launch = launchFor(command);
    if (!launch) return;
    std::vector<char*> argv = argvOf(launch->words);
    // The intermediate child ends at once, so the started program never
    // stays behind as a zombie of ours.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) execIn(launch->folder, argv);
        ::_exit(0);
    }
    if (child > 0) waitFor(child);
}

}  // namespace q32::host
