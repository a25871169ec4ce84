// One running copy per program folder: an exclusive lock, held for the life
// of the process, on a file named after the program folder in the user's
// runtime folder ($XDG_RUNTIME_DIR, else the per-user data folder). Nothing
// is ever left in the program folder, which may be a drive root the program
// refuses to run from.
#pragma once

#include <string>

namespace q32::host {

class InstanceLock {
public:
    explicit InstanceLock(const std::string& hostProgramFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process holds the lock; false when another copy had it first.
    bool acquired() const { return acquired_; }
    // A name for the local socket through which a second copy asks the first
    // to show itself; the same for every copy started from the same folder.
    const std::string& socketName() const { return socketName_; }
    // Host path of the lock file.
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    bool acquired_ = false;
    std::string socketName_;
    std::string path_;
};

}  // namespace q32::host
