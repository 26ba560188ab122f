// Searches over positions, never entering a position twice (columns in any order count as
// the same position): narrow depth-first passes and beams that only look for a win, and the
// full depth-first pass that can also prove there is none.
#include "solver/solver.h"

#include <time.h>

#include <algorithm>
#include <bit>
#include <span>
#include <type_traits>
#include <unordered_map>

#include "solver/table_memory.h"

namespace tess::solver {

namespace {

// Fingerprints of the positions seen, in an open-addressed table that doubles while it
// fits the memory budget. The full search keeps whole fingerprints: it proves deals lost, so
// two positions must never pass for one. A beam proves nothing and keeps half of each
// (std::uint64_t), which halves the memory its lookups wait for.
template <class Entry>
class SeenTable {
    static_assert(std::is_trivially_copyable_v<Entry>, "slots start as zero bytes: the empty Entry{}");

public:
    enum class Result { Added, Present, Full };

    // Room for `firstSlots` fingerprints (a power of two) to start with: a pass that knows
    // roughly how many positions it will see starts that large, since each doubling on the
    // way moves every fingerprint again, into memory fresh from the system.
    explicit SeenTable(std::size_t maxBytes, std::size_t firstSlots = 1 << 12)
        : maxSlots_(std::max<std::size_t>(maxBytes / sizeof(Entry), 1024)) {
        while (firstSlots > maxSlots_) firstSlots /= 2;
        Allocate(firstSlots, false);
    }

    Result Insert(Entry key) {
        if (key == Entry{}) key = Entry{1};  // the empty slot's value
        if (2 * (used_ + 1) > size_) {
            if (2 * size_ <= maxSlots_) Grow();
            else if (10 * (used_ + 1) > 9 * size_) return Result::Full;
        }
        const std::size_t mask = size_ - 1;
        for (std::size_t i = Home(key) & mask;; i = (i + 1) & mask) {
            if (slots_[i] == key) return Result::Present;
            if (slots_[i] == Entry{}) {
                slots_[i] = key;
                ++used_;
                return Result::Added;
            }
        }
    }

    std::size_t size() const { return used_; }
    // Asks for the key's slot ahead of Insert, so that several lookups wait for memory at once.
    void Prefetch(const Entry& key) const { __builtin_prefetch(&slots_[Home(key) & (size_ - 1)]); }

private:
    static std::size_t Home(const Key& key) { return key.hi; }
    static std::size_t Home(std::uint64_t key) { return key; }

    // A table that had to grow is filling up.
    void Allocate(std::size_t slots, bool filling) {
        memory_ = TableMemory(slots * sizeof(Entry), filling);
        slots_ = static_cast<Entry*>(memory_.data());
        size_ = slots;
    }

    void Grow() {
        const TableMemory old = std::move(memory_);
        const Entry* const oldSlots = slots_;
        const std::size_t oldSize = size_;
        Allocate(2 * size_, true);
        const std::size_t mask = size_ - 1;
        for (const Entry& key : std::span(oldSlots, oldSize)) {
            if (key == Entry{}) continue;
            std::size_t i = Home(key) & mask;
            while (slots_[i] != Entry{}) i = (i + 1) & mask;
            slots_[i] = key;
        }
    }

