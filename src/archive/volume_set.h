// Putting a volume set in order once its volumes are selected, and what a
// volume that fails its head test does to a set selection.
#pragma once

#include <string>
#include <vector>

#include "archive/kinds.h"

namespace q32 {

// A RAR or ACE set selection ends at the first candidate that is not of its
// kind; an ARJ selection passes over it and goes on with the next one.
bool failedHeadEndsSelection(ArchiveKind kind);

// The names in set order: the first volume in front (the last one listed,
// when there are several), then the other volumes in the order given, then
// any further first volumes, so that every name keeps a place.
std::vector<std::string> inSetOrder(ArchiveKind kind, const std::vector<std::string>& names);

}  // namespace q32
