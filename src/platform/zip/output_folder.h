// The destination of an extraction, written without ever leaving it:
// folders are opened one component at a time without following links, and
// no file is left under a member's name unless the member proved sound.
// A file that is new is written under its own name and removed again should
// its member fail; one that replaces an existing file (or link) is written
// under a temporary name and renamed into place only when the member proved
// sound, so a failing member leaves the old file as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/zip/folder_table.h"
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

// Folders below the destination opened by one worker, by their number in
// the run's folder table.
class FolderCache {
public:
    FolderCache() = default;
    ~FolderCache() { clear(); }
    FolderCache(const FolderCache&) = delete;
    FolderCache& operator=(const FolderCache&) = delete;

    // `table` must outlive the use of the cache, until the next reset.
    void reset(int destination, const FolderTable* table);
    // The folder, created when missing; -1 when it cannot be made or is not
    // a real folder (a link, a file).
    int folder(FolderId id);

private:
    void clear();

    int destination_ = -1;
    const FolderTable* table_ = nullptr;
    std::vector<int> open_;  // by folder number, -1 when not open
    std::size_t openCount_ = 0;
};

// One file being written: a sink for the member's bytes.
class OutputFile final : public ByteSink {
public:
    OutputFile() = default;
    ~OutputFile() override { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file for `name` in `folder`. `permissions` are rwx bits
    // only; the process umask applies.
    bool create(int folder, std::string_view name, unsigned permissions);
    bool write(const unsigned char* data, std::size_t length) override;
    // Sets the modification time, closes and (for a replacement) renames into place.
    bool commit(std::optional<std::int64_t> modified);
    // Removes the file being written, when there is one.
    void discard();
    // The last create, write or commit failed for want of space (or quota):
    // no other member can be written either.
    bool outOfSpace() const { return outOfSpace_; }

private:
    bool createTemporary(unsigned permissions);

    int folder_ = -1;
    int fd_ = -1;
    std::string name_;
    std::string temporaryName_;  // empty when writing under `name_`
    bool written_ = false;       // a file of ours exists and is not committed
    bool outOfSpace_ = false;
};

// Sets a folder's modification time (after its contents were written).
void setFolderTime(int parent, const std::string& name, std::int64_t modified);

}  // namespace q32::zip
