// Where a picked-up run may go: the rank rule and the run limits set by the empty
// columns for columns, and the suit runs for foundations.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

// Queen of Hearts down to Ace of Spades, the suits alternating.
std::vector<int> RunFromQueen(int n) {
    const std::vector<int> all =
        Cards({"QH", "JS", "10H", "9S", "8H", "7S", "6H", "5S", "4H", "3S", "2H", "AS"});
    return {all.begin(), all.begin() + n};
}

struct LimitCase {
    int empty;  // E, counted before the move
    int n;      // cards in the run
    bool legal;
};

std::string LimitName(const ::testing::TestParamInfo<LimitCase>& p) {
    return "E" + std::to_string(p.param.empty) + "n" + std::to_string(p.param.n) +
           (p.param.legal ? "Fits" : "TooMany");
}

// A run from the Queen goes onto the King of Spades at the bottom of column 0.
class OntoACard : public RulesTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(OntoACard, LimitIsTwoToTheEmptyColumns) {
    const LimitCase& param = GetParam();
    TableSetup setup;
    setup.columns[0] = Cards({"KS"});
    setup.columns[1] = RunFromQueen(param.n);
    setup.foundations = {C("KC"), C("KD"), kNoCard, kNoCard};
    std::vector<int> fill = {0};
    for (int c = 2; c < kColumns - param.empty; ++c) fill.push_back(c);
    Fill(setup, fill);
    SetUpTable(setup);
    ASSERT_EQ(game.CountEmptyColumns(), param.empty);

    ASSERT_TRUE(game.PickUpCards(C("QH")));
    ASSERT_EQ(game.MoveLast, param.n - 1);
    EXPECT_EQ(game.RunFitsColumn(0), param.legal);
    if (!param.legal) return;
    game.MoveCard = C("QH");
    game.MoveTarget = C("KS");
    game.PerformMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    const int king = game.SlotOf(C("KS"));
    EXPECT_EQ(game.LastRowInColumn(0), king + param.n);
    const std::vector<int> run = RunFromQueen(param.n);
    for (int i = 0; i < param.n; ++i) EXPECT_EQ(game.ColumnCards[0][king + 1 + i], run[i]);
}

INSTANTIATE_TEST_SUITE_P(Limits, OntoACard,
                         ::testing::Values(LimitCase{0, 1, true}, LimitCase{0, 2, false},
                                           LimitCase{1, 2, true}, LimitCase{1, 3, false},
                                           LimitCase{2, 4, true}, LimitCase{2, 5, false},
                                           LimitCase{3, 8, true}, LimitCase{3, 9, false},
                                           LimitCase{4, 12, true}),
                         LimitName);

struct EmptyCase {
    int empty;
    int n;
    bool wholeColumn;  // the lead lies in slot 0, so its column empties
    bool legal;
};

std::string EmptyName(const ::testing::TestParamInfo<EmptyCase>& p) {
    return "E" + std::to_string(p.param.empty) + "n" + std::to_string(p.param.n) +
           (p.param.wholeColumn ? "Whole" : "Part") + (p.param.legal ? "Fits" : "TooMany");
}

// A run from the Queen of column 0 goes into the first empty column.
class IntoAnEmptyColumn : public RulesTest, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(IntoAnEmptyColumn, LimitIsHalvedUnlessTheWholeColumnMoves) {
    const EmptyCase& param = GetParam();
    TableSetup setup;
    setup.columns[0] = RunFromQueen(param.n);
    setup.foundations = {C("KC"), C("KD"), kNoCard, kNoCard};
    std::vector<int> fill;
    if (!param.wholeColumn) fill.push_back(0);
    for (int c = 1; c < kColumns - param.empty; ++c) fill.push_back(c);
    Fill(setup, fill);
    SetUpTable(setup);
    ASSERT_EQ(game.CountEmptyColumns(), param.empty);
    ASSERT_EQ(game.imgCard[C("QH")].Top == SlotTop(0), param.wholeColumn);

