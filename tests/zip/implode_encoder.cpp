// Implode: a greedy sliding-window parse, then Shannon-Fano trees with
// lengths from the symbols' counts, codes handed out as PKZIP does.
#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include "method_fixtures.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
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

}  // namespace q32::zip::test
