// Sounds through Qt Multimedia. A machine without an audio device keeps a
// QSoundEffect "playing" for ever, so a synchronous play waits for the end of
// the sound or for the sound's own length, whichever comes first.
#pragma once

#include <QSoundEffect>
#include <map>
#include <memory>
#include <string>

#include "platform/host/drive_table.h"
#include "platform/sound.h"

namespace q32 {

class QtSound : public Sound {
public:
    explicit QtSound(const host::DriveTable& drives) : drives_(drives) {}
    void play(const std::string& path, bool synchronous) override;

private:
    QSoundEffect& effectFor(const std::string& hostPath);

    const host::DriveTable& drives_;
    // Kept after a play: a synchronous play that stopped waiting at the
    // sound's length lets the sound run on to its end.
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace q32
