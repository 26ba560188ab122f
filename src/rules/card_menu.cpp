// The card context menu: every legal one-card move of the card, named by where it goes.
#include "game/game.h"

namespace tess {

namespace {

constexpr std::array<std::string_view, kSuitCount> kSuitItemSuffix = {
    " of &Clubs", " of &Diamonds", " of &Hearts", " of &Spades"};

constexpr CardMenuItem SuitItem(int suit) {
    return static_cast<CardMenuItem>(kCardMenuClubs + suit);
}

}  // namespace

// Fills mnuPopupCard for the image; false when the card has no menu or nothing to offer.
bool Game::OpenCardMenu(int index) {
    if (!IsCardImage(index)) return false;
    if (imgCard[index].Tag == kTagColumn && !IsFree(index)) {
        // A covered Ace was shown whole while the button was held.
        if (Rank(index) == kAce) imgCard[kSpareImage].Visible = false;
        return false;
    }
    PopupCard = index;
    auto& items = mnuPopupCard.Items;
    mnuPopupCard.DefaultItem = -1;

    items[kCardMenuFoundation].Enabled = CanGoToFoundation(index);
    items[kCardMenuCover].Caption = "Co&ver with Available ";
    items[kCardMenuCover].Caption += SuitName[SuitOf(index)];
    items[kCardMenuCover].Enabled = CheckCover(index);
    bool anySuitItem = false;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        const bool offered = CheckMoveOnto(index, suit);
        items[SuitItem(suit)].Visible = offered;
        anySuitItem = anySuitItem || offered;
    }
    const bool homeItem = items[kCardMenuFoundation].Enabled || items[kCardMenuCover].Enabled;
    items[kCardMenuSep2].Visible = false;
    items[kCardMenuEmpty].Visible = CheckMoveToEmpty(index);
    if (items[kCardMenuEmpty].Visible && (homeItem || anySuitItem)) items[kCardMenuSep2].Visible = true;

    if (!homeItem && !anySuitItem && !items[kCardMenuEmpty].Visible) return false;

    if (imgCard[index].Tag == kTagFoundation) {
        items[kCardMenuFoundation].Visible = false;
        items[kCardMenuCover].Visible = items[kCardMenuCover].Enabled;
        if (items[kCardMenuCover].Visible) mnuPopupCard.DefaultItem = kCardMenuCover;
        return true;
    }
    items[kCardMenuCover].Visible = false;
    items[kCardMenuFoundation].Visible = items[kCardMenuFoundation].Enabled;
    if (items[kCardMenuFoundation].Enabled) {
        SetCardMenuCaptions();
        mnuPopupCard.DefaultItem = kCardMenuFoundation;
    }
    return true;
}

// The foundation item names the card it will cover: "&Move to 6 of Hearts".
void Game::SetCardMenuCaptions() {
    std::string& caption = mnuPopupCard.Items[kCardMenuFoundation].Caption;
    if (Rank(PopupCard) == kAce) {
        caption = "&Move to Foundation";
        return;
    }
    caption = "&Move to ";
    caption += RankName[Rank(PopupCard) - 1];
    caption += " of ";
    caption += SuitName[SuitOf(PopupCard)];
}

// An Ace, or the card one rank above the top of its suit's foundation.
bool Game::CanGoToFoundation(int card) const {
    if (imgCard[card].Tag == kTagFoundation) return false;
    if (Rank(card) == kAce) return true;
    const int f = FoundationOfSuit(SuitOf(card));
    return f >= 0 && Rank(card) - Rank(FoundationTop[f]) == 1;
}

// A foundation's top card whose next card of the suit is free to come up.
bool Game::CheckCover(int card) {
    if (imgCard[card].Tag != kTagFoundation || Rank(card) == kKing) return false;
    return IsFree(card + 1);
}

// The card of the given suit one rank higher lies free at the bottom of a column.
bool Game::CheckMoveOnto(int card, int suit) {
    const int rank = Rank(card);
    const int lowest = imgCard[card].Tag == kTagFoundation ? 2 : 1;
    if (rank < lowest || rank > kQueen) return false;
    const int target = CardNumber(suit, rank + 1);
    if (imgCard[target].Tag != kTagColumn || !IsFree(target)) return false;
    MenuItem& item = mnuPopupCard.Items[SuitItem(suit)];
    item.Caption = "Move to ";
    item.Caption += RankName[rank + 1];
    item.Caption += kSuitItemSuffix[suit];
    item.Tag = target;
    return true;
}

// Some column is empty, and the card is not a foundation's Ace or Two.
bool Game::CheckMoveToEmpty(int card) {
    if (imgCard[card].Tag == kTagFoundation && Rank(card) <= kTwo) return false;
    for (int c = 0; c < kColumns; ++c) {
        if (ColumnCards[c][0] == kNoCard) {
            mnuPopupCard.Items[kCardMenuEmpty].Tag = ColumnBase(c);
            return true;
        }
    }
    return false;
}

// Only an item the menu offered can be chosen; a stale tag must never reach PerformMove.
void Game::mnuPopupCard_Click(CardMenuItem item) {
    if (item < 0 || item >= kCardMenuItemCount) return;
    const MenuItem& chosen = mnuPopupCard.Items[item];
    if (!chosen.Visible || !chosen.Enabled || !IsCardImage(PopupCard)) return;
    switch (item) {
        case kCardMenuFoundation:
        case kCardMenuCover:
            imgCard_DblClick(PopupCard);
            break;
        case kCardMenuClubs:
        case kCardMenuDiamonds:
        case kCardMenuHearts:
        case kCardMenuSpades:
        case kCardMenuEmpty:
            MoveTarget = chosen.Tag;
            MenuMove();
            break;
        case kCardMenuSep2:
        case kCardMenuItemCount:
            break;
    }
}

}  // namespace tess
