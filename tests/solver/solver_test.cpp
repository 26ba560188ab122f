// The solver against the game: its lines replay in the game's own move engine to a win,
// crafted deals get the verdicts one can prove by hand, and both agree on what is legal.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "files/saved_game.h"
#include "rules/random_play.h"
#include "solver/solver.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {
namespace {

using solver::Verdict;

// A deal from its six columns ("KS QS JS ..." from the top); the hand is the rest, sorted.
Deal Columns(const std::array<const char*, kColumns>& columns) {
    std::array<int, 36> cards{};
    for (int c = 0; c < kColumns; ++c) {
        std::istringstream in(columns[c]);
        std::string name;
        for (int s = 0; s < 6 && in >> name; ++s) cards[6 * c + s] = C(name.c_str());
    }
    return SortedHandDeal(cards);
}

class SolverTest : public ::testing::Test {
protected:
    // Plays "CARD FROM TO" lines as drops through the game from the deal's layout; the
    // number of lines played before the game announced a win, or -1 (with a failure).
    int Replay(const Deal& deal, const std::vector<std::string>& lines) {
        game.DealOrder = deal;
        game.LayOutDeal();
        platform.gameOverShown = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(lines[i]);
            std::istringstream in(lines[i]);
            std::string card, from, to;
            in >> card >> from >> to;
            const int lead = C(card.c_str());
            const int index = std::stoi(from == "hand" ? "0" : from.substr(1));
            const char tag = game.imgCard[lead].Tag;
            const bool there = from == "hand"  ? tag == kTagHand
                               : from[0] == 'f' ? game.FoundationTop[index] == lead
                                                : tag == kTagColumn && game.ColumnOf(lead) == index;
            const int target = std::stoi(to.substr(1));
            if (!there || !game.PickUpCards(lead) ||
                !(to[0] == 'f' ? game.RunFitsFoundationPile(target) : game.RunFitsColumn(target))) {
                ADD_FAILURE() << "not a legal move here";
                return -1;
            }
            game.MoveCard = lead;
            game.MoveTarget = to[0] == 'f' ? FoundationBase(target) : play::ColumnTarget(game, target);
            game.PerformMove();
            if (platform.gameOverShown > 0) return static_cast<int>(i) + 1;
        }
        return -1;
    }

    // Solves the deal; when winnable, its line must win in the game at its last move.
    solver::Solution SolveAndReplay(const Deal& deal, long budgetMs = 2000) {
        solver::Budget budget;
        budget.milliseconds = budgetMs;
        solver::Solution solution = solver::Solve(solver::Position::FromDeal(deal), budget);
        if (solution.verdict == Verdict::Winnable) {
            const int won = Replay(deal, solver::MoveLines(solution.moves));
            EXPECT_EQ(won, static_cast<int>(solution.moves.size()));
            // The static proof must never condemn a position a win passes through.
            solver::Position p = solver::Position::FromDeal(deal);
            for (const solver::Move& m : solution.moves) {
                EXPECT_FALSE(p.Stuck());
                p.Apply(m);
            }
        }
        return solution;
    }

    RecordingPlatform platform;
    Game game{platform};
};

// Four clean columns King to Eight, one per suit, and two more that say what must move.
Deal NearlyDone(const char* column4, const char* column5, const char* column3 = "KD QD JD 10D 9D 8D") {
    return Columns({"KS QS JS 10S 9S 8S", "KH QH JH 10H 9H 8H", "KC QC JC 10C 9C 8C", column3,
                    column4, column5});
}

TEST_F(SolverTest, CraftedDealsAreWonInTheFewestMoves) {
    const struct {
        Deal deal;
        std::size_t fewest;
    } cases[] = {
        // 7H spoils the last column and goes onto any Eight.
        {NearlyDone("7C 6C 5C 4C 3C 2C", "7D 6D 5D 4D 3D 7H"), 1},
        // 7H 6H must leave, one card at a time with no empty column: 6H onto 7S, 7H onto an Eight.
        {NearlyDone("7C 6C 5C 4C 3C 2C", "7D 6D 5D 4D 7H 6H", "KD QD JD 10D 9D 7S"), 2},
        // Every card below the top ones rises, so each leaves alone: five Clubs onto the
        // Eight of Spades, four Diamonds onto the Eight of Hearts, the Ace of Hearts home.
        {NearlyDone("2D 3C 4C 5C 6C 7C", "AS AH 4D 5D 6D 7D"), 10},
    };
    for (const auto& c : cases) {
        const solver::Solution solution = SolveAndReplay(c.deal);
        EXPECT_EQ(solution.verdict, Verdict::Winnable);
        EXPECT_EQ(solution.moves.size(), c.fewest);
    }
}

TEST_F(SolverTest, DealsThatCannotBeWon) {
    const Deal cases[] = {
        // No move at all: every column ends in a King or a Jack, no Queen, Ten or Ace is free.
        Columns({"QS 10S AS 5C 6C KS", "QH 10H AH 5D 6D KH", "QD 10D AD 5H 6H KD",
                 "QC 10C AC 5S 6S KC", "2C 3C 4C 9C 9D JS", "2D 3D 4D 9H 9S JH"}),
        // The same with the Ace of Clubs in the hand: it can go home and come back down
        // nowhere, and nothing else ever moves.
        Columns({"QS 10S AS 5C 6C KS", "QH 10H AH 5D 6D KH", "QD 10D AD 5H 6H KD",
                 "QC 10C 2S 5S 6S KC", "2C 3C 4C 9C 9D JS", "2D 3D 4D 9H 9S JH"}),
    };
    for (const Deal& deal : cases) {
        ASSERT_TRUE(IsPermutation(deal));
        EXPECT_EQ(SolveAndReplay(deal).verdict, Verdict::NotWinnable);
        // The static proof sees it too: the Jacks and Kings at the ends must leave, and no
        // Queen can ever be bared or put at the end of a column.
        EXPECT_TRUE(solver::Position::FromDeal(deal).Stuck());
    }
}

