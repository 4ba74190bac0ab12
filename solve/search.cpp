#include "solve/search.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <span>
#include <stop_token>
#include <thread>
#include <vector>

#include "game/index.h"

namespace morvane {

namespace {

constexpr int kX = 1;
// No more than one placement of each orientation has a given lowest cell.
constexpr std::size_t kMaxCandidates = 64;

// The placements that can cover each board cell, sifted ahead of the search.
// All cells before the lowest empty cell c are filled, so a piece that covers
// c has c as its lowest cell; the list for c and the state of the kNextCells
// cells after it holds the placements with lowest cell c that miss those of
// the next cells that are filled, sorted by piece, each piece's in the order
// of placements(): piece p's are [offset[l][p], offset[l][p + 1]) from
// first[l] in list l.
struct CandidateLists {
    std::array<std::span<const Placement>, kPieceCount> placements;

    static constexpr int kNextCells = 6;
    static constexpr unsigned kNextStates = 1u << kNextCells;
    static constexpr std::size_t kLists = std::size_t{kBoardCells} * kNextStates;
    static constexpr std::size_t kCandidateRoom = std::size_t{1} << 16;
    std::vector<BoardBits> candidates;
    std::vector<std::uint16_t> placement;  // of each candidate, among its piece's placements
    std::vector<std::uint32_t> first;
    std::vector<std::array<std::uint8_t, kPieceCount + 1>> offset;
    std::vector<std::uint16_t> present;  // the pieces with a candidate in the list, as bits

    CandidateLists()
    {
        std::array<std::vector<const Placement*>, kBoardCells> byLowestCell;
        for (int p = 0; p < kPieceCount; ++p) {
            placements[at(p)] = morvane::placements(p);
            for (const Placement& pl : placements[at(p)])
                byLowestCell[at(std::countr_zero(pl.cells))].push_back(&pl);
        }
        // Some 41,500 candidates on this board: room for them all at once
        // spares the start-up every copy a growing vector makes.
        candidates.reserve(kCandidateRoom);
        placement.reserve(kCandidateRoom);
        first.reserve(kLists);
        offset.reserve(kLists);
        present.reserve(kLists);
        for (int c = 0; c < kBoardCells; ++c) {
            for (unsigned next = 0; next < kNextStates; ++next) {
                const auto start = static_cast<std::uint32_t>(candidates.size());
                first.push_back(start);
                auto& pieceStart = offset.emplace_back();
                auto& pieces = present.emplace_back();
                const BoardBits filled = BoardBits{next} << (c + 1);
                int piece = 0;
                for (const Placement* pl : byLowestCell[at(c)]) {
                    if ((pl->cells & filled) != 0)
                        continue;
                    while (piece <= pl->piece)
                        pieceStart[at(piece++)] = static_cast<std::uint8_t>(candidates.size() - start);
                    candidates.push_back(pl->cells);
                    placement.push_back(static_cast<std::uint16_t>(pl - placements[at(pl->piece)].data()));
                    pieces = static_cast<std::uint16_t>(pieces | (1u << pl->piece));
                }
                while (piece <= kPieceCount)
                    pieceStart[at(piece++)] = static_cast<std::uint8_t>(candidates.size() - start);
            }
        }
    }
};

const CandidateLists& candidateLists()
{
    static const CandidateLists lists;
    return lists;
}

constexpr BoardBits cellsInRows(int from, int to)
{
    BoardBits bits = 0;
    for (int c = 0; c < kBoardColumns; ++c)
        for (int r = from; r <= to; ++r)
            bits |= boardBit(c, r);
    return bits;
}

// Empty cells that can never be filled: one with no empty neighbour, or two
// side by side with no other empty neighbour. Up and down are one bit apart
// within a column, left and right six bits.
constexpr bool hasDeadCells(BoardBits filled)
{
    constexpr BoardBits belowTopRow = cellsInRows(1, kBoardRows - 1);
    constexpr BoardBits aboveBottomRow = cellsInRows(0, kBoardRows - 2);
    const BoardBits empty = ~filled & kWholeBoard;
    const BoardBits up = (empty << 1) & belowTopRow;  // the cell above is empty
    const BoardBits down = (empty >> 1) & aboveBottomRow;
    const BoardBits left = empty << kBoardRows;
    const BoardBits right = empty >> kBoardRows;
    const BoardBits one = up | down | left | right;
    const BoardBits two = (up & (down | left | right)) | (down & (left | right)) | (left & right);
    const BoardBits ends = empty & one & ~two;  // exactly one empty neighbour
    const BoardBits pairs = (ends & (ends >> 1) & aboveBottomRow) | (ends & (ends >> kBoardRows));
    return ((empty & ~one) | pairs) != 0;
}

// States already searched, with the tilings found below each. The cells
// filled and the pieces left decide all that follows, and the search meets
// many a state more than once, reached by other pieces filling the same
// cells. A state takes its slot from whatever was there: the table forgets,
// it never errs. Each slot is one word, read and written whole, so threads
// searching at once share the table.
//
// A state fits in a word with room for its count. Every cell before the
// lowest empty one is filled; the search lays each piece with its lowest cell
// there, so it reaches at most 24 cells further on, and past a window of 30
// cells the board is empty. The X, laid first wherever it goes, may lie
// further out early on: such a state is simply not remembered.
class SearchedStates {
public:
    // A key holds the lowest empty cell, the cells filled in the window after it,
    // and the pieces left; the count of tilings takes the bits above.
    static constexpr int kCellBits = 6;
    static constexpr int kWindow = 30;
    static constexpr std::uint64_t kNoKey = 0;  // no state has no pieces left

