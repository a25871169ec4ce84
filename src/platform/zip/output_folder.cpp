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
// Never an existing file, never through a link.
constexpr int NewFileFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

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

bool meansOutOfSpace(int error) { return error == ENOSPC || error == EDQUOT; }

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

void FolderCache::reset(int destination, const FolderTable* table) {
    clear();
    destination_ = destination;
    table_ = table;
    open_.assign(table ? table->size() : 0, -1);
}

void FolderCache::clear() {
    for (int& fd : open_) {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
    openCount_ = 0;
}

int FolderCache::folder(FolderId id) {
    if (id == DestinationFolder) return destination_;
    if (open_[id] >= 0) return open_[id];
    const FolderTable::Folder& wanted = (*table_)[id];
    const int parent = folder(wanted.parent);
    if (parent < 0) return -1;
    const int fd = openOrMakeFolder(parent, wanted.name);
    if (fd < 0) return -1;
    if (openCount_ >= MaxOpenFolders) clear();  // parents stay valid: they are reopened on demand
    open_[id] = fd;
    ++openCount_;
    return fd;
}

bool OutputFile::create(int folder, std::string_view name, unsigned permissions) {
    discard();
    folder_ = folder;
    name_ = name;
    fd_ = ::openat(folder, name_.c_str(), NewFileFlags, permissions & 0777u);
    if (fd_ < 0 && errno == EEXIST) return createTemporary(permissions);
    outOfSpace_ = fd_ < 0 && meansOutOfSpace(errno);
    written_ = fd_ >= 0;
    return written_;
}

bool OutputFile::createTemporary(unsigned permissions) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporaryName_ = temporaryName();
        fd_ = ::openat(folder_, temporaryName_.c_str(), NewFileFlags, permissions & 0777u);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) temporaryName_.clear();
    outOfSpace_ = fd_ < 0 && meansOutOfSpace(errno);
    written_ = fd_ >= 0;
    return written_;
}

bool OutputFile::write(const unsigned char* data, std::size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd_, data, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            outOfSpace_ = written < 0 && meansOutOfSpace(errno);
            return false;
        }
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
    outOfSpace_ = !closed && meansOutOfSpace(errno);
    fd_ = -1;
    const bool placed =
        closed && (temporaryName_.empty() || ::renameat(folder_, temporaryName_.c_str(), folder_, name_.c_str()) == 0);
    if (!placed) {
        discard();
        return false;
    }
    written_ = false;
    temporaryName_.clear();
    return true;
}

void OutputFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (written_) ::unlinkat(folder_, temporaryName_.empty() ? name_.c_str() : temporaryName_.c_str(), 0);
    written_ = false;
    temporaryName_.clear();
}

void setFolderTime(int parent, const std::string& name, std::int64_t modified) {
    const timespec times[2] = {timesFor(modified), timesFor(modified)};
    ::utimensat(parent, name.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

}  // namespace q32::zip
