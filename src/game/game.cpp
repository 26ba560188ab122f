// The table's set-up, shared queries and its consistency check.
#include "game/game.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <sstream>

namespace tess {

std::string CardName(int card) {
    std::string name(RankName[Rank(card)]);
    name += " of ";
    name += SuitName[SuitOf(card)];
    return name;
}

namespace {

PopupMenu<kCardMenuItemCount> DefinedCardMenu() {
    PopupMenu<kCardMenuItemCount> menu;
    menu.Items[kCardMenuFoundation].Caption = "&Move to Foundation";
    menu.Items[kCardMenuCover].Caption = "Co&ver with Available Cards";
    menu.Items[kCardMenuClubs].Caption = "Move to X of &Clubs";
    menu.Items[kCardMenuDiamonds].Caption = "Move to X of &Diamonds";
    menu.Items[kCardMenuHearts].Caption = "Move to X of &Hearts";
    menu.Items[kCardMenuSpades].Caption = "Move to X of &Spades";
    menu.Items[kCardMenuSep2].Separator = true;
    menu.Items[kCardMenuEmpty].Caption = "Move to &Empty Column";
    return menu;
}

PopupMenu<kGameMenuItemCount> DefinedGameMenu() {
    PopupMenu<kGameMenuItemCount> menu;
    menu.Items[kGameMenuUndo].Caption = "&Undo Move";
    menu.Items[kGameMenuRestart].Caption = "&Restart Current Game";
    menu.Items[kGameMenuSep1].Separator = true;
    menu.Items[kGameMenuNew].Caption = "Start &New Game";
    menu.Items[kGameMenuOpen].Caption = "&Open Saved Game...";
    menu.Items[kGameMenuSave].Caption = "&Save Current Game";
    menu.Items[kGameMenuSaveAs].Caption = "Save Current Game &As...";
    return menu;
}

}  // namespace

// The images get their pictures, tags and the bases their places, as the window loads.
Game::Game(Platform& platform)
    : platform_(platform), mnuPopupCard(DefinedCardMenu()), mnuPopupGame(DefinedGameMenu()) {
    for (int i = 0; i < kCardCount; ++i) imgCard[i].Picture = i;
    imgCard[kSpareImage].Tag = kTagSpare;
    for (int f = 0; f < kFoundations; ++f) {
        CardImage& base = imgCard[FoundationBase(f)];
        base.Tag = kTagFoundation;
        base.Left = kFoundationLeft;
        base.Top = FoundationTopPos(f);
        base.Picture = CardImage::kPileBasePicture;
    }
    for (int c = 0; c < kColumns; ++c) {
        CardImage& base = imgCard[ColumnBase(c)];
        base.Tag = kTagColumnBase;
        base.Left = ColumnLeft(c);
        base.Top = SlotTop(0);
        base.Picture = CardImage::kPileBasePicture;
    }
    picForDragging.Cards.fill(kNoCard);
    picForDragging.Cards[0] = 0;
    picForDragging.Count = 1;
    MoveCards.fill(kNoCard);
    FoundationTop.fill(kNoCard);
    ClearColumns();
    UndoUpperBound = 20;
    UndoRecords.resize(UndoUpperBound + 1);
}

bool Game::IsFree(int card) const {
    const CardImage& image = imgCard[card];
    if (image.Tag == kTagHand) return true;
    if (image.Tag != kTagColumn) return false;
    const int slot = SlotOf(card);
    return slot + 1 < kSlots && ColumnCards[ColumnOf(card)][slot + 1] == kNoCard;
}

int Game::FoundationOfSuit(int suit) const {
    for (int f = 0; f < kFoundations; ++f) {
        if (FoundationTop[f] != kNoCard && SuitOf(FoundationTop[f]) == suit) return f;
    }
    return -1;
}

std::vector<int> Game::PaintOrder() const {
    std::vector<int> order;
    order.reserve(kImageCount);
    for (int i = 0; i < kImageCount; ++i) {
        if (imgCard[i].Visible) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return imgCard[a].ZOrder < imgCard[b].ZOrder; });
    return order;
}

int Game::ImageAt(double x, double y) const {
    int hit = -1;
    for (int i = 0; i < kImageCount; ++i) {
        const CardImage& image = imgCard[i];
        if (!image.Visible) continue;
        if (x < image.Left || x >= image.Left + kCardWidth) continue;
        if (y < image.Top || y >= image.Top + kCardHeight) continue;
        if (hit < 0 || image.ZOrder > imgCard[hit].ZOrder) hit = i;
    }
    return hit;
}

