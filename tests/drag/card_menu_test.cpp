// The card context menu: which one-card moves it offers, how it reads, and what they do.
#include "board_fixture.h"

namespace tess::test {
namespace {

using Items = std::vector<std::string>;

class CardMenuTest : public BoardTest {
protected:
    // A right press and release on the card, as the player makes them.
    bool RightClick(int index) {
        game.imgCard_MouseDown(index, kRightButton, 300, 300);
        return game.imgCard_MouseUp(index, kRightButton, 300, 300);
    }
};

// The seven of Hearts at the foot of column 0, the six of Hearts on foundation 1, eights of
// Clubs and Spades free, the eight of Diamonds covered, the eight of Hearts in the hand, and
// column 5 empty. kingInHand puts the King of Hearts into the hand.
TableSetup SevenOfHeartsTable(bool kingInHand = false) {
    TableSetup t;
    t.columns[0] = {C("KC"), C("7H")};
    t.columns[1] = {C("KD"), C("8C")};
    t.columns[2] = kingInHand ? std::vector<int>{C("8S")} : std::vector<int>{C("KH"), C("8S")};
    t.columns[3] = {C("8D"), C("KS")};
    t.columns[4] = {C("QC"), C("QD"), C("QH"), C("QS")};
    t.foundations = {C("7C"), C("6H"), C("7D"), C("7S")};
    return t;
}

TEST_F(CardMenuTest, SevenOfHeartsListsEveryOneCardMove) {
    Table(SevenOfHeartsTable());
    ASSERT_TRUE(RightClick(C("7H")));
    EXPECT_EQ(game.PopupCard, C("7H"));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"*&Move to 6 of Hearts", "Move to 8 of &Clubs",
                                             "Move to 8 of &Spades", "-", "Move to &Empty Column"}));
}

struct ChoiceCase {
    CardMenuItem item;
    int column;      // where the seven goes, or -1 for its foundation
    std::size_t slot;
};

TEST_F(CardMenuTest, EachItemOfTheSevenOfHeartsMovesItThere) {
    for (const ChoiceCase& row : {ChoiceCase{kCardMenuFoundation, -1, 0}, {kCardMenuClubs, 1, 2},
                                  {kCardMenuSpades, 2, 2}, {kCardMenuEmpty, 5, 0}}) {
        SCOPED_TRACE(row.item);
        Table(SevenOfHeartsTable());
        ASSERT_TRUE(RightClick(C("7H")));
        game.mnuPopupCard_Click(row.item);
        if (row.column < 0) {
            EXPECT_EQ(game.FoundationTop[1], C("7H"));
        } else {
            ASSERT_EQ(Column(row.column).size(), row.slot + 1);
            EXPECT_EQ(Column(row.column)[row.slot], C("7H"));
        }
        EXPECT_EQ(Column(0), (std::vector<int>{C("KC")}));
        EXPECT_EQ(game.UndoCount, 1);
        EXPECT_EQ(game.CheckInvariants(), "");
    }
}

TEST_F(CardMenuTest, AKingInTheHandIsOfferedOnlyTheEmptyColumn) {
    Table(SevenOfHeartsTable(true));
    ASSERT_TRUE(RightClick(C("KH")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"Move to &Empty Column"}));
    EXPECT_EQ(game.cardMenu().Items[kCardMenuEmpty].Tag, ColumnBase(5));
    game.mnuPopupCard_Click(kCardMenuEmpty);
    EXPECT_EQ(Column(5), (std::vector<int>{C("KH")}));
    EXPECT_EQ(game.imgCard[C("KH")].Tag, kTagColumn);
}

// The five of Diamonds tops its foundation; the six and eight are in the hand, the seven
// free at the foot of column 3, the nine covered. No six is free and no column is empty.
TableSetup CoverTable() {
    TableSetup t;
    t.columns[0] = {C("9D"), C("KS")};
    t.columns[1] = {C("10C"), C("JC")};
    t.columns[2] = {C("10H"), C("JH")};
    t.columns[3] = {C("10S"), C("JS"), C("7D")};
    t.columns[4] = {C("QC"), C("QD"), C("QH"), C("QS")};
    t.columns[5] = {C("KC"), C("KD"), C("KH")};
    t.foundations = {C("5D"), C("9C"), C("9H"), C("9S")};
    return t;
}

TEST_F(CardMenuTest, CoverPlaysEveryFollowingFreeCardOfTheSuit) {
    Table(CoverTable());
    ASSERT_TRUE(RightClick(C("5D")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"*Co&ver with Available Diamonds"}));
    game.mnuPopupCard_Click(kCardMenuCover);
    EXPECT_EQ(game.FoundationTop[0], C("8D"));
    EXPECT_EQ(game.UndoCount, 3);
    EXPECT_EQ(Column(3), (std::vector<int>{C("10S"), C("JS")}));
    EXPECT_EQ(game.CheckInvariants(), "");
}

TEST_F(CardMenuTest, NoMenuWithoutALegalMove) {
    Table(CoverTable());
    // Covered cards, the spare image and both kinds of base have no menu at all.
    for (int index : {C("9D"), C("QC"), kSpareImage, FoundationBase(0), ColumnBase(2)}) {
        SCOPED_TRACE(index);
        game.PopupCard = C("AS");
        EXPECT_FALSE(RightClick(index));
        EXPECT_EQ(game.PopupCard, C("AS"));
    }
    // The eight of Diamonds in the hand has nowhere to go.
    EXPECT_FALSE(RightClick(C("8D")));
}