    TableMemory memory_;
    Entry* slots_ = nullptr;
    std::size_t size_ = 0;
    std::size_t used_ = 0;
    std::size_t maxSlots_;
};

// Higher first: moves that clear the cards out of order, then the ones that spend least.
// Where a card goes counts only for an empty column: the cards cleared from one column
// mostly have nowhere to go but other columns that still have cards to clear, and holding
// that against them lost about one deal in six that can be won.
int Score(const Position& p, const std::array<int, kColumns>& disorder, const Move& m) {
    int score = 0;
    if (IsColumn(m.from)) {
        const int cleared = std::min<int>(m.count, disorder[m.from]);
        score += 10 * cleared;
        if (cleared > 0 && cleared == disorder[m.from]) score += 20;
        if (m.count == p.Length(m.from)) score += 4;  // frees a column
    } else {
        score -= m.from == kHand ? 1 : 3;  // spends a hand card, or undoes a foundation
    }
    if (IsColumn(m.to)) {
        if (p.Length(m.to) == 0) score -= 8;
    } else {
        score += 2;
    }
    return score;
}

// 0..31, a preference of up to two points between moves, different for each salt and none
// for salt 0: it orders equal moves, and now and then close ones, otherwise.
int TieBreak(const Move& m, unsigned salt) {
    const auto h = static_cast<std::uint32_t>(m.card * 31 + m.to * 7 + m.from * 3 + m.count);
    return static_cast<int>((h * 2654435761u * salt) >> 27);
}

// A card sent home early when no line can need it in a column: its only use there is as a
// base for a card one rank lower, and every such card can go home itself as soon as it is
// free (all lower ranks of every suit are home, or it is an Ace). A card later taken back
// from a foundation could only serve such lower cards too. So some winning line, if any,
// plays it home at once, and the search makes that move alone.
bool NeverNeeded(const Position& p, int card) {
    int lowest = kRankCount;
    for (int suit = 0; suit < kSuitCount; ++suit) lowest = std::min(lowest, p.FoundationRank(suit) + 1);
    return Rank(card) <= lowest + 1;
}

bool IsSafeHome(const Position& p, const Move& m) {
    return IsFoundation(m.to) && !IsFoundation(m.from) && NeverNeeded(p, m.card);
}

// A card played from the hand onto a column or a foundation, or from a foundation onto a
// column, does nothing by itself for the win: it serves a later move that builds on it
// (one onto it, one from its foundation, a run that carries it along). The narrow search
// asks that such a move come next. That finds wins sooner, but it is not exhaustive (two
// such cards may wait for the same move), so only the full search can prove that a deal
// cannot be won.
bool AwaitsBuilding(const Position& p, const Move& last) {
    if (last.from == kHand) return IsFoundation(last.to) || p.Length(last.to) > 1;
    return IsFoundation(last.from) && p.Length(last.to) > 1;
}

bool BuildsOn(const Move& last, const Move& next) {
    return next.to == last.to || (next.from == last.to && next.count > 1) ||
           (IsFoundation(last.from) && next.from == last.from);
}


// Lazy moves: a card played from the hand onto a column or a foundation, or taken back from
// a foundation onto a card at the end of a column. Such a card does nothing by itself for the
// win (a card at the end of a column never makes it descending), and while it lies there it
// only blocks its places: the column end it went to, and for a card taken back the foundation
// it left (the next card down there is bared by it). So in any winning line it can wait until
// just before the first move that touches one of its places (puts a card on it, moves it,
// alone or at the end of a run, or plays to or takes from that foundation): the moves in
// between touch other places, the empty columns do not change, and a win in between stays a
// win without it. Every winning line therefore has a form in which the lazy moves come in
// groups, each lazy move followed by the moves that use it, and the group closed by the one
// move that is not lazy, which uses every lazy card still waiting. The full search keeps to
// lines of that form, which keeps it exhaustive. Cards are taken in an order where a lazy move
// waits only while the others of its group are made (each place holds one chain, a taken-back
// card at most starts another along its foundation), so a handful of waiting cards is the
// most a group needs; kMaxWaiting is well above it. `p` is the position before the move.
bool IsLazy(const Position& p, const Move& m, bool prune) {
    if (!prune) return false;
    if (!IsColumn(m.to) || p.Length(m.to) == 0) return m.from == kHand;  // home, or an empty column
    return m.from == kHand || IsFoundation(m.from);
}

// The places (column ends and foundations) of the lazy cards waiting for a use.
struct Waiting {
    static constexpr int kMaxWaiting = 8;
    std::array<std::int8_t, kMaxWaiting> place{};
    std::array<std::int8_t, kMaxWaiting> other{};  // the foundation a card was taken from, or -1
    std::array<std::int8_t, kMaxWaiting> card{};
    int size = 0;

