// Carrying a move out: images, area codes, columns and foundations change together,
// the hand keeps its gaps and is brought back in front of long columns.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

TEST_F(RulesTest, RunOntoACardLandsBelowItInFront) {
    TableSetup setup;
    setup.columns[0] = Cards({"9C", "KS"});
    setup.columns[1] = Cards({"5D", "QH", "JS", "10H"});
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    const int kingSlot = game.SlotOf(C("KS"));
    const int sourceSlot = game.SlotOf(C("QH"));

    DropOnColumn(C("QH"), 0);
    EXPECT_EQ(game.CheckInvariants(), "");
    const std::vector<int> run = Cards({"QH", "JS", "10H"});
    for (int i = 0; i < 3; ++i) {
        const CardImage& image = game.imgCard[run[i]];
        EXPECT_EQ(image.Left, ColumnLeft(0));
        EXPECT_EQ(image.Top, SlotTop(kingSlot + 1 + i));
        EXPECT_EQ(image.Tag, kTagColumn);
        EXPECT_TRUE(image.Visible);
        EXPECT_EQ(game.ColumnCards[0][kingSlot + 1 + i], run[i]);
        EXPECT_EQ(game.ColumnCards[1][sourceSlot + i], kNoCard);
    }
    EXPECT_EQ(game.ColumnCards[1][sourceSlot - 1], C("5D"));
    EXPECT_GT(game.imgCard[C("QH")].ZOrder, game.imgCard[C("KS")].ZOrder);
    EXPECT_GT(game.imgCard[C("10H")].ZOrder, game.imgCard[C("JS")].ZOrder);
    // The request still describes the move.
    EXPECT_EQ(game.MoveCard, C("QH"));
    EXPECT_EQ(game.MoveTarget, C("KS"));
    EXPECT_EQ(game.MoveLast, 2);
    EXPECT_EQ(game.UndoCount, 1);
}

TEST_F(RulesTest, RunIntoAnEmptyColumnStartsAtItsTop) {
    TableSetup setup;
    setup.columns[0] = Cards({"9S", "8H", "7S"});
    setup.foundations = {C("KC"), C("KD"), kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3});
    SetUpTable(setup);
    DropOnColumn(C("8H"), 5);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.ColumnCards[5][0], C("8H"));
    EXPECT_EQ(game.ColumnCards[5][1], C("7S"));
    EXPECT_EQ(game.imgCard[C("8H")].Top, SlotTop(0));
    EXPECT_EQ(game.imgCard[C("7S")].Left, ColumnLeft(5));
    EXPECT_EQ(game.imgCard[C("8H")].Tag, kTagColumn) << "a column base passes on 'b', not 's'";
    EXPECT_EQ(game.imgCard[ColumnBase(5)].Tag, kTagColumnBase);
}

TEST_F(RulesTest, RunOntoAFoundationLeavesTheLeadOnTop) {
    TableSetup setup;
    setup.columns[0] = Cards({"KS", "4H", "3H", "2H"});
    setup.foundations = {C("KC"), C("KD"), C("AH"), kNoCard};
    Fill(setup, {0, 1});
    SetUpTable(setup);
    DropOnFoundation(C("4H"), 2);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[2], C("4H"));
    EXPECT_GT(game.imgCard[C("4H")].ZOrder, game.imgCard[C("3H")].ZOrder);
    EXPECT_GT(game.imgCard[C("3H")].ZOrder, game.imgCard[C("2H")].ZOrder);
    EXPECT_GT(game.imgCard[C("2H")].ZOrder, game.imgCard[C("AH")].ZOrder);
    EXPECT_EQ(game.ImageAt(kFoundationLeft + 5, FoundationTopPos(2) + 5), C("4H"));
}

// Taking the only card off a foundation empties it, whatever its suit.
class AceOffAFoundation : public RulesTest, public ::testing::WithParamInterface<int> {};

TEST_P(AceOffAFoundation, LeavesTheFoundationEmpty) {
    const int suit = GetParam();
    const int ace = CardNumber(suit, kAce);
    TableSetup setup;
    setup.columns[0] = {CardNumber((suit + 1) % kSuitCount, kTwo)};
    setup.foundations = {kNoCard, kNoCard, kNoCard, kNoCard};
    setup.foundations[suit] = ace;
    setup.foundations[(suit + 2) % kSuitCount] = CardNumber((suit + 2) % kSuitCount, 9);
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    DropOnColumn(ace, 0);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[suit], kNoCard);
    EXPECT_EQ(game.imgCard[ace].Tag, kTagColumn);
}

