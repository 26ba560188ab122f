// Dragging cards with the left button, the drop decision, and the right-button Ace peek.
#include "game/game.h"

namespace tess {

namespace {

// Where the reference point of a drop lies, before the rules are asked.
struct DropZone {
    int Column = -1;
    int Foundation = -1;
};

// Column c spans nearest(x) 8 + 81c .. 76 + 81c; foundations take the raw y.
DropZone ZoneAt(double x, double y) {
    DropZone zone;
    const int xr = Nearest(x);
    for (int c = 0; c < kColumns; ++c) {
        if (xr >= 8 + 81 * c && xr <= 76 + 81 * c) {
            zone.Column = c;
            return zone;
        }
    }
    if (xr >= 498 && xr <= 566) {
        for (int f = 0; f < kFoundations; ++f) {
            if (y >= 16 + 104 * f && y <= 111 + 104 * f) {
                zone.Foundation = f;
                return zone;
            }
        }
    }
    return zone;
}

}  // namespace

void Game::imgCard_MouseDown(int index, int button, double x, double y) {
    if (Dragging) return;
    if (button == kRightButton) {
        // A covered Ace shows whole while the right button is held.
        if (!IsCardImage(index) || Rank(index) != kAce || imgCard[index].Tag != kTagColumn) return;
        const int slot = SlotOf(index);
        if (slot + 1 >= kSlots || ColumnCards[ColumnOf(index)][slot + 1] == kNoCard) return;
        CardImage& spare = imgCard[kSpareImage];
        MoveImage(kSpareImage, imgCard[index].Left, imgCard[index].Top);
        spare.Picture = index;
        BringToFront(kSpareImage);
        spare.Visible = true;
        return;
    }
    if (button != kLeftButton || !IsCardImage(index)) return;

    if (!PickUpCards(index)) {
        ReloadMoveFromNewestRecord();
        return;
    }
    DragOriginLeft = imgCard[index].Left;
    DragOriginTop = imgCard[index].Top;
    DragLastTop = imgCard[MoveCards[MoveLast]].Top;
    DragOriginColumn = ColumnFromLeft(DragOriginLeft);
    DragOriginSlot = SlotFromTop(DragOriginTop);
    if (DragOriginLeft >= kFoundationLeft) {
        DragOriginColumn = 0;
        DragOriginSlot = 0;
    }
    ComposeDragPicture();
    Dragging = true;
    DragMoved = false;
    DragCancelled = false;
    DragStartX = x;
    DragStartY = y;
    platform().SetTopmost(true);
}

void Game::imgCard_MouseMove(int index, int buttons, double x, double y) {
    if (DragCancelled) {
        DragCancelled = false;
        Dragging = false;
        picForDragging.Visible = false;
        RestoreDraggedCards(index);
        return;
    }
    if (!platform().IsForeground()) {
        // Another window took the foreground: the drag is broken off.
        if (Dragging) {
            DragCancelled = true;
            Dragging = false;
            picForDragging.Visible = false;
            platform().SetTopmost(false);
            RestoreDraggedCards(index);
        }
        return;
    }
    if (buttons != kLeftButton || !Dragging) return;
    if (!DragMoved) {
        if (x == DragStartX && y == DragStartY) return;
        DragMoved = true;
        for (int i = 0; i <= MoveLast; ++i) imgCard[MoveCards[i]].Visible = false;
        picForDragging.Visible = true;
    }
    MoveDragPicture(x, y);
}

bool Game::imgCard_MouseUp(int index, int button, double /*x*/, double /*y*/) {
    if (button == kRightButton) {
        // A menu opened in the middle of a drag would move cards under the drag's feet.
        if (Dragging) return false;
        return OpenCardMenu(index);
    }
    if (button != kLeftButton || !Dragging) return false;

    platform().SetTopmost(false);
    Dragging = false;
    if (!DragMoved) {
        RestoreDraggedCards(index);
        return false;
    }
    const double pL = picForDragging.Left;
    const double pT = picForDragging.Top;
    if (pL == DragOriginLeft && pT == DragOriginTop) {
        picForDragging.Visible = false;
        RestoreDraggedCards(index);
        return false;
    }

    double refX = pL;
    double refY = pT;
    switch (DropPointMode) {
        case DropPoint::MaxOverlap:
            refX = pL + 35;
            refY = pT + 47;
            break;
        case DropPoint::MousePointer:
            refX = pL + DragStartX / kTwipsPerUnitX;
            refY = pT + DragStartY / kTwipsPerUnitY;
            break;
        case DropPoint::CardULCorner:
        case DropPoint::AnyCorner:
            break;
    }
    const DropDecision drop = FindDropTarget(refX, refY);
    picForDragging.Visible = false;
    if (drop.Legal) {
        MoveCard = index;
        MoveTarget = drop.Target;
        PerformMove();
    } else {
        RestoreDraggedCards(index);
    }
    return false;
}

// Puts the table back after a drag that moved nothing.
void Game::RestoreDraggedCards(int index) {
    for (int i = 0; i <= MoveLast; ++i) {
        if (IsCardImage(MoveCards[i])) imgCard[MoveCards[i]].Visible = true;
    }
    ReloadMoveFromNewestRecord();
    if (index < 0 || index >= kImageCount) return;
    if (imgCard[index].Tag == kTagHand) {
        RestackHand(index);
    } else if (imgCard[index].Tag == kTagColumn && DragLastTop >= kHandBandTop) {
        RestackHand(kKingOfSpades);
    }
}

void Game::EndPress() {
    imgCard[kSpareImage].Visible = false;
    if (!Dragging) return;
    Dragging = false;
    picForDragging.Visible = false;
    platform().SetTopmost(false);
    RestoreDraggedCards(MoveCards[0]);  // the lead is the pressed card
}

// Target is the destination under the point (or -1); Legal says whether the rules take
// MoveCards there. Only cards picked up from a column can be dropped "where they lie".
DropDecision Game::FindDropTarget(double x, double y) const {
    DropDecision decision;
    const DropZone zone = ZoneAt(x, y);
    if (zone.Column >= 0) {
        const int c = zone.Column;
        const int s = LastRowInColumn(c);
        const int yr = Nearest(y);
        if (yr < 18 * s + 8 || yr > 18 * s + 102) return decision;
        const bool fromColumn = IsCardImage(MoveCards[0]) && imgCard[MoveCards[0]].Tag == kTagColumn;
        if (fromColumn && c == DragOriginColumn && s == DragOriginSlot) return decision;
        decision.Target = s >= 0 ? ColumnCards[c][s] : ColumnBase(c);
        decision.Legal = RunFitsColumn(c);
    } else if (zone.Foundation >= 0) {
        decision.Target = FoundationBase(zone.Foundation);
        decision.Legal = RunFitsFoundationPile(zone.Foundation);
    }
    return decision;
}

void Game::SelectDropPoint(DropPoint mode) { DropPointMode = mode; }

// Between drags MoveCards and MoveLast describe the latest recorded move.
void Game::ReloadMoveFromNewestRecord() {
    if (UndoCount < 1) return;
    const UndoRecord& newest = UndoRecords[UndoCount - 1];
    MoveLast = newest.LastIndex;
    MoveCards = newest.Cards;
}

// The picture is composed once per press; the view redraws it when Serial changes.
void Game::ComposeDragPicture() {
    picForDragging.Visible = false;
    picForDragging.Height = kSlotStep * MoveLast + kCardHeight;
    picForDragging.Cards.fill(kNoCard);
    for (int i = 0; i <= MoveLast; ++i) picForDragging.Cards[i] = MoveCards[i];
    picForDragging.Count = MoveLast + 1;
    picForDragging.Left = DragOriginLeft;
    picForDragging.Top = DragOriginTop;
    ++picForDragging.Serial;
}

// x, y: the pointer in twips relative to the pressed image.
void Game::MoveDragPicture(double x, double y) {
    picForDragging.Left = DragOriginLeft + (x - DragStartX) / kTwipsPerUnitX;
    picForDragging.Top = DragOriginTop + (y - DragStartY) / kTwipsPerUnitY;
}

}  // namespace tess
