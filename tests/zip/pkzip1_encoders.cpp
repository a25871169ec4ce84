// Small encoders of the methods of PKZIP 0.9 and 1.x (method_fixtures.h).
#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <unordered_map>
#include <vector>

#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace q32::zip::test {

// Implode: a greedy sliding-window parse, then Shannon-Fano trees with
// lengths from the symbols' counts, codes handed out as PKZIP does.
namespace {

struct Tree {
    std::vector<int> lengths;
    std::vector<std::uint32_t> codes;  // first bit lowest
};

// Huffman code lengths from the counts (each plus one), no longer than 16 bits:
// a complete code, as the Shannon-Fano codes of PKZIP are.
std::vector<int> codeLengths(std::vector<unsigned> counts) {
    for (;;) {
        std::multimap<std::uint64_t, std::vector<std::size_t>> trees;  // weight -> its symbols
        for (std::size_t s = 0; s < counts.size(); ++s) trees.insert({counts[s] + 1, {s}});
        std::vector<int> lengths(counts.size());
        while (trees.size() > 1) {
            auto a = trees.extract(trees.begin()), b = trees.extract(trees.begin());
            a.mapped().insert(a.mapped().end(), b.mapped().begin(), b.mapped().end());
            for (const std::size_t s : a.mapped()) ++lengths[s];
            a.key() += b.key();
            trees.insert(std::move(a));
        }
        if (*std::max_element(lengths.begin(), lengths.end()) <= 16) return lengths;
        for (unsigned& count : counts) count /= 2;
    }
}

Tree makeTree(const std::vector<unsigned>& counts) {
    Tree tree{codeLengths(counts), std::vector<std::uint32_t>(counts.size())};
    // From the longest length to the shortest, the later symbol first, counting up from the top of 16 bits.
    std::uint32_t code = 0;
    for (int length = 16; length > 0; --length) {
        for (std::size_t symbol = counts.size(); symbol-- > 0;) {
            if (tree.lengths[symbol] != length) continue;
            for (int b = 0; b < length; ++b) tree.codes[symbol] |= ((code >> (15 - b)) & 1) << b;
            code += 1u << (16 - length);
        }
    }
    return tree;
}

// The lengths as runs of up to 16 equal ones, a byte each: (count - 1) << 4 | (length - 1).
void writeTree(BitWriter& bits, const Tree& tree) {
    std::vector<unsigned> runs;
    for (std::size_t i = 0; i < tree.lengths.size(); ++i) {
        if (i > 0 && tree.lengths[i] == tree.lengths[i - 1] && runs.back() < 0xF0) runs.back() += 0x10;
        else runs.push_back(static_cast<unsigned>(tree.lengths[i] - 1));
    }
    bits.bits(static_cast<std::uint32_t>(runs.size() - 1), 8);
    for (const unsigned run : runs) bits.bits(run, 8);
}

void writeSymbol(BitWriter& bits, const Tree& tree, std::size_t symbol) {
    bits.bits(tree.codes[symbol], tree.lengths[symbol]);
}

}  // namespace

std::vector<Match> greedyParse(const std::string& data, std::size_t window, std::size_t shortest, std::size_t longest) {
    std::unordered_map<std::string, std::size_t> lastSeen;
    std::vector<Match> matches;
    for (std::size_t at = 0; at < data.size();) {
        const std::string key = data.substr(at, shortest);
        const auto seen = lastSeen.find(key);
        const std::size_t from = seen == lastSeen.end() ? at : seen->second;
        lastSeen[key] = at;
        std::size_t length = 0;
        if (from < at && at - from <= window) {
            while (at + length < data.size() && length < longest && data[from + length] == data[at + length]) ++length;
        }
        if (length < shortest) length = 0;
        matches.push_back({at, length, at - from});
        at += std::max<std::size_t>(length, 1);
    }
    return matches;
}

