// How an archiver names the volumes of a set: SETUP.ARJ, then SETUP.A01,
// SETUP.A02 ... The one place for these rules: the program's set selection
// (kinds.cpp), the ARJ stand-in and the ACE reader all use them. Header only
// and over the standard library alone, so that the stand-ins and the ACE
// reader built on its own need no library of the program.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace q32 {

struct VolumeNaming {
    const char* firstExtension = "";   // upper case: the first volume is NAME.ARJ, in any letter case
    char letter = 0;                   // upper case: the next ones are NAME.A01 ... NAME.A99
    unsigned firstLetterNumber = 0;    // the digits of the second volume: 0 (".r00", ".c00") or 1 (".a01")
    unsigned lowestNumbered = 1000;    // three-digit extensions from this number on are volumes too
    bool numbersAfterLetters = false;  // after the letter and 99 the set goes on with ".100", ".101" ...
};

namespace volume_naming_detail {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char lower(char c) { return isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// The name without its last extension; a name that starts with its only
// dot, or has none, is all stem.
inline std::string_view stem(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

// The volume's letters are written in the letter case of the name's
// extension: upper when it starts with an upper-case letter.
inline bool writesUpper(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot != std::string_view::npos && dot > 0 && dot + 1 < name.size() && isUpper(name[dot + 1]);
}

inline std::string cased(std::string_view text, bool toUpper) {
    std::string out(text);
    for (char& c : out) c = toUpper ? upper(c) : lower(c);
    return out;
}

inline std::string twoDigits(unsigned number) {
    return {static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10)};
}

}  // namespace volume_naming_detail

// NAME.EXT where EXT, in any letter case, is the first volume's extension,
// the volume letter and two digits, or three digits from `lowestNumbered`
// on. A "readme.rtf" beside a RAR set is no volume.
inline bool isVolumeNamed(const VolumeNaming& naming, std::string_view name) {
    using namespace volume_naming_detail;
    const std::size_t dot = name.rfind('.');
    if (!naming.letter || dot == std::string_view::npos || name.size() - dot != 4) return false;
    const std::string extension = cased(name.substr(dot + 1), true);
    if (extension == naming.firstExtension) return true;
    if (!isDigit(extension[1]) || !isDigit(extension[2])) return false;
    if (extension[0] == naming.letter) return true;
    if (!isDigit(extension[0])) return false;
    const unsigned number = static_cast<unsigned>(std::stoul(extension));
    return number >= naming.lowestNumbered;
}

// The first volume of a set: the name's last three characters, upper-cased,
// are the first volume's extension.
inline bool isFirstVolumeNamed(const VolumeNaming& naming, std::string_view name) {
    using namespace volume_naming_detail;
    const std::string_view ending = naming.firstExtension;
    return !ending.empty() && name.size() >= 3 && cased(name.substr(name.size() - 3), true) == ending;
}

// The name of the volume that follows `volume` in its set, as the archivers
// make it: after the first volume (or a name that is no volume) the letter
// and the first two digits, in the letter case of the name's extension;
// then the letter and the next two digits, keeping the letter's case; three
// digits count on. Nothing past the last name the scheme has.
inline std::optional<std::string> nextVolumeName(const VolumeNaming& naming, std::string_view volume) {
    using namespace volume_naming_detail;
    if (!naming.letter) return std::nullopt;
    const std::string base = std::string(stem(volume)) + ".";
    const std::string_view extension = volume.substr(std::min(base.size(), volume.size()));
    const bool numbered = extension.size() == 3 && isDigit(extension[1]) && isDigit(extension[2]);
    if (numbered && upper(extension[0]) == naming.letter) {
        const unsigned next = static_cast<unsigned>((extension[1] - '0') * 10 + (extension[2] - '0')) + 1;
        if (next < 100) return base + extension[0] + twoDigits(next);
        if (!naming.numbersAfterLetters) return std::nullopt;
        return base + std::to_string(next);
    }
    if (numbered && isDigit(extension[0])) {
        const unsigned next = static_cast<unsigned>(std::stoul(std::string(extension))) + 1;
        if (next > 999) return std::nullopt;
        return base + std::to_string(next / 100) + twoDigits(next % 100);
    }
    const char letter = writesUpper(volume) ? naming.letter : lower(naming.letter);
    return base + letter + twoDigits(naming.firstLetterNumber);
}

// The name of volume `index` of the set that `volume` belongs to: index 0 is
// the first volume (a first volume's own name comes back as it is), in the
// letter case of the given name's extension.
inline std::optional<std::string> volumeName(const VolumeNaming& naming, std::string_view volume, unsigned index) {
    using namespace volume_naming_detail;
    if (!naming.letter) return std::nullopt;
    std::optional<std::string> name(volume);
    if (!isFirstVolumeNamed(naming, volume)) name = std::string(stem(volume)) + "." +
                                                    cased(naming.firstExtension, writesUpper(volume));
    for (unsigned next = 0; next < index && name; ++next) name = nextVolumeName(naming, *name);
    return name;
}

}  // namespace q32
