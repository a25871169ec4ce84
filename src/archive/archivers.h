// Each outside archiver the program calls, described once: for the program
// (its list filters, captions, volume naming, head test and command lines,
// read through kindInfo) and for the stand-in program that takes the
// archiver's place (which Debian tool does the work, and how it is called).
// Data only, over the standard library: the stand-ins include it too.
#pragma once

#include <string_view>

#include "archive/kinds.h"

namespace q32 {

// A stand-in archiver that left out members whose names lead outside the
// destination ends with this code, everything else in place: an install
// goes on, as it does when the zip engine passes over such names.
inline constexpr int kStandinLeftOutUnsafeNames = 9;

inline const KindInfo kZipKind{
    .kind = ArchiveKind::Zip,
    .toolbarFilter = "*.ZIP",
    .caption = "*.zip",
    .firstVolumeEnding = "",
    .markers = {},
    .folderProbes = {"", ""},
    .setFilter = "",
    .setFilterAfter = "",
    .setCommand = "",
    .runPerVolume = false,
    .directCommand = "",
    .notValid = "",
    .name = "ZIP",
    .volumes = {},
    .head = {},
    .standin = {},
};

// unar is the only packaged tool that extracts RAR 1.5 to 4 archives and
// old-style .rar/.r00 sets; it finds the next volumes itself. Its exit code
// is not trusted alone: the stand-in checks every file lsar listed.
inline constexpr VolumeNaming kRarVolumes{
    .firstExtension = "RAR", .letter = 'R', .firstLetterNumber = 0, .lowestNumbered = 0};
inline const KindInfo kRarKind{
    .kind = ArchiveKind::Rar,
    .toolbarFilter = "*.R??;*.0??",
    .caption = "*.rar",
    .firstVolumeEnding = kRarVolumes.firstExtension,
    .markers = {".R", ".0"},
    .folderProbes = {"\\*.R??", "\\*.0??"},
    .setFilter = "*.R??;*.0??",
    .setFilterAfter = "*.r??;*.0??",
    .setCommand = "wrar.exe x -o+ -y ",
    .runPerVolume = false,
    .directCommand = "wrar.exe x -o+ -y ",
    .notValid = "Thats not a valid .Rar file",
    .name = "RAR",
    .volumes = kRarVolumes,
    .head = {.bytes = "Rar!"},
    .standin = {.program = "unar",
                .argv = {"unar", "-q", "-f", "-D", "-o", "{out}", "{archive}"},
                .listArgv = {"lsar", "-json", "{archive}"}},
};

// arj is the only packaged tool that follows .a01/.001 volumes (unar
// truncates them silently); it looks for the next volume in the letter case
// of the first. Run once per volume, its stand-in extracts the whole set
// from the first one.
inline constexpr VolumeNaming kArjVolumes{.firstExtension = "ARJ",
                                          .letter = 'A',
                                          .firstLetterNumber = 1,
                                          .lowestNumbered = 0,
                                          .numbersAfterLetters = true};
inline const KindInfo kArjKind{
    .kind = ArchiveKind::Arj,
    .toolbarFilter = "*.A??;*.0??",
    .caption = "*.arj",
    .firstVolumeEnding = kArjVolumes.firstExtension,
    .markers = {".A", ".0"},
    .folderProbes = {"\\*.A??", "\\*.0??"},
    .setFilter = "*.A??;*.0??",
    .setFilterAfter = "*.a??;*.0??",
    .setCommand = "warj.pif x -y ",
    .runPerVolume = true,
    .directCommand = "",
    .notValid = "",
    .name = "ARJ",
    .volumes = kArjVolumes,
    .head = {.bytes = "\x60\xEA", .within = 100},
    .standin = {.program = "arj", .argv = {"arj", "x", "-v", "-y", "{archive}", "{out}/"}, .listArgv = {}},
};

// No packaged tool extracts real ACE archives: the stand-ins carry our own
// reader (tools/ace).
inline constexpr VolumeNaming kAceVolumes{.firstExtension = "ACE",
                                          .letter = 'C',
                                          .firstLetterNumber = 0,
                                          .lowestNumbered = 100,
                                          .numbersAfterLetters = true};
inline const KindInfo kAceKind{
    .kind = ArchiveKind::Ace,
    .toolbarFilter = "*.ACE;*.C??",
    .caption = "*.ace",
    .firstVolumeEnding = kAceVolumes.firstExtension,
    .markers = {".A", ".C", ".0"},
    .folderProbes = {"\\*.ACE", "\\*.C??"},
    .setFilter = "*.C??;*.ACE",
    .setFilterAfter = "*.c??;*.ACE",
    .setCommand = "wace.pif x -y ",
    .runPerVolume = false,
    .directCommand = "ace.pif x -y ",
    .notValid = "Thats not a valid .Ace file",
    .name = "ACE",
    .volumes = kAceVolumes,
    .head = {.bytes = "**ACE", .at = 7},
    .standin = {},
};

// The kind whose set or direct command line starts the program `program`
// ("wrar.exe", "wace.pif"; in lower case), or null: how a stand-in knows
// which archiver it stands in for.
inline const KindInfo* kindOfProgram(std::string_view program) {
    for (const KindInfo* kind : {&kRarKind, &kArjKind, &kAceKind}) {
        for (std::string_view command : {kind->setCommand, kind->directCommand}) {
            if (!program.empty() && command.starts_with(program) && command.substr(program.size()).starts_with(' '))
                return kind;
        }
    }
    return nullptr;
}

}  // namespace q32
