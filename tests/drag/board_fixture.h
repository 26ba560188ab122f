// A table under the mouse: crafted layouts, and presses, moves and releases as a player makes them.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "game/game.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {

// One suit from a high card down: SuitRun("KC", "6C") is the King of Clubs down to the six.
inline std::vector<int> SuitRun(const char* from, const char* to) {
    std::vector<int> cards;
    for (int card = C(from); card >= C(to); --card) cards.push_back(card);
    return cards;
}

// Everything a drag may disturb: places, areas and visibility of every card and the spare.
inline auto Snapshot(const Game& game) {
    std::vector<std::tuple<double, double, char, bool>> images;
    for (int i = 0; i <= kSpareImage; ++i) {
        const CardImage& image = game.imgCard[i];
        images.emplace_back(image.Left, image.Top, image.Tag, image.Visible);
    }
    return std::make_tuple(game.ColumnCards, game.FoundationTop, images, game.UndoCount);
}

// The visible items of a menu in order; "-" for a separator, "*" before the default item.
template <std::size_t N>
std::vector<std::string> Shown(const PopupMenu<N>& menu) {
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < N; ++i) {
        const MenuItem& item = menu.Items[i];
        if (!item.Visible) continue;
        std::string text = item.Separator ? "-" : item.Caption;
        if (!item.Enabled) text = "(disabled) " + text;
        if (static_cast<int>(i) == menu.DefaultItem) text = "*" + text;
        shown.push_back(text);
    }
    return shown;
}

class BoardTest : public ::testing::Test {
protected:
    // Where the player grabs a card, in twips inside its image.
    static constexpr double kGrabX = 500;
    static constexpr double kGrabY = 600;

    void Table(const TableSetup& setup) { SetUpTable(game, setup); }

    void Press(int card, double x = kGrabX, double y = kGrabY) {
        game.imgCard_MouseDown(card, kLeftButton, x, y);
    }
    // Moves the pointer so that the picture's upper-left corner stands at (left, top).
    void CarryTo(int card, double left, double top) {
        game.imgCard_MouseMove(card, kLeftButton,
                               game.DragStartX + (left - game.DragOriginLeft) * kTwipsPerUnitX,
                               game.DragStartY + (top - game.DragOriginTop) * kTwipsPerUnitY);
    }
    bool Release(int card) { return game.imgCard_MouseUp(card, kLeftButton, kGrabX, kGrabY); }
    void DragTo(int card, double left, double top, double grabX = kGrabX, double grabY = kGrabY) {
        Press(card, grabX, grabY);
        CarryTo(card, left, top);
        Release(card);
    }
    // Drops the picture one slot below the column's last card (or at the top of an empty one).
    void DragToColumn(int card, int column) {
        DragTo(card, ColumnLeft(column), SlotTop(game.LastRowInColumn(column) + 1));
    }
    void DragToFoundation(int card, int foundation) {
        DragTo(card, kFoundationLeft, FoundationTopPos(foundation));
    }

    std::vector<int> Column(int c) const {
        std::vector<int> cards;
        for (int s = 0; s < kSlots && game.ColumnCards[c][s] != kNoCard; ++s)
            cards.push_back(game.ColumnCards[c][s]);
        return cards;
    }
    bool AllCardsVisible() const {
        for (int card = 0; card < kCardCount; ++card)
            if (!game.imgCard[card].Visible) return false;
        return true;
    }

    RecordingPlatform platform;
    Game game{platform};
};

}  // namespace tess::test
