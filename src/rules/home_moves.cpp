// Playing cards home: the double-click on a free card, and the cover action on a
// foundation's top card that pulls up the free cards of its suit one after another.
#include "game/game.h"

namespace tess {

void Game::imgCard_DblClick(int index) {
    EndPress();  // the release that follows a double-click must move nothing
    if (!IsCardImage(index)) return;

    const char tag = imgCard[index].Tag;
    if (tag == kTagFoundation) {
        if (Rank(index) == kKing) return;
        // Each call plays its card only when it is free and next, so the suit goes up
        // until the first card that is not free.
        const int king = CardNumber(SuitOf(index), kKing);
        for (int card = index + 1; card <= king; ++card) imgCard_DblClick(card);
        return;
    }
    if (!IsFree(index)) return;

    if (Rank(index) == kAce) {
        for (int f = 0; f < kFoundations; ++f) {
            if (FoundationTop[f] == kNoCard) {
                MoveToFoundation(index, f);
                return;
            }
        }
        return;
    }
    const int f = FoundationOfSuit(SuitOf(index));
    if (f < 0) return;
    if (Rank(index) - Rank(FoundationTop[f]) == 1) MoveToFoundation(index, f);
}

// Moves one free card onto the foundation; the caller has checked that it fits.
void Game::MoveToFoundation(int card, int foundation) {
    FoundationTop[foundation] = card;
    MoveCards.fill(kNoCard);
    MoveCards[0] = card;
    MoveLast = 0;
    RecordMoveStart(card);

    CardImage& image = imgCard[card];
    image.Visible = false;
    if (image.Tag == kTagColumn) ColumnCards[ColumnOf(card)][SlotOf(card)] = kNoCard;
    MoveImage(card, kFoundationLeft, imgCard[FoundationBase(foundation)].Top);
    BringToFront(card);
    image.Tag = kTagFoundation;
    image.Visible = true;

    RecordMoveEnd(card);
}

}  // namespace tess
