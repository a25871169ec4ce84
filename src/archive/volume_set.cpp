#include "archive/volume_set.h"

namespace q32 {

bool failedHeadEndsSelection(ArchiveKind kind) { return kind != ArchiveKind::Arj; }

std::vector<std::string> inSetOrder(ArchiveKind kind, const std::vector<std::string>& names) {
    std::vector<std::string> firsts, others;
    for (const std::string& name : names) (isFirstVolume(kind, name) ? firsts : others).push_back(name);
    if (firsts.empty()) return others;
    std::vector<std::string> ordered{firsts.back()};
    ordered.insert(ordered.end(), others.begin(), others.end());
    ordered.insert(ordered.end(), firsts.begin(), firsts.end() - 1);
    return ordered;
}

}  // namespace q32
