// The playing time of a PCM WAV file, read from its header: the data chunk's
// size over the format's bytes per second.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace q32 {

// Empty when the bytes do not begin a RIFF WAVE file with a format chunk
// before its data chunk. A data chunk cut short counts only what is there.
std::optional<std::chrono::milliseconds> wavLength(std::string_view bytes);

}  // namespace q32
