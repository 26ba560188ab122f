// What a press picks up: a free card, a descending run of any suits, a hand card or a
// foundation's top card; never part of a broken run, a base or the spare image.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

struct PickUpCase {
    const char* name;
    std::vector<int> column;  // column 0 from slot 0 down
    int pressed;
    std::vector<int> expected;  // MoveCards up to MoveLast; empty when nothing is picked up
};

class PickUp : public RulesTest, public ::testing::WithParamInterface<PickUpCase> {};

TEST_P(PickUp, FormsTheMovingList) {
    const PickUpCase& param = GetParam();
    TableSetup setup;
    setup.columns[0] = param.column;
    setup.foundations = {C("KC"), C("KD"), kNoCard, kNoCard};
    Fill(setup, {1, 2});
    SetUpTable(setup);

    const bool picked = game.PickUpCards(param.pressed);
    EXPECT_EQ(picked, !param.expected.empty());
    if (param.expected.empty()) {
        EXPECT_EQ(game.MoveLast, 0);
        return;
    }
    EXPECT_EQ(game.MoveLast, static_cast<int>(param.expected.size()) - 1);
    for (int i = 0; i < kMaxRun; ++i) {
        const int want = i < static_cast<int>(param.expected.size()) ? param.expected[i] : kNoCard;
        EXPECT_EQ(game.MoveCards[i], want) << "entry " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PickUp,
    ::testing::Values(
        PickUpCase{"LastCardAlone", Cards({"9H", "4S"}), C("4S"), Cards({"4S"})},
        PickUpCase{"SuitsPlayNoPart", Cards({"7H", "6S", "5H"}), C("7H"),
                   Cards({"7H", "6S", "5H"})},
        PickUpCase{"FromTheMiddle", Cards({"QS", "7H", "6S", "5H"}), C("6S"), Cards({"6S", "5H"})},
        PickUpCase{"GapInRanks", Cards({"9H", "8S", "6H"}), C("9H"), {}},
        PickUpCase{"BrokenFurtherDown", Cards({"9H", "8S", "7H", "5S"}), C("9H"), {}},
        PickUpCase{"BrokenButLastPartOk", Cards({"9H", "8S", "7H", "5S"}), C("5S"), Cards({"5S"})},
        PickUpCase{"EqualRanks", Cards({"9H", "8S", "8H"}), C("9H"), {}},
        PickUpCase{"Ascending", Cards({"5H", "6S"}), C("5H"), {}},
        PickUpCase{"NothingBelowAnAce", Cards({"2H", "AS", "KH"}), C("2H"), {}},
        PickUpCase{
            "KingToAce",
            Cards({"KH", "QH", "JH", "10H", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H", "AH"}),
            C("KH"),
            Cards({"KH", "QH", "JH", "10H", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H",
                   "AH"})}),
    [](const ::testing::TestParamInfo<PickUpCase>& p) { return std::string(p.param.name); });

TEST_F(RulesTest, HandCardsAndFoundationTopsMoveAlone) {
    TableSetup setup;
    setup.columns[0] = Cards({"9H", "8S", "7H"});
    setup.foundations = {C("KC"), C("5D"), kNoCard, kNoCard};
    Fill(setup, {1, 2, 3}, Cards({"7D", "KS"}));
    SetUpTable(setup);

    for (const char* name : {"7D", "KS", "5D"}) {
        game.MoveCards.fill(99);
        game.MoveLast = 7;
        ASSERT_TRUE(game.PickUpCards(C(name))) << name;
        EXPECT_EQ(game.MoveLast, 0);
        EXPECT_EQ(game.MoveCards[0], C(name));
        for (int i = 1; i < kMaxRun; ++i) EXPECT_EQ(game.MoveCards[i], kNoCard);
    }
    // A card under a foundation's top lies covered.
    EXPECT_FALSE(game.PickUpCards(C("4D")));
}

TEST_F(RulesTest, BasesAndTheSpareImageAreNeverPickedUp) {
    game.SeedRandom(11);
    game.mnuGameNew_Click();
    for (int index = kSpareImage; index < kImageCount; ++index) {
        game.MoveLast = 3;
        EXPECT_FALSE(game.PickUpCards(index)) << index;
        EXPECT_EQ(game.MoveLast, 0);
    }
    EXPECT_FALSE(game.PickUpCards(-1));
}

TEST_F(RulesTest, EmptyColumnsAndLastRows) {
    TableSetup setup;
    setup.columns[1] = Cards({"KS"});
    setup.columns[3] =
        Cards({"QS", "JH", "10S", "9H", "8S", "7H", "6S", "5H", "4S", "3H", "2S", "AH"});
    setup.foundations = {C("KC"), C("KD"), kNoCard, kNoCard};
    SetUpTable(setup);
    EXPECT_EQ(game.CountEmptyColumns(), 4);
    const std::array<int, kColumns> lastRows = {-1, 0, -1, 11, -1, -1};
    for (int c = 0; c < kColumns; ++c) EXPECT_EQ(game.LastRowInColumn(c), lastRows[c]) << c;

    game.mnuGameRestart_Click();  // six dealt cards in every column
    EXPECT_EQ(game.CountEmptyColumns(), 0);
    for (int c = 0; c < kColumns; ++c) EXPECT_EQ(game.LastRowInColumn(c), 5);
}

}  // namespace
}  // namespace tess::test
