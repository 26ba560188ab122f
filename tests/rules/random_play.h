// A player that makes random legal moves through the same entry points the window
// uses: a drop (PickUpCards, the shared placement tests, PerformMove), a double-click,
// a one-card menu move, and Undo. Shared by the long-play test and its benchmark, so the
// benchmark's signature changes whenever the rules' behaviour does.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "game/game.h"

namespace tess::play {

enum class Action { Drop, DoubleClick, MenuMove, Undo, Nothing };

// Deal number `deal` of a fixed series. Odd deals are arranged so that wins come up
// often: deals 1, 5, 9, ... have each column sorted by descending rank (equal ranks still
// spoil the win); deals 3, 7, 11, ... also have six different ranks in every column, so
// their first move wins.
inline void DealForPlay(Game& game, int deal) {
    game.SeedRandom(static_cast<std::uint64_t>(deal) * 2654435761u + 1);
    game.mnuGameNew_Click();
    if (deal % 2 == 0) return;
    std::array<int, kCardCount> order = game.DealOrder;
    if (deal % 4 == 3) {
        std::array<std::vector<int>, kColumns> columns;
        std::vector<int> hand;
        for (int p = 0; p < kCardCount; ++p) {
            const int card = game.DealOrder[p];
            bool placed = false;
            for (int k = 0; k < kColumns && !placed; ++k) {
                std::vector<int>& column = columns[(p + k) % kColumns];
                const bool rankTaken = std::any_of(column.begin(), column.end(), [&](int other) {
                    return Rank(other) == Rank(card);
                });
                if (column.size() < 6 && !rankTaken) {
                    column.push_back(card);
                    placed = true;
                }
            }
            if (!placed) hand.push_back(card);
        }
        if (hand.size() != 16) return;  // the plain deal then
        std::sort(hand.begin(), hand.end(), [](int a, int b) {
            return Rank(a) != Rank(b) ? Rank(a) > Rank(b) : SuitOf(a) > SuitOf(b);
        });
        for (int c = 0; c < kColumns; ++c)
            std::copy(columns[c].begin(), columns[c].end(), order.begin() + 6 * c);
        std::copy(hand.begin(), hand.end(), order.begin() + 36);
    }
    for (int c = 0; c < kColumns; ++c) {
        const auto first = order.begin() + 6 * c;
        std::stable_sort(first, first + 6, [](int a, int b) { return Rank(a) > Rank(b); });
    }
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
        if (roll < 60) return Drop(game) ? Action::Drop : Action::Nothing;
        if (roll < 80) {
            DoubleClick(game);
            return Action::DoubleClick;
        }
        return MenuMove(game) ? Action::MenuMove : Action::Nothing;
    }

    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }
    std::size_t RandomIndex(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }

private:
    // Cards a player can reach: every hand and column card and each foundation's top.
    std::vector<int> ShuffledCards(const Game& game) {
        std::vector<int> cards;
        cards.reserve(kCardCount);
        for (int card = 0; card < kCardCount; ++card) {
            const char tag = game.imgCard[card].Tag;
            if (tag == kTagColumn || tag == kTagHand) cards.push_back(card);
        }
        for (int top : game.FoundationTop)
            if (top != kNoCard) cards.push_back(top);
        for (std::size_t i = cards.size(); i > 1; --i)
            std::swap(cards[i - 1], cards[RandomIndex(i)]);
        return cards;
    }

    static int ColumnTarget(const Game& game, int column) {
        const int last = game.LastRowInColumn(column);
        return last < 0 ? ColumnBase(column) : game.ColumnCards[column][last];
    }

    // What a drag that ends without a move leaves behind: the latest move's cards.
    static void ReloadLatestMove(Game& game) {
        if (game.UndoCount < 1) return;
        const UndoRecord& latest = game.UndoRecords[game.UndoCount - 1];
        game.MoveLast = latest.LastIndex;
        game.MoveCards = latest.Cards;
    }

    bool Drop(Game& game) {
        for (int card : ShuffledCards(game)) {
            if (!game.PickUpCards(card)) continue;
            targets_.clear();
            for (int c = 0; c < kColumns; ++c)
                if (game.RunFitsColumn(c)) targets_.push_back(ColumnTarget(game, c));
            for (int f = 0; f < kFoundations; ++f)
                if (game.RunFitsFoundationPile(f)) targets_.push_back(FoundationBase(f));
            if (targets_.empty()) continue;
            game.MoveCard = card;
            game.MoveTarget = targets_[RandomIndex(targets_.size())];
            game.PerformMove();
            return true;
        }
        ReloadLatestMove(game);
        return false;
    }

    void DoubleClick(Game& game) {
        if (Below(8) == 0) {
            game.imgCard_DblClick(Below(kImageCount));  // anything at all, bases included
            return;
        }
        const std::vector<int> cards = ShuffledCards(game);
        for (int card : cards) {
            if (game.IsFree(card) || game.imgCard[card].Tag == kTagFoundation) {
                game.imgCard_DblClick(card);
                return;
            }
        }
    }

    // A one-card move onto a column, as the card menu offers it: never an Ace, nor a
    // foundation's Ace or Two.
    bool MenuMove(Game& game) {
        for (int card : ShuffledCards(game)) {
            const bool onFoundation = game.imgCard[card].Tag == kTagFoundation;
            if (!onFoundation && !game.IsFree(card)) continue;
            if (Rank(card) == kAce || (onFoundation && Rank(card) == kTwo)) continue;
            game.MoveCards.fill(kNoCard);
            game.MoveCards[0] = card;
            game.MoveLast = 0;
            targets_.clear();
            for (int c = 0; c < kColumns; ++c)
                if (game.RunFitsColumn(c)) targets_.push_back(ColumnTarget(game, c));
            if (targets_.empty()) continue;
            game.PopupCard = card;
            game.MoveTarget = targets_[RandomIndex(targets_.size())];
            game.MenuMove();
            return true;
        }
        ReloadLatestMove(game);
        return false;
    }

    std::mt19937_64 rng_;
    std::vector<int> targets_;
};

}  // namespace tess::play
