// A drag from press to release: the picture, the drop-point modes, and every way back.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>

#include "board_fixture.h"

namespace tess::test {
namespace {

// Column 0 ends in the run 7C-6C; the five of Hearts in the hand fits columns 0..2,
// the empty columns 3..5 and foundation 2.
TableSetup ZoneTable() {
    TableSetup t;
    t.columns[0] = SuitRun("KC", "6C");
    t.columns[1] = SuitRun("KD", "6D");
    t.columns[2] = SuitRun("KS", "6S");
    t.foundations = {C("5C"), C("5D"), C("4H"), C("5S")};
    return t;
}

class DragTest : public BoardTest {
protected:
    void SetUp() override { Table(ZoneTable()); }
    bool Hidden(int card) const { return !game.imgCard[card].Visible; }
};

TEST_F(DragTest, PressComposesThePictureOnceAndStaysStill) {
    const std::uint64_t serial = game.picForDragging.Serial;
    Press(C("7C"));
    const DragPicture& picture = game.picForDragging;
    EXPECT_EQ(picture.Serial, serial + 1);
    EXPECT_EQ(picture.Count, 2);
    EXPECT_EQ(picture.Cards[0], C("7C"));
    EXPECT_EQ(picture.Cards[1], C("6C"));
    EXPECT_EQ(picture.Cards[2], kNoCard);
    EXPECT_EQ(picture.Height, 18 * 1 + 96);
    EXPECT_FALSE(picture.Visible);
    EXPECT_EQ(picture.Left, ColumnLeft(0));
    EXPECT_EQ(picture.Top, SlotTop(6));
    EXPECT_EQ(game.DragLastTop, SlotTop(7));
    EXPECT_EQ(game.DragOriginColumn, 0);
    EXPECT_EQ(game.DragOriginSlot, 6);
    EXPECT_TRUE(game.Dragging);
    EXPECT_TRUE(platform.topmost);

    // A move at the press point itself changes nothing.
    game.imgCard_MouseMove(C("7C"), kLeftButton, kGrabX, kGrabY);
    EXPECT_FALSE(game.DragMoved);
    EXPECT_FALSE(picture.Visible);
    EXPECT_TRUE(AllCardsVisible());

    CarryTo(C("7C"), 200, 300);
    EXPECT_TRUE(game.DragMoved);
    EXPECT_TRUE(picture.Visible);
    EXPECT_TRUE(Hidden(C("7C")) && Hidden(C("6C")));
    EXPECT_FALSE(Hidden(C("8C")));
    CarryTo(C("7C"), 210, 310);
    Release(C("7C"));
    EXPECT_EQ(picture.Serial, serial + 1);
    EXPECT_FALSE(platform.topmost);

    Press(C("5H"));
    EXPECT_EQ(picture.Serial, serial + 2);
    EXPECT_EQ(picture.Height, 96);
}

TEST_F(DragTest, PictureFollowsThePointerInBoardUnits) {
    Press(C("6D"));
    game.imgCard_MouseMove(C("6D"), kLeftButton, kGrabX, kGrabY + 15 * 37);
    EXPECT_EQ(game.picForDragging.Left, game.DragOriginLeft);
    EXPECT_EQ(game.picForDragging.Top, game.DragOriginTop + 37);
    game.imgCard_MouseMove(C("6D"), kLeftButton, kGrabX + 100 * 15.475, kGrabY);
    EXPECT_DOUBLE_EQ(game.picForDragging.Left, game.DragOriginLeft + 100);
    EXPECT_EQ(game.picForDragging.Top, game.DragOriginTop);
    // Only the left button alone carries the picture.
    game.imgCard_MouseMove(C("6D"), kLeftButton | kRightButton, kGrabX + 3000, kGrabY);
    EXPECT_DOUBLE_EQ(game.picForDragging.Left, game.DragOriginLeft + 100);
}

TEST_F(DragTest, ReleaseWithoutMovementMovesNothing) {
    const auto before = Snapshot(game);
    Press(C("7C"));
    EXPECT_TRUE(AllCardsVisible());
    EXPECT_FALSE(Release(C("7C")));
    EXPECT_EQ(Snapshot(game), before);
    EXPECT_FALSE(game.Dragging);
    EXPECT_FALSE(platform.topmost);
}

TEST_F(DragTest, ReleaseBackAtTheOriginMovesNothing) {
    const auto before = Snapshot(game);
    Press(C("5H"));
    CarryTo(C("5H"), 40, 200);  // over the six of Clubs, where it would fit
    game.imgCard_MouseMove(C("5H"), kLeftButton, kGrabX, kGrabY);
    EXPECT_EQ(game.picForDragging.Left, game.DragOriginLeft);
    Release(C("5H"));
    EXPECT_EQ(Snapshot(game), before);
    EXPECT_FALSE(game.picForDragging.Visible);
}

TEST_F(DragTest, LosingTheForegroundBreaksTheDragOff) {
    const auto before = Snapshot(game);
    Press(C("7C"));
    CarryTo(C("7C"), ColumnLeft(1), SlotTop(8));
    platform.foreground = false;
    CarryTo(C("7C"), ColumnLeft(1), SlotTop(9));
    EXPECT_TRUE(game.DragCancelled);
    EXPECT_FALSE(game.Dragging);
    EXPECT_FALSE(game.picForDragging.Visible);
    EXPECT_FALSE(platform.topmost);
    EXPECT_EQ(Snapshot(game), before);

    platform.foreground = true;
    game.imgCard_MouseUp(C("7C"), kLeftButton, kGrabX, kGrabY);
    EXPECT_EQ(Snapshot(game), before);
    game.imgCard_MouseMove(C("8D"), 0, 10, 10);
    EXPECT_FALSE(game.DragCancelled);
    EXPECT_EQ(Snapshot(game), before);

    // Another window in front while nothing is dragged changes nothing.
    platform.foreground = false;
    game.imgCard_MouseMove(C("8D"), 0, 10, 10);
    EXPECT_FALSE(game.DragCancelled);
}

TEST_F(DragTest, ASecondPressIsIgnoredWhileDragging) {
    Press(C("7C"));
    const std::uint64_t serial = game.picForDragging.Serial;
    const double originTop = game.DragOriginTop;
    Press(C("5H"), 10, 10);
    game.imgCard_MouseDown(C("5H"), kRightButton, 10, 10);
    EXPECT_EQ(game.MoveCards[0], C("7C"));
    EXPECT_EQ(game.MoveLast, 1);
    EXPECT_EQ(game.picForDragging.Serial, serial);
    EXPECT_EQ(game.DragOriginTop, originTop);
    EXPECT_EQ(game.DragStartX, kGrabX);
    EXPECT_EQ(platform.topmostCalls, 1);
    // A right release during the drag opens no card menu.
    EXPECT_FALSE(game.imgCard_MouseUp(C("5H"), kRightButton, 10, 10));
    CarryTo(C("7C"), ColumnLeft(3), SlotTop(0));
    Release(C("7C"));
    EXPECT_EQ(Column(3), (std::vector<int>{C("7C"), C("6C")}));
}

// The mouse-up that follows a double-click finds no drag pending.
TEST_F(DragTest, DoubleClickEndsThePress) {
    Press(C("5H"));
    Release(C("5H"));
    game.imgCard_DblClick(C("5H"));
    ASSERT_EQ(game.FoundationTop[2], C("5H"));
    const auto after = Snapshot(game);
    Release(C("5H"));
    EXPECT_EQ(Snapshot(game), after);
    EXPECT_FALSE(platform.topmost);
}

// Every drag that moves nothing leaves the move request describing the latest move.
TEST_F(DragTest, MoveRequestIsReloadedAfterEveryDragThatMovedNothing) {
    TableSetup t = ZoneTable();
    t.columns[5] = {C("KH"), C("7H")};  // a broken run: the King cannot be picked up
    Table(t);
    DragToColumn(C("5H"), 0);
    ASSERT_EQ(game.UndoCount, 1);
    const auto& newest = game.UndoRecords[0];
    ASSERT_EQ(newest.Cards[0], C("5H"));
    const std::vector<std::pair<const char*, std::function<void()>>> endings = {
        {"no movement", [&] { Press(C("7D")); Release(C("7D")); }},
        {"back at origin", [&] { Press(C("7D")); CarryTo(C("7D"), 300, 300);
                                 game.imgCard_MouseMove(C("7D"), kLeftButton, kGrabX, kGrabY);
                                 Release(C("7D")); }},
        {"no destination", [&] { DragTo(C("7D"), 570, 20); }},
        {"illegal drop", [&] { DragToColumn(C("7D"), 2); }},
        {"own position", [&] { DragToColumn(C("6D"), 1); }},
        {"broken off", [&] { Press(C("7D")); CarryTo(C("7D"), 300, 300); platform.foreground = false;
                             CarryTo(C("7D"), 310, 300); platform.foreground = true;
                             game.imgCard_MouseMove(C("7D"), 0, 0, 0); }},
        {"nothing picked up", [&] { Press(C("KH")); }},
    };
    for (const auto& [name, ending] : endings) {
        SCOPED_TRACE(name);
        game.MoveCards.fill(C("KH"));
        game.MoveLast = 5;
        ending();
        EXPECT_EQ(game.MoveCards, newest.Cards);
        EXPECT_EQ(game.MoveLast, newest.LastIndex);
        EXPECT_EQ(game.UndoCount, 1);
        EXPECT_TRUE(AllCardsVisible());
    }
}

struct ModeCase {
    DropPoint mode;
    double left, top, grabX, grabY;
    int target;  // MoveTarget of the move made, -1 when the card goes back
};

TEST_F(DragTest, DropPointModesPickTheReferencePoint) {
    const DropPoint MO = DropPoint::MaxOverlap, UL = DropPoint::CardULCorner,
                    MP = DropPoint::MousePointer, AC = DropPoint::AnyCorner;
    const double g = 100 * kTwipsPerUnitX;  // grabbed 100 units from the left, 20 from the top
    const std::vector<ModeCase> cases = {
        {MO, 0, 150, g, 300, C("6C")}, {UL, 0, 150, g, 300, -1},       {AC, 0, 150, g, 300, -1},
        {MP, 0, 150, g, 300, C("6D")}, {MO, 89, 140, g, 300, C("6D")}, {UL, 89, 140, g, 300, C("6D")},
        {MP, 89, 140, g, 300, C("6S")}, {MO, 480, 230, 0, 0, 55},      {UL, 480, 230, 0, 0, -1},
        {MP, 480, 230, 0, 0, -1},      {MO, 300, 30, g, 300, 61},      {UL, 300, 30, g, 300, 60},
        {AC, 300, 30, g, 300, 60},     {MP, 300, 30, g, 300, 61},
    };
    for (const ModeCase& row : cases) {
        SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(row.mode) << " at ("
                                          << row.left << ", " << row.top << ")");
        Table(ZoneTable());
        game.SelectDropPoint(row.mode);
        EXPECT_TRUE(game.DropPointChecked(row.mode));
        DragTo(C("5H"), row.left, row.top, row.grabX, row.grabY);
        EXPECT_EQ(game.UndoCount, row.target >= 0 ? 1 : 0);
        if (row.target >= 0) {
            EXPECT_EQ(game.MoveTarget, row.target);
        }
        EXPECT_EQ(game.CheckInvariants(), "");
    }
    EXPECT_FALSE(game.DropPointChecked(MO));
}

TEST_F(DragTest, AnyCornerDropsExactlyAsTheUpperLeftCorner) {
    for (double left = -20; left < 580; left += 23) {
        for (double top = -40; top < 430; top += 37) {
            SCOPED_TRACE(::testing::Message() << left << ", " << top);
            Table(ZoneTable());
            game.SelectDropPoint(DropPoint::CardULCorner);
            DragTo(C("7C"), left, top);
            const auto corner = Snapshot(game);
            Table(ZoneTable());
            game.SelectDropPoint(DropPoint::AnyCorner);
            DragTo(C("7C"), left, top);
            ASSERT_EQ(Snapshot(game), corner);
        }
    }
}

// A restored run that reached the hand's band brings the whole hand back in front.
TEST_F(DragTest, RestoringARunInTheHandsBandRestacksTheHand) {
    TableSetup t;
    t.columns[0] = SuitRun("KC", "6C");
    t.columns[1] = SuitRun("KD", "6D");
    t.columns[3] = SuitRun("KS", "6S");
    const std::vector<int> hearts = SuitRun("KH", "8H");  // slots 8..13
    t.columns[3].insert(t.columns[3].end(), hearts.begin(), hearts.end());
    t.foundations = {C("5C"), C("5D"), C("4H"), C("5S")};
    const auto handBehind = [&] {
        std::uint64_t lowestHand = std::numeric_limits<std::uint64_t>::max(), highestColumn = 0;
        for (int card = 0; card < kCardCount; ++card) {
            const CardImage& image = game.imgCard[card];
            if (image.Tag == kTagHand) lowestHand = std::min(lowestHand, image.ZOrder);
            if (image.Tag == kTagColumn) highestColumn = std::max(highestColumn, image.ZOrder);
        }
        return lowestHand < highestColumn;
    };
    for (const char* lead : {"10H", "7C"}) {
        SCOPED_TRACE(lead);
        Table(t);
        game.BringToFront(C("8H"));  // the column's foot lies over the hand
        ASSERT_TRUE(handBehind());
        DragTo(C(lead), 530, 420);
        EXPECT_EQ(game.UndoCount, 0);
        EXPECT_TRUE(AllCardsVisible());
        // Only the run that reached slot 13 (Top 242) restacks the hand.
        EXPECT_EQ(handBehind(), std::string(lead) == "7C");
    }
}

}  // namespace
}  // namespace tess::test
