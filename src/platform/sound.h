// Sounds: the program's WAV files (error.wav, thunder.wav in the program
// folder), played on the default audio output. A sound that cannot be played
// (no file, no audio device) is silent and shows nothing.
#pragma once

#include <string>

namespace q32 {

class Sound {
public:
    virtual ~Sound() = default;
    // Plays a WAV file given by its virtual path. A synchronous play returns
    // when the sound has finished, and never later than the sound's own
    // length after the call; an asynchronous one returns at once.
    virtual void play(const std::string& path, bool synchronous) = 0;
};

}  // namespace q32
