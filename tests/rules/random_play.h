// A player that acts through the entry points the window uses: a drag of what a press picks
// up (press, moves and release, as mouse events), a double-click, a one-card menu move, and
// Undo. While the button is held it may also take a move back, restart or deal anew, as the
// keys can. Shared by the long-play test and its benchmark, so the benchmark's signature
// changes whenever the rules' behaviour does.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "game/game.h"

namespace tess::play {

// Drop: a release that must move the cards. Press, Carry, Release: the parts of a drag that
// must move nothing, a release among them that aims nowhere legal or follows Undo,
// Restart or New while the button was held.
enum class Action { Drop, DoubleClick, MenuMove, Undo, Nothing, Press, Carry, Release, Restart, NewDeal };

// The image a drop onto the column names: its last card, or its base when empty.
inline int ColumnTarget(const Game& game, int column) {
    const int last = game.LastRowInColumn(column);
    return last < 0 ? ColumnBase(column) : game.ColumnCards[column][last];
}

// Deal number `deal` of a fixed series. Odd deals have each column sorted by descending
// rank, so that wins come up often (equal ranks still spoil them); deals 3, 7, 11, ... take
// six different ranks in every column, the lowest sixteen cards left to the hand.
inline void DealForPlay(Game& game, int deal) {
    game.SeedRandom(static_cast<std::uint64_t>(deal) * 2654435761u + 1);
    game.mnuGameNew_Click();
    if (deal % 2 == 0) return;
    const auto higher = [](int a, int b) { return Rank(a) > Rank(b); };
    std::array<int, kCardCount> order = game.DealOrder, sorted = order;
    if (deal % 4 == 3) {
        std::stable_sort(sorted.begin(), sorted.end(), higher);
        for (int p = 0; p < 36; ++p) order[p] = sorted[p % 6 * 6 + p / 6];  // four cards a rank: 6 apart differ
        std::copy(sorted.begin() + 36, sorted.end(), order.begin() + 36);
        std::sort(order.begin() + 36, order.end(),  // Kings first, Spades first within a rank
                  [](int a, int b) { return Rank(a) * 4 + SuitOf(a) > Rank(b) * 4 + SuitOf(b); });
    }
    for (int c = 0; c < kColumns; ++c) std::stable_sort(order.begin() + 6 * c, order.begin() + 6 * c + 6, higher);
    game.DealOrder = order;
    game.LayOutDeal();
}

class RandomPlayer {
public:
    explicit RandomPlayer(std::uint64_t seed) : rng_(seed) {}

    // One random action; Nothing when the chosen kind had no legal move.
    Action Step(Game& game) {
        if (held_) return Hold(game);
        const int roll = Below(100);
        if (roll < 10 && game.UndoCount > 0) return game.UndoMove(), Action::Undo;
        if (roll < 60) return Press(game) ? Action::Press : Action::Nothing;
        if (roll >= 80) return Move(game) ? Action::MenuMove : Action::Nothing;
        const std::vector<int> cards = ShuffledCards(game);
        const auto card = std::find_if(cards.begin(), cards.end(), [&](int c) {
            return game.IsFree(c) || game.imgCard[c].Tag == kTagFoundation;
        });
        if (Below(8) == 0) game.imgCard_DblClick(Below(kImageCount));  // anything at all, bases included
        else if (card != cards.end()) game.imgCard_DblClick(*card);
        return Action::DoubleClick;
    }

private:
    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

    // Cards a player can reach: every hand and column card and each foundation's top.
    std::vector<int> ShuffledCards(const Game& game) {
        std::vector<int> cards;
        for (int card = 0; card < kCardCount; ++card)
            if (game.imgCard[card].Tag != kTagFoundation || std::ranges::count(game.FoundationTop, card))
                cards.push_back(card);
        std::shuffle(cards.begin(), cards.end(), rng_);
        return cards;
    }

    // Picks up the first card, in random order, that can go somewhere and lists the legal
    // destinations of what it carries; kNoCard, and the move request a drag that moves
    // nothing leaves, when none can. The card menu moves one card onto a column, never an
    // Ace, nor a foundation's Ace or Two.
    int PickUp(Game& game, bool menu) {
        for (int card : ShuffledCards(game)) {
            const bool onFoundation = game.imgCard[card].Tag == kTagFoundation;
            if ((menu && (Rank(card) == kAce || (onFoundation ? Rank(card) == kTwo : !game.IsFree(card)))) ||
                !game.PickUpCards(card))
                continue;
            targets_.clear();
            for (int c = 0; c < kColumns; ++c)
                if (game.RunFitsColumn(c)) targets_.push_back(ColumnTarget(game, c));
            for (int f = 0; f < kFoundations && !menu; ++f)
                if (game.RunFitsFoundationPile(f)) targets_.push_back(FoundationBase(f));
            if (!targets_.empty()) return card;
        }
        game.ReloadMoveFromNewestRecord();
        return kNoCard;
    }

    bool Move(Game& game) {
        const int card = PickUp(game, true);
        if (card == kNoCard) return false;
        game.MoveTarget = targets_[rng_() % targets_.size()];
        game.PopupCard = card;
        game.MenuMove();
        return true;
    }

    // Presses a card that can go somewhere and chooses where the picture will be let go:
    // mostly on a legal destination, else between two columns or back where it started.
    bool Press(Game& game) {
        const int card = PickUp(game, false);
        if (card == kNoCard) return false;
        const int target = Below(8) ? targets_[rng_() % targets_.size()] : -1;
        game.ReloadMoveFromNewestRecord();
        held_ = Held{card, 30.0 + Below(1000), 10.0 + Below(250)};
        game.imgCard_MouseDown(card, kLeftButton, held_->grabX, held_->grabY);
        const CardImage& image = game.imgCard[card];
        double left = 45, top = Below(2) ? 200 : image.Top;  // between columns 0 and 1
        if (Below(3) == 0) left = image.Left, top = image.Top;
        if (target >= 0) {  // onto a pile's base, or a slot below the column's last card
            const CardImage& onto = game.imgCard[target];
            left = onto.Left, top = onto.Top + (IsCardImage(target) ? kSlotStep : 0);
        }
        held_->aimX = held_->grabX + (left - image.Left) * kTwipsPerUnitX;
        held_->aimY = held_->grabY + (top - image.Top) * kTwipsPerUnitY;
        held_->drops = target >= 0;
        return true;
    }

    // A step with the button held: a move, the release, or a key that changes the table.
    Action Hold(Game& game) {
        const int roll = Below(100), card = held_->card;
        if (roll < 10 && (roll >= 8 || game.UndoCount > 0)) {
            held_->drops = false;
            if (roll < 8) return game.UndoMove(), Action::Undo;
            return roll == 8 ? (game.mnuGameRestart_Click(), Action::Restart) : (game.mnuGameNew_Click(), Action::NewDeal);
        }
        if (roll < 40) {
            game.imgCard_MouseMove(card, kLeftButton, Below(6000) - 2000.0, Below(6000) - 2000.0);
            return Action::Carry;
        }
        game.imgCard_MouseMove(card, kLeftButton, held_->aimX, held_->aimY);
        game.imgCard_MouseUp(card, kLeftButton, held_->aimX, held_->aimY);
        const bool drops = held_->drops;
        held_.reset();
        return drops ? Action::Drop : Action::Release;
    }

    struct Held {
        int card;
        double grabX, grabY;  // twips inside the pressed image
        double aimX = 0, aimY = 0;
        bool drops = false;  // the release moves the cards
    };
    std::optional<Held> held_;
    std::mt19937_64 rng_;
    std::vector<int> targets_;
};

}  // namespace tess::play