std::string implode(const std::string& data, bool largeWindow, bool literalTree) {
    const unsigned lowBits = largeWindow ? 7 : 6;
    const std::size_t shortest = literalTree ? 3 : 2;
    const std::vector<Match> tokens = greedyParse(data, std::size_t{64} << lowBits, shortest, shortest + 63 + 255);
    std::vector<unsigned> literals(256), lengths(64), distances(64);
    for (const Match& token : tokens) {
        if (token.length == 0) {
            ++literals[static_cast<unsigned char>(data[token.at])];
            continue;
        }
        ++lengths[std::min<std::size_t>(token.length - shortest, 63)];
        ++distances[(token.distance - 1) >> lowBits];
    }
    const Tree literalCodes = makeTree(literals), lengthCodes = makeTree(lengths), distanceCodes = makeTree(distances);
    BitWriter bits;
    if (literalTree) writeTree(bits, literalCodes);
    writeTree(bits, lengthCodes);
    writeTree(bits, distanceCodes);
    for (const Match& token : tokens) {
        const auto literal = static_cast<unsigned char>(data[token.at]);
        bits.bits(token.length == 0 ? 1 : 0, 1);
        if (token.length == 0) {
            if (literalTree) writeSymbol(bits, literalCodes, literal);
            else bits.bits(literal, 8);
            continue;
        }
        bits.bits(static_cast<std::uint32_t>((token.distance - 1) & ((1u << lowBits) - 1)), static_cast<int>(lowBits));
        writeSymbol(bits, distanceCodes, (token.distance - 1) >> lowBits);
        const std::size_t symbol = std::min<std::size_t>(token.length - shortest, 63);
        writeSymbol(bits, lengthCodes, symbol);
        if (symbol == 63) bits.bits(static_cast<std::uint32_t>(token.length - shortest - 63), 8);
    }
    return bits.finish();
}

// Reduce: back-references written as DLE sequences, then every byte coded
// against the follower set of the byte before it.
namespace {

constexpr unsigned char Dle = 144;

// The first stage: DLE, then a byte holding the length's low bits and the
// distance's high bits, an extra length byte when the low bits are all
// ones, and the distance's low byte. Matches are at least 4 bytes long, so
// that the byte after DLE is never the zero that stands for DLE itself.
std::string runLengthStage(const std::string& data, unsigned factor) {
    const unsigned lengthMask = 0xFFu >> factor;
    std::string out;
    for (const Match& match : greedyParse(data, std::size_t{256} << factor, 4, lengthMask + 255 + 3)) {
        if (match.length == 0) {
            out += data[match.at];
            if (static_cast<unsigned char>(data[match.at]) == Dle) out += '\0';
            continue;
        }
        const std::size_t low = std::min<std::size_t>(match.length - 3, lengthMask);
        out += static_cast<char>(Dle);
        out += static_cast<char>((((match.distance - 1) >> 8) << (8 - factor)) | low);
        if (low == lengthMask) out += static_cast<char>(match.length - 3 - lengthMask);
        out += static_cast<char>((match.distance - 1) & 0xFF);
    }
    return out;
}

}  // namespace

std::string reduce(const std::string& data, unsigned factor) {
    const std::string stage = runLengthStage(data, factor);
    // Each byte's followers in the order they first come, at most 1 to 32 of them, by the byte.
    std::array<std::vector<unsigned char>, 256> sets;
    unsigned char last = 0;
    for (const unsigned char c : stage) {
        auto& set = sets[last];
        if (set.size() <= last % 32 && std::find(set.begin(), set.end(), c) == set.end()) set.push_back(c);
        last = c;
    }
    BitWriter bits;
    for (std::size_t j = 256; j-- > 0;) {
        bits.bits(static_cast<std::uint32_t>(sets[j].size()), 6);
        for (const unsigned char c : sets[j]) bits.bits(c, 8);
    }
    last = 0;
    for (const unsigned char c : stage) {
        const auto& set = sets[last];
        const auto found = std::find(set.begin(), set.end(), c);
        if (!set.empty()) bits.bits(found == set.end() ? 1 : 0, 1);
        const auto index = static_cast<std::uint32_t>(found - set.begin());
        if (found == set.end()) bits.bits(c, 8);
        else bits.bits(index, std::max<int>(1, std::bit_width(set.size() - 1)));  // one bit for a single follower
        last = c;
    }
    return bits.finish();
}

