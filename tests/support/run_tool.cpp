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
#include <iterator>
#include <random>
#include <stdexcept>

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

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "q32-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root_, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (it->is_directory(error) && !it->is_symlink(error))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(root_, error);
}

std::vector<std::string> TempFolder::listing() const {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root_))
        entries.push_back(fs::relative(entry.path(), root_).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

void putNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string littleEndian(std::initializer_list<std::pair<std::uint64_t, int>> fields) {
    std::string out;
    for (const auto& [value, bytes] : fields) putNumber(out, value, bytes);
    return out;
}

std::uint64_t readNumber(const std::string& bytes, std::size_t at, int count) {
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

std::string sampleText(std::size_t size, unsigned seed) {
    static const char* const words[] = {"archive ", "member ", "folder ", "install ", "setup ",
                                        "volume ",  "record ", "error ",  "status ",  "\r\n"};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(size + 16);
    while (text.size() < size) {
        text += words[random() % std::size(words)];
        text += std::to_string(random() % 1000);
    }
    text.resize(size);
    return text;
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace q32::test