    SearchedStates() : slots_(std::size_t{1} << kSlotBits) {}

    // The state's key, kNoKey if it cannot be remembered. `lowest` is its lowest empty cell.
    std::uint64_t key(BoardBits filled, int lowest, unsigned free) const
    {
        const BoardBits after = filled >> (lowest + 1);
        // The bits past the board, always set in `filled`, do not count as filled cells.
        if (((filled & kWholeBoard) >> (lowest + 1)) >> kWindow != 0)
            return kNoKey;
        return static_cast<std::uint64_t>(lowest) | (after & ((BoardBits{1} << kWindow) - 1)) << kCellBits |
               std::uint64_t{free} << (kCellBits + kWindow);
    }

    // The tilings found below the state with this key, or -1 if it is not in the table.
    std::int64_t tilings(std::uint64_t key) const
    {
        const std::uint64_t entry = slots_[slotOf(key)].load(std::memory_order_relaxed);
        return (entry & kKeyBits) == key ? static_cast<std::int64_t>(entry >> kCountShift) : -1;
    }

    void remember(std::uint64_t key, std::uint64_t tilings)
    {
        if (tilings < (std::uint64_t{1} << (64 - kCountShift)))
            slots_[slotOf(key)].store(key | tilings << kCountShift, std::memory_order_relaxed);
    }

private:
    // The search of the empty board meets states by the hundred thousand.
    static constexpr int kSlotBits = 17;
    static constexpr int kCountShift = kCellBits + kWindow + kPieceCount;
    static constexpr std::uint64_t kKeyBits = (std::uint64_t{1} << kCountShift) - 1;

    std::size_t slotOf(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits));
    }

    std::vector<std::atomic<std::uint64_t>> slots_;
};

// Near the end of the search a state costs less to search again than to look up.
constexpr int kRememberFrom = 3;  // pieces left

constexpr unsigned kAllPieces = (1u << kPieceCount) - 1;

// The placements of the pieces laid so far, by piece.
using Chosen = std::array<const Placement*, kPieceCount>;