// Foundations 0 and 2 are started; the Aces of Hearts and Spades are in the hand, or the
// Ace of Hearts lies under the rest of its suit.
TableSetup AceTable(bool aceCovered) {
    TableSetup t;
    t.columns[0] = SuitRun("KH", "2H");
    if (aceCovered) t.columns[0].insert(t.columns[0].begin(), C("AH"));
    t.columns[1] = SuitRun("KS", "2S");
    t.columns[2] = {C("KC")};
    t.columns[3] = {C("KD")};
    t.columns[4] = {C("QC")};
    t.columns[5] = {C("QD")};
    t.foundations = {C("9C"), kNoCard, C("9D"), kNoCard};
    return t;
}

TEST_F(CardMenuTest, AnAceGoesToTheLowestEmptyFoundation) {
    Table(AceTable(false));
    ASSERT_TRUE(RightClick(C("AH")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"*&Move to Foundation"}));
    game.mnuPopupCard_Click(kCardMenuFoundation);
    EXPECT_EQ(game.FoundationTop[1], C("AH"));
    EXPECT_EQ(game.FoundationTop[3], kNoCard);
}

TEST_F(CardMenuTest, RightPressShowsACoveredAceWhole) {
    Table(AceTable(true));
    const CardImage& spare = game.imgCard[kSpareImage];
    game.imgCard_MouseDown(C("AH"), kRightButton, 300, 300);
    EXPECT_TRUE(spare.Visible);
    EXPECT_EQ(spare.Picture, C("AH"));
    EXPECT_EQ(spare.Left, game.imgCard[C("AH")].Left);
    EXPECT_EQ(spare.Top, game.imgCard[C("AH")].Top);
    EXPECT_EQ(game.ImageAt(spare.Left + 30, spare.Top + 50), kSpareImage);
    EXPECT_FALSE(game.imgCard_MouseUp(C("AH"), kRightButton, 300, 300));
    EXPECT_FALSE(spare.Visible);

    // A free Ace, a covered card that is not an Ace and other buttons show nothing.
    game.imgCard_MouseDown(C("AS"), kRightButton, 300, 300);
    game.imgCard_MouseDown(C("KH"), kRightButton, 300, 300);
    game.imgCard_MouseDown(C("AH"), kMiddleButton, 300, 300);
    EXPECT_FALSE(spare.Visible);
    // The covered Ace cannot be dragged.
    const auto before = Snapshot(game);
    DragTo(C("AH"), 300, 100);
    EXPECT_EQ(Snapshot(game), before);
    EXPECT_FALSE(platform.topmost);
}

// The Two of Clubs tops foundation 0, the five of Diamonds foundation 1; the six of Hearts
// and three of Spades are free, column 5 is empty, and the three of Clubs is free or covered.
TableSetup LowFoundationTable(bool threeFree) {
    TableSetup t;
    t.columns[0] = threeFree ? std::vector<int>{C("KC"), C("3C")} : std::vector<int>{C("3C"), C("KC")};
    t.columns[1] = SuitRun("KH", "6H");
    t.columns[2] = {C("KS"), C("3S")};
    t.columns[3] = SuitRun("QS", "4S");
    t.columns[4] = SuitRun("QC", "4C");
    t.foundations = {C("2C"), C("5D"), kNoCard, kNoCard};
    return t;
}

TEST_F(CardMenuTest, AFoundationTwoIsNeverOfferedAColumn) {
    Table(LowFoundationTable(false));
    EXPECT_FALSE(RightClick(C("2C")));
    Table(LowFoundationTable(true));
    ASSERT_TRUE(RightClick(C("2C")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"*Co&ver with Available Clubs"}));
}

TEST_F(CardMenuTest, AFoundationFiveCanGoBackToAColumn) {
    Table(LowFoundationTable(false));
    ASSERT_TRUE(RightClick(C("5D")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"*Co&ver with Available Diamonds", "Move to 6 of &Hearts",
                                             "-", "Move to &Empty Column"}));
    game.mnuPopupCard_Click(kCardMenuHearts);
    EXPECT_EQ(Column(1).back(), C("5D"));
    EXPECT_EQ(game.FoundationTop[1], C("4D"));
    EXPECT_EQ(game.CheckInvariants(), "");
}

// Items hidden at this opening keep their old captions and tags; choosing one does nothing.
TEST_F(CardMenuTest, ItemsNotOfferedCannotBeChosen) {
    Table(LowFoundationTable(false));
    ASSERT_TRUE(RightClick(C("5D")));
    ASSERT_TRUE(RightClick(C("KC")));
    EXPECT_EQ(Shown(game.cardMenu()), (Items{"Move to &Empty Column"}));
    const auto before = Snapshot(game);
    for (CardMenuItem item : {kCardMenuFoundation, kCardMenuCover, kCardMenuHearts, kCardMenuSep2})
        game.mnuPopupCard_Click(item);
    EXPECT_EQ(Snapshot(game), before);
}

}  // namespace
}  // namespace tess::test
