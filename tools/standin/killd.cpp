// killd.pif FOLDER: removes a folder with everything in it. Never a drive
// root, never anything that is not a folder.
#include <filesystem>

#include "standin.h"

namespace q32::standin {

namespace {

namespace fs = std::filesystem;

bool isDriveRoot(const Context& context, const std::string& virtualPath, const fs::path& host) {
    if (virtualPath.size() <= 3 && virtualPath.size() >= 2 && virtualPath[1] == ':') return true;
    std::error_code code;
    const fs::path canonical = fs::weakly_canonical(host, code);
    if (canonical == "/") return true;
    for (char letter : context.drives.letters()) {
        if (fs::weakly_canonical(*context.drives.root(letter), code) == canonical) return true;
    }
    return false;
}

}  // namespace

int runKilld(const Context& context) {
    const std::string folder = joinWords(context.args);
    auto host = context.hostPath(folder);
    if (folder.empty() || !host) return fail(context, {ExitCode::BadArguments, "Usage: killd.pif FOLDER"});
    if (isDriveRoot(context, folder, *host))
        return fail(context, {ExitCode::Refused, "Will not remove the drive root " + folder});
    std::error_code code;
    if (fs::is_symlink(*host, code) || !fs::is_directory(*host, code))
        return fail(context, {ExitCode::Refused, folder + " is not a folder"});
    fs::remove_all(*host, code);
    if (code) return fail(context, {ExitCode::CannotWrite, "Cannot remove " + folder + ": " + code.message()});
    return 0;
}

}  // namespace q32::standin
