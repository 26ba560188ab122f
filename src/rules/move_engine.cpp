// The move engine: what a press picks up, where it may go, and carrying a move out.
#include "game/game.h"

namespace tess {

namespace {

bool IsTag(char tag, char a, char b) { return tag == a || tag == b; }

// Whether MoveCards[0..last] are consecutive card numbers, highest first.
bool IsRunOfCardNumbers(const std::array<int, kMaxRun>& cards, int last) {
    for (int i = 0; i < last; ++i) {
        if (cards[i] != cards[i + 1] + 1) return false;
    }
    return true;
}

bool IsMoveSizeValid(int moveLast) { return moveLast >= 0 && moveLast < kMaxRun; }

// A request whose fields all name cards, images and slots that exist. PerformMove trusts
// its callers for legality, but a malformed request must not write outside the table.
bool IsWellFormed(const Game& game) {
    if (!IsCardImage(game.MoveCard) || !IsMoveSizeValid(game.MoveLast)) return false;
    if (game.MoveTarget < 0 || game.MoveTarget >= kImageCount || game.MoveTarget == kSpareImage)
        return false;
    if (game.MoveCards[0] != game.MoveCard) return false;
    for (int i = 0; i <= game.MoveLast; ++i) {
        if (!IsCardImage(game.MoveCards[i])) return false;
    }
    const char from = game.imgCard[game.MoveCard].Tag;
    if (from != kTagColumn && from != kTagHand && from != kTagFoundation) return false;
    if (from != kTagColumn && game.MoveLast != 0) return false;  // only a column holds runs
    const CardImage& target = game.imgCard[game.MoveTarget];
    switch (target.Tag) {
        case kTagColumn:
            return game.SlotOf(game.MoveTarget) + 1 + game.MoveLast < kSlots;
        case kTagColumnBase:
            return game.MoveLast < kSlots;
        case kTagFoundation:
            return true;
        default:
            return false;
    }
}

}  // namespace

// Fills MoveCards and MoveLast for a press on the card; true when something was picked up.
bool Game::PickUpCards(int card) {
    MoveLast = 0;
    if (!IsCardImage(card)) return false;
    const char tag = imgCard[card].Tag;
    if (IsTag(tag, kTagFoundation, kTagHand)) {
        // Only the top card of a foundation lies uncovered.
        if (tag == kTagFoundation && FoundationTop[FoundationOf(card)] != card) return false;
        MoveCards.fill(kNoCard);
        MoveCards[0] = card;
        return true;
    }
    if (tag != kTagColumn) return false;
    const int slot = SlotOf(card);
    if (slot + 1 >= kSlots || ColumnCards[ColumnOf(card)][slot + 1] == kNoCard) {
        MoveCards.fill(kNoCard);
        MoveCards[0] = card;
        return true;
    }
    MoveLast = FindRunBelow(card);
    return MoveLast != 0;
}

// Counts the cards below a column card that descend one rank at a time down to the
// column's end, listing them after it in MoveCards; 0 (and only the card) when broken.
int Game::FindRunBelow(int card) {
    MoveCards.fill(kNoCard);
    MoveCards[0] = card;
    const int column = ColumnOf(card);
    int expected = Rank(card) - 1;
    int count = 0;
    for (int slot = SlotOf(card) + 1; slot < kSlots; ++slot) {
        const int below = ColumnCards[column][slot];
        if (below == kNoCard) break;
        if (Rank(below) != expected || count + 1 >= kMaxRun) {
            MoveCards.fill(kNoCard);
            MoveCards[0] = card;
            return 0;
        }
        MoveCards[++count] = below;
        --expected;
    }
    return count;
}

int Game::CountEmptyColumns() const {
    int empty = 0;
    for (const auto& column : ColumnCards) {
        if (column[0] == kNoCard) ++empty;
    }
    return empty;
}

int Game::LastRowInColumn(int column) const {
    int slot = 0;
    while (slot < kSlots && ColumnCards[column][slot] != kNoCard) ++slot;
    return slot - 1;
}

// An Ace-led run of one suit: the last card is an Ace and the numbers are consecutive.
bool Game::RunFitsEmptyFoundation() const {
    if (!IsMoveSizeValid(MoveLast)) return false;
    const int last = MoveCards[MoveLast];
    return IsCardImage(last) && Rank(last) == kAce && IsRunOfCardNumbers(MoveCards, MoveLast);
}

// A run of the foundation's suit whose lowest card is the next one for it.
bool Game::RunFitsFoundation(int foundation) const {
    if (foundation < 0 || foundation >= kFoundations || !IsMoveSizeValid(MoveLast)) return false;
    const int top = FoundationTop[foundation];
    if (top == kNoCard || !IsCardImage(MoveCards[0])) return false;
    return SuitOf(MoveCards[0]) == SuitOf(top) && MoveCards[MoveLast] == top + 1 &&
           IsRunOfCardNumbers(MoveCards, MoveLast);
}

bool Game::RunFitsColumn(int column) const {
    if (column < 0 || column >= kColumns || !IsMoveSizeValid(MoveLast)) return false;
    const int lead = MoveCards[0];
    if (!IsCardImage(lead)) return false;
    const int n = MoveLast + 1;
    const int empty = CountEmptyColumns();
    const int last = LastRowInColumn(column);
    if (last >= 0) {
        if (last + n >= kSlots) return false;
        const int target = ColumnCards[column][last];
        return Rank(target) == Rank(lead) + 1 && n <= (1 << empty);
    }
    // The target is one of the empty columns, so empty >= 1 here.
    const bool wholeColumn = imgCard[lead].Tag == kTagColumn && imgCard[lead].Top == SlotTop(0);
    const int limit = wholeColumn ? (1 << empty) - 1 : 1 << (empty - 1);
    return n <= limit;
}

bool Game::RunFitsFoundationPile(int foundation) const {
    if (foundation < 0 || foundation >= kFoundations || !IsMoveSizeValid(MoveLast)) return false;
    const int top = FoundationTop[foundation];
    if (top == kNoCard) return RunFitsEmptyFoundation();
    const int lead = MoveCards[0];
    if (!IsCardImage(lead) || SuitOf(lead) != SuitOf(top)) return false;
    if (MoveLast == 0) return Rank(lead) == Rank(top) + 1;
    return RunFitsFoundation(foundation);
}

// Carries out the move request; the caller has established that it is legal.
void Game::PerformMove() {
    if (!IsWellFormed(*this)) return;
    RecordMoveStart(MoveCard);

    switch (imgCard[MoveCard].Tag) {
        case kTagColumn: {
            const int column = ColumnOf(MoveCards[0]);
            for (int i = 0; i <= MoveLast; ++i) ColumnCards[column][SlotOf(MoveCards[i])] = kNoCard;
            break;
        }
        case kTagFoundation: {
            const int f = FoundationOf(MoveCard);
            FoundationTop[f] = Rank(MoveCard) == kAce ? kNoCard : FoundationTop[f] - 1;
            break;
        }
        default:
            break;  // a hand card leaves its gap
    }

    const double left = imgCard[MoveTarget].Left;
    const double top = imgCard[MoveTarget].Top;
    const char targetTag = imgCard[MoveTarget].Tag;
    if (targetTag == kTagFoundation) {
        for (int i = MoveLast; i >= 0; --i) {
            MoveImage(MoveCards[i], left, top);
            BringToFront(MoveCards[i]);
        }
        FoundationTop[FoundationOf(MoveCard)] = MoveCard;
    } else {
        const int first = targetTag == kTagColumn ? 1 : 0;
        for (int i = 0; i <= MoveLast; ++i) {
            MoveImage(MoveCards[i], left, top + kSlotStep * (i + first));
            BringToFront(MoveCards[i]);
        }
    }

    const char newTag = targetTag == kTagColumnBase ? kTagColumn : targetTag;
    for (int i = 0; i <= MoveLast; ++i) imgCard[MoveCards[i]].Tag = newTag;

    if (newTag == kTagColumn) {
        const int column = ColumnOf(MoveCard);
        const int slot = SlotOf(MoveCard);
        for (int i = 0; i <= MoveLast; ++i) ColumnCards[column][slot + i] = MoveCards[i];
        if (slot + MoveLast >= kFirstSlotOverHand && column < kColumnsOverHand)
            RestackHand(kKingOfSpades);
    }

    for (int i = 0; i <= MoveLast; ++i) imgCard[MoveCards[i]].Visible = true;
    RecordMoveEnd(MoveCard);
}

// The card menu's one-card move of PopupCard onto MoveTarget.
void Game::MenuMove() {
    MoveCard = PopupCard;
    MoveCards.fill(kNoCard);
    MoveCards[0] = PopupCard;
    MoveLast = 0;
    PerformMove();
}

// Brings the hand cards to the front in hand order (Kings first, Spades first within a
// rank), from the given card to the end, so each overlaps the one before it again.
void Game::RestackHand(int card) {
    if (!IsCardImage(card)) return;
    for (int rank = Rank(card); rank >= kAce; --rank) {
        const int firstSuit = rank == Rank(card) ? SuitOf(card) : kSpades;
        for (int suit = firstSuit; suit >= kClubs; --suit) {
            const int handCard = CardNumber(suit, rank);
            if (imgCard[handCard].Tag == kTagHand) BringToFront(handCard);
        }
    }
}

}  // namespace tess
