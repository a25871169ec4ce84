#include "platform/host/drive_table.h"

#include <dirent.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/text.h"

namespace q32::host {

namespace {

std::string withoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The entry of `folder` whose name equals `name` without regard to case.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = readdir(dir)) {
        if (equalsNoCase(entry->d_name, name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

std::string joinHost(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

std::vector<std::string> splitComponents(const std::string& rest) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : rest) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

DriveTable DriveTable::defaults(const std::string& homeFolder) {
    DriveTable table;
    table.roots_['c'] = withoutTrailingSlash(homeFolder.empty() ? "/" : homeFolder);
    table.roots_['z'] = "/";
    return table;
}

DriveTable DriveTable::parse(const std::string& text) {
    DriveTable table;
    std::string entry;
    std::istringstream in(text);
    while (std::getline(in, entry)) {
        std::istringstream parts(entry);
        std::string one;
        while (std::getline(parts, one, ';')) {
            if (!one.empty() && one.back() == '\r') one.pop_back();
            if (one.size() < 3 || !isLetter(one[0]) || one[1] != '=' || one[2] != '/') continue;
            table.roots_[lower(one.substr(0, 1))[0]] = withoutTrailingSlash(one.substr(2));
        }
    }
    return table;
}

std::string DriveTable::serialize() const {
    std::string out;
    for (const auto& [letter, folder] : roots_) out += std::string(1, letter) + "=" + folder + "\n";
    return out;
}

std::vector<char> DriveTable::letters() const {
    std::vector<char> out;
    for (const auto& entry : roots_) out.push_back(entry.first);
    return out;
}

std::optional<std::string> DriveTable::root(char letter) const {
    auto it = roots_.find(lower(std::string(1, letter))[0]);
    if (it == roots_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::string> DriveTable::toHost(const std::string& virtualPath) const {
    if (virtualPath.size() < 2 || virtualPath[1] != ':') return std::nullopt;
    if (virtualPath.size() > 2 && virtualPath[2] != '\\') return std::nullopt;
    auto base = root(virtualPath[0]);
    if (!base) return std::nullopt;
    std::string host = *base;
    bool resolving = true;
    for (const std::string& part : splitComponents(virtualPath.substr(2))) {
        if (part == "..") return std::nullopt;
        if (part == ".") continue;
        std::string name = part;
        if (resolving && !std::filesystem::exists(joinHost(host, part))) {
            auto found = findNoCase(host, part);
            if (found) name = *found;
            else resolving = false;
        }
        host = joinHost(host, name);
    }
    return host;
}

std::optional<std::string> DriveTable::toVirtual(const std::string& hostPath) const {
    const std::string path = withoutTrailingSlash(hostPath);
    std::optional<char> best;
    std::size_t bestLength = 0;
    for (const auto& [letter, folder] : roots_) {
        const bool inside = path == folder || folder == "/" ||
                            (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                             path[folder.size()] == '/');
        if (!inside || (best && folder.size() <= bestLength)) continue;
        best = letter;
        bestLength = folder.size();
    }
    if (!best) return std::nullopt;
    const std::string& folder = roots_.at(*best);
    std::string rest = folder == "/" ? path.substr(1) : path.substr(std::min(path.size(), folder.size() + 1));
    for (char& c : rest) {
        if (c == '/') c = '\\';
    }
    return std::string(1, *best) + ":\\" + rest;
}

DriveTable loadDriveTable(const std::string& hostProgramFolder) {
    if (const char* env = std::getenv("QUILLET32_DRIVES"); env && *env) {
        DriveTable table = DriveTable::parse(env);
        if (!table.empty()) return table;
    }
    const std::string file = hostProgramFolder + "/drives.txt";
    std::ifstream in(file);
    if (in) {
        std::stringstream text;
        text << in.rdbuf();
        DriveTable table = DriveTable::parse(text.str());
        if (!table.empty()) return table;
    }
    const char* home = std::getenv("HOME");
    DriveTable table = DriveTable::defaults(home ? home : "/");
    std::ofstream(file) << table.serialize();
    return table;
}

}  // namespace q32::host
