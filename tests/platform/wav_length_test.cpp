// The program's sounds as the build makes them, and the length a synchronous
// play waits for at most.
#include <gtest/gtest.h>

#include "platform/wav_length.h"
#include "support/run_tool.h"

namespace q32 {
namespace {

TEST(ProgramSounds, AreSixteenBitPcmOfASecondOrTwo) {
    for (const char* name : {"error.wav", "thunder.wav"}) {
        const std::string wav = test::readBytes(std::string(Q32_BIN_DIR) + "/" + name);
        ASSERT_GT(wav.size(), 44u) << name;
        EXPECT_EQ(test::readNumber(wav, 20, 2), 1u) << name;   // PCM
        EXPECT_EQ(test::readNumber(wav, 34, 2), 16u) << name;  // bits a sample
        const auto length = wavLength(wav);
        ASSERT_TRUE(length) << name;
        EXPECT_GT(length->count(), 300) << name;
        EXPECT_LT(length->count(), 3000) << name;
        // A file cut short waits only for what is there; a file that is no WAV not at all.
        EXPECT_LT(wavLength(wav.substr(0, wav.size() / 2)), length) << name;
        EXPECT_FALSE(wavLength("RIFF" + wav.substr(4, 8) + "data" + wav.substr(40))) << name;
        EXPECT_FALSE(wavLength(wav.substr(0, 30))) << name;
    }
}

}  // namespace
}  // namespace q32
