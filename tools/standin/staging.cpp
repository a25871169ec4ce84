#include "staging.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/cp437.h"

namespace q32::standin {

namespace fs = std::filesystem;

namespace {

// Folders are opened one component at a time and never through a link, so a
// link already in the destination cannot send a file elsewhere.
constexpr int FolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }

private:
    int fd_;
};

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// The folder `name` in `parent`, made when missing; -1 when it is a link or
// anything else that is not a real folder.
int openOrMakeFolder(int parent, const std::string& name) {
    const int fd = ::openat(parent, name.c_str(), FolderFlags);
    if (fd >= 0 || errno != ENOENT) return fd;
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) return -1;
    return ::openat(parent, name.c_str(), FolderFlags);
}

// Moves what one staged folder holds into the matching destination folder;
// `path` is that folder below the destination ("" for the destination).
class Mover {
public:
    explicit Mover(std::string destination) : destination_(std::move(destination)) {}

    const Failure& failure() const { return failure_; }

    bool moveFolder(int from, int to, const std::string& path) {
        const int copy = ::dup(from);  // the listing's own descriptor, closed with it
        DIR* dir = copy >= 0 ? ::fdopendir(copy) : nullptr;
        if (!dir) {
            const int code = errno;
            if (copy >= 0) ::close(copy);
            return failed("Cannot read the extracted files", code);
        }
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        ::closedir(dir);
        for (const std::string& name : names) {
            if (!moveEntry(from, to, path, name)) return false;
        }
        return true;
    }

private:
    bool moveEntry(int from, int to, const std::string& path, const std::string& name) {
        struct stat info {};
        if (::fstatat(from, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return failed("Cannot read the extracted file " + joined(path, name), errno);
        if (S_ISDIR(info.st_mode)) return moveSubfolder(from, to, joined(path, name), name);
        if (!S_ISREG(info.st_mode)) return true;  // links and special files stay out
        if (::fchmodat(from, name.c_str(), info.st_mode & 0777, 0) != 0)
            return failed("Cannot set the mode of " + where(joined(path, name)), errno);
        if (::renameat(from, name.c_str(), to, utf8Name(name).c_str()) != 0)
            return failed("Cannot write " + where(joined(path, name)), errno);
        return true;
    }

    bool moveSubfolder(int from, int to, const std::string& path, const std::string& name) {
        const Descriptor source(::openat(from, name.c_str(), FolderFlags));
        if (!source.ok()) return failed("Cannot read the extracted folder " + path, errno);
        const Descriptor target(openOrMakeFolder(to, utf8Name(name)));
        if (!target.ok() && (errno == ELOOP || errno == ENOTDIR)) {
            failure_ = {ExitCode::LinkInTheWay, "Cannot write into " + where(path) + ": it is a link or not a folder"};
            return false;
        }
        if (!target.ok()) return failed("Cannot create the folder " + where(path), errno);
        return moveFolder(source.get(), target.get(), path);
    }

    std::string where(const std::string& path) const { return destination_ + "/" + path; }

    bool failed(const std::string& what, int code) {
        failure_ = {ExitCode::CannotWrite, what + ": " + std::strerror(code)};
        return false;
    }

    std::string destination_;
    Failure failure_{ExitCode::CannotWrite, ""};
};

}  // namespace

Staging::Staging(std::string destination, std::string root)
    : destination_(std::move(destination)), root_(std::move(root)), out_(root_ + "/out"), volumes_(root_ + "/volumes") {}

Staging::Staging(Staging&& other) noexcept
    : destination_(std::move(other.destination_)),
      root_(std::move(other.root_)),
      out_(std::move(other.out_)),
      volumes_(std::move(other.volumes_)) {
    other.root_.clear();
}

Staging::~Staging() {
    if (root_.empty()) return;
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::optional<Staging> Staging::create(const std::string& destination, std::string& error) {
    std::error_code code;
    fs::create_directories(destination, code);
    if (!fs::is_directory(destination, code)) {
        error = "Cannot create the folder " + destination;
        return std::nullopt;
    }
    std::string pattern = destination + "/.q32-stage-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        error = "Cannot write into the folder " + destination;
        return std::nullopt;
    }
    Staging staging(destination, pattern);
    fs::create_directory(staging.out_, code);
    fs::create_directory(staging.volumes_, code);
    return staging;
}

std::optional<Failure> Staging::commit() {
    const Descriptor from(::open(out_.c_str(), FolderFlags));
    const Descriptor to(::open(destination_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!from.ok() || !to.ok())
        return Failure{ExitCode::CannotWrite, "Cannot open the folder " + destination_ + ": " + std::strerror(errno)};
    Mover mover(destination_);
    if (mover.moveFolder(from.get(), to.get(), "")) return std::nullopt;
    return mover.failure();
}

}  // namespace q32::standin
