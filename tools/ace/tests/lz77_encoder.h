// A small LZ77 encoder for the tests: greedy matching, fixed code widths
// that change from block to block, every kind of symbol the ACE 1.0 method
// has. It makes streams the reader must decode back to the same bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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
    // A stream whose first symbol switches compression mode (ACE 2.0 only).
    std::string encodeModeSwitch();

    const Lz77Stats& stats() const { return stats_; }

private:
    static constexpr std::uint32_t kNoPosition = 0xFFFFFFFFu;

    struct Symbol {
        unsigned main;
        std::uint32_t extra;
        unsigned extraBits;
        int length;  // length symbol, -1 for a literal
    };
    struct Match {
        std::uint32_t length = 0;
        std::uint32_t distance = 0;  // 1 = the byte just before
        int recent = -1;             // index among the recent distances, -1 for new
    };

    Match bestMatch(std::size_t position, std::size_t end) const;
    std::uint32_t matchLength(std::size_t position, std::uint32_t distance, std::size_t end) const;
    Symbol symbolFor(const Match& match);
    void index(std::size_t position);
    std::string writeBlocks(const std::vector<Symbol>& symbols);

    std::uint32_t symbolsPerBlock_;
    std::string history_;
    std::vector<std::uint32_t> chainHeads_ = std::vector<std::uint32_t>(1u << 18, kNoPosition);
    std::vector<std::uint32_t> previousInChain_;  // by position
    std::array<std::uint32_t, 4> recent_{};  // decoder's values (distance - 1), last at the back
    Lz77Stats stats_;
};

}  // namespace q32::ace::testing