namespace {

// Deeper column cards and higher foundation cards lie in front, the hand lies in front
// of the long columns that reach into it, and no card is ever behind a base.
void CheckStacking(const Game& game, std::ostream& out) {
    for (int c = 0; c < kColumns; ++c) {
        for (int s = 1; s < kSlots && game.ColumnCards[c][s] != kNoCard; ++s) {
            const int above = game.ColumnCards[c][s - 1];
            const int card = game.ColumnCards[c][s];
            if (!IsCardImage(above) || !IsCardImage(card)) continue;
            if (game.imgCard[card].ZOrder <= game.imgCard[above].ZOrder)
                out << CardName(card) << " lies behind the card above it\n";
        }
    }
    for (int f = 0; f < kFoundations; ++f) {
        const int top = game.FoundationTop[f];
        if (top < 0 || top >= kCardCount) continue;
        for (int card = top - Rank(top) + 1; card <= top; ++card) {
            if (game.imgCard[card].ZOrder <= game.imgCard[card - 1].ZOrder)
                out << CardName(card) << " lies behind the card below it on its foundation\n";
        }
    }
    for (int hand = 0; hand < kCardCount; ++hand) {
        if (game.imgCard[hand].Tag != kTagHand) continue;
        for (int c = 0; c < kColumnsOverHand; ++c) {
            if (std::abs(game.imgCard[hand].Left - ColumnLeft(c)) >= kCardWidth) continue;
            for (int s = kFirstSlotOverHand; s < kSlots && game.ColumnCards[c][s] != kNoCard; ++s) {
                const int card = game.ColumnCards[c][s];
                if (IsCardImage(card) && game.imgCard[card].ZOrder >= game.imgCard[hand].ZOrder)
                    out << CardName(card) << " covers " << CardName(hand) << " in the hand\n";
            }
        }
    }
    std::uint64_t lowestCard = UINT64_MAX;
    for (int card = 0; card < kCardCount; ++card)
        lowestCard = std::min(lowestCard, game.imgCard[card].ZOrder);
    for (int i = kFirstFoundationBase; i < kImageCount; ++i) {
        if (game.imgCard[i].ZOrder >= lowestCard)
            out << "base image " << i << " is in front of a card\n";
    }
}

void CheckBasesAndHistory(const Game& game, std::ostream& out) {
    for (int f = 0; f < kFoundations; ++f) {
        const CardImage& base = game.imgCard[FoundationBase(f)];
        if (base.Tag != kTagFoundation || base.Left != kFoundationLeft ||
            base.Top != FoundationTopPos(f))
            out << "foundation base " << f << " has moved\n";
    }
    for (int c = 0; c < kColumns; ++c) {
        const CardImage& base = game.imgCard[ColumnBase(c)];
        if (base.Tag != kTagColumnBase || base.Left != ColumnLeft(c) || base.Top != SlotTop(0))
            out << "column base " << c << " has moved\n";
    }
    if (game.imgCard[kSpareImage].Tag != kTagSpare)
        out << "the spare image has tag " << game.imgCard[kSpareImage].Tag << "\n";
    // A spare record always waits at UndoCount for the next move.
    const int bound = game.UndoUpperBound;
    if (bound < 0 || static_cast<int>(game.UndoRecords.size()) != bound + 1)
        out << "the history has " << game.UndoRecords.size() << " records, bound " << bound << "\n";
    if (game.UndoCount < 0 || game.UndoCount > bound)
        out << "the history counts " << game.UndoCount << " moves within bound " << bound << "\n";
}

}  // namespace

std::string Game::CheckInvariants() const {
    std::ostringstream out;
    std::array<int, kCardCount> seen{};

    for (int c = 0; c < kColumns; ++c) {
        bool ended = false;
        for (int s = 0; s < kSlots; ++s) {
            const int card = ColumnCards[c][s];
            if (card == kNoCard) {
                ended = true;
                continue;
            }
            if (ended) out << "column " << c << " has a gap above slot " << s << "\n";
            if (card < 0 || card >= kCardCount) {
                out << "column " << c << " slot " << s << " holds " << card << "\n";
                continue;
            }
            ++seen[card];
            const CardImage& image = imgCard[card];
            if (image.Tag != kTagColumn)
                out << CardName(card) << " is in column " << c << " but tagged " << image.Tag << "\n";
            if (image.Left != ColumnLeft(c) || image.Top != SlotTop(s))
                out << CardName(card) << " is not at column " << c << " slot " << s << "\n";
        }
    }
    for (int f = 0; f < kFoundations; ++f) {
        const int top = FoundationTop[f];
        if (top == kNoCard) continue;
        if (top < 0 || top >= kCardCount) {
            out << "foundation " << f << " has top " << top << "\n";
            continue;
        }
        for (int card = top - Rank(top); card <= top; ++card) {
            ++seen[card];
            const CardImage& image = imgCard[card];
            if (image.Tag != kTagFoundation || image.Left != kFoundationLeft ||
                image.Top != FoundationTopPos(f))
                out << CardName(card) << " should lie on foundation " << f << "\n";
        }
    }
    for (int card = 0; card < kCardCount; ++card) {
        const CardImage& image = imgCard[card];
        if (image.Tag == kTagHand) {
            ++seen[card];
            const auto at = std::find(DealOrder.begin() + 36, DealOrder.end(), card);
            if (at == DealOrder.end()) {
                out << CardName(card) << " is in the hand but was dealt to a column\n";
            } else if (image.Left != HandLeft(static_cast<int>(at - DealOrder.begin()) - 36) ||
                       image.Top != kHandTop) {
                out << CardName(card) << " has left its hand place\n";
            }
        } else if (image.Tag != kTagColumn && image.Tag != kTagFoundation) {
            out << CardName(card) << " has tag " << image.Tag << "\n";
        }
        if (seen[card] != 1) out << CardName(card) << " is in " << seen[card] << " places\n";
        // Only a drag in progress hides cards, those it carries; every other event ends with
        // all of them shown.
        const auto carried = MoveCards.begin() + (Dragging ? MoveLast + 1 : 0);
        if (!image.Visible && std::find(MoveCards.begin(), carried, card) == carried)
            out << CardName(card) << " is hidden\n";
    }
    for (int c = 0; c < kColumns; ++c) {
        if (ColumnCards[c][kSlots - 1] != kNoCard) out << "column " << c << " reaches its last slot\n";
    }
    CheckStacking(*this, out);
    CheckBasesAndHistory(*this, out);
    return out.str();
}

}  // namespace tess