// The candidates that can cover the lowest empty cell: free pieces that miss
// every filled cell and leave no dead cells, in the order of their list.
class Fits {
public:
    Fits(const CandidateLists& t, BoardBits filled, unsigned free) : t_(t)
    {
        const int lowest = std::countr_zero(~filled);
        const unsigned next = static_cast<unsigned>(filled >> (lowest + 1)) & (CandidateLists::kNextStates - 1);
        const std::size_t list = at(lowest) * CandidateLists::kNextStates + next;
        first_ = t.first[list];
        const BoardBits* candidates = &t.candidates[first_];
        const auto& offset = t.offset[list];
        // Sifted without branches: whether a candidate fits is a coin toss
        // the processor cannot predict.
        const BoardBits inside = filled & kWholeBoard;
        for (unsigned rest = free & t.present[list]; rest != 0; rest &= rest - 1) {
            const int p = std::countr_zero(rest);
            for (std::uint32_t i = offset[at(p)]; i < offset[at(p) + 1]; ++i) {
                fit_[n_] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(p)};
                const BoardBits c = candidates[i];
                n_ += static_cast<std::size_t>(((c & inside) == 0) & !hasDeadCells(inside | c));
            }
        }
    }

    std::size_t size() const { return n_; }
    int piece(std::size_t k) const { return fit_[k].piece; }
    BoardBits cells(std::size_t k) const { return t_.candidates[first_ + fit_[k].candidate]; }
    const Placement& placement(std::size_t k) const
    {
        return t_.placements[fit_[k].piece][t_.placement[first_ + fit_[k].candidate]];
    }

private:
    struct Fit {
        std::uint8_t candidate;  // from the start of the list
        std::uint8_t piece;
    };
    const CandidateLists& t_;
    std::uint32_t first_ = 0;
    std::size_t n_ = 0;
    std::array<Fit, kMaxCandidates> fit_;  // only the first n_ are ever read
};

// A state of the search: the cells filled, with the bits past the board
// always set, the pieces still free, and where the others lie.
struct Partial {
    BoardBits filled = ~kWholeBoard;
    unsigned free = kAllPieces;
    Chosen chosen{};

    Partial with(const Placement& placement) const
    {
        Partial next = *this;
        next.filled |= placement.cells;
        next.free &= ~(1u << placement.piece);
        next.chosen[at(placement.piece)] = &placement;
        return next;
    }
};

// Fills the lowest empty cell first, with each free piece in turn, and keeps
// every tiling it finds. A state it has seen before is skipped when it held
// no tiling; what it has seen holds for any state, so one search may run from
// many.
class Search {
public:
    Search(const CandidateLists& lists, SearchedStates& seen) : t_(lists), seen_(seen) {}

    // Adds the tilings below `from` to `found`, in the order the search meets them.
    void run(const Partial& from, std::vector<Chosen>& found)
    {
        chosen_ = from.chosen;
        found_ = &found;
        run(from.filled, from.free, std::popcount(from.free));
    }

private:
    void run(BoardBits filled, unsigned free, int left)
    {
        if (free == 0) {
            found_->push_back(chosen_);
            return;
        }
        const int lowest = std::countr_zero(~filled);
        const std::uint64_t key = left >= kRememberFrom ? seen_.key(filled, lowest, free) : SearchedStates::kNoKey;
        if (key != SearchedStates::kNoKey && seen_.tilings(key) == 0)
            return;
        const std::size_t before = found_->size();
        const Fits fits(t_, filled, free);
        for (std::size_t k = 0; k < fits.size(); ++k) {
            const int p = fits.piece(k);
            chosen_[at(p)] = &fits.placement(k);
            run(filled | fits.cells(k), free & ~(1u << p), left - 1);
        }
        if (key != SearchedStates::kNoKey)
            seen_.remember(key, found_->size() - before);
    }

    const CandidateLists& t_;
    SearchedStates& seen_;
    Chosen chosen_{};
    std::vector<Chosen>* found_ = nullptr;
};