    const int target = kColumns - param.empty;
    ASSERT_TRUE(game.PickUpCards(C("QH")));
    ASSERT_EQ(game.MoveLast, param.n - 1);
    EXPECT_EQ(game.RunFitsColumn(target), param.legal);
    if (!param.legal) return;
    game.MoveCard = C("QH");
    game.MoveTarget = ColumnBase(target);
    game.PerformMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.ColumnCards[target][0], C("QH"));
    EXPECT_EQ(game.LastRowInColumn(target), param.n - 1);
    EXPECT_EQ(game.CountEmptyColumns(), param.empty - 1 + (param.wholeColumn ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Limits, IntoAnEmptyColumn,
    ::testing::Values(
        EmptyCase{1, 1, false, true}, EmptyCase{1, 2, false, false}, EmptyCase{2, 2, false, true},
        EmptyCase{2, 3, false, false}, EmptyCase{3, 4, false, true}, EmptyCase{3, 5, false, false},
        EmptyCase{4, 8, false, true}, EmptyCase{4, 9, false, false}, EmptyCase{5, 12, false, true},
        EmptyCase{1, 1, true, true}, EmptyCase{1, 2, true, false}, EmptyCase{2, 3, true, true},
        EmptyCase{2, 4, true, false}, EmptyCase{3, 7, true, true}, EmptyCase{3, 8, true, false},
        EmptyCase{4, 12, true, true}, EmptyCase{5, 12, true, true}),
    EmptyName);

TEST_F(RulesTest, ASingleCardFromHandOrFoundationFitsAnEmptyColumn) {
    TableSetup setup;
    setup.columns[0] = Cards({"KS"});
    setup.foundations = {C("KC"), C("QD"), kNoCard, kNoCard};
    Fill(setup, {0, 1, 2, 3, 4}, Cards({"QH"}));
    SetUpTable(setup);
    for (const char* name : {"QH", "QD"}) {
        ASSERT_TRUE(game.PickUpCards(C(name)));
        EXPECT_TRUE(game.RunFitsColumn(5)) << name;
    }
}

struct RankCase {
    const char* target;
    const char* mover;
    bool legal;
};

class OntoRank : public RulesTest, public ::testing::WithParamInterface<RankCase> {};

TEST_P(OntoRank, OneRankLowerOfAnySuit) {
    const RankCase& param = GetParam();
    TableSetup setup;
    setup.columns[0] = Cards({param.target});
    setup.columns[1] = Cards({param.mover});
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    ASSERT_TRUE(game.PickUpCards(C(param.mover)));
    EXPECT_EQ(game.RunFitsColumn(0), param.legal);
    EXPECT_FALSE(game.RunFitsColumn(1)) << "a card never fits its own column";
}

INSTANTIATE_TEST_SUITE_P(Ranks, OntoRank,
                         ::testing::Values(RankCase{"KH", "QC", true}, RankCase{"KC", "QC", true},
                                           RankCase{"JD", "QC", false}, RankCase{"QS", "QC", false},
                                           RankCase{"2S", "AH", true}, RankCase{"AS", "KH", false},
                                           RankCase{"10C", "9C", true},
                                           RankCase{"10C", "8C", false}),
                         [](const ::testing::TestParamInfo<RankCase>& p) {
                             return std::string(p.param.mover) + "On" + p.param.target;
                         });

struct FoundationCase {
    const char* name;
    std::vector<int> run;  // at the bottom of column 0
    int top;               // FoundationTop of foundation 1, or kNoCard
    bool legal;
};

class OntoAFoundation : public RulesTest, public ::testing::WithParamInterface<FoundationCase> {};

TEST_P(OntoAFoundation, RunsOfOneSuitEndingInTheNextCard) {
    const FoundationCase& param = GetParam();
    TableSetup setup;
    setup.columns[0] = param.run;
    setup.foundations = {kNoCard, param.top, kNoCard, kNoCard};
    if (param.top != C("KC")) setup.foundations[0] = C("KC");
    Fill(setup, {0, 2, 3, 4, 5});
    SetUpTable(setup);
    const int lead = param.run.front();
    ASSERT_TRUE(game.PickUpCards(lead));
    ASSERT_EQ(game.MoveLast, static_cast<int>(param.run.size()) - 1);
    EXPECT_EQ(game.RunFitsFoundationPile(1), param.legal);
    if (param.top == kNoCard) {
        EXPECT_EQ(game.RunFitsEmptyFoundation(), param.legal);
    } else if (param.run.size() > 1) {
        EXPECT_EQ(game.RunFitsFoundation(1), param.legal);
    }
    if (!param.legal) return;

    game.MoveCard = lead;
    game.MoveTarget = FoundationBase(1);
    game.PerformMove();
    EXPECT_EQ(game.CheckInvariants(), "");
    EXPECT_EQ(game.FoundationTop[1], lead) << "the lead, the highest card, lies on top";
    for (int card : param.run) EXPECT_EQ(game.imgCard[card].Tag, kTagFoundation);
}

const std::vector<int> kWholeHearts =
    Cards({"KH", "QH", "JH", "10H", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H", "AH"});

INSTANTIATE_TEST_SUITE_P(
    Runs, OntoAFoundation,
    ::testing::Values(
        FoundationCase{"AceOnEmpty", Cards({"AH"}), kNoCard, true},
        FoundationCase{"TwoOnEmpty", Cards({"2H"}), kNoCard, false},
        FoundationCase{"AceRunOnEmpty", Cards({"3H", "2H", "AH"}), kNoCard, true},
        FoundationCase{"MixedAceRunOnEmpty", Cards({"3H", "2S", "AH"}), kNoCard, false},
        FoundationCase{"MixedAtTheEndOnEmpty", Cards({"3H", "2H", "AS"}), kNoCard, false},
        FoundationCase{"RunWithoutAceOnEmpty", Cards({"3H", "2H"}), kNoCard, false},
        FoundationCase{"WholeSuitOnEmpty", kWholeHearts, kNoCard, true},
        FoundationCase{"NextCard", Cards({"5H"}), C("4H"), true},
        FoundationCase{"NextRankOtherSuit", Cards({"5S"}), C("4H"), false},
        FoundationCase{"TwoRanksUp", Cards({"6H"}), C("4H"), false},
        FoundationCase{"SuitRun", Cards({"7H", "6H", "5H"}), C("4H"), true},
        FoundationCase{"MixedRun", Cards({"7H", "6S", "5H"}), C("4H"), false},
        FoundationCase{"RunNotEndingNext", Cards({"7H", "6H"}), C("4H"), false},
        FoundationCase{"OtherSuitRun", Cards({"7S", "6S", "5S"}), C("4H"), false},
        FoundationCase{
            "RestOfTheSuit",
            Cards({"KH", "QH", "JH", "10H", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H"}),
            C("AH"), true},
        FoundationCase{"AceOfNextSuitOnAKing", Cards({"AD"}), C("KC"), false},
        FoundationCase{"AceRunOfNextSuitOnAKing", Cards({"2D", "AD"}), C("KC"), false}),
    [](const ::testing::TestParamInfo<FoundationCase>& p) { return std::string(p.param.name); });

TEST_F(RulesTest, AnEmptyFoundationTakesAnAceOfAnySuit) {
    TableSetup setup;
    setup.columns[0] = Cards({"9H", "AC"});
    setup.columns[1] = Cards({"8H", "AD"});
    setup.foundations = {kNoCard, C("KS"), kNoCard, C("3H")};
    Fill(setup, {0, 1, 2, 3, 4, 5});
    SetUpTable(setup);
    for (const char* ace : {"AC", "AD"}) {
        ASSERT_TRUE(game.PickUpCards(C(ace)));
        EXPECT_TRUE(game.RunFitsFoundationPile(0)) << ace;
        EXPECT_TRUE(game.RunFitsFoundationPile(2)) << ace;
        EXPECT_FALSE(game.RunFitsFoundationPile(1)) << ace;
        EXPECT_FALSE(game.RunFitsFoundationPile(3)) << ace;
    }
}

TEST_F(RulesTest, PlacementTestsRefuseWhatDoesNotExist) {
    game.SeedRandom(5);
    game.mnuGameNew_Click();
    ASSERT_TRUE(game.PickUpCards(game.ColumnCards[0][5]));
    EXPECT_FALSE(game.RunFitsColumn(-1));
    EXPECT_FALSE(game.RunFitsColumn(kColumns));
    EXPECT_FALSE(game.RunFitsFoundationPile(-1));
    EXPECT_FALSE(game.RunFitsFoundationPile(kFoundations));
    EXPECT_FALSE(game.RunFitsFoundation(0)) << "an empty foundation has no top to build on";
    game.MoveLast = kMaxRun;
    EXPECT_FALSE(game.RunFitsColumn(1));
    EXPECT_FALSE(game.RunFitsFoundationPile(0));
}

}  // namespace
}  // namespace tess::test
