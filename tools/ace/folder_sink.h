// Writes members into a destination folder. Each file is written under a
// temporary name beside its final place and renamed into place only once
// its CRC has matched; a file that fails, or is cut off, is removed. Folders
// are opened one level at a time without following links, so nothing is
// ever written outside the destination, and files get no more than the
// usual read/write permissions.
#pragma once

#include "archive_reader.h"

#include <string>
#include <utility>
#include <vector>

namespace q32::ace {

class FolderSink : public MemberSink {
public:
    // The destination is created, when missing, once the first member
    // arrives; AceError when it cannot be.
    explicit FolderSink(std::string destination) : destination_(std::move(destination)) {}
    ~FolderSink() override;
    FolderSink(const FolderSink&) = delete;
    FolderSink& operator=(const FolderSink&) = delete;

    void makeFolder(const std::string& path) override;
    void beginFile(const std::string& path, std::uint32_t dosTime) override;
    void write(const std::uint8_t* data, std::size_t size) override;
    void keepFile() override;
    void dropFile() noexcept override;

private:
    // Opens (creating as needed) the folder that `parts` name below the
    // destination; returns its descriptor.
    int openFolder(const std::vector<std::string>& parts, std::size_t count);
    int destinationFd();
    [[noreturn]] void fail(const std::string& what, int error) const;
    void closeCurrent() noexcept;

    std::string destination_;
    int destinationFd_ = -1;
    struct CurrentFile {
        int folderFd = -1;
        int fd = -1;
        std::string temporaryName;
        std::string finalName;
        std::string path;
        std::uint32_t dosTime = 0;
    } current_;
    unsigned temporaryCounter_ = 0;
};

}  // namespace q32::ace
