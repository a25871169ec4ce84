// The file system over Linux, through the drive table.
#pragma once

#include "platform/filesystem.h"
#include "platform/host/drive_table.h"

namespace q32::host {

// Up to `maxBytes` from the start of a host file; empty when it cannot be read.
std::optional<std::string> readHostHead(const std::string& hostPath, std::size_t maxBytes);

class HostFileSystem : public FileSystem {
public:
    explicit HostFileSystem(DriveTable drives) : drives_(std::move(drives)) {}

    const DriveTable& driveTable() const { return drives_; }

    bool exists(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    bool isRealFolder(const std::string& path) override;
    std::optional<std::uint64_t> fileLength(const std::string& path) override;
    bool setNormalAttributes(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& path) override;
    bool makeFolder(const std::string& path) override;
    bool removeEmptyFolder(const std::string& path) override;
    std::optional<std::string> firstFile(const std::string& pattern) override;
    std::optional<std::string> firstFolder(const std::string& pattern) override;
    std::optional<std::vector<std::string>> listFiles(const std::string& folder, const std::string& filter) override;
    std::optional<std::vector<std::string>> listFolders(const std::string& folder) override;
    std::optional<std::string> readFile(const std::string& path) override;
    std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) override;
    bool writeFileAtomic(const std::string& path, const std::string& bytes) override;
    std::optional<std::int64_t> freeSpace(char driveLetter) override;
    std::vector<char> drives() override;

private:
    enum class EntryKind { File, Folder };
    std::optional<std::vector<std::string>> list(const std::string& folder, const std::string& filter,
                                                 EntryKind kind);

    DriveTable drives_;
};

}  // namespace q32::host