INSTANTIATE_TEST_SUITE_P(EverySuit, AceOffAFoundation,
                         ::testing::Values(kClubs, kDiamonds, kHearts, kSpades),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return std::string(SuitName[p.param]);
                         });

TEST_F(RulesTest, AnotherCardOffAFoundationUncoversTheOneBelow) {
    TableSetup setup;
    setup.columns[0] = Cards({"8C"});
    setup.foundations = {kNoCard, C("7D"), kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    DropOnColumn(C("7D"), 0);
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[1], C("6D"));
}

TEST_F(RulesTest, ACardFromTheHandLeavesAGap) {
    TableSetup setup;
    setup.columns[0] = Cards({"8C"});
    Fill(setup, {0, 1, 2, 3, 4, 5}, Cards({"7H", "7D", "6S"}));
    SetUpTable(setup);
    const TableSnapshot before = Snapshot(game);
    DropOnColumn(C("7H"), 0);
    EXPECT_EQ(game.CheckInvariants(), "");
    const TableSnapshot after = Snapshot(game);
    for (int card = 0; card < kCardCount; ++card) {
        if (card == C("7H") || before.images[card].Tag != kTagHand) continue;
        EXPECT_EQ(after.images[card], before.images[card]) << CardName(card);
    }
    EXPECT_EQ(game.imgCard[C("7H")].Tag, kTagColumn);
}

TEST_F(RulesTest, MovedCardsAreShownAgain) {
    TableSetup setup;
    setup.columns[0] = Cards({"KS"});
    setup.columns[1] = Cards({"QH", "JC"});
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    ASSERT_TRUE(game.PickUpCards(C("QH")));
    game.imgCard[C("QH")].Visible = false;  // as a drag leaves them
    game.imgCard[C("JC")].Visible = false;
    game.MoveCard = C("QH");
    game.MoveTarget = C("KS");
    game.PerformMove();
    EXPECT_TRUE(game.imgCard[C("QH")].Visible);
    EXPECT_TRUE(game.imgCard[C("JC")].Visible);
    EXPECT_EQ(game.CheckInvariants(), "");
}

struct LongColumnCase {
    int column;
    int lastSlot;  // slot of the last card the move writes
    bool handToFront;
};

class LongColumn : public RulesTest, public ::testing::WithParamInterface<LongColumnCase> {};

TEST_P(LongColumn, HandReturnsInFrontOnlyWhereTheColumnReachesIt) {
    const LongColumnCase& param = GetParam();
    TableSetup setup;
    std::vector<int> column;
    for (int rank = 0; rank < param.lastSlot - 1; ++rank)
        column.push_back(CardNumber(kClubs, rank));
    column.push_back(C("KS"));
    setup.columns[param.column] = column;
    setup.columns[(param.column + 1) % kColumns] = Cards({"QH"});
    std::vector<int> fill;
    for (int c = 0; c < kColumns; ++c)
        if (c != param.column) fill.push_back(c);
    Fill(setup, fill);
    SetUpTable(setup);

    DropOnColumn(C("QH"), param.column);
    ASSERT_EQ(game.SlotOf(C("QH")), param.lastSlot);
    EXPECT_EQ(game.CheckInvariants(), "");
    const std::vector<int> hand = HandInHandOrder(game);
    ASSERT_FALSE(hand.empty());
    for (int card : hand) {
        EXPECT_EQ(game.imgCard[card].ZOrder > game.imgCard[C("QH")].ZOrder, param.handToFront)
            << CardName(card);
    }
    EXPECT_TRUE(HandIsStacked(game));
}

INSTANTIATE_TEST_SUITE_P(Columns, LongColumn,
                         ::testing::Values(LongColumnCase{0, 13, true}, LongColumnCase{1, 13, true},
                                           LongColumnCase{2, 14, true}, LongColumnCase{3, 13, true},
                                           LongColumnCase{4, 13, false},
                                           LongColumnCase{5, 14, false},
                                           LongColumnCase{0, 12, false},
                                           LongColumnCase{3, 12, false}),
                         [](const ::testing::TestParamInfo<LongColumnCase>& p) {
                             return "Column" + std::to_string(p.param.column) + "Slot" +
                                    std::to_string(p.param.lastSlot);
                         });

