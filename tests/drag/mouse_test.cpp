// The table under the mouse: drag and drop, the Ace peek and the card menu.
#include <algorithm>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "game/game.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {
namespace {

using Items = std::vector<std::string>;

// One suit from a high card down: SuitRun("KC", "6C").
std::vector<int> SuitRun(const char* from, const char* to) {
    std::vector<int> cards;
    for (int card = C(from); card >= C(to); --card) cards.push_back(card);
    return cards;
}

// Columns 0..2 end in 6C, 6D, 6S (slot 7) and 3..5 are empty: the five of Hearts in the hand
// fits every column and foundation 2 alone.
TableSetup ZoneTable() {
    return {{{SuitRun("KC", "6C"), SuitRun("KD", "6D"), SuitRun("KS", "6S"), {}, {}, {}}},
            {C("5C"), C("5D"), C("4H"), C("5S")}};
}

// Everything a drag may disturb: the piles, every image and the history.
auto Snapshot(const Game& game) {
    std::vector<std::tuple<double, double, char, bool>> images;
    for (const CardImage& i : game.imgCard) images.emplace_back(i.Left, i.Top, i.Tag, i.Visible);
    return std::make_tuple(game.ColumnCards, game.FoundationTop, images, game.UndoCount);
}

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

class MouseTest : public ::testing::Test {
protected:
    static constexpr double kGrabX = 500, kGrabY = 600;  // twips inside the pressed image

    void Table(const TableSetup& setup) { SetUpTable(game, setup); }
    void Press(int card) { game.imgCard_MouseDown(card, kLeftButton, kGrabX, kGrabY); }
    void Move(int card, double x, double y) { game.imgCard_MouseMove(card, kLeftButton, x, y); }
    void Release(int card) { game.imgCard_MouseUp(card, kLeftButton, kGrabX, kGrabY); }
    // Moves the pointer so that the picture's upper-left corner stands at (left, top).
    void CarryTo(int card, double left, double top) {
        Move(card, game.DragStartX + (left - game.DragOriginLeft) * kTwipsPerUnitX,
             game.DragStartY + (top - game.DragOriginTop) * kTwipsPerUnitY);
    }
    void DragTo(int card, double left, double top) { Press(card), CarryTo(card, left, top), Release(card); }
    // Drops the picture one slot below the column's last card (or at the top of an empty one).
    void DragToColumn(int card, int c) { DragTo(card, ColumnLeft(c), SlotTop(game.LastRowInColumn(c) + 1)); }

