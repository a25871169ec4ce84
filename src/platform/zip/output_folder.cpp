#include "platform/zip/output_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>

namespace q32::zip {

namespace {

constexpr std::size_t MaxOpenFolders = 256;
constexpr int FolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

std::string temporaryName() {
    static std::atomic<unsigned long> counter{0};
    return ".q32-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) + ".part";
}

int openOrMakeFolder(int parent, const std::string& name) {
    int fd = ::openat(parent, name.c_str(), FolderFlags);
    if (fd >= 0 || errno != ENOENT) return fd;
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
    return ::openat(parent, name.c_str(), FolderFlags);
}

timespec timesFor(std::int64_t modified) {
    timespec time{};
    time.tv_sec = static_cast<time_t>(modified);
    return time;
}

}  // namespace

OutputFolder::~OutputFolder() {
    if (fd_ >= 0) ::close(fd_);
}

bool OutputFolder::open(const std::string& hostPath) {
    std::error_code error;
    std::filesystem::create_directories(hostPath, error);
    fd_ = ::open(hostPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd_ >= 0;
}

void FolderCache::reset(int destination) {
    clear();
    destination_ = destination;
}

void FolderCache::clear() {
    for (auto& entry : open_) ::close(entry.second);
    open_.clear();
}

int FolderCache::folder(const std::vector<std::string>& components, std::size_t depth) {
    if (depth == 0) return destination_;
    std::string key;
    for (std::size_t i = 0; i < depth; ++i) key += components[i] + '/';
    if (auto found = open_.find(key); found != open_.end()) return found->second;
    const int parent = folder(components, depth - 1);
    if (parent < 0) return -1;
    const int fd = openOrMakeFolder(parent, components[depth - 1]);
    if (fd < 0) return -1;
    if (open_.size() >= MaxOpenFolders) clear();  // parents stay valid: they are reopened on demand
    open_[key] = fd;
    return fd;
}

bool OutputFile::create(int folder, const std::string& name, unsigned permissions) {
    discard();
    folder_ = folder;
    name_ = name;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporaryName_ = temporaryName();
        fd_ = ::openat(folder, temporaryName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       permissions & 0777u);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) temporaryName_.clear();
    return fd_ >= 0;
}

bool OutputFile::write(const unsigned char* data, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd_, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::commit(std::optional<std::int64_t> modified) {
    if (modified) {
        const timespec times[2] = {timesFor(*modified), timesFor(*modified)};
        ::futimens(fd_, times);
    }
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!closed || ::renameat(folder_, temporaryName_.c_str(), folder_, name_.c_str()) != 0) {
        discard();
        return false;
    }
    temporaryName_.clear();
    return true;
}

void OutputFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporaryName_.empty()) ::unlinkat(folder_, temporaryName_.c_str(), 0);
    temporaryName_.clear();
}

void setFolderTime(int parent, const std::string& name, std::int64_t modified) {
    const timespec times[2] = {timesFor(modified), timesFor(modified)};
    ::utimensat(parent, name.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

}  // namespace q32::zip