TEST_F(RulesTest, RestackHandStartsAtTheGivenCardInHandOrder) {
    game.SeedRandom(21);
    game.mnuGameNew_Click();
    const std::vector<int> hand = HandInHandOrder(game);
    ASSERT_EQ(hand.size(), 16u);
    const int from = hand[6];
    std::array<std::uint64_t, kCardCount> before{};
    for (int card = 0; card < kCardCount; ++card) before[card] = game.imgCard[card].ZOrder;

    game.RestackHand(from);
    std::uint64_t previous = 0;
    for (std::size_t i = 0; i < hand.size(); ++i) {
        const std::uint64_t z = game.imgCard[hand[i]].ZOrder;
        if (i < 6) {
            EXPECT_EQ(z, before[hand[i]]) << "cards before the start stay where they are";
        } else {
            EXPECT_GT(z, previous);
            EXPECT_GT(z, before[game.DealOrder[51]]) << "brought in front of everything";
        }
        previous = z;
    }
    for (int card = 0; card < kCardCount; ++card) {
        if (game.imgCard[card].Tag == kTagHand) continue;
        EXPECT_EQ(game.imgCard[card].ZOrder, before[card]) << CardName(card);
    }
}

TEST_F(RulesTest, RestackHandVisitsOnlyLowerSuitsOfTheFirstRank) {
    TableSetup setup;
    setup.columns[0] = Cards({"KS"});
    setup.foundations = {C("KC"), C("KD"), C("8H"), kNoCard};
    Fill(setup, {0, 1}, Cards({"9S", "9H", "10S"}));
    SetUpTable(setup);
    const std::uint64_t tenBefore = game.imgCard[C("10S")].ZOrder;
    const std::uint64_t nineSpadesBefore = game.imgCard[C("9S")].ZOrder;
    game.RestackHand(C("9H"));
    EXPECT_EQ(game.imgCard[C("10S")].ZOrder, tenBefore);
    EXPECT_EQ(game.imgCard[C("9S")].ZOrder, nineSpadesBefore) << "Spades rank above Hearts";
    EXPECT_GT(game.imgCard[C("9H")].ZOrder, nineSpadesBefore);
}

TEST_F(RulesTest, MenuMoveMovesThePopupCardAlone) {
    TableSetup setup;
    setup.columns[0] = Cards({"9C"});
    setup.columns[1] = Cards({"8H", "7S"});
    Fill(setup, {0, 1, 2, 3, 4, 5}, Cards({"8D"}));
    SetUpTable(setup);
    game.MoveCards.fill(C("5C"));
    game.MoveLast = 4;
    game.PopupCard = C("8D");
    game.MoveTarget = C("9C");
    game.MenuMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.MoveCard, C("8D"));
    EXPECT_EQ(game.MoveLast, 0);
    EXPECT_EQ(game.MoveCards[0], C("8D"));
    for (int i = 1; i < kMaxRun; ++i) EXPECT_EQ(game.MoveCards[i], kNoCard);
    EXPECT_EQ(game.ColumnCards[0][game.SlotOf(C("9C")) + 1], C("8D"));
    EXPECT_EQ(game.UndoRecords[0].LastIndex, 0);
}

// A request that names nothing real must not write outside the table.
TEST_F(RulesTest, MalformedRequestsChangeNothing) {
    game.SeedRandom(8);
    game.mnuGameNew_Click();
    const TableSnapshot before = Snapshot(game);
    const int last = game.ColumnCards[0][5];
    const auto attempt = [&](int card, int moveLast, int target, int second = kNoCard) {
        game.MoveCards.fill(kNoCard);
        game.MoveCards[0] = card;
        game.MoveCards[1] = second;
        game.MoveCard = card;
        game.MoveLast = moveLast;
        game.MoveTarget = target;
        game.PerformMove();
        EXPECT_EQ(Difference(before, Snapshot(game)), "");
        EXPECT_EQ(game.UndoCount, 0);
    };
    attempt(last, 0, kSpareImage);
    attempt(last, 0, kImageCount);
    attempt(last, 0, -1);
    attempt(kNoCard, 0, ColumnBase(1));
    attempt(last, kMaxRun, game.ColumnCards[1][5]);
    attempt(last, -1, game.ColumnCards[1][5]);
    attempt(last, 0, game.DealOrder[40]);  // a hand card is no destination
    attempt(game.DealOrder[40], 1, game.ColumnCards[2][5],
            game.DealOrder[41]);  // hand cards move alone
    game.MoveCards[0] = last;
    game.MoveCard = game.ColumnCards[1][5];  // the request disagrees with itself
    game.MoveLast = 0;
    game.MoveTarget = game.ColumnCards[2][5];
    game.PerformMove();
    EXPECT_EQ(Difference(before, Snapshot(game)), "");
}

}  // namespace
}  // namespace tess::test
