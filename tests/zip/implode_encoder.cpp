// Implode: a greedy sliding-window parse, then Shannon-Fano trees with
// lengths from the symbols' counts, codes handed out as PKZIP does.
#include <algorithm>
#include <numeric>
#include <queue>
#include <unordered_map>
#include <vector>

#include "legacy_encoders.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

struct Tree {
    std::vector<int> lengths;
    std::vector<std::uint32_t> codes;  // first bit lowest
};

// Code lengths from counts (each at least 1), no longer than 16 bits.
std::vector<int> codeLengths(std::vector<unsigned> counts) {
    for (;;) {
        const std::size_t n = counts.size();
        std::vector<int> parent(2 * n, -1);
        using Node = std::pair<std::uint64_t, int>;
        std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
        for (std::size_t i = 0; i < n; ++i) queue.push({counts[i] + 1, static_cast<int>(i)});
        for (int next = static_cast<int>(n); queue.size() > 1; ++next) {
            const Node a = queue.top();
            queue.pop();
            const Node b = queue.top();
            queue.pop();
            parent[static_cast<std::size_t>(a.second)] = parent[static_cast<std::size_t>(b.second)] = next;
            queue.push({a.first + b.first, next});
        }
        std::vector<int> lengths(n, 0);
        for (std::size_t i = 0; i < n; ++i) {
            for (int p = parent[i]; p >= 0; p = parent[static_cast<std::size_t>(p)]) ++lengths[i];
        }
        if (*std::max_element(lengths.begin(), lengths.end()) <= 16) return lengths;
        for (unsigned& count : counts) count /= 2;
    }
}

Tree makeTree(const std::vector<unsigned>& counts) {
    Tree tree{codeLengths(counts), std::vector<std::uint32_t>(counts.size())};
    std::vector<std::size_t> order(counts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return tree.lengths[a] < tree.lengths[b]; });
    std::uint32_t code = 0;
    std::uint32_t increment = 0;
    int last = 0;
    for (std::size_t i = order.size(); i-- > 0;) {
        const std::size_t symbol = order[i];
        code += increment;
        if (tree.lengths[symbol] != last) {
            last = tree.lengths[symbol];
            increment = 1u << (16 - last);
        }
        const std::uint32_t top = code >> (16 - last);
        for (int b = 0; b < last; ++b) tree.codes[symbol] |= ((top >> (last - 1 - b)) & 1) << b;
    }
    return tree;
}

void writeTree(BitWriter& bits, const Tree& tree) {
    std::vector<unsigned> runs;  // (count - 1) << 4 | (length - 1)
    for (std::size_t i = 0; i < tree.lengths.size();) {
        std::size_t count = 1;
        while (i + count < tree.lengths.size() && count < 16 && tree.lengths[i + count] == tree.lengths[i]) ++count;
        runs.push_back(static_cast<unsigned>((count - 1) << 4 | (tree.lengths[i] - 1)));
        i += count;
    }
    bits.bits(static_cast<std::uint32_t>(runs.size() - 1), 8);
    for (const unsigned run : runs) bits.bits(run, 8);
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
        if (token.length == 0 && literalTree) bits.bits(literalCodes.codes[literal], literalCodes.lengths[literal]);
        if (token.length == 0 && !literalTree) bits.bits(literal, 8);
        if (token.length == 0) continue;
        bits.bits(static_cast<std::uint32_t>((token.distance - 1) & ((1u << lowBits) - 1)), static_cast<int>(lowBits));
        const std::size_t high = (token.distance - 1) >> lowBits;
        bits.bits(distanceCodes.codes[high], distanceCodes.lengths[high]);
        const std::size_t symbol = std::min<std::size_t>(token.length - shortest, 63);
        bits.bits(lengthCodes.codes[symbol], lengthCodes.lengths[symbol]);
        if (symbol == 63) bits.bits(static_cast<std::uint32_t>(token.length - shortest - 63), 8);
    }
    return bits.finish();
}

}  // namespace q32::zip::test
