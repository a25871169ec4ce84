// How this engine's own decoders stop a member early: they throw the
// member's result code, and the decoder's caller turns it back into one.
#pragma once

#include <cstdint>

namespace q32::zip {

struct DecodeFailure {
    std::int16_t code;
};

}  // namespace q32::zip
