// The four archive kinds the file list shows one at a time, with their list
// filters, captions, volume naming rules and head tests. Each outside
// archiver is described once (archive/archivers.h), for the program and for
// the stand-in program that takes the archiver's place.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archive/volume_naming.h"

namespace q32 {

enum class ArchiveKind { Zip = 1, Rar = 2, Arj = 3, Ace = 4 };  // toolbar buttons 1 to 4

// The bytes that prove an archive at its head: at a fixed place, or, when
// `within` is not 0, at the first byte among the first `within` bytes that
// equals the mark's first byte.
struct HeadMark {
    std::string_view bytes;
    std::size_t at = 0;
    std::size_t within = 0;
};

// The Debian tool a stand-in runs in the archiver's place and how it calls
// it. In the words of `argv` and `listArgv`, "{archive}" stands for the
// archive's host path and "{out}" for the folder the tool extracts into.
struct StandinTool {
    const char* program = "";           // "" when the stand-in carries its own reader
    std::vector<std::string> argv;      // extracts the archive, never asking, overwriting
    std::vector<std::string> listArgv;  // lists what the extraction is checked against; empty for none
};

struct KindInfo {
    ArchiveKind kind;
    const char* toolbarFilter;  // the file list filter a kind button sets
    const char* caption;        // status panel 2 caption of the kind
    const char* firstVolumeEnding;  // volumes.firstExtension; "" for ZIP
    std::vector<std::string> markers;  // volume candidate markers, in search order

    // Installing a volume set of the kind.
    const char* folderProbes[2];  // joined to a folder: either one finding a file is enough
    const char* setFilter;        // the list filter a set is selected in, among installed files
    const char* setFilterAfter;   // and the one the list shows while the set is extracted
    const char* setCommand;       // the archiver, then the volume and the destination
    bool runPerVolume;            // the archiver runs once per volume, else on the first only
    const char* directCommand;    // installing straight from the kind's view; "" when refused
    const char* notValid;         // told when no volume of the shown folder passes its head test

    const char* name = "";  // as the stand-in's messages call the kind: "RAR"
    VolumeNaming volumes;   // empty for ZIP
    HeadMark head;          // empty for ZIP
    StandinTool standin;    // the stand-in for the program of setCommand and directCommand
};

const KindInfo& kindInfo(ArchiveKind kind);

// Kind of a toolbar button index 1 to 4.
ArchiveKind kindOfButton(int index);

// A name is a volume candidate of the kind when one of its markers appears,
// without regard to case, from the second character of the name on.
bool isVolumeCandidate(ArchiveKind kind, std::string_view name);

// A volume's own name: its extension is the kind's three letters, or the
// kind's volume letter and two digits (RAR ".r00", ARJ ".a01", ACE ".c00"),
// or three digits (RAR and ARJ ".001"; ACE from ".100" on), in any letter
// case. A "readme.rtf" or "clip.cab" is a candidate of the list filter, not
// a volume.
bool isVolumeName(ArchiveKind kind, std::string_view name);

// The first volume of a set: the name's last three characters, upper-cased,
// are the kind's three letters ("RAR", "ARJ", "ACE").
bool isFirstVolume(ArchiveKind kind, std::string_view name);

// A dropped file is taken as a ZIP archive when its name ends in "ZIP" in
// any letter case.
bool isZipName(std::string_view name);

// Head tests on the first bytes of a file; a head too short for the bytes a
// test reads fails it. headBytes(kind) says how many bytes each test needs.
bool rarHeadTest(std::string_view head);  // "Rar!" at offset 0, exact case
bool aceHeadTest(std::string_view head);  // "**ACE" at offset 7
bool arjHeadTest(std::string_view head);  // first 60h among the first 100 bytes, followed by EAh
bool headTest(ArchiveKind kind, std::string_view head);
std::size_t headBytes(ArchiveKind kind);

}  // namespace q32
