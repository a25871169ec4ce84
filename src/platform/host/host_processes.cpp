#include "platform/host/host_processes.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/host/host_file_system.h"
#include "platform/host/program_head.h"

namespace q32::host {

namespace {

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

// In the child: into the folder the program runs in, then the program. When
// that fails, the errno goes down `failure` (closed by a successful exec).
[[noreturn]] void execIn(const std::string& folder, std::vector<char*>& argv, int failure = -1) {
    if (folder.empty() || ::chdir(folder.c_str()) == 0) ::execv(argv[0], argv.data());
    const int error = errno;
    if (failure >= 0) (void)!::write(failure, &error, sizeof error);
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

// How long a program through Wine is watched for ending at once.
constexpr int kWatchSteps = 30;
constexpr useconds_t kWatchStep = 50000;

// In the intermediate child: whether the program got going. A failed exec
// is kNotStarted; a program watched that ends within the watch with a
// failure gives its code; otherwise it runs on its own.
int handOver(pid_t program, int execFailure, bool watch) {
    int error = 0;
    if (::read(execFailure, &error, sizeof error) == sizeof error) return kNotStarted;
    for (int step = 0; watch && step < kWatchSteps; ++step) {
        int status = 0;
        const pid_t ended = ::waitpid(program, &status, WNOHANG);
        if (ended == program) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        ::usleep(kWatchStep);
    }
    return kStarted;
}

}  // namespace

HostProcesses::Resolved HostProcesses::resolve(const CommandLine& command) const {
    Resolved found;
    const auto answer = [&found](ProgramKind kind, StartProblem problem) {
        found.check = {kind, problem};
        return found;
    };
    auto program = command.words.empty() ? std::nullopt : findProgram(command.words[0], search_);
    if (!program) return answer(ProgramKind::NotAProgram, StartProblem::NotFound);
    found.program = *program;
    const std::string head = readHostHead(found.program, kProgramHeadBytes).value_or("");
    if (!startsAsWindowsProgram(head)) {
        const bool runs = ::access(found.program.c_str(), X_OK) == 0;
        if (!runs) return answer(ProgramKind::NotAProgram, StartProblem::NotAProgram);
        return answer(ProgramKind::Native, StartProblem::None);
    }
    const ProgramKind kind = programKindOf(head);
    if (kind == ProgramKind::NotAProgram) return answer(kind, StartProblem::NotAProgram);
    auto wine = findProgram("wine", search_);
    if (!wine) return answer(kind, StartProblem::NeedsWine);
    found.wine = *wine;
    if (needs32BitWine(kind) && ::access(search_.wine32Loader.c_str(), X_OK) != 0)
        return answer(kind, StartProblem::NeedsWine32);
    // Wine hands DOS programs to DOSBox.
    if (kind == ProgramKind::Dos && !findProgram("dosbox", search_)) return answer(kind, StartProblem::NeedsDosBox);
    return answer(kind, StartProblem::None);
}

StartCheck HostProcesses::checkStart(const CommandLine& command) const { return resolve(command).check; }

std::optional<HostProcesses::Launch> HostProcesses::launchFor(const CommandLine& command) const {
    const Resolved found = resolve(command);
    if (found.check.problem != StartProblem::None) return std::nullopt;
    std::vector<std::string> words = command.words;
    words[0] = found.program;
    if (found.check.kind == ProgramKind::Native) return Launch{words, "", false};
    words.insert(words.begin(), found.wine);
    // As Windows starts a program opened from a folder: in that folder, where
    // setup programs look for their data files by relative names.
    return Launch{words, folderOfHost(found.program), true};
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

int HostProcesses::start(const CommandLine& command, ShowState /*show*/) {
    auto launch = launchFor(command);
    if (!launch) return kNotStarted;
    std::vector<char*> argv = argvOf(launch->words);
    int report[2], execFailure[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return kNotStarted;
    if (::pipe2(execFailure, O_CLOEXEC) != 0) {
        ::close(report[0]);
        ::close(report[1]);
        return kNotStarted;
    }
    // The intermediate child ends once the program is handed over, so the
    // program never stays behind as a zombie of ours.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0) execIn(launch->folder, argv, execFailure[1]);
        ::close(execFailure[1]);
        const int code = program < 0 ? kNotStarted : handOver(program, execFailure[0], launch->throughWine);
        (void)!::write(report[1], &code, sizeof code);
        ::_exit(0);
    }
    for (int fd : {report[1], execFailure[0], execFailure[1]}) ::close(fd);
    int code = kNotStarted;
    if (child < 0 || ::read(report[0], &code, sizeof code) != sizeof code) code = kNotStarted;
    ::close(report[0]);
    if (child > 0) waitFor(child);
    return code;
}

}  // namespace q32::host
