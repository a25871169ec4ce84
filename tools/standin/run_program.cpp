#include "run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace q32::standin {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// What the folder holds, as a number that grows while files are written.
std::uintmax_t folderProgress(const std::string& folder) {
    if (folder.empty()) return 0;
    std::uintmax_t total = 0;
    std::error_code code;
    for (auto it = fs::recursive_directory_iterator(folder, code); !code && it != fs::recursive_directory_iterator();
         it.increment(code)) {
        std::error_code sizeCode;
        const std::uintmax_t size = it->is_regular_file(sizeCode) ? it->file_size(sizeCode) : 0;
        total += 1 + (sizeCode ? 0 : size);
    }
    return total;
}

// Keeps at most the last `kept` bytes, trimming only now and then.
void keepTail(std::string& output, std::size_t kept) {
    if (output.size() / 2 > kept) output.erase(0, output.size() - kept);
}

// In the child, between fork and exec: system calls only.
[[noreturn]] void execChild(const std::vector<char*>& args, int pipeWrite, int pipeRead, bool errorsToo) {
    // A group of its own, so the watchdog can end the archiver's children too.
    ::setpgid(0, 0);
    ::dup2(pipeWrite, STDOUT_FILENO);
    const int nowhere = errorsToo ? -1 : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ::dup2(errorsToo ? pipeWrite : nowhere, STDERR_FILENO);
    ::close(pipeRead);
    ::close(pipeWrite);
    // Nothing to answer: an archiver that asks gets end of input.
    ::close(STDIN_FILENO);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

// The child's output and the folder it works in, watched while it runs.
class Watch {
public:
    Watch(int pipeRead, const RunLimits& limits, std::string& output)
        : fd_(pipeRead), limits_(limits), output_(output), progress_(folderProgress(limits.progressFolder)) {}

    // Waits for the child, reading its output; true when it has to be ended.
    bool stuck(pid_t pid, int& status) {
        // The folder is looked at a few times within the limit, at most once a second.
        const auto slice = std::clamp(limits_.quietLimit / 4, std::chrono::milliseconds(10),
                                      std::chrono::milliseconds(1000));
        auto lastLook = Clock::now();
        while (true) {
            readFor(open_ ? slice : std::min(slice, std::chrono::milliseconds(20)));
            const pid_t waited = ::waitpid(pid, &status, WNOHANG);
            if (waited == pid || (waited < 0 && errno != EINTR)) {
                drain();
                return false;
            }
            const auto now = Clock::now();
            if (now - lastLook >= slice) {
                lastLook = now;
                if (madeProgress()) lastActivity_ = now;
            }
            if (now - lastActivity_ >= limits_.quietLimit) return true;
        }
    }

private:
    void readFor(std::chrono::milliseconds slice) {
        if (!open_) {
            ::poll(nullptr, 0, static_cast<int>(slice.count()));
            return;
        }
        pollfd wanted{fd_, POLLIN, 0};
        if (::poll(&wanted, 1, static_cast<int>(slice.count())) > 0) readOnce();
    }

    void readOnce() {
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) {
            open_ = false;  // the descriptor itself is the caller's
            return;
        }
        output_.append(buffer, static_cast<std::size_t>(n));
        keepTail(output_, limits_.keptOutput);
        lastActivity_ = Clock::now();
    }

    // What is left in the pipe once the child has ended; a grandchild that
    // still holds the pipe open is not waited for.
    void drain() {
        if (!open_) return;
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
        for (int rounds = 0; rounds < 1024; ++rounds) {
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) break;
            output_.append(buffer, static_cast<std::size_t>(n));
            keepTail(output_, limits_.keptOutput);
        }
    }

    bool madeProgress() {
        if (limits_.progressFolder.empty()) return false;
        const std::uintmax_t now = folderProgress(limits_.progressFolder);
        const bool grew = now != progress_;
        progress_ = now;
        return grew;
    }

    int fd_;
    bool open_ = true;
    const RunLimits& limits_;
    std::string& output_;
    std::uintmax_t progress_;
    Clock::time_point lastActivity_ = Clock::now();
};

}  // namespace

namespace {

// Starts the program in a process group of its own with its output going
// into the pipe; the child's pid, or -1.
pid_t start(const std::vector<std::string>& argv, int pipeFds[2], bool errorsToo) {
    std::vector<std::string> words = argv;
    std::vector<char*> args;
    for (std::string& word : words) args.push_back(word.data());
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) execChild(args, pipeFds[1], pipeFds[0], errorsToo);
    if (pid > 0) ::setpgid(pid, pid);  // also here, so the group exists whichever runs first
    return pid;
}

}  // namespace

ProgramResult runProgram(const std::vector<std::string>& argv, const RunLimits& limits) {
    ProgramResult result;
    int pipeFds[2];
    if (argv.empty() || ::pipe2(pipeFds, O_CLOEXEC) != 0) return result;
    const pid_t pid = start(argv, pipeFds, limits.errorsToo);
    ::close(pipeFds[1]);
    if (pid < 0) {
        ::close(pipeFds[0]);
        return result;
    }
    int status = 0;
    result.hung = Watch(pipeFds[0], limits, result.output).stuck(pid, status);
    ::close(pipeFds[0]);
    if (result.hung) {
        ::kill(-pid, SIGKILL);
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (result.output.size() > limits.keptOutput) result.output.erase(0, result.output.size() - limits.keptOutput);
    result.started = !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
    result.exitCode = WIFEXITED(status) && !result.hung ? WEXITSTATUS(status) : -1;
    return result;
}

std::string stuckMessage(const std::string& program, const RunLimits& limits, const std::string& output) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limits.quietLimit).count();
    return program + " stopped working (no output and no progress on disk for " + std::to_string(seconds) +
           " seconds) and was ended\n" + output;
}

}  // namespace q32::standin
