// Extracts an ACE 1.0 archive or volume set (stored and LZ77 members, solid
// or not) into a folder. Host paths on both sides. Continuation volumes
// (.c00 ... .c99, .100 ...) are looked up beside the first volume.
#pragma once

#include "ace_error.h"

#include <string>

namespace q32::ace {

// Extracts every member; on failure `error` tells what went wrong. Files
// extracted before a failure stay (each one complete and checked); the
// member being written at the time is removed.
AceResult extractAce(const std::string& firstVolumeHostPath, const std::string& destHostFolder,
                     std::string& error);

}  // namespace q32::ace
