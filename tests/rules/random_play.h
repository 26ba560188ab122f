// A player that makes random legal moves through the entry points the window uses: a drop
// (PickUpCards, the placement tests, PerformMove), a double-click, a one-card menu move,
// and Undo. Shared by the long-play test and its benchmark, so the benchmark's signature
// changes whenever the rules' behaviour does.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "game/game.h"

namespace tess::play {

enum class Action { Drop, DoubleClick, MenuMove, Undo, Nothing };

// The image a drop onto the column names: its last card, or its base when empty.
inline int ColumnTarget(const Game& game, int column) {
    const int last = game.LastRowInColumn(column);
    return last < 0 ? ColumnBase(column) : game.ColumnCards[column][last];
}

// Deal number `deal` of a fixed series. Odd deals are arranged so that wins come up often:
// deals 1, 5, 9, ... have each column sorted by descending rank (equal ranks still spoil
// the win); deals 3, 7, 11, ... also have six different ranks in every column.
inline void DealForPlay(Game& game, int deal) {
    game.SeedRandom(static_cast<std::uint64_t>(deal) * 2654435761u + 1);
    game.mnuGameNew_Click();
    if (deal % 2 == 0) return;
    std::array<int, kCardCount> order = game.DealOrder;
    if (deal % 4 == 3) {
        std::array<std::vector<int>, kColumns> columns;
        std::vector<int> hand;
        const auto fits = [](const std::vector<int>& column, int card) {
            return column.size() < 6 && std::none_of(column.begin(), column.end(),
                                                     [&](int o) { return Rank(o) == Rank(card); });
        };
        for (int p = 0; p < kCardCount; ++p) {
            int k = 0;
            while (k < kColumns && !fits(columns[(p + k) % kColumns], game.DealOrder[p])) ++k;
            (k < kColumns ? columns[(p + k) % kColumns] : hand).push_back(game.DealOrder[p]);
        }
        if (hand.size() != 16) return;  // the plain deal then
        std::sort(hand.begin(), hand.end(),  // Kings first, Spades first within a rank
                  [](int a, int b) { return Rank(a) * 4 + SuitOf(a) > Rank(b) * 4 + SuitOf(b); });
        for (int c = 0; c < kColumns; ++c)
            std::copy(columns[c].begin(), columns[c].end(), order.begin() + 6 * c);
        std::copy(hand.begin(), hand.end(), order.begin() + 36);
    }
    for (int c = 0; c < kColumns; ++c)
        std::stable_sort(order.begin() + 6 * c, order.begin() + 6 * c + 6,
                         [](int a, int b) { return Rank(a) > Rank(b); });
    game.DealOrder = order;
    game.LayOutDeal();
}

class RandomPlayer {
public:
    explicit RandomPlayer(std::uint64_t seed) : rng_(seed) {}

    // One random action; Nothing when the chosen kind had no legal move.
    Action Step(Game& game) {
        const int roll = Below(100);
        if (roll < 10 && game.UndoCount > 0) {
            game.UndoMove();
            return Action::Undo;
        }
        if (roll < 60) return Move(game, false) ? Action::Drop : Action::Nothing;
        if (roll >= 80) return Move(game, true) ? Action::MenuMove : Action::Nothing;
        if (Below(8) == 0) {
            game.imgCard_DblClick(Below(kImageCount));  // anything at all, bases included
            return Action::DoubleClick;
        }
        const std::vector<int> cards = ShuffledCards(game);
        const auto card = std::find_if(cards.begin(), cards.end(), [&](int c) {
            return game.IsFree(c) || game.imgCard[c].Tag == kTagFoundation;
        });
        if (card != cards.end()) game.imgCard_DblClick(*card);
        return Action::DoubleClick;
    }

private:
    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

    // Cards a player can reach: every hand and column card and each foundation's top.
    std::vector<int> ShuffledCards(const Game& game) {
        std::vector<int> cards;
        for (int card = 0; card < kCardCount; ++card)
            if (game.imgCard[card].Tag != kTagFoundation) cards.push_back(card);
        for (int top : game.FoundationTop)
            if (top != kNoCard) cards.push_back(top);
        for (std::size_t i = cards.size(); i > 1; --i) std::swap(cards[i - 1], cards[rng_() % i]);
        return cards;
    }

    // A drop of what a press picks up, or the card menu's one-card move onto a column
    // (never an Ace, nor a foundation's Ace or Two), to a random legal destination.
    bool Move(Game& game, bool menu) {
        for (int card : ShuffledCards(game)) {
            const bool onFoundation = game.imgCard[card].Tag == kTagFoundation;
            if (menu &&
                (Rank(card) == kAce || (onFoundation ? Rank(card) == kTwo : !game.IsFree(card))))
                continue;
            if (!game.PickUpCards(card)) continue;  // a card the menu offers moves alone
            targets_.clear();
            for (int c = 0; c < kColumns; ++c)
                if (game.RunFitsColumn(c)) targets_.push_back(ColumnTarget(game, c));
            for (int f = 0; f < kFoundations && !menu; ++f)
                if (game.RunFitsFoundationPile(f)) targets_.push_back(FoundationBase(f));
            if (targets_.empty()) continue;
            game.MoveTarget = targets_[rng_() % targets_.size()];
            game.MoveCard = game.PopupCard = card;  // the menu move takes its card from PopupCard
            menu ? game.MenuMove() : game.PerformMove();
            return true;
        }
        game.ReloadMoveFromNewestRecord();  // what a drag that moves nothing leaves
        return false;
    }

    std::mt19937_64 rng_;
    std::vector<int> targets_;
};

}  // namespace tess::play
