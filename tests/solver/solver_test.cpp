// The solver against the game: its lines replay in the game's own move engine to a win,
// crafted deals get the verdicts one can prove by hand, and both agree on what is legal.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "files/saved_game.h"
#include "rules/random_play.h"
#include "solver/solver.h"
#include "solver/table_memory.h"
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

// Four clean columns King to Eight, one per suit, and two more that say what must move.
Deal NearlyDone(const char* column4, const char* column5, const char* column3 = "KD QD JD 10D 9D 8D") {
    return Columns({"KS QS JS 10S 9S 8S", "KH QH JH 10H 9H 8H", "KC QC JC 10C 9C 8C", column3, column4, column5});
}

// The table as the solver sees it.
solver::Position FromGame(const Game& game) {
    std::array<solver::Position::Column, kColumns> columns;
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < kSlots && game.ColumnCards[c][s] != kNoCard; ++s) columns[c].push_back(game.ColumnCards[c][s]);
    std::uint64_t hand = 0;
    std::array<int, kSuitCount> ranks{-1, -1, -1, -1};
    for (int card = 0; card < kCardCount; ++card) hand |= std::uint64_t{game.imgCard[card].Tag == kTagHand} << card;
    for (int top : game.FoundationTop)
        if (top != kNoCard) ranks[SuitOf(top)] = Rank(top);
    return {columns, hand, ranks};
}

// A beam weighs moves by their preview and makes only the ones it keeps, so a preview that
// differed from the move would mislead it, or lose positions in the table of those seen.
// Random play rarely empties a column, so winning lines are checked too: they are where runs
// of several cards move.
void ExpectPeekAndUndoMatchTheMoves(solver::Position& p, const std::vector<solver::Move>& moves) {
    const solver::Key before = p.Fingerprint();
    for (const solver::Move& m : moves) {
        const solver::Position::Preview preview = p.Peek(m);
        p.Apply(m);
        int empty = 0, home = 0, pieces = 0, disorder = 0;
        for (int c = 0; c < kColumns; ++c) {
            empty += p.Length(c) == 0;
            // A piece starts at the first break, and after it at each card that is not one
            // rank below the card above it.
            bool broken = false;
            for (int s = 1; s < p.Length(c); ++s) {
                const int rank = Rank(p.Card(c, s)), above = Rank(p.Card(c, s - 1));
                pieces += (!broken && rank >= above) || (broken && rank != above - 1);
                if (!broken && rank >= above) disorder += p.Length(c) - s;
                broken = broken || rank >= above;
            }
        }
        for (int suit = 0; suit < kSuitCount; ++suit) home += p.FoundationRank(suit) + 1;
        EXPECT_TRUE(preview.key == p.Fingerprint()) << solver::CardText(m.card);
        // From the cards: the position keeps where each column breaks through its moves.
        EXPECT_EQ(preview.disorder, disorder) << solver::CardText(m.card);
        EXPECT_EQ(p.Disorder(), disorder) << solver::CardText(m.card);
        EXPECT_EQ(preview.pieces, pieces) << solver::CardText(m.card);
        EXPECT_EQ(preview.empty, empty);
        EXPECT_EQ(preview.home, home);
        p.Undo(m);
        ASSERT_TRUE(p.Fingerprint() == before) << "undoing " << solver::CardText(m.card);
    }
}

