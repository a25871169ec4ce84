#include "staging.h"

#include <stdlib.h>

#include <filesystem>
#include <system_error>

namespace q32::standin {

namespace fs = std::filesystem;

Staging::Staging(std::string destination, std::string root)
    : destination_(std::move(destination)), root_(std::move(root)), out_(root_ + "/out"), volumes_(root_ + "/volumes") {}

Staging::Staging(Staging&& other) noexcept
    : destination_(std::move(other.destination_)),
      root_(std::move(other.root_)),
      out_(std::move(other.out_)),
      volumes_(std::move(other.volumes_)) {
    other.root_.clear();
}

Staging::~Staging() {
    if (root_.empty()) return;
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::optional<Staging> Staging::create(const std::string& destination, std::string& error) {
    std::error_code code;
    fs::create_directories(destination, code);
    if (!fs::is_directory(destination, code)) {
        error = "Cannot create the folder " + destination;
        return std::nullopt;
    }
    std::string pattern = destination + "/.q32-stage-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        error = "Cannot write into the folder " + destination;
        return std::nullopt;
    }
    Staging staging(destination, pattern);
    fs::create_directory(staging.out_, code);
    fs::create_directory(staging.volumes_, code);
    return staging;
}

bool Staging::commit(std::string& error) {
    std::error_code code;
    for (auto it = fs::recursive_directory_iterator(out_, code); !code && it != fs::recursive_directory_iterator();
         it.increment(code)) {
        const fs::path relative = fs::relative(it->path(), out_, code);
        const fs::path target = fs::path(destination_) / relative;
        const fs::file_status status = it->symlink_status(code);
        if (fs::is_directory(status)) {
            fs::create_directories(target, code);
            if (!fs::is_directory(target)) {
                error = "Cannot create the folder " + target.string();
                return false;
            }
            continue;
        }
        if (!fs::is_regular_file(status)) continue;
        fs::permissions(it->path(), status.permissions() & fs::perms::all, code);
        fs::rename(it->path(), target, code);
        if (code) {
            error = "Cannot write " + target.string() + ": " + code.message();
            return false;
        }
    }
    if (code) {
        error = "Cannot read the extracted files: " + code.message();
        return false;
    }
    return true;
}

}  // namespace q32::standin
