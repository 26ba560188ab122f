// Double-clicks: a free card goes home, a foundation's top card pulls up the free cards
// of its suit one move at a time, and everything else is left alone.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, CoverPlaysTheFreeCardsOfTheSuitInTurnAndUndoesOneAtATime) {
    TableSetup setup;
    setup.columns[0] = Cards({"8H", "3S"});  // the eight is covered
    setup.columns[1] = Cards({"QC", "7H"});
    setup.foundations = {kNoCard, C("5H"), kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3, 4, 5}, Cards({"6H"}));
    SetUpTable(setup);
    const TableSnapshot start = Snapshot(game);
    game.Dragging = true;

    game.imgCard_DblClick(C("5H"));
    EXPECT_FALSE(game.Dragging);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[1], C("7H"));
    EXPECT_EQ(game.imgCard[C("8H")].Tag, kTagColumn);
    ASSERT_EQ(game.UndoCount, 2) << "one move per card";
    EXPECT_EQ(game.UndoRecords[0].Card, C("6H"));
    EXPECT_EQ(game.UndoRecords[0].FromTag, kTagHand);
    EXPECT_EQ(game.UndoRecords[1].Card, C("7H"));
    EXPECT_EQ(game.UndoRecords[1].FromTag, kTagColumn);
    EXPECT_EQ(game.ColumnCards[1][game.SlotOf(C("QC")) + 1], kNoCard);

    game.UndoMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[1], C("6H"));
    EXPECT_EQ(game.imgCard[C("7H")].Tag, kTagColumn);
    EXPECT_EQ(game.imgCard[C("6H")].Tag, kTagFoundation);
    EXPECT_EQ(game.MoveCards[0], C("6H")) << "the request describes the latest move again";

    game.UndoMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(Difference(start, Snapshot(game)), "");
    EXPECT_TRUE(HandIsStacked(game));
}

TEST_F(RulesTest, CoverStopsAtTheFirstCardThatIsNotFree) {
    TableSetup setup;
    setup.columns[0] = Cards({"7H", "3S"});
    setup.columns[1] = Cards({"QC", "8H"});  // free, but above a gap in the suit
    setup.foundations = {kNoCard, C("5H"), kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3, 4, 5}, Cards({"6H"}));
    SetUpTable(setup);
    game.imgCard_DblClick(C("5H"));
    EXPECT_EQ(game.FoundationTop[1], C("6H"));
    EXPECT_EQ(game.UndoCount, 1);
    EXPECT_EQ(game.imgCard[C("8H")].Tag, kTagColumn);
}

TEST_F(RulesTest, CoverCarriesAWholeSuitHome) {
    TableSetup setup;
    setup.foundations = {C("KD"), C("AC"), C("KH"), kNoCard};
    const std::vector<int> clubs =
        Cards({"2C", "3C", "4C", "5C", "6C", "7C", "8C", "9C", "10C", "JC", "QC", "KC"});
    for (int i = 0; i < 6; ++i) setup.columns[i] = {clubs[static_cast<std::size_t>(i)]};
    Fill(setup, {0, 1, 2, 3, 4, 5}, {clubs.begin() + 6, clubs.end()});
    SetUpTable(setup);
    game.imgCard_DblClick(C("AC"));
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[1], C("KC"));
    EXPECT_EQ(game.UndoCount, 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(game.UndoRecords[i].Card, clubs[static_cast<std::size_t>(i)]);
}

TEST_F(RulesTest, AFreeCardGoesOntoItsFoundation) {
    TableSetup setup;
    setup.columns[2] = Cards({"KS", "9D"});
    setup.foundations = {C("8D"), kNoCard, kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    const int slot = game.SlotOf(C("9D"));
    game.MoveCard = C("KS");
    game.MoveTarget = ColumnBase(4);

    game.imgCard_DblClick(C("9D"));
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[0], C("9D"));
    EXPECT_EQ(game.ColumnCards[2][slot], kNoCard);
    const CardImage& image = game.imgCard[C("9D")];
    EXPECT_EQ(image.Left, kFoundationLeft);
    EXPECT_EQ(image.Top, FoundationTopPos(0));
    EXPECT_EQ(image.Tag, kTagFoundation);
    EXPECT_TRUE(image.Visible);
    EXPECT_GT(image.ZOrder, game.imgCard[C("8D")].ZOrder);
    // Only the moving list describes the move; the drop request is left alone.
    EXPECT_EQ(game.MoveCard, C("KS"));
    EXPECT_EQ(game.MoveTarget, ColumnBase(4));
    EXPECT_EQ(game.MoveCards[0], C("9D"));
    EXPECT_EQ(game.MoveCards[1], kNoCard);
    EXPECT_EQ(game.MoveLast, 0);
    EXPECT_TRUE(game.UndoItemsEnabled());
}

TEST_F(RulesTest, AnAceTakesTheFirstEmptyFoundation) {
    TableSetup setup;
    setup.columns[0] = Cards({"9S", "AC"});
    setup.foundations = {C("3D"), kNoCard, C("2H"), kNoCard};
    Fill(setup, {0, 1, 2, 3, 4, 5}, Cards({"AS"}));
    SetUpTable(setup);
    game.imgCard_DblClick(C("AS"));
    EXPECT_EQ(game.FoundationTop[1], C("AS"));
    game.imgCard_DblClick(C("AC"));
    EXPECT_EQ(game.FoundationTop[3], C("AC"));
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.UndoCount, 2);
}

struct NothingCase {
    const char* name;
    int index;
};

// Foundations: 4C (5C covered), 2D, KH; Spades not started; column 3 empty.
class DoubleClickDoesNothing : public RulesTest,
                               public ::testing::WithParamInterface<NothingCase> {};

TEST_P(DoubleClickDoesNothing, TableAndHistoryUnchanged) {
    TableSetup setup;
    setup.columns[0] = Cards({"9S", "4D"});
    setup.columns[1] = Cards({"5C", "3S"});
    setup.columns[2] = Cards({"7S"});
    setup.columns[4] = Cards({"QD", "JD"});
    setup.foundations = {C("4C"), C("2D"), C("KH"), kNoCard};
    Fill(setup, {0, 1, 2, 4, 5}, Cards({"5S"}));
    SetUpTable(setup);
    const TableSnapshot before = Snapshot(game);
    game.Dragging = true;
    game.imgCard_DblClick(GetParam().index);
    EXPECT_FALSE(game.Dragging) << "a pending press ends in any case";
    EXPECT_EQ(Difference(before, Snapshot(game)), "");
    EXPECT_EQ(game.UndoCount, 0);
    EXPECT_FALSE(game.UndoItemsEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleClickDoesNothing,
    ::testing::Values(
        NothingCase{"CoveredCard", C("5C")}, NothingCase{"CoveredQueen", C("QD")},
        NothingCase{"TwoRanksAbove", C("4D")}, NothingCase{"UnstartedSuit", C("7S")},
        NothingCase{"UnstartedSuitInHand", C("5S")}, NothingCase{"KingOnFoundation", C("KH")},
        NothingCase{"CoverWithNextCardCovered", C("4C")}, NothingCase{"FreeButFarAbove", C("JD")},
        NothingCase{"SpareImage", kSpareImage}, NothingCase{"FoundationBase", FoundationBase(3)},
        NothingCase{"EmptyColumnBase", ColumnBase(3)},
        NothingCase{"CoveredColumnBase", ColumnBase(0)}, NothingCase{"NoImage", -1}),
    [](const ::testing::TestParamInfo<NothingCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace tess::test
