#include "archive/kinds.h"

#include "archive/archivers.h"
#include "common/text.h"

namespace q32 {

const KindInfo& kindInfo(ArchiveKind kind) {
    switch (kind) {
        case ArchiveKind::Rar: return kRarKind;
        case ArchiveKind::Arj: return kArjKind;
        case ArchiveKind::Ace: return kAceKind;
        case ArchiveKind::Zip: break;
    }
    return kZipKind;
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

bool isVolumeName(ArchiveKind kind, std::string_view name) { return isVolumeNamed(kindInfo(kind).volumes, name); }

bool isFirstVolume(ArchiveKind kind, std::string_view name) {
    return isFirstVolumeNamed(kindInfo(kind).volumes, name);
}

bool isZipName(std::string_view name) { return name.size() >= 3 && upper(rightPart(name, 3)) == "ZIP"; }

namespace {

bool matchesHead(const HeadMark& mark, std::string_view head) {
    if (mark.bytes.empty()) return false;
    std::size_t at = mark.at;
    if (mark.within != 0) at = head.substr(0, mark.within).find(mark.bytes.front());
    if (at == std::string_view::npos || at + mark.bytes.size() > head.size()) return false;
    return head.substr(at, mark.bytes.size()) == mark.bytes;
}

}  // namespace

bool rarHeadTest(std::string_view head) { return matchesHead(kRarKind.head, head); }

bool aceHeadTest(std::string_view head) { return matchesHead(kAceKind.head, head); }

bool arjHeadTest(std::string_view head) { return matchesHead(kArjKind.head, head); }

bool headTest(ArchiveKind kind, std::string_view head) { return matchesHead(kindInfo(kind).head, head); }

std::size_t headBytes(ArchiveKind kind) {
    const HeadMark& mark = kindInfo(kind).head;
    if (mark.bytes.empty()) return 0;
    return (mark.within != 0 ? mark.within - 1 : mark.at) + mark.bytes.size();
}

}  // namespace q32
