// One running copy per program folder: an exclusive lock on a file in the
// program folder, held for the life of the process.
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

private:
    int fd_ = -1;
    bool acquired_ = false;
    std::string socketName_;
};

}  // namespace q32::host
