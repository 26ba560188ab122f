// Shared by the rules tests: a game on a recording platform, the moves a player makes,
// and a snapshot of everything the table shows, for before-and-after comparisons.
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/game.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {

struct TableSnapshot {
    struct Image {
        double Left = 0;
        double Top = 0;
        char Tag = 0;
        bool Visible = false;
        bool operator==(const Image&) const = default;
    };
    std::array<Image, kImageCount> images{};
    std::array<std::array<int, kSlots>, kColumns> columns{};
    std::array<int, kFoundations> foundations{};
    bool gameWon = false;
    bool operator==(const TableSnapshot&) const = default;
};

inline TableSnapshot Snapshot(const Game& game) {
    TableSnapshot snap;
    for (int i = 0; i < kImageCount; ++i) {
        const CardImage& image = game.imgCard[i];
        snap.images[i] = {image.Left, image.Top, image.Tag, image.Visible};
    }
    snap.columns = game.ColumnCards;
    snap.foundations = game.FoundationTop;
    snap.gameWon = game.GameWon;
    return snap;
}

// Empty when equal; otherwise the first differences, readably.
inline std::string Difference(const TableSnapshot& want, const TableSnapshot& got) {
    std::ostringstream out;
    for (int i = 0; i < kImageCount; ++i) {
        const auto& a = want.images[i];
        const auto& b = got.images[i];
        if (a == b) continue;
        out << "image " << i << ": want (" << a.Left << ", " << a.Top << ", '" << a.Tag << "', "
            << a.Visible << ") got (" << b.Left << ", " << b.Top << ", '" << b.Tag << "', "
            << b.Visible << ")\n";
    }
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < kSlots; ++s)
            if (want.columns[c][s] != got.columns[c][s])
                out << "column " << c << " slot " << s << ": want " << want.columns[c][s] << " got "
                    << got.columns[c][s] << "\n";
    for (int f = 0; f < kFoundations; ++f)
        if (want.foundations[f] != got.foundations[f])
            out << "foundation " << f << ": want " << want.foundations[f] << " got "
                << got.foundations[f] << "\n";
    if (want.gameWon != got.gameWon) out << "GameWon: want " << want.gameWon << "\n";
    return out.str();
}

// The hand cards in hand order (Kings first, Spades first within a rank).
inline std::vector<int> HandInHandOrder(const Game& game) {
    std::vector<int> hand;
    for (int rank = kKing; rank >= kAce; --rank)
        for (int suit = kSpades; suit >= kClubs; --suit)
            if (game.imgCard[CardNumber(suit, rank)].Tag == kTagHand)
                hand.push_back(CardNumber(suit, rank));
    return hand;
}

// Whether each hand card lies in front of the one before it in hand order.
inline bool HandIsStacked(const Game& game) {
    const std::vector<int> hand = HandInHandOrder(game);
    for (std::size_t i = 1; i < hand.size(); ++i)
        if (game.imgCard[hand[i]].ZOrder <= game.imgCard[hand[i - 1]].ZOrder) return false;
    return true;
}

inline std::vector<int> Cards(std::initializer_list<const char*> names) {
    std::vector<int> cards;
    for (const char* name : names) cards.push_back(C(name));
    return cards;
}

// Completes a setup: the cards it leaves out go to the hand, but the fill columns take,
// above what they hold, one card each at least and whatever the hand (16) cannot.
// Cards in keepInHand always stay in the hand.
inline void Fill(TableSetup& setup, const std::vector<int>& fillColumns,
                 const std::vector<int>& keepInHand = {}) {
    std::array<bool, kCardCount> placed{};
    for (const auto& column : setup.columns)
        for (int card : column) placed[card] = true;
    for (int top : setup.foundations)
        if (top != kNoCard)
            for (int card = top - Rank(top); card <= top; ++card) placed[card] = true;
    for (int card : keepInHand) placed[card] = true;
    std::vector<int> spare;
    for (int card = 0; card < kCardCount; ++card)
        if (!placed[card]) spare.push_back(card);
    const std::size_t budget = 16 - keepInHand.size();
    std::size_t needed = spare.size() > budget ? spare.size() - budget : 0;
    needed = std::max(needed, fillColumns.size());
    if (fillColumns.empty()) return;  // SetUpTable reports a hand that is too big
    std::vector<std::vector<int>> tops(fillColumns.size());
    for (std::size_t i = 0; i < needed && i < spare.size(); ++i)
        tops[i % fillColumns.size()].push_back(spare[i]);
    for (std::size_t k = 0; k < fillColumns.size(); ++k) {
        auto& column = setup.columns[fillColumns[k]];
        column.insert(column.begin(), tops[k].begin(), tops[k].end());
    }
}

// The image a drop onto the column names: its last card, or its base when empty.
inline int ColumnTarget(const Game& game, int column) {
    const int last = game.LastRowInColumn(column);
    return last < 0 ? ColumnBase(column) : game.ColumnCards[column][last];
}

class RulesTest : public ::testing::Test {
protected:
    void SetUpTable(const TableSetup& setup) { test::SetUpTable(game, setup); }

    // What a legal drop does: pick up at the press, then hand the move over.
    void Drop(int card, int target) {
        ASSERT_TRUE(game.PickUpCards(card)) << CardName(card);
        game.MoveCard = card;
        game.MoveTarget = target;
        game.PerformMove();
    }
    void DropOnColumn(int card, int column) { Drop(card, ColumnTarget(game, column)); }
    void DropOnFoundation(int card, int f) { Drop(card, FoundationBase(f)); }

    RecordingPlatform platform;
    Game game{platform};
};

}  // namespace tess::test