    // The waiting cards after `m` made from `p`, or false when the line would leave its form.
    bool After(const Position& p, const Move& m, bool prune, Waiting& next) const {
        next = Waiting{};
        const auto touches = [&](int where) { return where >= 0 && (where == m.from || where == m.to); };
        for (int i = 0; i < size; ++i) {
            if (touches(place[i]) || touches(other[i])) continue;  // used
            next.Add(place[i], other[i], card[i]);
        }
        if (!IsLazy(p, m, prune)) return next.size == 0;
        if (next.size == kMaxWaiting) return false;
        next.Add(m.to, IsFoundation(m.from) ? m.from : -1, m.card);
        return true;
    }

    void Add(int where, int from, int which) {
        place[size] = static_cast<std::int8_t>(where);
        other[size] = static_cast<std::int8_t>(from);
        card[size++] = static_cast<std::int8_t>(which);
    }

    // Mixed into the fingerprint: the same table with other cards waiting has other lines.
    std::uint64_t Salt() const {
        std::uint64_t salt = 0;
        for (int i = 0; i < size; ++i) salt += (static_cast<std::uint64_t>(card[i]) + 1) * 0x9e3779b97f4a7c15ULL;
        return salt;
    }
};

// The moves tried from one position of the path: moves[begin, end), the next one to try, and
// the lazy cards waiting there (a move's own are worked out when it is made, which keeps a
// deep path small).
struct Frame {
    std::size_t begin, end, next;
    Waiting waiting;
    bool forced = false;  // its one move is a safe one home, made outside any group
};

struct KeyHash {
    std::size_t operator()(const Key& key) const { return key.lo; }
};

// Shortens a winning line: from each position, jump to the latest later position of the
// line that one move reaches (the win itself among them). Positions are told by their
// fingerprints with the columns in order, since the rest of the line names its columns, and
// not kept, since a deep search can find a line of a million moves. Past `deadline` the rest
// of the line is kept as it is: shortening a line of thousands of moves takes tens of
// milliseconds.
void Shorten(const Position& start, std::vector<Move>& line, double deadline) {
    std::unordered_map<Key, std::size_t, KeyHash> index;
    Position p = start;
    index[p.Fingerprint(true)] = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i % 1024 == 1023 && ThreadMilliseconds() >= deadline) return;
        p.Apply(line[i]);
        index[p.Fingerprint(true)] = i + 1;
    }
    std::vector<Move> shorter, moves;
    p = start;
    for (std::size_t i = 0; i < line.size();) {
        if (ThreadMilliseconds() >= deadline) {  // p is the position after line[0, i)
            shorter.insert(shorter.end(), line.begin() + static_cast<std::ptrdiff_t>(i), line.end());
            break;
        }
        moves.clear();
        p.Generate(moves, false);
        std::size_t best = i + 1;
        Move bestMove = line[i];
        for (const Move& m : moves) {
            p.Apply(m);
            const bool won = p.Descending();
            const auto found = won ? index.end() : index.find(p.Fingerprint(true));
            p.Undo(m);
            if (won) {
                best = line.size();
                bestMove = m;
                break;
            }
            if (found != index.end() && found->second > best) {
                best = found->second;
                bestMove = m;
            }
        }
        shorter.push_back(bestMove);
        p.Apply(bestMove);
        i = best;
    }
    line = shorter;
}

}  // namespace

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

