#include "platform/zip/bzip2_blocks.h"

#include <sched.h>

#include <algorithm>
#include <thread>

#include "platform/zip/bzip2_pipeline.h"
#include "platform/zip/decode_failure.h"
#include "platform/zip_engine.h"

namespace q32::zip {

namespace {

// A block is decoded again after each piece joined to it: data made to hold
// a marker at every few bits would take time without end. No sound block
// holds this many markers by chance.
constexpr unsigned MaxJoins = 64;

[[noreturn]] void badData() { throw DecodeFailure{zipcode::BadData}; }

// Decodes `block` straight into `output`. False when it fails before its
// first byte; a failure after that (its CRC) is the member's.
bool decodeInto(Bzip2Block& block, DecodedOutput& output) {
    bool started = false;
    for (;;) {
        std::size_t got = 0;
        const Bzip2Block::Step step = block.decode(output.space(), output.spaceLeft(), got);
        output.commit(got);
        started = started || got > 0;
        if (step == Bzip2Block::Step::End) return true;
        if (step == Bzip2Block::Step::Bad) {
            if (started) badData();
            return false;
        }
    }
}

class Assembler {
public:
    Assembler(const std::function<bool(Bzip2Piece&)>& next, DecodedOutput& output, WorkerPool* pool,
              unsigned threads)
        : next_(next), output_(output), pipeline_(pool, threads, output) {}

    void run() {
        Bzip2Piece head = take();
        while (head.bits < 32 && more()) head.append(take());
        level_ = head.bits == 32 ? bzip2LevelAt(head, 0) : 0;
        if (level_ == 0) badData();
        for (;;) {
            if (!more()) badData();  // the stream has no end marker
            if (pipeline_.front()->piece.kind == Bzip2Piece::Kind::End) {
                if (!endStream()) return;
            } else {
                block();
            }
        }
    }

private:
    bool more() {
        fill();
        return pipeline_.front() != nullptr;
    }
    void fill() {
        while (!sourceDone_ && pipeline_.size() < pipeline_.capacity()) {
            auto slot = std::make_shared<Bzip2Slot>();
            slot->piece.bytes = pipeline_.spare();
            if (!next_(slot->piece)) {
                sourceDone_ = true;
                break;
            }
            if (slot->piece.kind == Bzip2Piece::Kind::Block) {
                slot->state = Bzip2Slot::State::Waiting;
                slot->level = readAheadLevel_;
            } else {
                const bool head = slot->piece.kind == Bzip2Piece::Kind::Head;
                const char level = bzip2LevelAt(slot->piece, head ? 0 : bzip2AfterEnd(slot->piece));
                if (level != 0) readAheadLevel_ = level;
            }
            pipeline_.push(std::move(slot));
        }
    }
    Bzip2Piece take() {
        if (!more()) badData();
        return pipeline_.takeFront();
    }

    // The block at the front: decoded ahead, or decoded now;
    // joined with the pieces after it until it decodes, when a marker inside
    // it was one by chance.
    void block() {
        std::shared_ptr<Bzip2Slot> slot = pipeline_.front();
        const bool decodedAhead = pipeline_.settle(*slot) && slot->level == level_;
        Bzip2Piece piece = take();
        std::chrono::nanoseconds handoff{};
        if (decodedAhead && slot->block) handoff = writeOut(*slot->block);
        else decodeInTurn(piece, !decodedAhead);
        const auto crc = static_cast<std::uint32_t>(piece.read(48, 32));
        combined_ = (combined_ << 1 | combined_ >> 31) ^ crc;
        slot->block.reset();
        pipeline_.recycle(std::move(piece.bytes));
        pipeline_.turnDone(handoff);
        if (output_.stopped()) throw DecodeFailure{zipcode::Aborted};
    }

    // The output of a block decoded ahead; what writing it cost.
    std::chrono::nanoseconds writeOut(Bzip2Block& block) {
        const auto before = threadCpuTime();
        if (!decodeInto(block, output_)) badData();
        return threadCpuTime() - before;
    }

    // Decodes the piece straight into the output (unless it is known to
    // fail alone), joining the next pieces to it while it fails.
    void decodeInTurn(Bzip2Piece& piece, bool tryAlone) {
        for (unsigned joins = 0;; ++joins) {
            if (tryAlone || joins > 0) {
                Bzip2Block block(piece, level_);
                if (decodeInto(block, output_)) return;
            }
            if (joins == MaxJoins || !more()) badData();
            piece.append(take());
            if (piece.bits > Bzip2MaxPieceBits) badData();
        }
    }

    // The end of a stream and, when one follows, the next one's header.
    // False after the last stream.
    bool endStream() {
        Bzip2Piece piece = take();
        for (;;) {
            if (piece.bits >= 80 && piece.read(48, 32) != combined_) badData();
            const std::uint64_t header = bzip2AfterEnd(piece);
            if (piece.bits == header && !more()) return false;
            if (piece.bits == header + 32) {
                level_ = bzip2LevelAt(piece, header);
                if (level_ == 0) badData();
                combined_ = 0;
                return true;
            }
            if (piece.bits > header + 32 || !more()) badData();
            piece.append(take());
        }
    }

    const std::function<bool(Bzip2Piece&)>& next_;
    DecodedOutput& output_;
    Bzip2Pipeline pipeline_;
    bool sourceDone_ = false;
    char level_ = 0;
    char readAheadLevel_ = '9';
    std::uint32_t combined_ = 0;
};

}  // namespace

void decodeBzip2Pieces(const std::function<bool(Bzip2Piece&)>& next, DecodedOutput& output, WorkerPool* pool,
                       unsigned threads) {
    Assembler(next, output, pool, threads).run();
}

void decompressBzip2InBlocks(CompressedInput& input, DecodedOutput& output, WorkerPool* pool, unsigned threads) {
    Bzip2Splitter splitter(input);
    decodeBzip2Pieces([&](Bzip2Piece& piece) { return splitter.next(piece); }, output, pool, threads);
}

unsigned bzip2Threads() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(1, CPU_COUNT(&cores));
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace q32::zip
