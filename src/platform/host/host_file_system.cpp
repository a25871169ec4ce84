#include "platform/host/host_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/text.h"
#include "common/wildcard.h"

namespace q32::host {

namespace {

bool statOf(const std::string& hostPath, struct stat& info) { return ::stat(hostPath.c_str(), &info) == 0; }
// The entry itself: a link is not followed.
bool lstatOf(const std::string& hostPath, struct stat& info) { return ::lstat(hostPath.c_str(), &info) == 0; }

mode_t processUmask() {
    static const mode_t mask = [] {
        const mode_t current = ::umask(022);
        ::umask(current);
        return current;
    }();
    return mask;
}

// A new file beside `hostPath`, hidden from listings, created exclusively
// under a fresh name: never an existing file, never through a link.
int createTemporaryBeside(const std::string& hostPath, std::string& temporary) {
    const std::size_t slash = hostPath.rfind('/');
    temporary = hostPath.substr(0, slash + 1) + "." + hostPath.substr(slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd >= 0) ::fchmod(fd, 0666 & ~processUmask());
    return fd;
}

bool lessNoCase(const std::string& a, const std::string& b) {
    const std::string la = lower(a), lb = lower(b);
    return la != lb ? la < lb : a < b;
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool HostFileSystem::exists(const std::string& path) {
    auto host = drives_.toHost(path);
    struct stat info {};
    return host && lstatOf(*host, info);
}

bool HostFileSystem::isRealFolder(const std::string& path) {
    auto host = drives_.toHost(path, DriveTable::LastName::Exact);
    struct stat info {};
    return host && lstatOf(*host, info) && S_ISDIR(info.st_mode);
}

bool HostFileSystem::fileExists(const std::string& path) {
    auto host = drives_.toHost(path);
    struct stat info {};
    return host && statOf(*host, info) && S_ISREG(info.st_mode);
}

bool HostFileSystem::folderExists(const std::string& path) {
    auto host = drives_.toHost(path);
    struct stat info {};
    return host && statOf(*host, info) && S_ISDIR(info.st_mode);
}

std::optional<std::uint64_t> HostFileSystem::fileLength(const std::string& path) {
    auto host = drives_.toHost(path);
    struct stat info {};
    if (!host || !statOf(*host, info) || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

// The entry is opened without following a link, so a link's target is never
// changed: a link has no attributes of its own to clear.
bool HostFileSystem::setNormalAttributes(const std::string& path) {
    auto host = drives_.toHost(path, DriveTable::LastName::Exact);
    if (!host) return false;
    const int fd = ::open(host->c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool done = ::fstat(fd, &info) == 0;
    if (done && !S_ISLNK(info.st_mode)) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        done = ::chmod(self.c_str(), (info.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
    }
    ::close(fd);
    return done;
}

bool HostFileSystem::rename(const std::string& from, const std::string& to) {
    auto hostFrom = drives_.toHost(from, DriveTable::LastName::Exact);
    auto hostTo = drives_.toHost(to, DriveTable::LastName::Exact);
    struct stat info {};
    if (!hostFrom || !hostTo || !lstatOf(*hostFrom, info) || lstatOf(*hostTo, info)) return false;
    if (::renameat2(AT_FDCWD, hostFrom->c_str(), AT_FDCWD, hostTo->c_str(), RENAME_NOREPLACE) == 0) return true;
    // File systems without the no-replace rename: the check above stands.
    return errno == EINVAL && ::rename(hostFrom->c_str(), hostTo->c_str()) == 0;
}

// A link is removed as it is, whatever it points at.
bool HostFileSystem::deleteFile(const std::string& path) {
    auto host = drives_.toHost(path, DriveTable::LastName::Exact);
    struct stat info {};
    if (!host || !lstatOf(*host, info) || S_ISDIR(info.st_mode)) return false;
    return ::unlink(host->c_str()) == 0;
}

bool HostFileSystem::makeFolder(const std::string& path) {
    auto host = drives_.toHost(path);
    return host && ::mkdir(host->c_str(), 0777) == 0;
}

bool HostFileSystem::removeEmptyFolder(const std::string& path) {
    auto host = drives_.toHost(path, DriveTable::LastName::Exact);
    return host && ::rmdir(host->c_str()) == 0;
}

std::optional<std::vector<std::string>> HostFileSystem::list(const std::string& folder, const std::string& filter,
                                                             EntryKind kind) {
    auto host = drives_.toHost(folder);
    if (!host) return std::nullopt;
    DIR* dir = ::opendir(host->c_str());
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        // Dot names are hidden; a backslash cannot stand in a virtual name.
        if (name.empty() || name[0] == '.' || name.find('\\') != std::string::npos) continue;
        if (!wildcardMatchAny(filter, name)) continue;
        struct stat info {};
        if (!statOf(*host + "/" + name, info)) continue;
        const bool wanted = kind == EntryKind::File ? S_ISREG(info.st_mode) : S_ISDIR(info.st_mode);
        if (wanted) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), lessNoCase);
    return names;
}

std::optional<std::vector<std::string>> HostFileSystem::listFiles(const std::string& folder,
                                                                  const std::string& filter) {
    return list(folder, filter, EntryKind::File);
}

std::optional<std::vector<std::string>> HostFileSystem::listFolders(const std::string& folder) {
    return list(folder, "*", EntryKind::Folder);
}

std::optional<std::string> HostFileSystem::firstFile(const std::string& pattern) {
    auto names = list(folderOf(pattern), nameOf(pattern), EntryKind::File);
    if (!names || names->empty()) return std::nullopt;
    return names->front();
}

std::optional<std::string> HostFileSystem::firstFolder(const std::string& pattern) {
    auto names = list(folderOf(pattern), nameOf(pattern), EntryKind::Folder);
    if (!names || names->empty()) return std::nullopt;
    return names->front();
}

std::optional<std::string> HostFileSystem::readHead(const std::string& path, std::size_t maxBytes) {
    auto host = drives_.toHost(path);
    if (!host || !fileExists(path)) return std::nullopt;
    return readHostHead(*host, maxBytes);
}

std::optional<std::string> readHostHead(const std::string& hostPath, std::size_t maxBytes) {
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, maxBytes - bytes.size()));
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

std::optional<std::string> HostFileSystem::readFile(const std::string& path) {
    return readHead(path, static_cast<std::size_t>(-1));
}

bool HostFileSystem::writeFileAtomic(const std::string& path, const std::string& bytes) {
    auto host = drives_.toHost(path);
    if (!host) return false;
    std::string temporary;
    const int fd = createTemporaryBeside(*host, temporary);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), host->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::int64_t> HostFileSystem::freeSpace(char driveLetter) {
    auto root = drives_.root(driveLetter);
    struct statvfs info {};
    if (!root || ::statvfs(root->c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::int64_t>(info.f_bavail) * static_cast<std::int64_t>(info.f_frsize);
}

std::vector<char> HostFileSystem::drives() { return drives_.letters(); }

}  // namespace q32::host
