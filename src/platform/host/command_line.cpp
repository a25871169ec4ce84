#include "platform/host/command_line.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "common/text.h"

namespace q32::host {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The file of that name in the folder, exact name first, then without regard to case.
std::optional<std::string> findInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return std::nullopt;
    if (isExecutableFile(folder + "/" + name)) return folder + "/" + name;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = ::readdir(dir)) {
        if (!equalsNoCase(entry->d_name, name)) continue;
        const std::string path = folder + "/" + entry->d_name;
        if (isExecutableFile(path)) {
            found = path;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::optional<std::string> findProgram(const std::string& name, const ProgramSearch& search) {
    if (name.empty()) return std::nullopt;
    const bool virtualPath = name.size() >= 3 && name[1] == ':' && name[2] == '\\';
    if (virtualPath) {
        if (!search.drives) return std::nullopt;
        auto host = search.drives->toHost(name);
        // Packages' setup programs are Windows programs: not executable here,
        // but a file that exists (Wine may start it).
        if (host && isRegularFile(*host)) return host;
        return std::nullopt;
    }
    if (name.find('/') != std::string::npos) {
        if (isExecutableFile(name)) return name;
        return std::nullopt;
    }
    for (const std::string& folder : {search.executableFolder, search.programFolder}) {
        if (auto found = findInFolder(folder, name)) return found;
    }
    // The process's current folder is never searched, not even through an
    // empty or relative entry of $PATH: a "wine" or "unar" lying in whatever
    // folder the program was started from must never run.
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (folder.empty() || folder[0] != '/') continue;
        if (auto found = findInFolder(folder, name)) return found;
    }
    return std::nullopt;
}

}  // namespace q32::host
