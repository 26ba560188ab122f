// Moves on crafted tables: what a press picks up, where it may go, what the move changes,
// and what a double-click plays home. Every case is taken back to the table laid out.
#include "rules/rules_fixture.h"

namespace tess::test {
namespace {

// Columns 4 and 5 empty; the five of Hearts covered; 7S and 4H in the hand.
constexpr const char* kRich = "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D / AS 3D 3H / 7S 4H";
const std::string kLong = "AC 2C 3C 4C 5C 6C 7C 8C 9C 10C JC";

TEST_F(RulesTest, EveryKindOfMove) {
    const std::vector<Case> cases = {
        {kRich, "6D>F1", "* 5H KS QH JS | * KD | 9H 8C | * / AS 6D 3H / 4H 7S"},
        {kRich, "7S>2", "* 5H KS QH JS | * KD | 9H 8C 7S | * 6D 5D 4D / AS 3D 3H / 4H"},
        {kRich, "7S>4", "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D | 7S / AS 3D 3H / 4H"},
        {kRich, "4H>F2", "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D / AS 3D 4H / 7S"},
        {kRich, "3H>3", "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D 3H / AS 3D 2H / 4H 7S"},
        {kRich, "AS>4", "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D | AS / - 3D 3H / 4H 7S"},
        {kRich, "KS>4, dbl 5H, dbl 4D",  // too long a run; a covered card; a free one
         "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D / AS 4D 3H / 4H 7S"},
        {kRich, "dbl 3H", "* 5H KS QH JS | * KD | 9H 8C | * 6D 5D 4D / AS 3D 4H / 7S"},
        // A run descends one rank at a time, suits playing no part; a broken run stays put,
        // but its last card still moves alone.
        {"* 10S | * 9H 8S 7H 5S | * 6H / KC KD", "9H>0, 5S>2",
         "* 10S | * 9H 8S 7H | * 6H 5S / KC KD"},
        {"* 10S | * 9H 8S 6H | * 9D 8C 8H | * 9S 10D", "9H>0, 9D>0, 9S>0", "="},
        {"* 3S | * 2H AS KH / KC KD", "2H>0", "="},
        // A column takes a card one rank below its last card, of any suit.
        {"* KH | * 10C | * 2S | * QC | * 9C | * AH", "QC>0, 9C>1, AH>2",
         "* KH QC | * 10C 9C | * 2S AH | * | * | *", 3},
        {"* JD | * QS | * AS | * QC | * KH | *", "QC>0, QC>1, QC>3, KH>2", "="},
        // A foundation takes an Ace, then the next card of its suit or a run of its suit
        // ending in that card, up to a whole suit at once.
        {"* AH | * 3S 2S AS / KC KD", "AH>F2, 3S>F3", "* | * / KC KD AH 3S", 2},
        {"* | * KH QH JH 10H 9H 8H 7H 6H 5H 4H 3H 2H AH / KC KD", "KH>F2", "* | * / KC KD KH"},
        {"* | * KC QC JC 10C 9C 8C 7C 6C 5C 4C 3C 2C AC / - KD", "KC>F0", "* | * / KC KD"},
        {"* 7H 6H | * 5H / KC KD 4H", "5H>F2, 7H>F2", "* | * / KC KD 7H", 2},
        {"* 2H | * 3H 2S AH | * 3D 2D AS | * 4S 3S / KC", "2H>F1, 3H>F1, 3D>F1, 4S>F1", "="},
        {"* 5S | * 6H | * 7H 6S 5H | * 9H 8H / KC KD 4H", "5S>F2, 6H>F2, 7H>F2, 9H>F2", "="},
        {"* 2D AD / KC - KH", "2D>F0, AD>F0, AD>F1", "* 2D / KC AD KH"},
        // Only a foundation's top card comes off; the one below is uncovered.
        {"* 7C | * 8S | * / - 7D", "6D>0, 7D>1", "* 7C | * 8S 7D | * / - 6D"},
        // A column reaching slot 13 of columns 0..3 lies over the hand, which comes back in
        // front when a move ends there or an undo puts cards back there.
        {"| | | " + kLong + " KS | * QH JS | *", "QH>3", "| | | " + kLong + " KS QH JS | * | *"},
        {kLong + " QC KS QH | * KD | * | *", "QH>1", kLong + " QC KS | * KD QH | * | *"},
        // The card menu moves its card alone, whatever an earlier press picked up.
        {"* 9C | * 8H 7S | * / / 8D", "8H>F0, menu 8D>0", "* 9C 8D | * 8H 7S | *"},
        // A double-click on a foundation's top card plays the free cards of its suit in turn,
        // each a move of its own, up to the first that is not free; an Ace takes the first
        // empty foundation.
        {"* 8H 3S | * QC 7H | * / - 5H / 6H", "dbl 5H", "* 8H 3S | * QC | * / - 7H", 2},
        {"* 7H 3S | * QC 8H | * / - 5H / 6H", "dbl 5H", "* 7H 3S | * QC 8H | * / - 6H"},
        {"* 2C | * 3C | * 4C | 5C | 6C | 7C / KD AC KH / 8C 9C 10C JC QC KC", "dbl AC",
         "* | * | * / KD KC KH", 12},
        {"* 9S AC | * | * / 3D - 2H / AS", "dbl AS, dbl AC", "* 9S | * | * / 3D AS 2H AC", 2},
        // Covered cards, an unstarted suit, two ranks up, a King home, bases and the spare.
        {"* 9S 4D | * 5C 3S | * 7S | | * QD JD | * / 4C 2D KH / 5S",
         "dbl 5C, dbl QD, dbl 4D, dbl 7S, dbl 5S, dbl JD, dbl KH, dbl 4C, dbl 52, dbl 56, dbl 60, "
         "dbl 57, dbl -1", "="},
    };
    for (const Case& c : cases) Check(c);
}

// With E empty columns a run of up to 2^E cards goes onto a card; into an empty column
// half that, or 2^E - 1 when the run is a whole column. E = 6 - the columns written.
TEST_F(RulesTest, RunLimitsByEmptyColumns) {
    const struct { const char *table, *drop; bool fits; } cases[] = {
        {"* KS | * QH | * | * | * | *", "QH>0", true},  // onto a card, E = 0
        {"* KS | * QH JS | * | * | * | *", "QH>0", false},
        {"* KS | * QH JS | * | * | *", "QH>0", true},  // E = 1
        {"* KS | * QH JS 10H | * | * | *", "QH>0", false},
        {"* KS | * QH JS 10H 9S 8H 7S 6H 5S | *", "QH>0", true},  // E = 3
        {"* KS | * QH JS 10H 9S 8H 7S 6H 5S 4H | *", "QH>0", false},
        {"* QH | * | * | * | *", "QH>5", true},  // part of a column into an empty one
        {"* QH JS | * | * | * | *", "QH>5", false},
        {"* QH JS 10H 9S | * | *", "QH>5", true},
        {"* QH JS 10H 9S 8H | * | *", "QH>5", false},
        {"QH JS | * | * | * | *", "QH>5", false},  // a whole column
        {"QH JS 10H | * | * | *", "QH>5", true},
        {"QH JS 10H 9S | * | * | *", "QH>5", false},
        {"QH JS 10H 9S 8H 7S 6H 5S 4H 3S 2H AS | *", "QH>5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        Table(std::string(c.table) + " / KC KD");
        Act(c.drop);
        EXPECT_EQ(game.UndoCount, c.fits ? 1 : 0);
        EXPECT_EQ(Problems(game), "");
    }
}

// A drop lands on a column between its card's left and right edges, from the top of its
// last card to that card's bottom; on a foundation within its base. Elsewhere it lands nowhere.
TEST_F(RulesTest, DropZonesAreTheLastCardsAndTheFoundationBases) {
    Table("KD QC | * | * | * | * | * / AC");  // column 0's last card, QC, is in slot 1
    const struct { double x, y; int target; } cases[] = {
        {8, 26, C("QC")}, {76, 120, C("QC")}, {7.6, 60, C("QC")}, {7, 60, kNoCard}, {77, 60, kNoCard}, {40, 25, kNoCard},
        {40, 121, kNoCard}, {498, 16, FoundationBase(0)}, {566, 111, FoundationBase(0)}, {530, 112, kNoCard},
        {530, 120, FoundationBase(1)}, {567, 60, kNoCard}, {497, 60, kNoCard},
    };
    for (const auto& c : cases) EXPECT_EQ(game.FindDropTarget(c.x, c.y).Target, c.target) << c.x << "," << c.y;
}

}  // namespace
}  // namespace tess::test