// Columns in another order are the same position to the search, but not to the shortening
// of a line, which names its columns. Any other change is another position: two that passed
// for one would cut lines the search must try.
void ExpectFingerprintSeesAllButColumnOrder(const solver::Position& p) {
    std::array<solver::Position::Column, kColumns> reversed;
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < p.Length(c); ++s) reversed[kColumns - 1 - c].push_back(p.Card(c, s));
    std::uint64_t hand = 0;
    std::array<int, kSuitCount> ranks{};
    for (int card = 0; card < kCardCount; ++card) hand |= std::uint64_t{p.InHand(card)} << card;
    for (int suit = 0; suit < kSuitCount; ++suit) ranks[suit] = p.FoundationRank(suit);
    const solver::Position mirror(reversed, hand, ranks);
    EXPECT_TRUE(mirror.Fingerprint() == p.Fingerprint());
    EXPECT_FALSE(mirror.Fingerprint(true) == p.Fingerprint(true));
    if (hand != 0) {
        const solver::Position fewer(reversed, hand & (hand - 1), ranks);
        EXPECT_FALSE(fewer.Fingerprint() == p.Fingerprint()) << "a hand card less";
    }
    ranks[0] = ranks[0] < kKing ? ranks[0] + 1 : kQueen;
    const solver::Position higher(reversed, hand, ranks);
    EXPECT_FALSE(higher.Fingerprint() == p.Fingerprint()) << "another foundation";
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
            std::istringstream in(lines[i]);
            std::string card, from, to;
            in >> card >> from >> to;
            const int lead = C(card.c_str()), index = from == "hand" ? 0 : std::stoi(from.substr(1));
            const int target = std::stoi(to.substr(1));
            const bool there = from == "hand"  ? game.imgCard[lead].Tag == kTagHand
                               : from[0] == 'f' ? game.FoundationTop[index] == lead
                                                : game.imgCard[lead].Tag == kTagColumn && game.ColumnOf(lead) == index;
            if (!there || !game.PickUpCards(lead) ||
                !(to[0] == 'f' ? game.RunFitsFoundationPile(target) : game.RunFitsColumn(target))) {
                ADD_FAILURE() << lines[i] << ": not a legal move here";
                return -1;
            }
            game.MoveCard = lead;
            game.MoveTarget = to[0] == 'f' ? FoundationBase(target) : play::ColumnTarget(game, target);
            game.PerformMove();
            if (platform.gameOverShown > 0) return static_cast<int>(i) + 1;
        }
        return -1;
    }

    // Solves the deal; when winnable, its line must win in the game at its last move, and
    // the static proof must never condemn a position the win passes through, and the preview
    // of every legal move there must match the move.
    solver::Solution SolveAndReplay(const Deal& deal, long milliseconds = 2000) {
        solver::Solution solution = solver::Solve(solver::Position::FromDeal(deal), {.milliseconds = milliseconds});
        if (solution.verdict != Verdict::Winnable) return solution;
        EXPECT_EQ(Replay(deal, solver::MoveLines(solution.moves)), static_cast<int>(solution.moves.size()));
        solver::Position p = solver::Position::FromDeal(deal);
        std::vector<solver::Move> legal;
        for (const solver::Move& m : solution.moves) {
            EXPECT_FALSE(p.Stuck());
            legal.clear();
            p.Generate(legal, false);
            ExpectPeekAndUndoMatchTheMoves(p, legal);
            p.Apply(m);
        }
        return solution;
    }

    RecordingPlatform platform;
    Game game{platform};
};

TEST_F(SolverTest, CraftedDealsAreWonInTheFewestMovesAndRandomOnesReplayToTheWin) {
    const std::pair<Deal, std::size_t> cases[] = {
        // 7H spoils the last column and goes onto any Eight.
        {NearlyDone("7C 6C 5C 4C 3C 2C", "7D 6D 5D 4D 3D 7H"), 1},
        // 7H 6H must leave, one card at a time with no empty column: 6H onto 7S, 7H onto an Eight.
        {NearlyDone("7C 6C 5C 4C 3C 2C", "7D 6D 5D 4D 7H 6H", "KD QD JD 10D 9D 7S"), 2},
        // Every card below the top ones rises, so each leaves alone: five Clubs onto the
        // Eight of Spades, four Diamonds onto the Eight of Hearts, the Ace of Hearts home.
        {NearlyDone("2D 3C 4C 5C 6C 7C", "AS AH 4D 5D 6D 7D"), 10},
    };
    for (const auto& [deal, fewest] : cases) {
        const solver::Solution solution = SolveAndReplay(deal);
        EXPECT_EQ(solution.verdict, Verdict::Winnable);
        EXPECT_EQ(solution.moves.size(), fewest);
        // With no time left to shorten it, the line found is kept whole, and still wins.
        EXPECT_EQ(SolveAndReplay(deal, 0).verdict, Verdict::Winnable);
    }
    for (std::uint64_t seed : {1, 12}) {  // the first deals of these seeds can be won
        game.SeedRandom(seed);
        game.DealRandomGame();
        EXPECT_EQ(SolveAndReplay(game.DealOrder).verdict, Verdict::Winnable) << "seed " << seed;
    }
}