namespace {

// `salt` breaks ties between moves of equal promise differently for each pass. Running out
// of moves proves nothing in the narrow search.
Solution Search(const Position& start, double deadline, std::size_t memoryBytes, bool narrow, unsigned salt,
                bool prune = true) {
    Solution solution;
    Position p = start;
    SeenTable<Key> seen(memoryBytes);
    seen.Insert(p.Fingerprint());

    std::vector<Move> moves;  // the moves of every open frame, one frame after the other
    std::vector<Frame> frames;
    std::vector<int> scores;  // of the frame being ordered
    std::vector<Move>& path = solution.moves;
    const auto expand = [&](const Waiting& waiting) {
        const std::size_t begin = moves.size();
        p.Generate(moves, true);
        // Only between groups of lazy moves: a waiting card must be used first.
        if (prune && !narrow && waiting.size == 0) {
            for (std::size_t i = begin; i < moves.size(); ++i) {
                if (!IsSafeHome(p, moves[i])) continue;
                moves[begin] = moves[i];
                moves.resize(begin + 1);
                frames.push_back({begin, begin + 1, begin, Waiting{}, true});
                return;
            }
        }
        std::size_t kept = begin;
        Waiting after;
        for (std::size_t i = begin; i < moves.size(); ++i) {
            if (prune && IsFoundation(moves[i].from) && NeverNeeded(p, moves[i].card)) continue;
            if (narrow ? !path.empty() && AwaitsBuilding(p, path.back()) && !BuildsOn(path.back(), moves[i])
                       : !waiting.After(p, moves[i], prune, after))
                continue;
            moves[kept++] = moves[i];
        }
        moves.resize(kept);
        std::array<int, kColumns> disorder{};
        for (int c = 0; c < kColumns; ++c) disorder[c] = p.DisorderOf(c);
        scores.clear();
        for (std::size_t i = begin; i < moves.size(); ++i)
            scores.push_back(16 * Score(p, disorder, moves[i]) + TieBreak(moves[i], salt));
        for (std::size_t i = 1; i < scores.size(); ++i) {  // few moves: insertion sort
            const Move m = moves[begin + i];
            const int s = scores[i];
            std::size_t j = i;
            for (; j > 0 && scores[j - 1] < s; --j) {
                moves[begin + j] = moves[begin + j - 1];
                scores[j] = scores[j - 1];
            }
            moves[begin + j] = m;
            scores[j] = s;
        }
        frames.push_back({begin, moves.size(), begin, waiting});
    };

    // The path's frames count against the memory budget too: a deep pass can make a path of
    // a million moves.
    const auto pathBytes = [&] { return moves.capacity() * sizeof(Move) + frames.capacity() * sizeof(Frame); };
    expand(Waiting{});
    long steps = 0;
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.next == frame.end) {
            moves.resize(frame.begin);
            frames.pop_back();
            if (!path.empty()) {
                p.Undo(path.back());
                path.pop_back();
            }
            continue;
        }
        const Move m = moves[frame.next++];
        Waiting waiting;
        if (!frame.forced) frame.waiting.After(p, m, prune, waiting);
        p.Apply(m);
        path.push_back(m);
        // The win is checked after each move, as the game checks it.
        if (p.Descending()) {
            solution.verdict = Verdict::Winnable;
            solution.positions = static_cast<long>(seen.size());
            return solution;
        }
        // The same table, but other lines from it.
        const std::uint64_t mix = narrow ? (AwaitsBuilding(p, m) ? static_cast<std::uint64_t>(m.card + 1) * 0x9e3779b97f4a7c15ULL : 0)
                                          : waiting.Salt();
        Key key = p.Fingerprint();
        key.lo ^= mix;
        key.hi ^= mix * 0xc2b2ae3d27d4eb4fULL;
        const auto seenBefore = seen.Insert(key);
        if (seenBefore == SeenTable<Key>::Result::Present) {
            p.Undo(m);
            path.pop_back();
            continue;
        }
        if (seenBefore == SeenTable<Key>::Result::Full || pathBytes() > memoryBytes / 4 ||
            (++steps % 1024 == 0 && ThreadMilliseconds() >= deadline)) {
            path.clear();
            solution.positions = static_cast<long>(seen.size());
            return solution;
        }
        expand(waiting);
    }
    solution.verdict = narrow ? Verdict::Unknown : Verdict::NotWinnable;
    solution.positions = static_cast<long>(seen.size());
    return solution;
}

