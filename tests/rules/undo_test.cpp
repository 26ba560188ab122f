// A history longer than a 16-bit count holds, and requests that name nothing real.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

// The seven of Hearts shuttles between the eights of Clubs and Spades; column 3 climbs, so
// the deal is never won. Every move is recorded and taken back exactly.
TEST_F(RulesTest, MoreMovesThanAShortIntAllComeBack) {
    Table("* KD 7H | * 8C | * 8S | 2C 5C | * | *");
    std::vector<std::string> seen = {laidOut_};  // after no move, one and two
    for (int move = 1; move <= 33'001; ++move) {
        Act(game.ColumnOf(C("7H")) == 1 ? "7H>2" : "7H>1");
        ASSERT_EQ(game.UndoCount, move);
        if (move <= 2) seen.push_back(Describe(game));
    }
    EXPECT_EQ(game.UndoUpperBound, 33'020) << "grown by twenty records at a time";
    for (int left = 33'000; left >= 0; --left) {
        game.UndoMove();
        ASSERT_EQ(Problems(game), "") << left << " moves left";
        ASSERT_EQ(Describe(game), seen[left == 0 ? 0 : 2 - left % 2]) << left << " moves left";
    }
}

// PerformMove trusts its callers, but a malformed request must not write outside the table.
// Nothing is picked up from a base or the spare image, nor fits where no pile is.
TEST_F(RulesTest, MalformedRequestsChangeNothing) {
    Table("* KS | * QH JC | * 8C | | * | * / / 7D 6S");
    const int jc = C("JC"), none = kNoCard;
    const std::array<int, 5> requests[] = {  // MoveCard, MoveCards[0..1], MoveLast, MoveTarget
        {jc, jc, none, 0, kSpareImage}, {jc, jc, none, 0, kImageCount}, {jc, jc, none, 0, -1},
        {jc, jc, none, 0, C("6S")},  // a hand card is no destination
        {none, none, none, 0, ColumnBase(3)}, {jc, jc, none, kMaxRun, C("8C")},
        {jc, jc, none, -1, C("8C")},
        {C("7D"), C("7D"), C("6S"), 1, C("8C")},  // hand cards move alone
        {C("KS"), jc, none, 0, ColumnBase(3)}};  // the lead disagrees with the moving list
    for (const auto& r : requests) {
        game.MoveCards.fill(kNoCard);
        std::tie(game.MoveCard, game.MoveCards[0], game.MoveCards[1]) = std::tie(r[0], r[1], r[2]);
        std::tie(game.MoveLast, game.MoveTarget) = std::tie(r[3], r[4]);
        game.PerformMove();
        EXPECT_EQ(Problems(game) + Describe(game), laidOut_) << r[0] << " " << r[3] << " " << r[4];
    }
    for (int index : {kSpareImage, FoundationBase(0), ColumnBase(3), -1})
        EXPECT_FALSE(game.PickUpCards(index) || game.RunFitsColumn(index) ||
                     game.RunFitsFoundationPile(index)) << index;
}

}  // namespace
}  // namespace tess::test
