#include "platform/host/drive_table.h"

#include <dirent.h>
#include <sys/stat.h>

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

bool isBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string trimmedBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The one entry of `folder` whose name equals `name` without regard to case;
// none when two or more do, since picking one of them could address the
// wrong file.
std::optional<std::string> findNoCase(const std::string& folder, const std::string& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    bool ambiguous = false;
    while (dirent* entry = readdir(dir)) {
        if (!equalsNoCase(entry->d_name, name)) continue;
        ambiguous = found.has_value();
        if (ambiguous) break;
        found = entry->d_name;
    }
    closedir(dir);
    if (ambiguous) return std::nullopt;
    return found;
}

// Any entry, a dangling link included.
bool entryExists(const std::string& hostPath) {
    struct stat info {};
    return ::lstat(hostPath.c_str(), &info) == 0;
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

DriveTable DriveTable::parse(const std::string& text, std::vector<std::string>* unreadable) {
    DriveTable table;
    std::string entry;
    std::istringstream in(text);
    while (std::getline(in, entry)) {
        std::istringstream parts(entry);
        std::string one;
        while (std::getline(parts, one, ';')) {
            if (!one.empty() && one.back() == '\r') one.pop_back();
            if (!table.add(one) && !isBlank(one) && unreadable) unreadable->push_back(one);
        }
    }
    return table;
}

// "letter=/folder", with blanks allowed around the "=".
bool DriveTable::add(const std::string& entry) {
    const std::size_t equals = entry.find('=');
    if (equals == std::string::npos) return false;
    const std::string letter = trimmedBlanks(entry.substr(0, equals));
    const std::size_t start = entry.find_first_not_of(" \t", equals + 1);
    const std::string folder = start == std::string::npos ? "" : entry.substr(start);
    if (letter.size() != 1 || !isLetter(letter[0]) || folder.empty() || folder[0] != '/') return false;
    roots_[lower(letter)[0]] = withoutTrailingSlash(folder);
    return true;
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

std::optional<std::string> DriveTable::toHost(const std::string& virtualPath, LastName last) const {
    if (virtualPath.size() < 2 || virtualPath[1] != ':') return std::nullopt;
    if (virtualPath.size() > 2 && virtualPath[2] != '\\') return std::nullopt;
    auto base = root(virtualPath[0]);
    if (!base) return std::nullopt;
    std::string host = *base;
    bool resolving = true;
    const std::vector<std::string> parts = splitComponents(virtualPath.substr(2));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        if (part == "..") return std::nullopt;
        if (part == ".") continue;
        std::string name = part;
        const bool exact = last == LastName::Exact && i + 1 == parts.size();
        // A name the host cannot hold (a part over 255 bytes) does not exist.
        if (resolving && !exact && !entryExists(joinHost(host, part))) {
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

namespace {

DriveTable homeDefaults() {
    const char* home = std::getenv("HOME");
    return DriveTable::defaults(home ? home : "/");
}

// What the user is told about a drives.txt with lines that cannot be read
// (the first few of them are named) or without any drive.
std::string drivesProblem(const std::string& file, const std::vector<std::string>& unreadable, bool noDrive) {
    constexpr std::size_t kNamedLines = 10;
    std::string text;
    if (!unreadable.empty()) text = "These lines of " + file + " cannot be read and are passed over:\n";
    for (std::size_t i = 0; i < unreadable.size() && i < kNamedLines; ++i) text += "  " + unreadable[i] + "\n";
    if (unreadable.size() > kNamedLines)
        text += "  ... and " + std::to_string(unreadable.size() - kNamedLines) + " more\n";
    if (!unreadable.empty()) text += "Each line reads letter=/host/folder, for example c=/home/me.\n";
    if (noDrive) text += file + " maps no drive, so c is the home folder and z is / until it does.\n";
    if (!text.empty()) text.pop_back();  // the last line end
    return text;
}

}  // namespace

DriveTable loadDriveTable(const std::string& hostProgramFolder, std::string* problem) {
    if (const char* env = std::getenv("QUILLET32_DRIVES"); env && *env) {
        DriveTable table = DriveTable::parse(env);
        if (!table.empty()) return table;
    }
    const std::string file = hostProgramFolder + "/drives.txt";
    std::ifstream in(file);
    if (!in) {
        // Only a missing file is written; the user's own file is never replaced.
        DriveTable table = homeDefaults();
        std::error_code code;
        if (!std::filesystem::exists(file, code) && !code) std::ofstream(file) << table.serialize();
        return table;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> unreadable;
    DriveTable table = DriveTable::parse(text.str(), &unreadable);
    if (problem && (table.empty() || !unreadable.empty())) *problem = drivesProblem(file, unreadable, table.empty());
    return table.empty() ? homeDefaults() : table;
}

}  // namespace q32::host
