// LZW as Shrink codes it, keeping the same code table as the decoder: a
// code is added when the next code is written (the previous string and the
// next string's first byte), and freed codes are handed out lowest first.
#include <array>
#include <map>
#include <memory>

#include "legacy_encoders.h"
#include "zip_fixtures.h"

namespace q32::zip::test {
namespace {

constexpr unsigned CodeCount = 1 << 13;
constexpr int Free = -1;

class ShrinkWriter {
public:
    explicit ShrinkWriter(const std::string& data) : data_(data) {
        parent_.fill(Free);
        for (unsigned c = 0; c < 256; ++c) parent_[c] = -2;
    }

    std::string run(unsigned clearEvery) {
        std::size_t position = 0;
        unsigned written = 0;
        while (position < data_.size()) {
            const auto [code, length] = longestMatch(position);
            put(code, position);
            previous_ = static_cast<int>(code);
            previousAt_ = position;
            previousLength_ = length;
            position += length;
            if (nextFree_ == CodeCount || ++written % clearEvery == 0) clearLeaves();
        }
        return bits_.finish();
    }

private:
    std::pair<unsigned, std::size_t> longestMatch(std::size_t at) {
        unsigned code = static_cast<unsigned char>(data_[at]);
        std::size_t length = 1;
        for (auto child = children_.find(key(code, at + length)); at + length < data_.size() && child != children_.end();
             child = children_.find(key(code, at + length))) {
            code = child->second;
            ++length;
        }
        // The code the decoder is about to add: the previous string and its first byte.
        if (previous_ >= 0 && nextFree_ < CodeCount && previousLength_ + 1 > length && repeatsPrevious(at)) {
            return {nextFree_, previousLength_ + 1};
        }
        return {code, length};
    }
    bool repeatsPrevious(std::size_t at) const {
        if (at + previousLength_ + 1 > data_.size()) return false;
        return data_.compare(at, previousLength_, data_, previousAt_, previousLength_) == 0 &&
               data_[at + previousLength_] == data_[previousAt_];
    }
    unsigned key(unsigned code, std::size_t at) const {
        return at < data_.size() ? code * 256 + static_cast<unsigned char>(data_[at]) : ~0u;
    }

    void put(unsigned code, std::size_t at) {
        while (code >= (1u << width_)) {
            bits_.bits(256, width_);
            bits_.bits(1, width_);
            ++width_;
        }
        bits_.bits(code, width_);
        if (previous_ >= 0 && nextFree_ < CodeCount) add(static_cast<unsigned>(previous_), data_[at]);
    }
    void add(unsigned parent, char byte) {
        parent_[nextFree_] = static_cast<int>(parent);
        suffix_[nextFree_] = static_cast<unsigned char>(byte);
        children_[parent * 256 + suffix_[nextFree_]] = nextFree_;
        findNextFree(nextFree_ + 1);
    }
    void findNextFree(unsigned from) {
        nextFree_ = from;
        while (nextFree_ < CodeCount && parent_[nextFree_] != Free) ++nextFree_;
    }
    void clearLeaves() {
        bits_.bits(256, width_);
        bits_.bits(2, width_);
        std::array<bool, CodeCount> isParent{};
        for (unsigned c = 257; c < CodeCount; ++c) {
            if (parent_[c] >= 0) isParent[static_cast<std::size_t>(parent_[c])] = true;
        }
        for (unsigned c = 257; c < CodeCount; ++c) {
            if (isParent[c] || parent_[c] == Free) continue;
            children_.erase(static_cast<unsigned>(parent_[c]) * 256 + suffix_[c]);
            parent_[c] = Free;
        }
        findNextFree(257);
        if (previous_ >= 0 && parent_[static_cast<std::size_t>(previous_)] == Free) previous_ = -1;
    }

    const std::string& data_;
    BitWriter bits_;
    std::array<int, CodeCount> parent_;
    std::array<unsigned char, CodeCount> suffix_{};
    std::map<unsigned, unsigned> children_;  // parent * 256 + byte -> code
    unsigned nextFree_ = 257;
    int width_ = 9;
    int previous_ = -1;
    std::size_t previousAt_ = 0;
    std::size_t previousLength_ = 0;
};

}  // namespace

std::string shrink(const std::string& data, unsigned clearEvery) {
    return std::make_unique<ShrinkWriter>(data)->run(clearEvery);
}

}  // namespace q32::zip::test
