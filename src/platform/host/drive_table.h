// Drive letters mapped to host folders, so the program can speak the paths of
// the platform it was designed for ("c:\Quil001") on Linux. Default: c is the
// user's home folder, z is "/".
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace q32::host {

class DriveTable {
public:
    DriveTable() = default;
    static DriveTable defaults(const std::string& homeFolder);
    // "c=/tmp/x;d=/tmp/y" (environment) or one "letter=folder" a line (file),
    // with blanks allowed around the "=". Entries that are not a letter, "="
    // and an absolute folder are passed over and, unless blank, collected in
    // `unreadable`.
    static DriveTable parse(const std::string& text, std::vector<std::string>* unreadable = nullptr);
    std::string serialize() const;  // one "letter=folder" a line

    bool empty() const { return roots_.empty(); }
    std::vector<char> letters() const;
    std::optional<std::string> root(char letter) const;

    // How the last component of a path is found: names from outside (the
    // settings file, command lines, fixed names such as "setup.exe") without
    // regard to letter case; names the program built from a listed name,
    // which it renames, deletes or replaces, exactly as written.
    enum class LastName { AnyCase, Exact };
    // "c:\Games\New" to a host path, each existing component looked up
    // without regard to letter case when it does not exist as written and
    // exactly one entry of its folder matches it so; other components are
    // kept as written. Empty for an unknown drive, a path that is not
    // "x:" or "x:\...", or one with a ".." component.
    std::optional<std::string> toHost(const std::string& virtualPath, LastName last = LastName::AnyCase) const;
    // A host path to the virtual path of the drive whose folder holds it
    // (the most specific one); empty when no drive holds it.
    std::optional<std::string> toVirtual(const std::string& hostPath) const;

private:
    bool add(const std::string& entry);

    std::map<char, std::string> roots_;  // lower-case letter -> absolute folder without trailing "/"
};

// The table in force for a program folder: $QUILLET32_DRIVES when set, else
// the file "drives.txt" in the program folder, written with the defaults
// when it is missing. The lines of the file that cannot be read are passed
// over and named in `problem`, for the program to tell the user once; a
// file of which no line can be read gives the defaults and stays as it is.
DriveTable loadDriveTable(const std::string& hostProgramFolder, std::string* problem = nullptr);

}  // namespace q32::host