// How promising a position is for a beam, lower first: the cards that must still leave their
// columns above all, and the runs they fall into (each needs a place of its own), then empty
// columns (each lets runs twice as long move) and cards home.
int Promise(const Position::Preview& p) { return 10 * p.disorder + 5 * p.pieces - 15 * p.empty - 3 * p.home; }

// A beam: of all new positions one move beyond the current ones, it keeps the `width` most
// promising (with a share for each position they came from) and goes on from all of them at
// once. A depth-first pass can spend its time deep down one early mistake; a beam weighs its
// choices against each other at every depth, so narrow beams find many wins within tens of
// milliseconds, and the lines they find are short. Ties are broken by `salt`. Finding nothing
// proves nothing: the beam drops positions.
Solution Beam(const Position& start, double deadline, std::size_t memoryBytes, std::size_t width, unsigned salt) {
    // Wins lie well within this depth; past it a narrow beam only wanders.
    constexpr std::size_t kMaxDepth = 300;
    struct Step {
        int from;  // the position of the depth before
        Move move;
    };
    struct Candidate {
        std::uint64_t order;  // lower first: the promise, then a tie-break that `salt` sets
        Step step;
        bool spare;  // beyond its position's share
    };
    struct Child {
        Key key;
        int promise;
        Move move;
    };
    constexpr int kMaxChildren = 2;
    // Room in the table of positions seen for each place in the beam: each doubling on the
    // way moves every fingerprint again, and a fuller table takes longer to search. With
    // room for 2048 (16 KB), beams of width 10 to 100 took 4 % less time than with 1024,
    // 10 % less than with 512 and 13 % less than with 256; 4096 did no better.
    constexpr std::size_t kSlotsPerWidth = 2048;
    Solution solution;
    using Table = SeenTable<std::uint64_t>;
    Table seen(memoryBytes, std::bit_ceil(width * kSlotsPerWidth));
    seen.Insert(start.Fingerprint().hi);
    std::vector<Position> beam{start}, next;
    std::vector<std::vector<Step>> depths;  // how each position of each depth was reached
    std::vector<Candidate> candidates;
    std::vector<Child> children;  // of one position of the beam
    // The children of the position before, looked up only once this one's are previewed: the
    // lookups mostly miss the cache, and by then their table slots, fetched ahead, are there.
    std::vector<Child> waiting;
    int waitingFrom = 0;
    const auto better = [](const Candidate& a, const Candidate& b) { return a.order < b.order; };
    std::vector<Move> moves;
    const auto finish = [&] {
        solution.positions = static_cast<long>(seen.size());
        return solution;
    };
    const auto won = [&](int from, const Move& last) {
        solution.verdict = Verdict::Winnable;
        solution.moves = {last};
        for (std::size_t d = depths.size(); d-- > 0;) {
            const Step& step = depths[d][static_cast<std::size_t>(from)];
            solution.moves.push_back(step.move);
            from = step.from;
        }
        std::reverse(solution.moves.begin(), solution.moves.end());
        return finish();
    };
    // Looks the waiting children up; false when the table is full.
    const auto lookUp = [&] {
        const std::size_t first = candidates.size();
        for (const Child& child : waiting) {
            const Table::Result result = seen.Insert(child.key.hi);
            if (result == Table::Result::Full) return false;
            if (result == Table::Result::Added) {
                // The promise in the high bits (made positive), the tie-break below it.
                const auto promise = static_cast<std::uint64_t>(child.promise + (1 << 20)) << 40;
                const std::uint64_t tieBreak = (child.key.lo * (2 * salt + 1)) >> 24;
                candidates.push_back({promise | tieBreak, {waitingFrom, child.move}, true});
            }
        }
        // At most two children of one position, unless too few others remain to fill the
        // beam: a beam filled with the children of a few positions soon follows one line.
        const auto own = candidates.begin() + static_cast<std::ptrdiff_t>(first);
        for (int k = 0; k < kMaxChildren; ++k) {
            auto best = candidates.end();
            for (auto c = own; c != candidates.end(); ++c)
                if (c->spare && (best == candidates.end() || better(*c, *best))) best = c;
            if (best != candidates.end()) best->spare = false;
        }
        return true;
    };
    // Reading the thread's processor time is a system call that costs about as much as
    // previewing a position's moves, so the clock is read once every 64 positions.
    long expanded = 0;
    while (!beam.empty() && depths.size() < kMaxDepth) {
        candidates.clear();
        for (std::size_t i = 0; i < beam.size(); ++i) {
            if (expanded++ % 64 == 0 && ThreadMilliseconds() >= deadline) return finish();
            const Position& p = beam[i];
            moves.clear();
            p.Generate(moves, true);
            // A safe move home is the one move that needs trying (see NeverNeeded); the others
            // would only take the beam's room.
            const auto safe = std::find_if(moves.begin(), moves.end(), [&](const Move& m) { return IsSafeHome(p, m); });
            if (safe != moves.end()) moves = {*safe};
            children.clear();
            const Position::Preview now = p.Peek();
            for (const Move& m : moves) {
                if (IsFoundation(m.from) && NeverNeeded(p, m.card)) continue;
                const Position::Preview after = p.Peek(m, now);
                if (after.disorder == 0) return won(static_cast<int>(i), m);
                children.push_back({after.key, Promise(after), m});
                seen.Prefetch(after.key.hi);
            }
            if (!lookUp()) return finish();
            waiting.swap(children);
            waitingFrom = static_cast<int>(i);
        }
        if (!lookUp()) return finish();
        waiting.clear();
        if (candidates.size() > width) {
            // The most promising of those within their share, then of the others; each part in
            // order, so that a position two reach counts towards the more promising one's share.
            const auto spare =
                std::partition(candidates.begin(), candidates.end(), [](const Candidate& c) { return !c.spare; });
            const auto cut = candidates.begin() + static_cast<std::ptrdiff_t>(width);
            if (spare > cut) std::nth_element(candidates.begin(), cut, spare, better);
            else std::nth_element(spare, cut, candidates.end(), better);
            std::sort(candidates.begin(), std::min(spare, cut), better);
            if (spare < cut) std::sort(spare, cut, better);
            candidates.resize(width);
        }
        next.clear();
        depths.emplace_back();
        for (const Candidate& candidate : candidates) {
            next.push_back(beam[static_cast<std::size_t>(candidate.step.from)]);
            next.back().Apply(candidate.step.move);
            depths.back().push_back(candidate.step);
        }
        beam.swap(next);
    }
    return finish();
}

}  // namespace

