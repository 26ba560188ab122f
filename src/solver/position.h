// The solver's own position: six columns of card numbers, the hand as a bit set, and one
// foundation per suit. Foundations are kept by suit rather than by pile, since an Ace can
// start any empty pile and which pile holds which suit never changes what is legal.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/cards.h"

namespace tess::solver {

// Where a move starts or ends: a column 0..5, the hand, or the foundation of a suit.
constexpr int kHand = kColumns;
constexpr int kFoundation = kColumns + 1;  // kFoundation + suit
constexpr bool IsColumn(int place) { return place >= 0 && place < kColumns; }
constexpr bool IsFoundation(int place) { return place >= kFoundation; }

struct Move {
    std::int8_t card = kNoCard;  // the lead card
    std::int8_t from = 0;
    std::int8_t to = 0;
    std::int8_t count = 1;  // cards moved, lead first
    friend bool operator==(const Move&, const Move&) = default;
};

// A fingerprint of a position, by default with the order of the columns left out.
struct Key {
    std::uint64_t lo = 0, hi = 0;
    friend bool operator==(const Key&, const Key&) = default;
};

class Position {
public:
    using Column = std::vector<int>;

    // The layout of a deal: positions 0..35 in the columns, 36..51 in the hand.
    static Position FromDeal(const std::array<int, kCardCount>& deal);
    // Any table: each column from its top card, the hand, each suit's top rank (-1 empty).
    Position(const std::array<Column, kColumns>& columns, std::uint64_t hand,
             const std::array<int, kSuitCount>& foundationRank);

    // The legal moves. The search asks for `pruned` ones: moves to an empty column go to
    // the first one only, a whole column never moves into an empty one, and cards go to a
    // foundation one at a time; every other legal move is listed.
    void Generate(std::vector<Move>& out, bool pruned) const;
    void Apply(const Move& move);
    void Undo(const Move& move);

    // Every column in strictly descending rank from its top card down.
    bool Descending() const;
    // Cards from each column's first break in the order to its end: those that must leave.
    int Disorder() const;
    int DisorderOf(int column) const;
    // The runs (each card one rank below the one before it) that the disorder falls into.
    int Pieces() const;
    // True only when no sequence of moves can win from here (false proves nothing).
    bool Stuck() const;
    // With `inOrder`, the order of the columns counts too.
    Key Fingerprint(bool inOrder = false) const;

    // What a legal move would make of this position, worked out without making it: a beam
    // weighs many more moves than it makes.
    struct Preview {
        Key key;       // Fingerprint()
        int disorder;  // Disorder(): 0 when the move wins
        int pieces;    // Pieces()
        int empty;     // empty columns
        int home;      // cards on the foundations
    };
    Preview Peek(const Move& move) const { return Peek(move, Peek()); }
    // The position's own figures, and a move's worked out from them: a beam weighs all the
    // moves of each position it keeps.
    Preview Peek() const;
    Preview Peek(const Move& move, const Preview& now) const;

    int Length(int column) const { return len_[column]; }
    int Card(int column, int slot) const { return cols_[column][slot]; }
    bool InHand(int card) const { return (hand_ >> card) & 1; }
    int FoundationRank(int suit) const { return found_[suit]; }

private:
    Position();
    int LastRank(int column) const { return Rank(cols_[column][len_[column] - 1]); }
    // Slot where the run at the end of the column starts (each card one rank below the last).
    int RunStart(int column) const { return runFrom_[column][len_[column] - 1]; }
    // DisorderOf() and the runs it falls into, of a column cut to its first `len` cards.
    int DisorderOf(int column, int len) const;
    int PiecesOf(int column, int len) const;

    // A card onto the end of a column, with the column's hashes and the sums, and cards off it.
    void Push(int column, int card);
    void Cut(int column, int count);
    // The sums, after a column's hashes changed.
    void Rehash(int column);
    // A card into the hand or out of it, and a foundation's new top rank (-1 empty), with
    // their share of the sums.
    void SetInHand(int card, bool in);
    void SetPile(int suit, int rank);

    std::array<std::array<std::int8_t, kSlots>, kColumns> cols_{};
    std::array<std::uint8_t, kColumns> len_{};
    // Where each column's order first breaks (kNoBreak when it does not), and its runs (each
    // card one rank below the one before it): the search asks for them far more often than
    // the cards change. A beam copies every position it keeps, so they stay small.
    static constexpr std::uint8_t kNoBreak = kSlots + 1;
    std::array<std::uint8_t, kColumns> break_{};
    // How many of slots 1..s start a new run, and the slot where the run through slot s starts.
    std::array<std::array<std::uint8_t, kSlots>, kColumns> starts_{}, runFrom_{};
    // Two hashes of each column: sums of a random number for each card on each slot, so that
    // a card on or off changes them by its own number. The fingerprint is kept as two sums:
    // of the columns' hashes, each mixed first (mixA_, mixB_), which leaves the columns' order
    // out, and of a random number for each hand card and each foundation's top. A move then
    // changes it in a few operations.
    std::array<std::uint64_t, kColumns> hashA_{}, hashB_{}, mixA_{}, mixB_{};
    std::uint64_t sumA_ = 0, sumB_ = 0;
    std::uint64_t hand_ = 0;
    std::array<std::int8_t, kSuitCount> found_{-1, -1, -1, -1};
};

}  // namespace tess::solver
