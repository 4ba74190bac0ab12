#include "solve/solver.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <exception>
#include <iterator>
#include <optional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace morvane {

namespace {

constexpr std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

constexpr int kX = 1;
// No more than one placement of each orientation has a given lowest cell.
constexpr std::size_t kMaxCandidates = 64;

// The squares of a shape as a sorted list of offsets from its top-left corner,
// so two orientations compare equal exactly when they cover the same squares.
std::array<Offset, kSquaresPerPiece> normalised(const PieceShape& shape)
{
    int left = shape[0].dx;
    int top = shape[0].dy;
    for (const Offset& o : shape) {
        left = std::min(left, o.dx);
        top = std::min(top, o.dy);
    }
    std::array<Offset, kSquaresPerPiece> squares{};
    for (std::size_t k = 0; k < squares.size(); ++k)
        squares[k] = {shape[k].dx - left, shape[k].dy - top};
    std::sort(squares.begin(), squares.end(),
              [](Offset a, Offset b) { return a.dy != b.dy ? a.dy < b.dy : a.dx < b.dx; });
    return squares;
}

// Each piece's orientations and every way it lies on the board: all that
// reading a position and completing it from the list of tilings need.
struct PieceTables {
    std::array<std::vector<PieceShape>, kPieceCount> orientations;
    std::array<std::vector<Placement>, kPieceCount> placements;

    PieceTables()
    {
        for (int p = 0; p < kPieceCount; ++p)
            buildPiece(p);
    }

    // Mirrors come after the four turns, so each orientation is reached with
    // as few of the game's right-button presses as the shape allows.
    void buildPiece(int p)
    {
        std::vector<PieceShape>& kept = orientations[at(p)];
        std::vector<std::array<Offset, kSquaresPerPiece>> seen;
        PieceShape shape = kStartingShapes[at(p)];
        for (int mirror = 0; mirror < 2; ++mirror) {
            for (int turn = 0; turn < 4; ++turn) {
                const auto squares = normalised(shape);
                if (std::find(seen.begin(), seen.end(), squares) == seen.end()) {
                    seen.push_back(squares);
                    kept.push_back(shape);
                }
                shape = reoriented(shape, Reorientation::QuarterTurn);
            }
            shape = reoriented(shape, Reorientation::MirrorLeftToRight);
        }
        for (int o = 0; o < static_cast<int>(kept.size()); ++o) {
            for (int column = 0; column < kBoardColumns; ++column) {
                for (int row = 0; row < kBoardRows; ++row) {
                    BoardBits bits = 0;
                    for (const Offset& d : kept[at(o)]) {
                        const int c = column + d.dx;
                        const int r = row + d.dy;
                        if (c < 0 || c >= kBoardColumns || r < 0 || r >= kBoardRows) {
                            bits = 0;
                            break;
                        }
                        bits |= cellBit(c, r);
                    }
                    if (bits != 0)
                        placements[at(p)].push_back({p, o, column, row, bits});
                }
            }
        }
    }
};

const PieceTables& pieceTables()
{
    static const PieceTables t;
    return t;
}

// The search's own tables, built only where a search runs.
struct Tables {
    const std::array<std::vector<Placement>, kPieceCount>& placements = pieceTables().placements;

    // The search's own lists. All cells before the lowest empty cell c are
    // filled, so a piece that covers c has c as its lowest cell; the list for
    // c and the state of the kNextCells cells after it holds the placements
    // with lowest cell c that miss those of the next cells that are filled,
    // sorted by piece: piece p's are [offset[l][p], offset[l][p + 1]) from
    // first[l] in list l.
    static constexpr int kNextCells = 6;
    static constexpr unsigned kNextStates = 1u << kNextCells;
    static constexpr std::size_t kLists = std::size_t{kBoardCells} * kNextStates;
    static constexpr std::size_t kCandidateRoom = std::size_t{1} << 16;
    std::vector<BoardBits> candidates;
    std::vector<std::uint16_t> placement;  // of each candidate, among its piece's placements
    std::vector<std::uint32_t> first;
    std::vector<std::array<std::uint8_t, kPieceCount + 1>> offset;
    std::vector<std::uint16_t> present;  // the pieces with a candidate in the list, as bits

