#include "archive/kinds.h"

#include "common/text.h"

namespace q32 {

const KindInfo& kindInfo(ArchiveKind kind) {
    static const KindInfo zip{ArchiveKind::Zip, "*.ZIP", "*.zip", "", {}, {"", ""}, "", "", "", false, "", ""};
    static const KindInfo rar{ArchiveKind::Rar, "*.R??;*.0??", "*.rar", "RAR", {".R", ".0"},
                              {"\\*.R??", "\\*.0??"}, "*.R??;*.0??", "*.r??;*.0??", "wrar.exe x -o+ -y ", false,
                              "wrar.exe x -o+ -y ", "Thats not a valid .Rar file"};
    static const KindInfo arj{ArchiveKind::Arj, "*.A??;*.0??", "*.arj", "ARJ", {".A", ".0"},
                              {"\\*.A??", "\\*.0??"}, "*.A??;*.0??", "*.a??;*.0??", "warj.pif x -y ", true,
                              "", ""};
    static const KindInfo ace{ArchiveKind::Ace, "*.ACE;*.C??", "*.ace", "ACE", {".A", ".C", ".0"},
                              {"\\*.ACE", "\\*.C??"}, "*.C??;*.ACE", "*.c??;*.ACE", "wace.pif x -y ", false,
                              "ace.pif x -y ", "Thats not a valid .Ace file"};
    switch (kind) {
        case ArchiveKind::Rar: return rar;
        case ArchiveKind::Arj: return arj;
        case ArchiveKind::Ace: return ace;
        case ArchiveKind::Zip: break;
    }
    return zip;
}

ArchiveKind kindOfButton(int index) {
    if (index < 1 || index > 4) return ArchiveKind::Zip;
    return static_cast<ArchiveKind>(index);
}

bool isVolumeCandidate(ArchiveKind kind, std::string_view name) {
    for (const std::string& marker : kindInfo(kind).markers) {
        if (findNoCase(name, marker, 1) != std::string::npos) return true;
    }
    return false;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isVolumeName(ArchiveKind kind, std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (kind == ArchiveKind::Zip || dot == std::string_view::npos || name.size() - dot != 4) return false;
    const std::string extension = upper(name.substr(dot + 1));
    if (extension == kindInfo(kind).firstVolumeEnding) return true;
    if (!isDigit(extension[1]) || !isDigit(extension[2])) return false;
    const char volumeLetter = kindInfo(kind).firstVolumeEnding[kind == ArchiveKind::Ace ? 1 : 0];
    return extension[0] == volumeLetter || (kind != ArchiveKind::Ace && isDigit(extension[0]));
}

bool isFirstVolume(ArchiveKind kind, std::string_view name) {
    const std::string_view ending = kindInfo(kind).firstVolumeEnding;
    return !ending.empty() && name.size() >= 3 && upper(rightPart(name, 3)) == ending;
}

bool isZipName(std::string_view name) { return name.size() >= 3 && upper(rightPart(name, 3)) == "ZIP"; }

bool rarHeadTest(std::string_view head) { return head.substr(0, 4) == "Rar!"; }

bool aceHeadTest(std::string_view head) { return head.size() >= 12 && head.substr(7, 5) == "**ACE"; }

bool arjHeadTest(std::string_view head) {
    const std::size_t marker = head.substr(0, 100).find('\x60');
    if (marker == std::string_view::npos || marker + 1 >= head.size()) return false;
    return static_cast<unsigned char>(head[marker + 1]) == 0xEA;
}

bool headTest(ArchiveKind kind, std::string_view head) {
    switch (kind) {
        case ArchiveKind::Rar: return rarHeadTest(head);
        case ArchiveKind::Arj: return arjHeadTest(head);
        case ArchiveKind::Ace: return aceHeadTest(head);
        case ArchiveKind::Zip: break;
    }
    return false;
}

std::size_t headBytes(ArchiveKind kind) {
    switch (kind) {
        case ArchiveKind::Rar: return 4;
        case ArchiveKind::Arj: return 101;
        case ArchiveKind::Ace: return 12;
        case ArchiveKind::Zip: break;
    }
    return 0;
}

}  // namespace q32
