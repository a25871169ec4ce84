#include "platform/host/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>

namespace q32::host {

InstanceLock::InstanceLock(const std::string& hostProgramFolder) {
    const std::string path = hostProgramFolder + "/Quillet32.lock";
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A folder where no lock file can be made cannot hold a settings file
    // either; such a copy runs on its own.
    acquired_ = fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    socketName_ = "quillet32-" + std::to_string(std::hash<std::string>{}(hostProgramFolder) % 100000000000ULL);
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace q32::host