TEST_F(SolverTest, DealsThatCannotBeWon) {
    // No move at all: every column ends in a King or a Jack, no Queen, Ten or Ace is free;
    // then the same with the Ace of Clubs in the hand: it can go home and come back down
    // nowhere, and nothing else ever moves.
    for (const char* column3 : {"QC 10C AC 5S 6S KC", "QC 10C 2S 5S 6S KC"}) {
        const Deal deal = Columns({"QS 10S AS 5C 6C KS", "QH 10H AH 5D 6D KH", "QD 10D AD 5H 6H KD", column3,
                                   "2C 3C 4C 9C 9D JS", "2D 3D 4D 9H 9S JH"});
        EXPECT_EQ(SolveAndReplay(deal).verdict, Verdict::NotWinnable);
        // The static proof sees it too: the Jacks and Kings at the ends must leave, and no
        // Queen can ever be bared or put at the end of a column.
        EXPECT_TRUE(solver::Position::FromDeal(deal).Stuck());
    }
    // The Clubs from the Ace to the Five go home, which digs a column down to its Jack of
    // Spades: one card left is not an empty column. The Kings and the other Jack never move.
    const Deal dug = Columns({"QS 10S AS 9D 6C KS", "QH 10H AH 5D 6D KH", "QD 10D AD 5H 6H KD",
                              "QC 10C 9C 5S 6S KC", "JS 5C 4C 3C 2C AC", "2D 3D 4D 9H 9S JH"});
    EXPECT_EQ(SolveAndReplay(dug).verdict, Verdict::NotWinnable);
    EXPECT_TRUE(solver::Position::FromDeal(dug).Stuck());
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
        while (cards.size() < 24 || cards.size() > 28) {
            cards.clear();
            for (int suit = 0; suit < kSuitCount; ++suit) {
                home[suit] = static_cast<int>(random() % 14) - 1;
                for (int r = home[suit] + 1; r < kRankCount; ++r) cards.push_back(CardNumber(suit, r));
            }
        }
        std::shuffle(cards.begin(), cards.end(), random);
        std::array<solver::Position::Column, kColumns> columns;
        std::uint64_t hand = 0;
        for (int card : cards) {
            const auto place = static_cast<int>(random() % 13);  // the hand's share kept small
            if (place == 2 * kColumns) hand |= 1ULL << card;
            else columns[place % kColumns].push_back(card);
        }
        const solver::Position position(columns, hand, home);
        // A small table of positions, not the clock, bounds the work; the plain search first,
        // and the quick one only where it decided.
        solver::Budget budget{.milliseconds = 60'000, .memoryBytes = std::size_t{1} << 18, .prune = false};
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

// A run that is its whole column (here with four empty columns) moves onto a card one rank
// higher like any other run; random play seldom makes such a table.
TEST(SolverMoves, AColumnThatIsOneRunMovesWhole) {
    std::vector<solver::Move> moves;
    solver::Position({{{C("8C"), C("7H")}, {C("KS"), C("9D")}}}, 0, {-1, -1, -1, -1}).Generate(moves, false);
    EXPECT_EQ(std::ranges::count_if(moves, [](auto& m) { return m.card == C("8C") && m.to == 1 && m.count == 2; }), 1);
}

// A double-click plays an Ace to the first empty pile, and a pile whose Ace was taken back
// is empty again: the lines must name the piles so, or a player who plays home by
// double-click finds a suit on another pile than the lines name.
TEST(SolverMoves, LinesNumberThePilesAsTheGameFillsThem) {
    // A card from the hand home, or from home onto a column.
    const auto move = [](const char* name, bool fromHand, int column = -1) {
        const int card = C(name), home = solver::kFoundation + SuitOf(card);
        return solver::Move{static_cast<std::int8_t>(card), static_cast<std::int8_t>(fromHand ? solver::kHand : home),
                            static_cast<std::int8_t>(fromHand ? home : column)};
    };
    const std::vector<std::string> lines =
        solver::MoveLines({move("AC", true), move("AH", true), move("AC", false, 2), move("AD", true)});
    EXPECT_EQ(lines, (std::vector<std::string>{"AC hand f0", "AH hand f1", "AC f0 c2", "AD hand f0"}));
}

// Every legal move of the game, as the solver names it: lead, cards, from, to (a
// foundation by its suit). Moving an Ace between two empty foundations is left out: it
// changes nothing but the pile's place, and the solver keeps foundations by suit.
using Listed = std::set<std::tuple<int, int, int, int>>;

Listed GameMoves(Game& game) {
    Listed moves;
    for (int card = 0; card < kCardCount; ++card) {
        const char tag = game.imgCard[card].Tag;
        if (!game.PickUpCards(card)) continue;
        const int from = tag == kTagHand ? solver::kHand
                         : tag == kTagColumn ? game.ColumnOf(card) : solver::kFoundation + SuitOf(card);
        for (int c = 0; c < kColumns; ++c)
            if (c != from && game.RunFitsColumn(c)) moves.emplace(card, game.MoveLast + 1, from, c);
        for (int f = 0; f < kFoundations && tag != kTagFoundation; ++f)
            if (game.RunFitsFoundationPile(f)) moves.emplace(card, game.MoveLast + 1, from, solver::kFoundation + SuitOf(card));
    }
    return moves;
}

TEST_F(SolverTest, SolverAndGameAgreeOnEveryLegalMoveAlongLongPlay) {
    long compared = 0;
    for (int deal = 0; deal < 30; ++deal) {
        play::DealForPlay(game, deal);
        play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 7919u + 3);
        for (int step = 0; step < 60; ++step) {
            player.Step(game);
            std::vector<solver::Move> list;
            solver::Position p = FromGame(game);
            p.Generate(list, false);
            Listed fromSolver;
            for (const solver::Move& m : list) fromSolver.emplace(m.card, m.count, m.from, m.to);
            ASSERT_EQ(fromSolver.size(), list.size()) << "a move listed twice";
            ASSERT_EQ(GameMoves(game), fromSolver) << "deal " << deal << ", step " << step;
            compared += static_cast<long>(list.size());
            ExpectPeekAndUndoMatchTheMoves(p, list);
            ExpectFingerprintSeesAllButColumnOrder(p);
        }
    }
    EXPECT_GT(compared, 10'000);
}

// A table's memory is zero and writable to its last byte, mapped on its own (a table that
// fills) or not, and a move hands it over whole: the search's tables never reach that size
// in the tests above.
TEST(SolverTables, MemoryComesZeroedAndAMoveHandsItOver) {
    constexpr std::size_t kBytes = (std::size_t{9} << 20) + 8;
    for (const bool filling : {false, true}) {
        solver::TableMemory memory(kBytes, filling);
        auto* const bytes = static_cast<unsigned char*>(memory.data());
        for (std::size_t i = 0; i < kBytes; i += 4096) {
            ASSERT_EQ(bytes[i], 0) << i;
            bytes[i] = 1;
        }
        ASSERT_EQ(bytes[kBytes - 1], 0);
        bytes[kBytes - 1] = 1;
        solver::TableMemory moved = std::move(memory);
        EXPECT_EQ(memory.data(), nullptr);
        memory = std::move(moved);  // the memory `moved` held must outlive it
        ASSERT_EQ(memory.data(), bytes);
        EXPECT_EQ(bytes[kBytes - 1], 1);
    }
}

}  // namespace
}  // namespace tess::test
