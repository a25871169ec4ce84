// A small LZ77 encoder for the tests: greedy copies at the recent distances
// or back to where the next three bytes were last seen, fixed code widths
// that change from block to block, every kind of symbol the ACE 1.0 method
// has. It makes streams the reader must decode back to the same bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace q32::ace::testing {

struct Lz77Stats {
    std::size_t literals = 0;
    std::size_t newDistances = 0;
    std::array<std::size_t, 4> recentDistances{};  // by how recent
    std::size_t blocks = 0;
    std::uint32_t longestDistance = 0;
};

class Lz77Encoder {
public:
    explicit Lz77Encoder(std::uint32_t symbolsPerBlock = 32767) : symbolsPerBlock_(symbolsPerBlock) {}

    // Bytes that a solid archive's stored member put in the window.
    void remember(std::string_view data);
    // The packed form of one member; later members of a solid archive may
    // refer back to it.
    std::string encode(std::string_view data);
    // Starts afresh, as the next member of an archive that is not solid does.
    void forget();
    // A stream whose first symbol switches compression mode (ACE 2.0 only).
    std::string encodeModeSwitch();

    const Lz77Stats& stats() const { return stats_; }

private:
    struct Symbol {
        unsigned main;
        std::uint32_t extra;
        unsigned extraBits;
        int length;  // length symbol, -1 for none
    };

    struct Copy {
        int recent;  // index among the recent distances, -1 for a new one
        std::uint32_t distance;  // 1 = the byte just before
        std::uint32_t length;
    };

    std::uint32_t matchLength(std::size_t position, std::uint32_t distance, std::uint32_t shortest) const;
    Symbol copySymbol(const Copy& copy);
    void see(std::size_t position);
    std::string writeBlocks(const std::vector<Symbol>& symbols);

    std::uint32_t symbolsPerBlock_;
    std::string history_;
    std::unordered_map<std::string, std::size_t> lastSeen_;  // by the three bytes there
    std::array<std::uint32_t, 4> recent_{};  // decoder's values (distance - 1), last at the back
    Lz77Stats stats_;
};

}  // namespace q32::ace::testing
