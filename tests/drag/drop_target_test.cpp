// Where a drop lands: zones, bands, the own-position test and the rules behind them.
#include <algorithm>

#include "board_fixture.h"

namespace tess::test {
namespace {

// The five of Hearts from the hand fits columns 0..2 (ending 6C, 6D, 6S, last slot 7),
// the empty columns 3..5 and foundation 2 (four of Hearts).
TableSetup ZoneTable() {
    TableSetup t;
    t.columns[0] = SuitRun("KC", "6C");
    t.columns[1] = SuitRun("KD", "6D");
    t.columns[2] = SuitRun("KS", "6S");
    t.foundations = {C("5C"), C("5D"), C("4H"), C("5S")};
    return t;
}

struct ZoneCase {
    double x, y;
    int target;  // image index, -1 for no destination
};

class DropTargetTest : public BoardTest {
protected:
    void Check(const std::vector<ZoneCase>& cases, int legalTarget = -2) {
        for (const ZoneCase& row : cases) {
            const DropDecision drop = game.FindDropTarget(row.x, row.y);
            EXPECT_EQ(drop.Target, row.target) << "at (" << row.x << ", " << row.y << ")";
            const bool legal = legalTarget == -2 ? row.target >= 0 : row.target == legalTarget;
            EXPECT_EQ(drop.Legal, legal) << "at (" << row.x << ", " << row.y << ")";
        }
    }
};

TEST_F(DropTargetTest, ColumnAndFoundationZonesAcross) {
    Table(ZoneTable());
    Press(C("5H"));
    const int c0 = C("6C"), c1 = C("6D"), c2 = C("6S");
    Check({{7.4, 180, -1},  {7.5, 180, c0},   {76, 180, c0},    {76.5, 180, c0},  {76.6, 180, -1},
           {77, 180, -1},   {88, 180, -1},    {88.5, 180, -1},  {89, 180, c1},    {157, 180, c1},
           {158, 180, -1},  {169, 180, -1},   {170, 180, c2},   {238, 180, c2},   {239, 180, -1},
           {250, 50, -1},   {251, 50, 60},    {319, 50, 60},    {320, 50, -1},    {331, 50, -1},
           {332, 50, 61},   {400, 50, 61},    {401, 50, -1},    {412, 50, -1},    {413, 50, 62},
           {481, 50, 62},   {482, 50, -1},    {497, 250, -1},   {497.5, 250, 55}, {498, 250, 55},
           {566, 250, 55},  {566.5, 250, 55}, {567, 250, -1},   {600, 250, -1}});
}

TEST_F(DropTargetTest, FoundationsTakeTheRawY) {
    Table(ZoneTable());
    Press(C("5H"));
    // Only the four of Hearts on foundation 2 takes the card; the others are still destinations.
    Check({{530, 15.9, -1}, {530, 16, 53},   {530, 111, 53},  {530, 111.2, -1}, {530, 112, -1},
           {530, 119, -1},  {530, 119.8, -1}, {530, 120, 54}, {530, 215, 54},   {530, 216, -1},
           {530, 223, -1},  {530, 224, 55},  {530, 319, 55},  {530, 320, -1},   {530, 327, -1},
           {530, 328, 56},  {530, 423, 56},  {530, 424, -1},  {530, 440, -1}},
          FoundationBase(2));
}

TEST_F(DropTargetTest, OnlyTheBandLevelWithTheLastCardCounts) {
    Table(ZoneTable());
    Press(C("5H"));
    const int c0 = C("6C");  // slot 7: 134..228
    Check({{40, 8, -1},     {40, 133.4, -1}, {40, 133.5, c0}, {40, 134, c0},   {40, 228, c0},
           {40, 228.5, c0}, {40, 228.6, -1}, {40, 229, -1},   {290, -10.6, -1}, {290, -10.5, 60},
           {290, -10, 60},  {290, 84, 60},   {290, 84.5, 60}, {290, 84.6, -1}, {290, 85, -1},
           {290, 200, -1}});
}

// Columns of every length: the band follows the last card, 18s + 8 .. 18s + 102.
TEST_F(DropTargetTest, BandFollowsEveryColumnLength) {
    for (int length = 0; length <= 18; ++length) {
        SCOPED_TRACE(length);
        TableSetup t;
        std::vector<int> rest;
        for (int card = 0; card < kCardCount; ++card)
            if (card != C("5H")) rest.push_back(card);
        t.columns[0].assign(rest.begin(), rest.begin() + length);
        rest.erase(rest.begin(), rest.begin() + length);
        // Keep fifteen cards (and the five of Hearts) for the hand; spread the rest.
        for (std::size_t i = 15; i < rest.size(); ++i) t.columns[1 + i % 5].push_back(rest[i]);
        Table(t);
        Press(C("5H"));
        const int s = length - 1;
        const int target = s >= 0 ? game.ColumnCards[0][s] : ColumnBase(0);
        const double top = 18.0 * s + 8, bottom = 18.0 * s + 102;
        for (const ZoneCase& row : std::vector<ZoneCase>{
                 {40, top - 0.6, -1}, {40, top, target}, {40, bottom, target}, {40, bottom + 0.6, -1}})
            EXPECT_EQ(game.FindDropTarget(row.x, row.y).Target, row.target) << row.y;
        Release(C("5H"));
    }
}

TEST_F(DropTargetTest, ACardDroppedWhereItLiesHasNoDestination) {
    Table(ZoneTable());
    Press(C("6C"));  // the last card of column 0
    EXPECT_EQ(game.FindDropTarget(40, 180).Target, -1);
    EXPECT_EQ(game.FindDropTarget(120, 180).Target, C("6D"));  // another column: the rules say no
    EXPECT_FALSE(game.FindDropTarget(120, 180).Legal);
    Release(C("6C"));

    Press(C("7C"));  // a run back on its own column: the rank rule fails on its own last card
    EXPECT_EQ(game.FindDropTarget(40, 180).Target, C("6C"));
    EXPECT_FALSE(game.FindDropTarget(40, 180).Legal);
    Release(C("7C"));

    const auto before = Snapshot(game);
    DragToColumn(C("6C"), 0);
    EXPECT_EQ(Snapshot(game), before);
}

// A card from a foundation or the hand onto a one-card column 0 is judged by the rules.
TEST_F(DropTargetTest, OwnPositionTestIsForColumnCardsOnly) {
    for (const bool fromFoundation : {true, false}) {
        SCOPED_TRACE(fromFoundation ? "from the foundation" : "from the hand");
        TableSetup t;
        t.columns[0] = {C("6C")};
        t.columns[1] = SuitRun("KC", "7C");
        t.columns[2] = SuitRun("KD", "8D");
        t.columns[3] = SuitRun("KS", "8S");
        t.columns[4] = SuitRun("KH", "9H");
        t.foundations = {C("5C"), C("7D"), fromFoundation ? C("5H") : C("4H"), C("7S")};
        Table(t);
        Press(C("5H"));
        // A foundation card counts as column 0, slot 0; a hand card as slot 18.
        EXPECT_EQ(game.DragOriginSlot, fromFoundation ? 0 : 18);
        const DropDecision drop = game.FindDropTarget(40, 60);
        EXPECT_TRUE(drop.Legal);
        EXPECT_EQ(drop.Target, C("6C"));
        Release(C("5H"));

        DragToColumn(C("5H"), 0);
        EXPECT_EQ(Column(0), (std::vector<int>{C("6C"), C("5H")}));
        EXPECT_EQ(game.FoundationTop[2], C("4H"));
        EXPECT_EQ(game.CheckInvariants(), "");
    }
}

// 9C-8D-7C at the foot of column 0, 10H, 10D-9S (a whole column) and QC at the feet of
// columns 1..3; columns 3..5 are filled or left empty to give E empty columns.
TableSetup RunTable(int emptyColumns) {
    TableSetup t;
    t.columns[0] = {C("KS"), C("QS"), C("9C"), C("8D"), C("7C")};
    t.columns[1] = {C("KH"), C("10H")};
    t.columns[2] = {C("10D"), C("9S")};
    if (emptyColumns < 3) t.columns[3] = {C("KC"), C("QC")};
    if (emptyColumns < 2) t.columns[4] = {C("QH")};
    if (emptyColumns < 1) t.columns[5] = {C("QD")};
    t.foundations = {C("6C"), C("7D"), C("9H"), C("8S")};
    return t;
}

struct RunCase {
    int emptyColumns;
    const char* lead;
    int column;
    bool legal;
};

TEST_F(DropTargetTest, RunLimitsThroughDrops) {
    const std::vector<RunCase> cases = {
        {0, "9C", 1, false}, {0, "8D", 2, false}, {0, "7C", 5, false},
        {1, "8D", 2, true},  {1, "9C", 1, false}, {1, "8D", 5, false}, {1, "7C", 5, true},
        {1, "10D", 5, false}, {1, "9S", 5, true},
        {2, "9C", 1, true},  {2, "8D", 5, true},  {2, "9C", 5, false}, {2, "10D", 5, true},
        {3, "9C", 5, true},  {3, "9C", 1, true},
    };
    for (const RunCase& row : cases) {
        SCOPED_TRACE(std::string(row.lead) + " to column " + std::to_string(row.column) + " with " +
                     std::to_string(row.emptyColumns) + " empty");
        Table(RunTable(row.emptyColumns));
        ASSERT_EQ(game.CountEmptyColumns(), row.emptyColumns);
        const int lead = C(row.lead);
        const int source = game.ColumnOf(lead);
        const std::vector<int> before = Column(source);
        const std::vector<int> run(std::find(before.begin(), before.end(), lead), before.end());
        const std::vector<int> targetBefore = Column(row.column);
        DragToColumn(lead, row.column);
        std::vector<int> expected = targetBefore;
        if (row.legal) expected.insert(expected.end(), run.begin(), run.end());
        EXPECT_EQ(Column(row.column), expected);
        EXPECT_EQ(game.UndoCount, row.legal ? 1 : 0);
        EXPECT_TRUE(AllCardsVisible());
        EXPECT_EQ(game.CheckInvariants(), "");
    }
}

}  // namespace
}  // namespace tess::test
