#include "platform/host/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "platform/host/program_folder.h"

namespace q32::host {

namespace {

std::string lockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtime && *runtime == '/' && std::filesystem::is_directory(runtime, error)) return runtime;
    const std::string user = perUserFolder();
    std::filesystem::create_directories(user, error);
    return user;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& hostProgramFolder) {
    const std::string name = "quillet32-" + std::to_string(std::hash<std::string>{}(hostProgramFolder) % 100000000000ULL);
    socketName_ = name;
    path_ = lockFolder() + "/" + name + ".lock";
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Where no lock file can be made at all, the copy runs on its own.
    acquired_ = fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace q32::host
