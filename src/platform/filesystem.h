// The file system as the program sees it: virtual paths with a drive letter
// ("c:\Quil001\setup.exe"), names resolved without regard to letter case,
// wildcard patterns matched the same way. No call throws; failures come back
// as false, an empty optional or an empty list.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q32 {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool exists(const std::string& path) = 0;        // any entry, a dangling link included
    virtual bool fileExists(const std::string& path) = 0;    // a file, not a folder
    virtual bool folderExists(const std::string& path) = 0;  // a folder, drive roots included
    // A folder itself, not a link to one; the last name exactly as written.
    virtual bool isRealFolder(const std::string& path) = 0;
    virtual std::optional<std::uint64_t> fileLength(const std::string& path) = 0;

    // The three calls below change the entry whose last name is exactly as
    // written (a name the program took from a listing), never another whose
    // name differs only in letter case, and never the target of a link.
    // Clears read-only, hidden and system: on this platform, makes the file
    // writable by its owner again. A link has nothing to clear.
    virtual bool setNormalAttributes(const std::string& path) = 0;
    // Never over an existing entry.
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // A file or a link, not a folder.
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool makeFolder(const std::string& path) = 0;
    // An empty folder, its name exactly as written.
    virtual bool removeEmptyFolder(const std::string& path) = 0;

    // The first entry (bare name) matching the pattern in the last component
    // of `pattern` ("c:\tools\*.nfo"), in the order listings use.
    virtual std::optional<std::string> firstFile(const std::string& pattern) = 0;
    virtual std::optional<std::string> firstFolder(const std::string& pattern) = 0;

    // Bare names of the files (or folders) of a folder that match a
    // ";"-separated filter, in case-insensitive name order. Hidden entries
    // (names starting with ".") are left out of folder listings only.
    // Empty optional when the folder cannot be read.
    virtual std::optional<std::vector<std::string>> listFiles(const std::string& folder,
                                                              const std::string& filter) = 0;
    virtual std::optional<std::vector<std::string>> listFolders(const std::string& folder) = 0;

    // Whole small files (settings, descriptions) and the head of larger ones.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    virtual std::optional<std::string> readHead(const std::string& path, std::size_t maxBytes) = 0;
    // Writes a new file in one go; replaces an existing one only once the new
    // content is complete on disk.
    virtual bool writeFileAtomic(const std::string& path, const std::string& bytes) = 0;

    // Free bytes available to the user on a drive; empty for an unknown drive.
    virtual std::optional<std::int64_t> freeSpace(char driveLetter) = 0;

    // The drive letters in use, lower case, in alphabetical order.
    virtual std::vector<char> drives() = 0;
};

}  // namespace q32