    RecordingPlatform platform;
    Game game{platform};
};

// The zones' bounds for the five of Hearts; -1 is no destination. Columns take nearest(x)
// 8 + 81c .. 76 + 81c, foundations nearest(x) 498..566 and the raw y 16 + 104f .. 111 + 104f.
// A column counts only level with its last card (slot 7 here: 134..228), an empty one -10..84.
TEST_F(MouseTest, DropZonesAndBands) {
    Table(ZoneTable());
    Press(C("5H"));
    const int c0 = C("6C"), c1 = C("6D"), c2 = C("6S");
    const std::vector<std::tuple<double, double, int>> cases = {
        {7.4, 180, -1}, {7.5, 180, c0}, {76.5, 180, c0}, {77, 180, -1}, {88.5, 180, -1}, {89, 180, c1},
        {200, 180, c2}, {250, 50, -1}, {251, 50, 60}, {366, 50, 61}, {447, 50, 62}, {497, 250, -1},
        {497.5, 250, 55}, {566.5, 250, 55}, {567, 250, -1}, {530, 15.9, -1}, {530, 16, 53}, {530, 111, 53},
        {530, 111.2, -1}, {530, 119.8, -1}, {530, 120, 54}, {530, 400, 56}, {530, 423.1, -1}, {40, 133.4, -1},
        {40, 133.5, c0}, {40, 228.5, c0}, {40, 228.6, -1}, {290, -10.6, -1}, {290, -10.5, 60}, {290, 84.5, 60},
        {290, 84.6, -1}};
    for (const auto& [x, y, target] : cases) {
        const bool legal = target >= 0 && target != 53 && target != 54 && target != 56;
        const DropDecision drop = game.FindDropTarget(x, y);
        EXPECT_EQ(std::pair(drop.Target, drop.Legal), std::pair(target, legal)) << x << ", " << y;
    }
}

// After the Ace of Diamonds went home, every drag that moves nothing puts the table back and
// reloads the move request from the newest undo record. The lone hand card, the five of
// Hearts, lies level with the 6C ending column 2, where it fits; column 5 is empty. With the
// column's foot over the hand, a restored hand card, or a run that reached the hand's band,
// brings the hand back in front.
TEST_F(MouseTest, DragsThatMoveNothingPutEverythingBack) {
    std::vector<int> column2 = SuitRun("KS", "AS"), clubs = SuitRun("9C", "6C");
    column2.insert(column2.end(), clubs.begin(), clubs.end());
    Table({{{SuitRun("KD", "AD"), SuitRun("KH", "6H"), column2, SuitRun("KC", "10C"),
             SuitRun("5C", "AC"), {}}}, {kNoCard, kNoCard, C("4H"), kNoCard}});
    DragTo(C("AD"), kFoundationLeft, FoundationTopPos(0));
    const auto after = Snapshot(game);
    const std::vector<std::tuple<const char*, bool, std::function<void()>>> endings = {
        {"no movement", false, [&] { Press(C("2D")); Release(C("2D")); }},
        {"back at origin", true, [&] {
             Press(C("5H"));
             const double x = game.DragOriginLeft + 35, y = game.DragOriginTop + 47;
             ASSERT_TRUE(game.FindDropTarget(x, y).Legal);  // it would fit where it lies
             CarryTo(C("5H"), 300, 300); Move(C("5H"), kGrabX, kGrabY); Release(C("5H")); }},
        {"no destination", true, [&] { DragTo(C("9C"), 45, 200); }},
        {"illegal drop", false, [&] { DragToColumn(C("2D"), 1); }},
        {"own position", false, [&] { Press(C("2D"));  // not even a destination
             EXPECT_EQ(game.FindDropTarget(40, 250).Target, -1); Release(C("2D")); }},
        {"run on its own column", false, [&] { DragToColumn(C("3D"), 0); }},
        // The five of Hearts would fit on the 6C, the Two of Diamonds does not; nor does a
        // right release open the five's menu.
        {"second press", false, [&] { Press(C("2D")); Press(C("5H"));
             EXPECT_FALSE(game.imgCard_MouseUp(C("5H"), kRightButton, 0, 0));
             CarryTo(C("2D"), ColumnLeft(2), SlotTop(17)); Release(C("2D")); }},
        // Column 5 would take the Two; the release after the break must not drop it there.
        {"broken off", false, [&] {
             Press(C("2D")); CarryTo(C("2D"), ColumnLeft(5), SlotTop(0));
             platform.foreground = false; CarryTo(C("2D"), ColumnLeft(5), SlotTop(1));
             EXPECT_TRUE(game.imgCard[C("2D")].Visible && !platform.topmost);
             platform.foreground = true; Release(C("2D")); Move(C("2D"), 0, 0); }},
        {"nothing picked up", false, [&] { Press(C("KS")); }}};
    for (const auto& [name, restacks, ending] : endings) {
        game.BringToFront(C("6C"));
        game.MoveCards.fill(C("KH"));
        game.MoveLast = 5;
        ending();
        EXPECT_EQ(Snapshot(game), after) << name;
        EXPECT_EQ(std::pair(game.MoveCards, game.MoveLast), std::pair(game.UndoRecords[0].Cards, 0))
            << name;
        EXPECT_FALSE(game.Dragging || game.picForDragging.Visible || platform.topmost) << name;
        EXPECT_EQ(game.imgCard[C("5H")].ZOrder > game.imgCard[C("6C")].ZOrder, restacks) << name;
    }
}

// 7H, 8C, 8S, 7D and 3C end columns 0..4, 8D lies covered in column 3 and column 5 is empty;
// 6H, 5D and 2S top foundations 0..2; KH, AC, 6D and 3S are in the hand.
TableSetup MenuTable() {
    // Column 5 holds the column ends and the hand aside while the rest fills columns 0..4.
    TableSetup t{{{{}, {}, {}, {C("8D")}, {}, {C("7H"), C("8C"), C("8S"), C("7D"), C("3C"), C("KH"),
                                               C("AC"), C("6D"), C("3S")}}},
                 {C("6H"), C("5D"), C("2S"), kNoCard}};
    FillColumns(t, {0, 1, 2, 3, 4}, 0);
    for (std::size_t c = 0; c < 5; ++c) t.columns[c].push_back(t.columns[5][c]);
    t.columns[5].clear();
    return t;
}

// The menu shown (none: no menu opens); the item chosen, the card it moves and the pile it
// ends on.
struct MenuCase {
    int index;
    Items shown;
    CardMenuItem choice = kCardMenuItemCount;
    int moved = -1, pile = ColumnBase(0);
};

TEST_F(MouseTest, CardMenusOfferTheLegalOneCardMoves) {
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
        Table(MenuTable());
        game.imgCard_MouseDown(row.index, kRightButton, 300, 300);
        const bool opens = game.imgCard_MouseUp(row.index, kRightButton, 300, 300);
        EXPECT_EQ(opens ? Shown(game.cardMenu()) : Items{}, row.shown) << row.index;
        game.mnuPopupCard_Click(row.choice);
        EXPECT_EQ(game.UndoCount > 0 ? TopOf(game, row.pile) : -1, row.moved) << row.index;
    }
}

// A right press shows a covered Ace whole until the release or a double-click ends it; a
// free Ace or another covered card shows nothing. A foundation card whose next card up lies
// covered is not offered Cover.
TEST_F(MouseTest, RightPressPeeksAtACoveredAceOnly) {
    TableSetup t{{{{C("AH"), C("KH")}, {C("AS")}, {C("7D"), C("QC")}}}, {kNoCard, C("6D"), kNoCard, kNoCard}};
    FillColumns(t, {3, 4});  // column 5 stays empty
    Table(t);
    const CardImage& spare = game.imgCard[kSpareImage];
    game.imgCard_MouseDown(C("7D"), kRightButton, 300, 300);
    EXPECT_FALSE(spare.Visible || game.imgCard_MouseUp(C("7D"), kRightButton, 300, 300));
    game.imgCard_MouseDown(C("AS"), kRightButton, 300, 300);
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