Tiling tilingOf(const Chosen& chosen)
{
    Tiling tiling;
    for (std::size_t p = 0; p < tiling.size(); ++p)
        tiling[p] = *chosen[p];
    return tiling;
}

// The X first: it has the fewest places of all the pieces, and each of them
// walls in cells early. The X's centre is its square 0 in every orientation.
// The states with the X in each place in the top-left quarter that leaves no
// dead cells.
std::vector<Partial> xInTopLeftQuarter()
{
    std::vector<Partial> states;
    for (const Placement& x : placements(kX))
        if (x.column < kBoardColumns / 2 && x.row < kBoardRows / 2 && !hasDeadCells(~kWholeBoard | x.cells))
            states.push_back(Partial{}.with(x));
    return states;
}

// The states the search meets `levels` placements below `from`, in the order
// it meets them.
void split(const CandidateLists& t, const Partial& from, int levels, std::vector<Partial>& states)
{
    if (levels == 0 || from.free == 0) {
        states.push_back(from);
        return;
    }
    const Fits fits(t, from.filled, from.free);
    for (std::size_t k = 0; k < fits.size(); ++k)
        split(t, from.with(fits.placement(k)), levels - 1, states);
}

// Deep enough below the X that the states come by the thousand: every thread
// then has work until the search is nearly done.
constexpr int kSplitLevels = 2;

// The tilings below each of the states, searched by several threads. The
// visitor sees them on the calling thread, in the order one search through the
// states in turn would find them, while the threads search on; when it says
// stop, or throws, the threads start no new state.
void searchInParallel(const std::vector<Partial>& states, const TilingVisitor& visit)
{
    struct Share {
        std::vector<Chosen> tilings;
        std::exception_ptr failure;
        bool done = false;  // under `finished`
    };
    std::vector<Share> shares(states.size());
    // A plain mutex and condition, not an atomic's wait: the C++ runtime the
    // Windows build links can miss an atomic's wake-up where the system has
    // no futex, and leave the visitor waiting for ever.
    std::mutex finished;
    std::condition_variable oneDone;
    SearchedStates seen;
    std::atomic<std::size_t> next{0};
    const auto work = [&](const std::stop_token& stop) {
        Search search(candidateLists(), seen);
        for (std::size_t i = 0; !stop.stop_requested() && (i = next++) < states.size();) {
            Share& share = shares[i];
            try {
                search.run(states[i], share.tilings);
            } catch (...) {
                share.failure = std::current_exception();
            }
            {
                const std::lock_guard lock(finished);
                share.done = true;
            }
            oneDone.notify_all();
        }
    };
    // However this function is left, every thread is asked to stop before the
    // first is joined, so none starts a state while another is waited for.
    struct Threads {
        std::vector<std::jthread> all;
        ~Threads()
        {
            for (std::jthread& t : all)
                t.request_stop();
        }
    } threads;
    // The whole search is a few tens of milliseconds on one core, cut into a
    // few thousand states that all share one table of searched states: more
    // than eight threads would mostly start, wait on the table and be joined.
    // hardware_concurrency() says 0 when it cannot tell.
    const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    for (unsigned c = 0; c < count; ++c)
        threads.all.emplace_back(work);
    for (Share& share : shares) {
        {
            std::unique_lock lock(finished);
            oneDone.wait(lock, [&] { return share.done; });
        }
        if (share.failure)
            std::rethrow_exception(share.failure);
        for (const Chosen& chosen : share.tilings)
            if (!visit(tilingOf(chosen)))
                return;
    }
}

} // namespace

void solveEmptyBoard(const TilingVisitor& visit)
{
    std::vector<Partial> states;
    for (const Partial& x : xInTopLeftQuarter())
        split(candidateLists(), x, kSplitLevels, states);
    searchInParallel(states, visit);
}

} // namespace morvane