// A short narrow pass for the easy wins; beams of growing width, for up to a quarter of the
// time, for most of the others; the full search (which alone can prove a deal lost) for a
// quarter; then one wide beam, and short narrow passes, each with other preferences between
// close moves, until the time is spent: a search that went wrong early rarely recovers, and
// many short tries find more wins than a few long ones.
Solution Solve(const Position& start, const Budget& budget) {
    const double begin = ThreadMilliseconds();
    const double end = begin + static_cast<double>(budget.milliseconds);
    const double quarter = 0.25 * static_cast<double>(budget.milliseconds);
    long positions = 0;
    // Winning lines are shortened within the budget.
    const auto done = [&](Solution solution) {
        positions += solution.positions;
        solution.positions = positions;
        if (solution.verdict == Verdict::Winnable) Shorten(start, solution.moves, end);
        return solution;
    };
    if (!budget.prune) return done(Search(start, end, budget.memoryBytes, false, 0, false));
    // The static proof settles a few deals at once; tried at every position it costs more
    // than it prunes.
    if (start.Stuck()) return {Verdict::NotWinnable, {}, 0};
    // A fifth of a millisecond (and at least the 1024 positions between looks at the clock):
    // what the first narrow pass wins later, the narrowest beams mostly win sooner. A beam's
    // time grows with its width, so the widths grow in small steps.
    constexpr double kFirstTryMs = 0.2;
    Solution narrow = done(Search(start, std::min(begin + kFirstTryMs, end), budget.memoryBytes, true, 0));
    if (narrow.verdict == Verdict::Winnable) return narrow;
    unsigned salt = 1;
    const double beamsEnd = std::min(ThreadMilliseconds() + quarter, end);
    for (std::size_t width : {10, 20, 50, 100, 300, 1000}) {
        Solution beam = done(Beam(start, beamsEnd, budget.memoryBytes, width, salt++));
        if (beam.verdict == Verdict::Winnable) return beam;
    }
    double deadline = std::min(ThreadMilliseconds() + quarter, end);
    Solution full = done(Search(start, deadline, budget.memoryBytes, false, 0));
    if (full.verdict != Verdict::Unknown) return full;
    // A wide beam takes a few hundred milliseconds to reach its wins; with less time left,
    // the narrow passes win more. Of widths 3000 to 16,000, 8000 and 10,000 won the most (3 %
    // more wins than 3000); wider ones reach too few of their wins in the time left. Its
    // table of positions seen is kept to a quarter of the budget: its wins came within that,
    // and a larger table, while it doubled, overran the time and doubled the memory. It stops
    // 20 ms early: the table can be doubling at its deadline, and handing its tens of
    // megabytes back to the system when it stops takes several milliseconds more.
    if (end - ThreadMilliseconds() >= 300) {
        Solution wide = done(Beam(start, end - 20, budget.memoryBytes / 4, 8000, salt));
        if (wide.verdict == Verdict::Winnable) return wide;
        deadline = ThreadMilliseconds();
    }
    constexpr double kTryMs = 4;  // for each of the late narrow passes
    for (salt = 1; ThreadMilliseconds() < end; ++salt) {
        deadline = std::min(deadline + kTryMs, end);
        narrow = done(Search(start, deadline, budget.memoryBytes, true, salt));
        if (narrow.verdict == Verdict::Winnable) return narrow;
    }
    full.positions = positions;
    return full;
}