// LZW as Shrink codes it, keeping the same code table as the decoder: a
// code is added when the next code is written (the previous string and the
// next string's first byte), even when a partial clearing just freed the
// previous code; freed codes are handed out again lowest first.
namespace {

constexpr unsigned CodeCount = 1 << 13;
constexpr unsigned FirstFree = 257;

unsigned key(unsigned code, char byte) { return code * 256 + static_cast<unsigned char>(byte); }

class ShrinkWriter {
public:
    std::string run(const std::string& data, unsigned clearEvery) {
        unsigned sinceClear = 0;
        std::size_t previousAt = 0, previousLength = 0;
        for (std::size_t at = 0; at < data.size();) {
            unsigned code = static_cast<unsigned char>(data[at]);
            std::size_t length = 1;
            while (at + length < data.size()) {
                const auto child = children_.find(key(code, data[at + length]));
                if (child == children_.end()) break;
                code = child->second;
                ++length;
            }
            // The code the decoder is about to add: the previous string and its own first byte. Not when a
            // partial clearing freed the previous code: an encoder that finds strings in its table, as
            // PKZIP's does, cannot reach that code any more, and 7-Zip refuses it.
            const bool previousKept = previous_ >= 0 && (previous_ < 256 || used_[previous_]);
            if (previousKept && nextFree_ < CodeCount && previousLength + 1 > length &&
                at + previousLength < data.size() && data[at + previousLength] == data[previousAt] &&
                data.compare(at, previousLength, data, previousAt, previousLength) == 0) {
                code = nextFree_;
                length = previousLength + 1;
            }
            put(code, data[at]);
            previousAt = at;
            previousLength = length;
            at += length;
            if ((nextFree_ == CodeCount || ++sinceClear >= clearEvery) && clearLeaves()) sinceClear = 0;
        }
        return bits_.finish();
    }

private:
    void put(unsigned code, char firstByte) {
        for (; code >= (1u << width_); ++width_) {
            bits_.bits(256, width_);
            bits_.bits(1, width_);
        }
        bits_.bits(code, width_);
        if (previous_ >= 0 && nextFree_ < CodeCount) {
            parent_[nextFree_] = static_cast<unsigned>(previous_);
            suffix_[nextFree_] = firstByte;
            used_[nextFree_] = true;
            children_[key(parent_[nextFree_], firstByte)] = nextFree_;
            findNextFree();
        }
        previous_ = static_cast<int>(code);
    }
    // Frees every code that no other code extends. False, and nothing written, when the previous code
    // would be the first handed out again: the next code added would then extend itself.
    bool clearLeaves() {
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            if (used_[c]) isParent[parent_[c]] = true;
        }
        unsigned firstFreed = FirstFree;
        while (firstFreed < CodeCount && used_[firstFreed] && isParent[firstFreed]) ++firstFreed;
        if (previous_ == static_cast<int>(firstFreed)) return false;
        bits_.bits(256, width_);
        bits_.bits(2, width_);
        children_.clear();
        for (unsigned c = FirstFree; c < CodeCount; ++c) {
            used_[c] = used_[c] && isParent[c];
            if (used_[c]) children_[key(parent_[c], suffix_[c])] = c;
        }
        nextFree_ = FirstFree;
        findNextFree();
        return true;
    }
    void findNextFree() {
        while (nextFree_ < CodeCount && used_[nextFree_]) ++nextFree_;
    }

    BitWriter bits_;
    std::array<unsigned, CodeCount> parent_{};
    std::array<char, CodeCount> suffix_{};
    std::array<bool, CodeCount> used_{};  // of the codes from FirstFree
    std::map<unsigned, unsigned> children_;  // parent * 256 + byte -> code
    unsigned nextFree_ = FirstFree;
    int width_ = 9;
    int previous_ = -1;
};

}  // namespace

std::string shrink(const std::string& data, unsigned clearEvery) { return ShrinkWriter().run(data, clearEvery); }

}  // namespace q32::zip::test
