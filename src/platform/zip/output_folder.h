// The destination of an extraction, written without ever leaving it:
// folders are opened one component at a time without following links,
// and every file is written under a temporary name in its folder and
// renamed into place only when its member proved sound.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/zip/run_control.h"

namespace q32::zip {

class OutputFolder {
public:
    OutputFolder() = default;
    ~OutputFolder();
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    // Creates the folder (and missing parents) and opens it.
    bool open(const std::string& hostPath);
    int descriptor() const { return fd_; }

private:
    int fd_ = -1;
};

// Folders below the destination opened by one worker, by their path.
class FolderCache {
public:
    FolderCache() = default;
    ~FolderCache() { clear(); }
    FolderCache(const FolderCache&) = delete;
    FolderCache& operator=(const FolderCache&) = delete;

    void reset(int destination);
    // The folder made of the first `depth` components, created when missing;
    // -1 when it cannot be made or is not a real folder (a link, a file).
    int folder(const std::vector<std::string>& components, std::size_t depth);

private:
    void clear();

    int destination_ = -1;
    std::map<std::string, int> open_;
};

// One file being written: a sink for the member's bytes.
class OutputFile final : public ByteSink {
public:
    OutputFile() = default;
    ~OutputFile() override { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file in `folder` for the final `name`. `permissions`
    // are rwx bits only; the process umask applies.
    bool create(int folder, const std::string& name, unsigned permissions);
    bool write(const unsigned char* data, std::size_t length) override;
    // Sets the modification time, closes and renames into place.
    bool commit(std::optional<std::int64_t> modified);
    // Removes the temporary file, when there is one.
    void discard();

private:
    int folder_ = -1;
    int fd_ = -1;
    std::string name_;
    std::string temporaryName_;
};

// Sets a folder's modification time (after its contents were written).
void setFolderTime(int parent, const std::string& name, std::int64_t modified);

}  // namespace q32::zip
