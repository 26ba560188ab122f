// Dealing a random game and laying a deal out on the table.
#include "game/game.h"

namespace tess {

double Game::NextRandom() {
    // 53 random bits give every double in [0, 1) on an even grid; never 1.
    return static_cast<double>(rng_() >> 11) * 0x1.0p-53;
}

// Only the 36 column cards are drawn; the hand is the rest in descending rank, then suit.
void Game::ShuffleDeck() {
    gameFile_.clear();
    platform_.SetBusyPointer(true);
    CardDealt.fill(false);
    DealOrder.fill(0);
    for (int p = 0; p < 36; ++p) {
        int card;
        do {
            card = static_cast<int>(NextRandom() * kCardCount);
        } while (CardDealt[card]);
        CardDealt[card] = true;
        DealOrder[p] = card;
    }
    int p = 36;
    for (int rank = kKing; rank >= kAce; --rank) {
        for (int suit = kSpades; suit >= kClubs; --suit) {
            const int card = CardNumber(suit, rank);
            if (!CardDealt[card]) DealOrder[p++] = card;
        }
    }
}

void Game::DealRandomGame() {
    dealOnlyWinnableGames_ = false;
    ShuffleDeck();
}

void Game::ClearColumns() {
    for (auto& column : ColumnCards) column.fill(kNoCard);
}

void Game::LayOutDeal() {
    EndPress();
    platform_.SetBusyPointer(true);
    for (CardImage& image : imgCard) image.Visible = false;
    ClearColumns();
    FoundationTop.fill(kNoCard);
    for (int p = 0; p < 36; ++p) {
        const int c = p / 6;
        const int s = p % 6;
        const int card = DealOrder[p];
        MoveImage(card, ColumnLeft(c), SlotTop(s));
        imgCard[card].Tag = kTagColumn;
        BringToFront(card);
        ColumnCards[c][s] = card;
    }
    for (int p = 36; p < kCardCount; ++p) {
        const int card = DealOrder[p];
        MoveImage(card, HandLeft(p - 36), kHandTop);
        imgCard[card].Tag = kTagHand;
        BringToFront(card);
    }
    for (CardImage& image : imgCard) image.Visible = true;
    imgCard[kSpareImage].Visible = false;
    GameWon = false;
    SetUndoItemsEnabled(false);
    UndoRecords.clear();
    UndoUpperBound = 20;
    UndoRecords.resize(UndoUpperBound + 1);
    UndoCount = 0;
    DragMoved = false;
    DragCancelled = false;
    platform_.SetBusyPointer(false);
}

void Game::mnuGameNew_Click() {
    DealRandomGame();
    LayOutDeal();
}

void Game::mnuGameRestart_Click() { LayOutDeal(); }

}  // namespace tess
