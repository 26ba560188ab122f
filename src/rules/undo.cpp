// The move history: every move is recorded in two halves around its changes, and taken
// back one at a time down to the deal as laid out.
#include "game/game.h"

namespace tess {

namespace {

constexpr int kUndoGrowth = 20;

}  // namespace

// The before-half of the record at UndoCount, written before anything moves.
void Game::RecordMoveStart(int card) {
    if (UndoCount >= static_cast<int>(UndoRecords.size())) {
        UndoUpperBound = UndoCount;
        UndoRecords.resize(static_cast<std::size_t>(UndoUpperBound) + 1);
    }
    UndoRecord& record = UndoRecords[UndoCount];
    const CardImage& image = imgCard[card];
    record.Card = card;
    record.FromLeft = Nearest(image.Left);
    record.FromTop = Nearest(image.Top);
    record.FromTag = image.Tag;
    record.LastIndex = MoveLast;
    record.Cards = MoveCards;
}

// Completes the record, offers Undo and Restart, checks for the win, then advances the
// history, growing it by a block of records whenever the spare record is used up.
void Game::RecordMoveEnd(int card) {
    UndoRecord& record = UndoRecords[UndoCount];
    const CardImage& image = imgCard[card];
    record.ToLeft = Nearest(image.Left);
    record.ToTop = Nearest(image.Top);
    record.ToTag = image.Tag;
    record.WonGame = false;
    SetUndoItemsEnabled(true);
    CheckForWin();
    ++UndoCount;
    if (UndoCount > UndoUpperBound) {
        UndoUpperBound += kUndoGrowth;
        UndoRecords.resize(static_cast<std::size_t>(UndoUpperBound) + 1);
    }
}

// Takes back the latest move: its cards return to where they were, the source pile and
// the destination pile are repaired, and the move request describes the move before it.
void Game::UndoMove() {
    if (UndoCount < 1) return;
    EndPress();
    const UndoRecord record = UndoRecords[UndoCount - 1];
    const int n = record.LastIndex + 1;

    for (int i = 0; i <= record.LastIndex; ++i) {
        const int card = record.Cards[i];
        imgCard[card].Visible = false;
        MoveImage(card, record.FromLeft, record.FromTop + kSlotStep * i);
        BringToFront(card);
        imgCard[card].Tag = record.FromTag;
    }

    switch (record.FromTag) {
        case kTagColumn: {
            const int column = ColumnFromLeft(record.FromLeft);
            const int slot = SlotFromTop(record.FromTop);
            for (int i = 0; i <= record.LastIndex; ++i)
                ColumnCards[column][slot + i] = record.Cards[i];
            if (slot + record.LastIndex >= kFirstSlotOverHand) RestackHand(kKingOfSpades);
            break;
        }
        case kTagFoundation:
            FoundationTop[FoundationFromTop(record.FromTop)] = record.Card;
            break;
        default:
            RestackHand(record.Card);
            break;
    }

    if (record.ToTag == kTagColumn) {
        const int column = ColumnFromLeft(record.ToLeft);
        const int slot = SlotFromTop(record.ToTop);
        for (int i = 0; i <= record.LastIndex; ++i) ColumnCards[column][slot + i] = kNoCard;
    } else if (record.ToTag == kTagFoundation) {
        int& top = FoundationTop[FoundationFromTop(record.ToTop)];
        top -= n;
        if (top < CardNumber(SuitOf(record.Card), kAce)) top = kNoCard;
    }

    for (int i = 0; i <= record.LastIndex; ++i) imgCard[record.Cards[i]].Visible = true;
    if (record.WonGame) GameWon = false;
    --UndoCount;

    if (UndoCount == 0) {
        SetUndoItemsEnabled(false);
    } else {
        const UndoRecord& latest = UndoRecords[UndoCount - 1];
        MoveLast = latest.LastIndex;
        MoveCards = latest.Cards;
    }
}

}  // namespace tess
