// Crafted tables for tests: say where the cards lie, get a consistent table.
#pragma once

#include <array>
#include <vector>

#include "game/game.h"

namespace tess::test {

struct TableSetup {
    // Each column from its top card (slot 0) down.
    std::array<std::vector<int>, kColumns> columns;
    // The top card of each foundation, or kNoCard; the foundation holds its suit from the Ace.
    std::array<int, kFoundations> foundations{kNoCard, kNoCard, kNoCard, kNoCard};
    // Every card in neither is in the hand (at most 16), in the places of a sorted hand.
};

// Lays the table out as described, with an empty history. Fails the current test
// (and leaves the game as dealt) when the setup is impossible.
void SetUpTable(Game& game, const TableSetup& setup);

// Puts every card the setup does not place yet, except the last `keepInHand` of them,
// into the listed columns in turn, so that the hand holds at most sixteen.
void FillColumns(TableSetup& setup, const std::vector<int>& columns, int keepInHand = 16);

// A deal in DealOrder form: the columns' cards, then the hand sorted.
std::array<int, kCardCount> SortedHandDeal(const std::array<int, 36>& columnCards);

// The card number from a short name such as "7H", "10C", "KS", "AD"; kNoCard for any other text.
int C(const char* name);

}  // namespace tess::test