TEST_F(SolverTest, RandomDealsThatAreWonReplayToTheWin) {
    for (std::uint64_t seed : {1, 12}) {  // the first deals of these seeds can be won
        game.SeedRandom(seed);
        game.DealRandomGame();
        EXPECT_EQ(SolveAndReplay(game.DealOrder).verdict, Verdict::Winnable) << "seed " << seed;
    }
}

// Small tables, late in a game: each suit home up to some rank, the rest dealt at random to
// the columns and now and then the hand. The search with its shortcuts (cards sent home at
// once, lazy cards, no useless cards taken back) must reach the verdict of the plain search
// that tries every legal move, lost tables included.
TEST(SolverShortcuts, KeepTheVerdictOfThePlainSearch) {
    std::mt19937_64 random(5);
    int won = 0, lost = 0;
    for (int table = 0; table < 400 && (won < 20 || lost < 4); ++table) {
        std::array<int, kSuitCount> home{};
        std::vector<int> cards;
        do {
            cards.clear();
            for (int suit = 0; suit < kSuitCount; ++suit) {
                home[suit] = static_cast<int>(random() % 14) - 1;
                for (int r = home[suit] + 1; r < kRankCount; ++r) cards.push_back(CardNumber(suit, r));
            }
        } while (cards.size() < 24 || cards.size() > 28);
        std::shuffle(cards.begin(), cards.end(), random);
        std::array<solver::Position::Column, kColumns> columns;
        std::uint64_t hand = 0;
        for (int card : cards) {
            const auto place = static_cast<int>(random() % 13);  // the hand's share kept small
            if (place == 2 * kColumns) hand |= 1ULL << card;
            else columns[place % kColumns].push_back(card);
        }
        const solver::Position position(columns, hand, home);
        solver::Budget budget;  // a small table of positions, not the clock, bounds the work
        budget.milliseconds = 60'000;
        budget.memoryBytes = std::size_t{1} << 18;
        budget.prune = false;
        const Verdict plain = solver::Solve(position, budget).verdict;
        if (plain == Verdict::Unknown) continue;
        budget.prune = true;
        const Verdict quick = solver::Solve(position, budget).verdict;
        if (quick == Verdict::Unknown) continue;
        ASSERT_EQ(quick, plain) << "table " << table;
        (quick == Verdict::Winnable ? won : lost) += 1;
    }
    EXPECT_GE(won, 20);
    EXPECT_GE(lost, 4);
}

// Every legal move of the game, as the solver names it: lead, cards, from, to (a
// foundation by its suit). Moving an Ace between two empty foundations is left out: it
// changes nothing but the pile's place, and the solver keeps foundations by suit.
using Listed = std::tuple<int, int, int, int>;

std::set<Listed> GameMoves(Game& game) {
    std::set<Listed> moves;
    for (int card = 0; card < kCardCount; ++card) {
        const char tag = game.imgCard[card].Tag;
        if (!game.PickUpCards(card)) continue;
        const int from = tag == kTagHand ? solver::kHand
                         : tag == kTagColumn ? game.ColumnOf(card) : solver::kFoundation + SuitOf(card);
        const int count = game.MoveLast + 1;
        for (int c = 0; c < kColumns; ++c)
            if (c != from && game.RunFitsColumn(c)) moves.emplace(card, count, from, c);
        for (int f = 0; f < kFoundations && tag != kTagFoundation; ++f)
            if (game.RunFitsFoundationPile(f)) moves.emplace(card, count, from, solver::kFoundation + SuitOf(card));
    }
    return moves;
}

std::set<Listed> SolverMoves(const Game& game) {
    std::array<solver::Position::Column, kColumns> columns;
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < kSlots && game.ColumnCards[c][s] != kNoCard; ++s) columns[c].push_back(game.ColumnCards[c][s]);
    std::uint64_t hand = 0;
    for (int card = 0; card < kCardCount; ++card)
        if (game.imgCard[card].Tag == kTagHand) hand |= 1ULL << card;
    std::array<int, kSuitCount> ranks{-1, -1, -1, -1};
    for (int top : game.FoundationTop)
        if (top != kNoCard) ranks[SuitOf(top)] = Rank(top);
    std::vector<solver::Move> list;
    solver::Position(columns, hand, ranks).Generate(list, false);
    std::set<Listed> moves;
    for (const solver::Move& m : list) moves.emplace(m.card, m.count, m.from, m.to);
    EXPECT_EQ(moves.size(), list.size()) << "a move listed twice";
    return moves;
}

TEST_F(SolverTest, SolverAndGameAgreeOnEveryLegalMoveAlongLongPlay) {
    long compared = 0;
    for (int deal = 0; deal < 30; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 7919u + 3);
        for (int step = 0; step < 60; ++step) {
            player.Step(game);
            const std::set<Listed> fromSolver = SolverMoves(game);
            ASSERT_EQ(GameMoves(game), fromSolver) << "deal " << deal << ", step " << step;
            compared += static_cast<long>(fromSolver.size());
        }
    }
    EXPECT_GT(compared, 10'000);
}

}  // namespace
}  // namespace tess::test
