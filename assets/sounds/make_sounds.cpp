// Writes the program's two sounds as 16-bit PCM mono WAV files:
//   error.wav    a short falling two-note chime, played after a test found errors
//   thunder.wav  a roll of thunder, played by the about window
// Both are synthesised here from fixed numbers, so every build makes the same bytes.
//   make_sounds OUTPUT_FOLDER
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
using Samples = std::vector<double>;  // -1 .. 1

void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

std::string wavBytes(const Samples& samples) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataSize);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, kRate);
    put32(out, kRate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, dataSize);
    for (double s : samples) put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32000))));
    return out;
}

// A bell-like note: a sine with two soft overtones, a quick attack and an
// exponential fade.
void addNote(Samples& out, double startSeconds, double frequency, double seconds) {
    const auto start = static_cast<std::size_t>(startSeconds * kRate);
    const auto length = static_cast<std::size_t>(seconds * kRate);
    out.resize(std::max(out.size(), start + length));
    for (std::size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.005);
        const double envelope = attack * std::exp(-t * 7.0);
        const double w = 2 * std::numbers::pi * frequency * t;
        out[start + i] += 0.45 * envelope * (std::sin(w) + 0.3 * std::sin(2 * w) + 0.1 * std::sin(3 * w));
    }
}

Samples errorSound() {
    Samples out;
    addNote(out, 0.0, 987.77, 0.30);   // B5
    addNote(out, 0.16, 659.26, 0.45);  // E5
    return out;
}

// Brown noise through a low-pass filter, shaped as a crack followed by a
// rumble that swells twice and dies away.
Samples thunderSound() {
    const double seconds = 2.6;
    Samples out(static_cast<std::size_t>(seconds * kRate));
    std::uint32_t seed = 0x51ED270Bu;
    double brown = 0, low = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
        brown = std::clamp(brown * 0.995 + white * 0.08, -1.0, 1.0);
        low += (brown - low) * 0.12;
        const double t = static_cast<double>(i) / kRate;
        const double crack = std::exp(-t * 18.0) * white * 0.5;
        const double swell = 0.6 * std::exp(-std::pow((t - 0.35) / 0.25, 2)) + 0.45 * std::exp(-std::pow((t - 1.1) / 0.4, 2));
        const double fade = std::min(1.0, (seconds - t) / 0.4);
        out[i] = (crack + low * 3.0 * (swell + 0.25 * std::exp(-t))) * fade;
    }
    return out;
}

bool write(const std::string& path, const Samples& samples) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = wavBytes(samples);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!write(folder + "/error.wav", errorSound()) || !write(folder + "/thunder.wav", thunderSound())) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
