// The rules as the solver plays them: the same placements as the game's move engine.
#include "solver/position.h"

#include <algorithm>

namespace tess::solver {

namespace {

constexpr std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

// A column's hashes mixed, before they are added up over the columns.
constexpr std::uint64_t MixA(std::uint64_t a) { return Mix(a); }
constexpr std::uint64_t MixB(std::uint64_t b) { return Mix(b + 0x9e3779b97f4a7c15ULL) ^ 0x632be59bd9b4e019ULL; }

// The random numbers of each card on each slot, of each card in the hand, and of each
// foundation's top rank (+ 1, so that 0 is an empty one).
struct Randoms {
    std::array<std::array<std::uint64_t, kCardCount>, kSlots> a{}, b{};
    std::array<std::uint64_t, kCardCount> handA{}, handB{};
    std::array<std::array<std::uint64_t, kRankCount + 1>, kSuitCount> pileA{}, pileB{};
    constexpr Randoms() {
        for (int card = 0; card < kCardCount; ++card) {
            const auto x = static_cast<std::uint64_t>(card + 1);
            handA[card] = Mix(x * 0x8ebc6af09c88c6e3ULL);
            handB[card] = Mix(x * 0x589965cc75374cc3ULL + 1);
        }
        for (int suit = 0; suit < kSuitCount; ++suit)
            for (int top = 0; top <= kRankCount; ++top) {
                const auto x = static_cast<std::uint64_t>(suit * 16 + top + 1);
                pileA[suit][top] = Mix(x * 0x1d8e4e27c47d124fULL + 2);
                pileB[suit][top] = Mix(x * 0xc2b2ae3d27d4eb4fULL + 3);
            }
        for (int slot = 0; slot < kSlots; ++slot)
            for (int card = 0; card < kCardCount; ++card) {
                const auto x = static_cast<std::uint64_t>(slot * 64 + card + 1);
                a[slot][card] = Mix(x * 0xd6e8feb86659fd93ULL);
                b[slot][card] = Mix(x * 0xa0761d6478bd642fULL + 0xe7037ed1a0b428dbULL);
            }
    }
};
constexpr Randoms kRandom;

// A card's share of a column's hashes, put on its slot (sign 1) or taken off (-1).
void Place(std::uint64_t& a, std::uint64_t& b, int slot, int card, std::uint64_t sign = 1) {
    a += sign * kRandom.a[slot][card];
    b += sign * kRandom.b[slot][card];
}

}  // namespace

Position::Position() {
    break_.fill(kNoBreak);
    for (int c = 0; c < kColumns; ++c) {
        mixA_[c] = MixA(0);
        mixB_[c] = MixB(0);
        sumA_ += mixA_[c];
        sumB_ += mixB_[c];
    }
    for (int s = 0; s < kSuitCount; ++s) {
        sumA_ += kRandom.pileA[s][0];
        sumB_ += kRandom.pileB[s][0];
    }
}

void Position::SetInHand(int card, bool in) {
    const std::uint64_t sign = in ? 1 : ~std::uint64_t{0};
    if (in) hand_ |= 1ULL << card;
    else hand_ &= ~(1ULL << card);
    sumA_ += sign * kRandom.handA[card];
    sumB_ += sign * kRandom.handB[card];
}

void Position::SetPile(int suit, int rank) {
    sumA_ += kRandom.pileA[suit][rank + 1] - kRandom.pileA[suit][found_[suit] + 1];
    sumB_ += kRandom.pileB[suit][rank + 1] - kRandom.pileB[suit][found_[suit] + 1];
    found_[suit] = static_cast<std::int8_t>(rank);
}

void Position::Push(int column, int card) {
    const int len = len_[column]++;
    cols_[column][len] = static_cast<std::int8_t>(card);
    runFrom_[column][len] = static_cast<std::uint8_t>(len);
    if (len > 0) {
        const int above = Rank(cols_[column][len - 1]), rank = Rank(card);
        const bool joins = rank == above - 1;
        starts_[column][len] = static_cast<std::uint8_t>(starts_[column][len - 1] + !joins);
        if (joins) runFrom_[column][len] = runFrom_[column][len - 1];
        if (break_[column] == kNoBreak && rank >= above) break_[column] = static_cast<std::uint8_t>(len);
    }
    Place(hashA_[column], hashB_[column], len, card);
    Rehash(column);
}

void Position::Rehash(int column) {
    const std::uint64_t a = MixA(hashA_[column]), b = MixB(hashB_[column]);
    sumA_ += a - mixA_[column];
    sumB_ += b - mixB_[column];
    mixA_[column] = a;
    mixB_[column] = b;
}

void Position::Cut(int column, int count) {
    const int len = len_[column];
    len_[column] = static_cast<std::uint8_t>(len - count);
    for (int slot = len - count; slot < len; ++slot)
        Place(hashA_[column], hashB_[column], slot, cols_[column][slot], -1);
    Rehash(column);
    if (break_[column] >= len_[column]) break_[column] = kNoBreak;
}

Position Position::FromDeal(const std::array<int, kCardCount>& deal) {
    Position p;
    for (int i = 0; i < 36; ++i) p.Push(i / 6, deal[i]);
    for (int i = 36; i < kCardCount; ++i) p.SetInHand(deal[i], true);
    return p;
}

Position::Position(const std::array<Column, kColumns>& columns, std::uint64_t hand,
                   const std::array<int, kSuitCount>& foundationRank)
    : Position() {
    for (int card = 0; card < kCardCount; ++card)
        if ((hand >> card) & 1) SetInHand(card, true);
    for (int c = 0; c < kColumns; ++c)
        for (int card : columns[c]) Push(c, card);
    for (int s = 0; s < kSuitCount; ++s) SetPile(s, foundationRank[s]);
}

namespace {

// The cards of one rank, one bit a suit.
constexpr std::uint64_t RankCards(int rank) {
    return (1ULL << rank) | (1ULL << (rank + 13)) | (1ULL << (rank + 26)) | (1ULL << (rank + 39));
}

}  // namespace

void Position::Generate(std::vector<Move>& out, bool pruned) const {
    int empty = 0, firstEmpty = -1;
    std::array<int, kColumns> endRank{};  // -1 for an empty column
    for (int c = kColumns - 1; c >= 0; --c) {
        endRank[c] = len_[c] == 0 ? -1 : LastRank(c);
        if (len_[c] == 0) {
            ++empty;
            firstEmpty = c;
        }
    }
    const auto add = [&](int card, int from, int to, int count) {
        out.push_back({static_cast<std::int8_t>(card), static_cast<std::int8_t>(from),
                       static_cast<std::int8_t>(to), static_cast<std::int8_t>(count)});
    };
    // Cards that may go onto every column whose last card is one rank higher, and into the
    // empty columns (all of them, or only the first when pruning): from the hand and from
    // the foundations' tops, each a set of cards.
    std::uint64_t tops = 0;
    for (int suit = 0; suit < kSuitCount; ++suit)
        if (found_[suit] >= 0) tops |= 1ULL << CardNumber(suit, found_[suit]);
    const auto toColumns = [&](std::uint64_t cards, int from) {
        for (int t = 0; t < kColumns; ++t) {
            std::uint64_t fits = 0;
            if (endRank[t] < 0) fits = !pruned || t == firstEmpty ? cards : 0;
            else if (endRank[t] > 0 && len_[t] < kSlots) fits = cards & RankCards(endRank[t] - 1);
            for (; fits != 0; fits &= fits - 1) {
                const int card = __builtin_ctzll(fits);
                add(card, from < 0 ? kFoundation + SuitOf(card) : from, t, 1);
            }
        }
    };
    const auto fitsFoundation = [&](int card) { return found_[SuitOf(card)] == Rank(card) - 1; };

    for (int s = 0; s < kColumns; ++s) {
        const int len = len_[s];
        if (len == 0) continue;
        const auto& col = cols_[s];
        const int start = RunStart(s);
        const int bottomRank = endRank[s];
        for (int t = 0; t < kColumns; ++t) {
            if (t == s || len_[t] == 0) continue;
            // The lead's rank is one below the target's last card, which fixes its slot.
            const int i = len - 1 - (endRank[t] - 1 - bottomRank);
            const int n = len - i;
            if (i >= start && i < len && n <= (1 << empty) && len_[t] + n <= kSlots)
                add(col[i], s, t, n);
        }
        for (int i = start; i < len && empty > 0; ++i) {
            const int n = len - i;
            // A whole column moves into an empty one: the same position with two columns
            // swapped, which the search has already seen.
            if (pruned && i == 0) continue;
            if (n > (i == 0 ? (1 << empty) - 1 : 1 << (empty - 1))) continue;
            for (int t = 0; t < kColumns; ++t)
                if (len_[t] == 0 && (!pruned || t == firstEmpty)) add(col[i], s, t, n);
        }
        // To a foundation: a run of one suit whose lowest card is next there. Moving only
        // the last card is enough for the search: the rest follow one by one through
        // positions the longer move skips, and a win in between only comes sooner.
        const int bottom = col[len - 1];
        if (fitsFoundation(bottom)) {
            add(bottom, s, kFoundation + SuitOf(bottom), 1);
            for (int i = len - 2; !pruned && i >= start && col[i] == col[i + 1] + 1; --i)
                add(col[i], s, kFoundation + SuitOf(bottom), len - i);
        }
    }
    toColumns(hand_, kHand);
    for (int suit = 0; suit < kSuitCount; ++suit)
        if (found_[suit] < kKing && ((hand_ >> CardNumber(suit, found_[suit] + 1)) & 1))
            add(CardNumber(suit, found_[suit] + 1), kHand, kFoundation + suit, 1);
    toColumns(tops, -1);
}

void Position::Apply(const Move& m) {
    if (IsColumn(m.from)) {
        Cut(m.from, m.count);
    } else if (m.from == kHand) {
        SetInHand(m.card, false);
    } else {
        SetPile(m.from - kFoundation, found_[m.from - kFoundation] - 1);
    }
    if (IsColumn(m.to)) {
        // The source column keeps the moved cards past its new length, to copy from there.
        if (IsColumn(m.from)) {
            for (int k = 0; k < m.count; ++k) Push(m.to, cols_[m.from][len_[m.from] + k]);
        } else {
            Push(m.to, m.card);
        }
    } else {
        SetPile(m.to - kFoundation, Rank(m.card));
    }
}

void Position::Undo(const Move& m) {
    if (IsColumn(m.to)) {
        Cut(m.to, m.count);
    } else {
        SetPile(m.to - kFoundation, Rank(m.card) - m.count);
    }
    if (IsColumn(m.from)) {
        if (IsColumn(m.to)) {
            for (int k = 0; k < m.count; ++k) Push(m.from, cols_[m.to][len_[m.to] + k]);
        } else {  // back from a foundation: consecutive card numbers, highest first
            for (int k = 0; k < m.count; ++k) Push(m.from, m.card - k);
        }
    } else if (m.from == kHand) {
        SetInHand(m.card, true);
    } else {
        SetPile(m.from - kFoundation, found_[m.from - kFoundation] + 1);
    }
}

int Position::DisorderOf(int column) const { return DisorderOf(column, len_[column]); }

int Position::DisorderOf(int column, int len) const {
    const int from = break_[column];
    return from < len ? len - from : 0;
}

bool Position::Descending() const {
    for (int c = 0; c < kColumns; ++c)
        if (break_[c] != kNoBreak) return false;
    return true;
}

int Position::Disorder() const {
    int total = 0;
    for (int c = 0; c < kColumns; ++c) total += DisorderOf(c);
    return total;
}

int Position::PiecesOf(int column, int len) const {
    const int from = break_[column];
    return from < len ? 1 + starts_[column][len - 1] - starts_[column][from] : 0;
}

int Position::Pieces() const {
    int total = 0;
    for (int c = 0; c < kColumns; ++c) total += PiecesOf(c, len_[c]);
    return total;
}

// Every card from a column's first break down must leave the column at least once, the
// deepest first. A card leaves for its foundation (every lower card of its suit is then off
// its place already), into an empty column (a column was dug out completely), or onto a card
// one rank higher at the end of a column. Such a card is either still on its place with all
// below it gone, or was put there onto one a rank higher in turn, down to a card on its place:
// so it is a card that has been dug out or bared, or a hand or foundation card lying on such a
// chain. Counting each card ever bared as ready to take a card at any time only allows more,
// and more cards dug only allow more, so digging greedily digs all a line of play could dig.
// When that leaves behind a card that must go, nothing wins.
bool Position::Stuck() const {
    std::uint64_t away = hand_;  // hand and foundation cards
    for (int suit = 0; suit < kSuitCount; ++suit)
        for (int r = 0; r <= found_[suit]; ++r) away |= 1ULL << CardNumber(suit, r);
    std::uint64_t gone = 0;  // dug out
    std::uint64_t dug = 0;   // dug out, or bared at the end of its column
    std::array<int, kColumns> end{};
    for (int c = 0; c < kColumns; ++c) {
        end[c] = len_[c];
        if (end[c] == 0) return false;  // an empty column takes any card
        dug |= 1ULL << cols_[c][end[c] - 1];
    }
    for (bool more = true; more;) {
        more = false;
        // base[r]: a card of rank r can be at the end of a column to take one of rank r - 1.
        std::array<bool, kRankCount + 1> base{};
        for (int r = kRankCount - 1; r >= 0; --r)
            for (int suit = 0; suit < kSuitCount; ++suit) {
                const std::uint64_t bit = 1ULL << CardNumber(suit, r);
                base[r] = base[r] || (dug & bit) || ((away & bit) && base[r + 1]);
            }
        for (int c = 0; c < kColumns; ++c) {
            const int card = cols_[c][end[c] - 1];
            // Home only over every lower card of its suit.
            const std::uint64_t lower = ((1ULL << Rank(card)) - 1) << CardNumber(SuitOf(card), 0);
            const bool leaves = ((away | gone) & lower) == lower || base[Rank(card) + 1];
            if (!leaves) continue;
            gone |= 1ULL << card;
            if (--end[c] == 0) return false;
            dug |= 1ULL << cols_[c][end[c] - 1];
            more = true;
        }
    }
    for (int c = 0; c < kColumns; ++c)
        if (end[c] > len_[c] - DisorderOf(c)) return true;
    return false;
}

Key Position::Fingerprint(bool inOrder) const {
    if (!inOrder) return {sumA_, sumB_};
    // Each column's place hashed with it, so that the order counts.
    std::uint64_t a = sumA_, b = sumB_;
    for (int c = 0; c < kColumns; ++c) {
        a -= mixA_[c];
        b -= mixB_[c];
        const auto place = static_cast<std::uint64_t>(c + 1) << 48;
        a += Mix(hashA_[c] + place);
        b += Mix(hashB_[c] ^ place);
    }
    return {a, b};
}

Position::Preview Position::Peek() const {
    Preview now{Fingerprint(), Disorder(), Pieces(), 0, 0};
    for (int c = 0; c < kColumns; ++c) now.empty += len_[c] == 0;
    for (int s = 0; s < kSuitCount; ++s) now.home += found_[s] + 1;
    return now;
}

Position::Preview Position::Peek(const Move& m, const Preview& now) const {
    std::uint64_t a = sumA_, b = sumB_;
    Preview after = now;
    if (IsColumn(m.from)) {
        const int len = len_[m.from], left = len - m.count;
        std::uint64_t fromA = hashA_[m.from], fromB = hashB_[m.from];
        for (int slot = left; slot < len; ++slot) Place(fromA, fromB, slot, cols_[m.from][slot], -1);
        a += MixA(fromA) - mixA_[m.from];
        b += MixB(fromB) - mixB_[m.from];
        after.disorder -= DisorderOf(m.from) - DisorderOf(m.from, left);
        after.pieces -= PiecesOf(m.from, len) - PiecesOf(m.from, left);
        after.empty += left == 0;
    } else if (m.from == kHand) {
        a -= kRandom.handA[m.card];
        b -= kRandom.handB[m.card];
    } else {
        const int suit = m.from - kFoundation, rank = found_[suit];
        a += kRandom.pileA[suit][rank] - kRandom.pileA[suit][rank + 1];
        b += kRandom.pileB[suit][rank] - kRandom.pileB[suit][rank + 1];
        --after.home;
    }
    if (IsColumn(m.to)) {
        const int len = len_[m.to];
        std::uint64_t toA = hashA_[m.to], toB = hashB_[m.to];
        for (int k = 0; k < m.count; ++k)
            Place(toA, toB, len + k, IsColumn(m.from) ? cols_[m.from][len_[m.from] - m.count + k] : m.card);
        a += MixA(toA) - mixA_[m.to];
        b += MixB(toB) - mixB_[m.to];
        // A legal move lands in order, one rank below the card it goes onto: below a break it
        // adds to the disorder, but it goes on the last run there.
        if (break_[m.to] != kNoBreak) after.disorder += m.count;
        after.empty -= len == 0;
    } else {
        const int suit = m.to - kFoundation, was = found_[suit], rank = Rank(m.card);
        after.home += rank - was;
        a += kRandom.pileA[suit][rank + 1] - kRandom.pileA[suit][was + 1];
        b += kRandom.pileB[suit][rank + 1] - kRandom.pileB[suit][was + 1];
    }
    after.key = {a, b};
    return after;
}

}  // namespace tess::solver
