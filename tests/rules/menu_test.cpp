// The right button on the table: the card menu and the Ace peek. The window's tests and the
// long random play drag the cards.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

using Items = std::vector<std::string>;

// The visible items in order: "-" for a separator, "*" before the default item (shown even
// when hidden).
Items Shown(const PopupMenu<kCardMenuItemCount>& menu) {
    Items shown;
    for (std::size_t i = 0; i < menu.Items.size(); ++i)
        if (const MenuItem& m = menu.Items[i]; m.Visible || static_cast<int>(i) == menu.DefaultItem)
            shown.push_back((static_cast<int>(i) == menu.DefaultItem ? "*" : "") +
                            (m.Separator ? std::string("-") : m.Caption));
    return shown;
}

// The card on top of a pile, named by its base image.
int TopOf(const Game& game, int base) {
    if (base < ColumnBase(0)) return game.FoundationTop[base - FoundationBase(0)];
    const int c = base - ColumnBase(0);
    return game.ColumnCards[c][std::max(0, game.LastRowInColumn(c))];
}

// 7H, 8C, 8S, 7D and 3C end columns 0..4, 8D lies covered in column 3 and column 5 is empty;
// 6H, 5D and 2S top foundations 0..2; KH, AC, 6D and 3S are in the hand.
constexpr const char* kMenuTable = "* 7H | * 8C | * 8S | * 8D KC 7D | * 3C / 6H 5D 2S / KH AC 6D 3S";

// The menu shown (none: no menu opens); the item chosen, the card it moves and the pile it
// ends on.
struct MenuCase {
    int index;
    Items shown;
    CardMenuItem choice = kCardMenuItemCount;
    int moved = -1, pile = ColumnBase(0);
};

TEST_F(RulesTest, CardMenusOfferTheLegalOneCardMoves) {
    const std::vector<MenuCase> cases = {
        {C("7H"), {"*&Move to 6 of Hearts", "Move to 8 of &Clubs", "Move to 8 of &Spades", "-",
                   "Move to &Empty Column"}, kCardMenuClubs, C("7H"), ColumnBase(1)},
        // The hidden Clubs item still holds the eight from the row above: it moves nothing.
        {C("KH"), {"Move to &Empty Column"}, kCardMenuClubs},
        {C("KH"), {"Move to &Empty Column"}, kCardMenuEmpty, C("KH"), ColumnBase(5)},
        {C("AC"), {"*&Move to Foundation", "-", "Move to &Empty Column"}, kCardMenuFoundation,
         C("AC"), FoundationBase(3)},
        {C("5D"), {"*Co&ver with Available Diamonds", "-", "Move to &Empty Column"},
         kCardMenuCover, C("7D"), FoundationBase(1)},
        {C("2S"), {"*Co&ver with Available Spades"}},  // nothing onto 3C for a foundation Two
        {C("8D"), {}}, {kSpareImage, {}}, {FoundationBase(3), {}}, {ColumnBase(5), {}}};
    for (const MenuCase& row : cases) {
        Table(kMenuTable);
        game.imgCard_MouseDown(row.index, kRightButton, 300, 300);
        const bool opens = game.imgCard_MouseUp(row.index, kRightButton, 300, 300);
        EXPECT_EQ(opens ? Shown(game.cardMenu()) : Items{}, row.shown) << row.index;
        game.mnuPopupCard_Click(row.choice);
        EXPECT_EQ(game.UndoCount > 0 ? TopOf(game, row.pile) : -1, row.moved) << row.index;
    }
}

// A right press shows a covered Ace whole until the release or a double-click ends it; a
// free Ace shows nothing (the window's tests press a covered card that is no Ace). A
// foundation card whose next card up lies covered is not offered Cover.
TEST_F(RulesTest, RightPressPeeksAtACoveredAceOnly) {
    Table("AH KH | AS | 7D QC | * | * / - 6D");  // column 5 stays empty
    const CardImage& spare = game.imgCard[kSpareImage];
    game.imgCard_MouseDown(C("AS"), kRightButton, 300, 300);  // a free Ace
    EXPECT_FALSE(spare.Visible);
    game.imgCard_MouseDown(C("AH"), kRightButton, 300, 300);
    EXPECT_TRUE(spare.Visible && spare.Picture == C("AH"));
    EXPECT_EQ(game.ImageAt(ColumnLeft(0) + 30, SlotTop(0) + 50), kSpareImage);  // over the King
    EXPECT_FALSE(game.imgCard_MouseUp(C("AH"), kRightButton, 300, 300) || spare.Visible);
    game.imgCard_MouseDown(C("AH"), kRightButton, 300, 300);
    game.imgCard_DblClick(C("KH"));  // the picture must not outlive the Ace's place
    EXPECT_FALSE(spare.Visible);
    EXPECT_TRUE(game.imgCard_MouseUp(C("6D"), kRightButton, 300, 300));  // the empty column is offered
    EXPECT_FALSE(game.cardMenu().Items[kCardMenuCover].Visible);
}

}  // namespace
}  // namespace tess::test