    Tables()
    {
        std::array<std::vector<const Placement*>, kBoardCells> byLowestCell;
        for (int p = 0; p < kPieceCount; ++p) {
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

const Tables& tables()
{
    static const Tables t;
    return t;
}

constexpr BoardBits cellsInRows(int from, int to)
{
    BoardBits bits = 0;
    for (int c = 0; c < kBoardColumns; ++c)
        for (int r = from; r <= to; ++r)
            bits |= cellBit(c, r);
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
// there, so it reaches at most 24 cells further on; past a window of 30 cells
// the board holds just the cells the table was told are fixed (the pieces a
// position had on the board). The X, laid first wherever it goes, may lie
// further out early on: such a state is simply not remembered.
class SearchedStates {
public:
    // A key holds the lowest empty cell, the cells in the window after it,
    // and the pieces left; the count of tilings takes the bits above.
    static constexpr int kCellBits = 6;
    static constexpr int kWindow = 30;
    static constexpr std::uint64_t kNoKey = 0;  // no state has no pieces left

    // Room for 2^slotBits states.
    SearchedStates(int slotBits, BoardBits fixed)
        : shift_(64 - slotBits), fixed_(fixed | ~kWholeBoard), table_(std::size_t{1} << slotBits)
    {
    }

    // The state's key, kNoKey if it cannot be remembered. `cell` is its lowest empty cell.
    std::uint64_t key(BoardBits filled, int cell, unsigned free) const
    {
        const BoardBits after = filled >> (cell + 1);
        if (((fixed_ >> (cell + 1)) ^ after) >> kWindow != 0)
            return kNoKey;
        return static_cast<std::uint64_t>(cell) | (after & ((BoardBits{1} << kWindow) - 1)) << kCellBits |
               std::uint64_t{free} << (kCellBits + kWindow);
    }

    // The tilings found below the state with this key, or -1 if it is not in the table.
    std::int64_t tilings(std::uint64_t key) const
    {
        const std::uint64_t entry = table_[slotOf(key)].load(std::memory_order_relaxed);
        return (entry & kKeyBits) == key ? static_cast<std::int64_t>(entry >> kCountShift) : -1;
    }

    void remember(std::uint64_t key, std::uint64_t tilings)
    {
        if (tilings < (std::uint64_t{1} << (64 - kCountShift)))
            table_[slotOf(key)].store(key | tilings << kCountShift, std::memory_order_relaxed);
    }

private:
    static constexpr int kCountShift = kCellBits + kWindow + kPieceCount;
    static constexpr std::uint64_t kKeyBits = (std::uint64_t{1} << kCountShift) - 1;

    std::size_t slotOf(std::uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    int shift_;
    BoardBits fixed_;
    std::vector<std::atomic<std::uint64_t>> table_;
};

// Ten or more pieces left meet states by the hundred thousand; fewer end long
// before a big table would pay for clearing it.
constexpr int slotBitsFor(unsigned free)
{
    return std::popcount(free) >= 10 ? 17 : 12;
}

// Near the end of the search a state costs less to search again than to look up.
constexpr int kRememberFrom = 3;  // pieces left

constexpr unsigned kAllPieces = (1u << kPieceCount) - 1;

// The placements of the pieces laid so far, by piece.
using Chosen = std::array<const Placement*, kPieceCount>;

// The candidates that can cover the lowest empty cell: free pieces that miss
// every filled cell and leave no dead cells, in the order of their list.
class Fits {
public:
    Fits(const Tables& t, BoardBits filled, unsigned free) : t_(t)
    {
        const int cell = std::countr_zero(~filled);
        const unsigned next = static_cast<unsigned>(filled >> (cell + 1)) & (Tables::kNextStates - 1);
        const std::size_t list = at(cell) * Tables::kNextStates + next;
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
    const Tables& t_;
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

Partial partialOf(const BoardReading& reading)
{
    Partial from;
    for (const auto& placed : reading.placed)
        if (placed)
            from = from.with(*placed);
    return from;
}

// Fills the lowest empty cell first, with each free piece in turn. A search
// that only counts skips every state it has seen before, adding what it found
// there; one that visits each tiling skips only those that held none. What
// it has seen holds for any state, so one search may run from many.
template <bool kCountOnly, typename Visit>
class Search {
public:
    Search(const Tables& tables, Visit& visit, SearchedStates& seen) : t_(tables), visit_(visit), seen_(seen) {}

    void run(const Partial& from)
    {
        chosen_ = from.chosen;
        run(from.filled, from.free, std::popcount(from.free));
    }

    bool stopped() const { return stopped_; }
    std::uint64_t found() const { return found_; }

private:
    void run(BoardBits filled, unsigned free, int left)
    {
        if (free == 0) {
            ++found_;
            if constexpr (!kCountOnly)
                stopped_ = !visit_(chosen_);
            return;
        }
        const int cell = std::countr_zero(~filled);
        const std::uint64_t key = left >= kRememberFrom ? seen_.key(filled, cell, free) : SearchedStates::kNoKey;
        if (key != SearchedStates::kNoKey) {
            const std::int64_t tilings = seen_.tilings(key);
            if (kCountOnly ? tilings >= 0 : tilings == 0) {
                found_ += static_cast<std::uint64_t>(tilings);
                return;
            }
        }
        const std::uint64_t before = found_;
        const Fits fits(t_, filled, free);
        for (std::size_t k = 0; k < fits.size(); ++k) {
            const int p = fits.piece(k);
            chosen_[at(p)] = &fits.placement(k);
            run(filled | fits.cells(k), free & ~(1u << p), left - 1);
            if (stopped_)
                return;
        }
        if (key != SearchedStates::kNoKey)
            seen_.remember(key, found_ - before);
    }

    const Tables& t_;
    Visit& visit_;
    Chosen chosen_{};
    SearchedStates& seen_;
    std::uint64_t found_ = 0;
    bool stopped_ = false;
};

Tiling tilingOf(const Chosen& chosen)
{
    Tiling tiling;
    for (std::size_t p = 0; p < tiling.size(); ++p)
        tiling[p] = *chosen[p];
    return tiling;
}

// The X first: it has the fewest places of all the pieces, and each of them
// walls in cells early. The states with the X in each place that `where`
// allows and that leaves no dead cells; just `from` when the X is laid.
template <typename Where>
std::vector<Partial> xFirst(const Partial& from, Where where)
{
    if ((from.free & (1u << kX)) == 0)
        return {from};
    std::vector<Partial> states;
    for (const Placement& x : pieceTables().placements[kX])
        if ((x.cells & from.filled) == 0 && !hasDeadCells(from.filled | x.cells) && where(x))
            states.push_back(from.with(x));
    return states;
}

template <bool kCountOnly, typename Visit>
std::uint64_t solveWith(const BoardReading& reading, Visit visit)
{
    SearchedStates seen(slotBitsFor(reading.freePieces()), reading.covered());
    Search<kCountOnly, Visit> search(tables(), visit, seen);
    for (const Partial& start : xFirst(partialOf(reading), [](const Placement&) { return true; })) {
        search.run(start);
        if (search.stopped())
            break;
    }
    return search.found();
}

// The states the search meets `levels` placements below `from`, in the order
// it meets them.
void split(const Tables& t, const Partial& from, int levels, std::vector<Partial>& states)
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

// The tilings below each of the states, searched by as many threads as the
// machine has cores. The visitor sees them on the calling thread, in the
// order one search through the states in turn would find them, while the
// threads search on; when it says stop, the threads start nothing more.
void searchInParallel(const std::vector<Partial>& states, const TilingVisitor& visit)
{
    struct Share {
        std::vector<Chosen> tilings;
        std::exception_ptr failure;
        std::atomic<bool> done{false};
    };
    std::vector<Share> shares(states.size());
    SearchedStates seen(slotBitsFor(kAllPieces), 0);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    const auto work = [&] {
        std::vector<Chosen>* out = nullptr;
        auto keep = [&out](const Chosen& chosen) {
            out->push_back(chosen);
            return true;
        };
        Search<false, decltype(keep)> search(tables(), keep, seen);
        for (std::size_t i = 0; !stop && (i = next++) < states.size();) {
            Share& share = shares[i];
            try {
                out = &share.tilings;
                search.run(states[i]);
            } catch (...) {
                share.failure = std::current_exception();
            }
            share.done = true;
            share.done.notify_one();
        }
    };
    std::vector<std::jthread> threads;
    // Undone before the threads are joined, however this function is left.
    struct StopOnExit {
        std::atomic<bool>& stop;
        ~StopOnExit() { stop = true; }
    } stopOnExit{stop};
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    for (unsigned c = 0; c < cores; ++c)
        threads.emplace_back(work);
    for (Share& share : shares) {
        share.done.wait(false);
        if (share.failure)
            std::rethrow_exception(share.failure);
        for (const Chosen& chosen : share.tilings)
            if (!visit(tilingOf(chosen)))
                return;
    }
}

// The X's centre is its square 0 in every orientation.
bool centreInTopLeftQuarter(const Placement& x)
{
    return x.column < kBoardColumns / 2 && x.row < kBoardRows / 2;
}

// Exactly on the board's lattice, inside the board. Both differences are exact
// in double precision, and so is fmod, so a square a hair off a cell is off.
std::optional<int> cellOnBoard(float left, float top)
{
    const double x = static_cast<double>(left) - kBoardLeft;
    const double y = static_cast<double>(top) - kBoardTop;
    if (x < 0 || x >= kBoardColumns * kSquareTwips || y < 0 || y >= kBoardRows * kSquareTwips ||
        std::fmod(x, kSquareTwips) != 0 || std::fmod(y, kSquareTwips) != 0)
        return std::nullopt;
    return cellIndex(static_cast<int>(x) / kSquareTwips, static_cast<int>(y) / kSquareTwips);
}

// Every tiling of the empty board up to its symmetries, as the search finds
// them, kept with the program: a completion of any position is one of these
// or an image of one, so counting and completing need no search at all.
constexpr std::string_view kEmptyBoardTilings[] = {
#include "solve/emptyboard-tilings.inc"
};

constexpr std::array<std::uint8_t, 128> pieceOfLetterTable()
{
    std::array<std::uint8_t, 128> piece{};
    for (std::size_t p = 0; p < kPieceLetters.size(); ++p)
        piece[static_cast<unsigned char>(kPieceLetters[p])] = static_cast<std::uint8_t>(p);
    return piece;
}

constexpr std::array<std::uint8_t, 128> kPieceOfLetter = pieceOfLetterTable();

// A line of the list: six rows of ten piece letters, the rows split by "/".
TilingCells cellsOfLine(std::string_view line)
{
    TilingCells cells{};
    for (int row = 0; row < kBoardRows; ++row) {
        for (int column = 0; column < kBoardColumns; ++column) {
            const auto letter = static_cast<unsigned char>(line[at(row * (kBoardColumns + 1) + column)]);
            cells[kPieceOfLetter[letter & 0x7f]] |= cellBit(column, row);
        }
    }
    return cells;
}

// Read once, on first use: a table lookup a letter, some 140,000 of them.
const std::vector<TilingCells>& knownTilings()
{
    static const std::vector<TilingCells> all = [] {
        std::vector<TilingCells> cells;
        cells.reserve(std::size(kEmptyBoardTilings));
        for (const std::string_view line : kEmptyBoardTilings)
            cells.push_back(cellsOfLine(line));
        return cells;
    }();
    return all;
}

// Each tiling of the board, images included, that holds every piece the
// reading has on the board where it lies, until the visitor says stop.
template <typename Visit>
void forEachKnownCompletion(const BoardReading& reading, Visit visit)
{
    std::array<std::pair<std::size_t, BoardBits>, kPieceCount> placed{};
    std::size_t count = 0;
    for (int p = 0; p < kPieceCount; ++p)
        if (reading.placed[at(p)])
            placed[count++] = {at(p), reading.placed[at(p)]->cells};
    for (const TilingCells& tiling : knownTilings()) {
        for (int symmetry = 0; symmetry < kBoardSymmetries; ++symmetry) {
            const auto holds = [&](const std::pair<std::size_t, BoardBits>& piece) {
                return imageOf(tiling[piece.first], symmetry) == piece.second;
            };
            if (!std::all_of(placed.begin(), placed.begin() + static_cast<std::ptrdiff_t>(count), holds))
                continue;
            if (!visit(imageOf(tiling, symmetry)))
                return;
        }
    }
}

} // namespace

std::span<const PieceShape> orientations(int piece)
{
    return pieceTables().orientations.at(at(piece));
}

std::span<const Placement> placements(int piece)
{
    return pieceTables().placements.at(at(piece));
}

std::optional<Placement> placementCovering(int piece, BoardBits cells)
{
    for (const Placement& p : placements(piece))
        if (p.cells == cells)
            return p;
    return std::nullopt;
}

SquarePosition squarePosition(const Placement& placement, int square)
{
    const Offset d = orientations(placement.piece)[at(placement.orientation)][at(square)];
    return {static_cast<float>(kBoardLeft + kSquareTwips * (placement.column + d.dx)),
            static_cast<float>(kBoardTop + kSquareTwips * (placement.row + d.dy))};
}

BoardBits BoardReading::covered() const
{
    BoardBits bits = 0;
    for (const auto& p : placed)
        if (p)
            bits |= p->cells;
    return bits;
}

std::uint16_t BoardReading::freePieces() const
{
    std::uint16_t free = 0;
    for (int p = 0; p < kPieceCount; ++p)
        if (!placed[at(p)])
            free = static_cast<std::uint16_t>(free | (1u << p));
    return free;
}

BoardReading readBoard(const Positions& cell)
{
    BoardReading reading;
    for (int p = 0; p < kPieceCount; ++p) {
        BoardBits bits = 0;
        for (int k = 0; k < kSquaresPerPiece; ++k) {
            const SquarePosition s = cell[at(firstSquareOf(p) + k)];
            const auto c = cellOnBoard(s.left, s.top);
            if (!c)
                break;
            bits |= BoardBits{1} << *c;
        }
        if (std::popcount(bits) == kSquaresPerPiece)
            reading.placed[at(p)] = placementCovering(p, bits);
    }
    // Pieces that share a cell make the position ambiguous there: none of them counts.
    std::array<bool, kPieceCount> clash{};
    for (std::size_t a = 0; a < clash.size(); ++a)
        for (std::size_t b = a + 1; b < clash.size(); ++b)
            if (reading.placed[a] && reading.placed[b] && (reading.placed[a]->cells & reading.placed[b]->cells) != 0)
                clash[a] = clash[b] = true;
    for (std::size_t p = 0; p < clash.size(); ++p)
        if (clash[p])
            reading.placed[p].reset();
    return reading;
}

void solve(const BoardReading& reading, const TilingVisitor& visit)
{
    solveWith<false>(reading, [&](const Chosen& chosen) { return visit(tilingOf(chosen)); });
}

std::uint64_t searchCompletions(const BoardReading& reading)
{
    return solveWith<true>(reading, [](const Chosen&) { return true; });
}

std::uint64_t countCompletions(const BoardReading& reading)
{
    std::uint64_t count = 0;
    forEachKnownCompletion(reading, [&](const TilingCells&) {
        ++count;
        return true;
    });
    return count;
}

std::optional<Tiling> firstCompletion(const BoardReading& reading)
{
    std::optional<Tiling> found;
    forEachKnownCompletion(reading, [&](const TilingCells& cells) {
        Tiling tiling;
        for (int p = 0; p < kPieceCount; ++p)
            tiling[at(p)] = *placementCovering(p, cells[at(p)]);
        found = tiling;
        return false;
    });
    return found;
}

void solveEmptyBoard(const TilingVisitor& visit)
{
    std::vector<Partial> states;
    for (const Partial& x : xFirst(Partial{}, centreInTopLeftQuarter))
        split(tables(), x, kSplitLevels, states);
    searchInParallel(states, visit);
}

TilingCells cellsOf(const Tiling& tiling)
{
    TilingCells cells{};
    for (std::size_t p = 0; p < cells.size(); ++p)
        cells[p] = tiling[p].cells;
    return cells;
}

BoardBits imageOf(BoardBits cells, int symmetry)
{
    const bool mirrorColumns = symmetry == 1 || symmetry == 2;
    const bool mirrorRows = symmetry == 1 || symmetry == 3;
    BoardBits image = 0;
    for (; cells != 0; cells &= cells - 1) {
        const int i = std::countr_zero(cells);
        const int column = i / kBoardRows;
        const int row = i % kBoardRows;
        image |= cellBit(mirrorColumns ? kBoardColumns - 1 - column : column, mirrorRows ? kBoardRows - 1 - row : row);
    }
    return image;
}

TilingCells imageOf(const TilingCells& cells, int symmetry)
{
    TilingCells image{};
    for (std::size_t p = 0; p < cells.size(); ++p)
        image[p] = imageOf(cells[p], symmetry);
    return image;
}

Positions completedPositions(const Positions& cell, const BoardReading& reading, const Tiling& tiling)
{
    Positions result = cell;
    for (int p = 0; p < kPieceCount; ++p) {
        if (reading.placed[at(p)])
            continue;
        for (int k = 0; k < kSquaresPerPiece; ++k)
            result[at(firstSquareOf(p) + k)] = squarePosition(tiling[at(p)], k);
    }
    return result;
}

} // namespace morvane
