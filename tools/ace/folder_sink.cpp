#include "folder_sink.h"

#include "ace_error.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace q32::ace {
namespace {

constexpr mode_t kFolderMode = 0777;  // less the umask
constexpr mode_t kFileMode = 0666;    // less the umask; never set-user-ID

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', start)) {
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    parts.push_back(path.substr(start));
    return parts;
}

// DOS date and time (local time, two-second steps) as a time for futimens.
timespec dosTimeToTimespec(std::uint32_t dosTime) {
    std::tm local{};
    local.tm_year = static_cast<int>((dosTime >> 25) & 0x7F) + 80;
    local.tm_mon = static_cast<int>((dosTime >> 21) & 0x0F) - 1;
    local.tm_mday = static_cast<int>((dosTime >> 16) & 0x1F);
    local.tm_hour = static_cast<int>((dosTime >> 11) & 0x1F);
    local.tm_min = static_cast<int>((dosTime >> 5) & 0x3F);
    local.tm_sec = static_cast<int>(dosTime & 0x1F) * 2;
    local.tm_isdst = -1;
    timespec result{};
    result.tv_nsec = UTIME_OMIT;
    if (local.tm_mon < 0 || local.tm_mday == 0)
        return result;  // no usable date: leave the time alone
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1))
        return result;
    result.tv_sec = seconds;
    result.tv_nsec = 0;
    return result;
}

void closeQuietly(int& fd) noexcept {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

}  // namespace

int FolderSink::destinationFd() {
    if (destinationFd_ >= 0)
        return destinationFd_;
    std::error_code error;
    std::filesystem::create_directories(destination_, error);
    destinationFd_ = ::open(destination_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (destinationFd_ < 0)
        throw AceError(AceResult::WriteFailed,
                       destination_ + ": the destination folder cannot be opened: " + std::strerror(errno));
    return destinationFd_;
}

FolderSink::~FolderSink() {
    dropFile();
    closeQuietly(destinationFd_);
}

void FolderSink::fail(const std::string& what, int error) const {
    throw AceError(AceResult::WriteFailed, destination_ + "/" + what + ": " + std::strerror(error));
}

int FolderSink::openFolder(const std::vector<std::string>& parts, std::size_t count) {
    int fd = ::dup(destinationFd());
    if (fd < 0)
        fail("", errno);
    std::string sofar;
    for (std::size_t i = 0; i < count; ++i) {
        sofar += (i ? "/" : "") + parts[i];
        if (::mkdirat(fd, parts[i].c_str(), kFolderMode) != 0 && errno != EEXIST) {
            const int error = errno;
            closeQuietly(fd);
            fail(sofar, error);
        }
        const int next = ::openat(fd, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const int error = errno;
        closeQuietly(fd);
        if (next < 0)
            fail(sofar + " (cannot be used as a folder)", error);
        fd = next;
    }
    return fd;
}

void FolderSink::makeFolder(const std::string& path) {
    const std::vector<std::string> parts = splitPath(path);
    int fd = openFolder(parts, parts.size());
    closeQuietly(fd);
}

void FolderSink::beginFile(const std::string& path, std::uint32_t dosTime) {
    dropFile();
    const std::vector<std::string> parts = splitPath(path);
    current_.folderFd = openFolder(parts, parts.size() - 1);
    current_.finalName = parts.back();
    current_.path = path;
    current_.dosTime = dosTime;
    for (int attempt = 0; attempt < 100 && current_.fd < 0; ++attempt) {
        current_.temporaryName = ".acex-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(++temporaryCounter_) + ".part";
        current_.fd = ::openat(current_.folderFd, current_.temporaryName.c_str(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kFileMode);
        if (current_.fd < 0 && errno != EEXIST)
            break;
    }
    if (current_.fd < 0) {
        const int error = errno;
        current_.temporaryName.clear();
        closeCurrent();
        fail(path, error);
    }
}

void FolderSink::write(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(current_.fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(current_.path, written < 0 ? errno : ENOSPC);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void FolderSink::keepFile() {
    const timespec times[2] = {{0, UTIME_OMIT}, dosTimeToTimespec(current_.dosTime)};
    ::futimens(current_.fd, times);
    const int fd = std::exchange(current_.fd, -1);
    if (::close(fd) != 0)
        fail(current_.path, errno);
    if (::renameat(current_.folderFd, current_.temporaryName.c_str(), current_.folderFd,
                   current_.finalName.c_str()) != 0)
        fail(current_.path, errno);
    current_.temporaryName.clear();
    closeCurrent();
}

void FolderSink::dropFile() noexcept {
    closeQuietly(current_.fd);
    if (!current_.temporaryName.empty() && current_.folderFd >= 0)
        ::unlinkat(current_.folderFd, current_.temporaryName.c_str(), 0);
    current_.temporaryName.clear();
    closeCurrent();
}

void FolderSink::closeCurrent() noexcept {
    closeQuietly(current_.fd);
    closeQuietly(current_.folderFd);
}

}  // namespace q32::ace