std::string CardText(int card) {
    static constexpr const char* kRanks[kRankCount] = {"A", "2", "3", "4", "5", "6", "7",
                                                       "8", "9", "10", "J", "Q", "K"};
    return std::string(kRanks[Rank(card)]) + "CDHS"[SuitOf(card)];
}

std::vector<std::string> MoveLines(const std::vector<Move>& moves, std::array<int, kFoundations> pileSuit) {
    const auto pileOf = [&](int suit) {
        return static_cast<int>(std::find(pileSuit.begin(), pileSuit.end(), suit) - pileSuit.begin());
    };
    std::vector<std::string> lines;
    for (const Move& m : moves) {
        std::string from = m.from == kHand ? "hand" : "c" + std::to_string(m.from);
        if (IsFoundation(m.from)) {
            const int pile = pileOf(m.from - kFoundation);
            from = "f" + std::to_string(pile);
            if (Rank(m.card) == kAce) pileSuit[pile] = -1;  // the pile is empty again
        }
        std::string to = "c" + std::to_string(m.to);
        if (IsFoundation(m.to)) {
            const int suit = m.to - kFoundation;
            int pile = pileOf(suit);
            if (pile == kFoundations) pileSuit[pile = pileOf(-1)] = suit;
            to = "f" + std::to_string(pile);
        }
        lines.push_back(CardText(m.card) + " " + from + " " + to);
    }
    return lines;
}

}  // namespace tess::solver
