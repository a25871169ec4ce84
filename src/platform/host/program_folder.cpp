#include "platform/host/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace q32::host {

namespace fs = std::filesystem;

std::string executableFolder() {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error).string();
    return exe.parent_path().string();
}

std::string perUserFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const fs::path base = dataHome && *dataHome ? fs::path(dataHome) : fs::path(home ? home : "/tmp") / ".local/share";
    return (base / "quillet32").string();
}

bool isSystemProgramFolder(const std::string& folder) {
    const std::string usr = "/usr";
    return folder.rfind(usr, 0) == 0 && (folder.size() == usr.size() || folder[usr.size()] == '/');
}

namespace {

// The help file and the sounds; the programs (the executable and the
// stand-ins, links among them) run from where they are installed, and the
// help's pictures are found there too.
bool isDataFile(const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_symlink(error) || !entry.is_regular_file(error)) return false;
    const auto executable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (entry.status(error).permissions() & executable) == fs::perms::none;
}

}  // namespace

void copyProgramFiles(const std::string& fromFolder, const std::string& toFolder) {
    const fs::path from(fromFolder), to(toFolder);
    std::error_code listing;
    for (auto it = fs::directory_iterator(from, listing); !listing && it != fs::directory_iterator();
         it.increment(listing)) {
        const fs::path target = to / it->path().filename();
        std::error_code error;
        if (!isDataFile(*it) || fs::exists(target, error)) continue;
        fs::copy_file(it->path(), target, error);
    }
}

std::string hostProgramFolder() {
    const std::string folder = executableFolder();
    if (!isSystemProgramFolder(folder) && ::access(folder.c_str(), W_OK) == 0) return folder;
    const std::string user = perUserFolder();
    std::error_code error;
    fs::create_directories(user, error);
    copyProgramFiles(folder, user);
    return user;
}

}  // namespace q32::host
