// Shared by the rules tests: tables written as text, the actions a player takes, and what
// must hold between any two of them.
#pragma once

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "rules/random_play.h"
#include "support/recording_platform.h"
#include "support/table_builder.h"

namespace tess::test {

// The table as RulesTest::Table() reads it; `spare` cards at the top of a column show as '*'
// and are left out of the hand. With every card shown it fixes, wherever Problems() finds
// nothing, every card's place, area and visibility.
inline std::string Describe(const Game& game, const std::array<bool, kCardCount>& spare = {}) {
    const auto name = [](int card) {  // "10H", "QS"
        const std::string_view rank = RankName[Rank(card)];
        return std::string(rank.substr(0, rank.size() > 2 ? 1 : 2)) + SuitName[SuitOf(card)][0];
    };
    std::vector<std::string> columns(kColumns);
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0, card; s < kSlots && (card = game.ColumnCards[c][s]) != kNoCard; ++s)
            if (const bool top = spare[card] && columns[c].size() < 2; !top || s == 0)  // among the spare cards atop
                columns[c] += (s ? " " : "") + (top ? "*" : name(card));
    while (!columns.empty() && columns.back().empty()) columns.pop_back();  // empty ones at the end
    std::string s, tops, hand;
    for (std::size_t c = 0; c < columns.size(); ++c) s += (c ? " |" : "") + (columns[c].empty() ? "" : " " + columns[c]);
    for (int top : game.FoundationTop) tops += top == kNoCard ? " -" : " " + name(top);
    while (tops.size() > 1 && tops.substr(tops.size() - 2) == " -") tops.resize(tops.size() - 2);
    for (int card = 0; card < kCardCount; ++card)
        if (game.imgCard[card].Tag == kTagHand && !spare[card]) hand += " " + name(card);
    s = s.substr(s.empty() ? 0 : 1) + (tops.empty() && hand.empty() ? "" : " /" + tops);
    return hand.empty() ? s : s + " /" + hand;
}

// Empty when all is well between two events: the table's invariants hold, each hand card
// lies in front of the one before it, Undo is offered exactly when there is a move, at
// most one move won the deal, and the moving list describes the latest move unless a drag
// carries it.
inline std::string Problems(const Game& game) {
    std::ostringstream out(game.CheckInvariants(), std::ios::ate);
    std::uint64_t previous = 0;
    for (int i = kCardCount - 1; i >= 0; --i) {  // Kings first, Spades first within a rank
        const CardImage& im = game.imgCard[CardNumber(i % kSuitCount, i / kSuitCount)];
        if (im.Tag == kTagHand && im.ZOrder <= std::exchange(previous, im.ZOrder))
            out << "the hand is out of order\n";
    }
    if (game.UndoItemsEnabled() != (game.UndoCount > 0)) out << "Undo items out of step\n";
    const auto first = game.UndoRecords.begin(), end = first + game.UndoCount;
    const auto won = std::count_if(first, end, [](const UndoRecord& r) { return r.WonGame; });
    if (won > 1 || game.GameWon != (won == 1)) out << won << " moves won the deal\n";
    if (!game.Dragging && end != first && (game.MoveLast != end[-1].LastIndex || game.MoveCards != end[-1].Cards))
        out << "the moving list is not the latest move's\n";
    return out.str();
}

class RulesTest : public ::testing::Test {
protected:
    // "* 9C KS | | QH JS / KC - 4H / 7D": each column from its top card, the foundations'
    // top cards, the cards kept in the hand. The other cards are spare: '*' columns take
    // them on top, one at least each, until the hand holds at most sixteen.
    void Table(const std::string& text) {
        TableSetup setup;
        std::vector<std::size_t> starred;
        std::size_t column = 0, part = 0, f = 0, kept = 0;
        spare_.fill(true);
        std::istringstream in(text);
        for (std::string word; in >> word;) {
            const int card = C(word.c_str());  // none for the marks
            if (word == "|") ++column;
            else if (word == "/") ++part;
            else if (word == "*") starred.push_back(column);
            else if (part == 1) setup.foundations[f++] = card;
            else if (part == 0) setup.columns[column].push_back(card);
            else ++kept;
            if (card != kNoCard) spare_[card] = false;
        }
        for (int top : setup.foundations)
            for (int c = top - Rank(top); top != kNoCard && c < top; ++c) spare_[c] = false;
        const auto n = static_cast<std::size_t>(std::count(spare_.begin(), spare_.end(), true));
        const std::size_t over = std::max<std::size_t>(n + kept, 16) - 16;  // beyond the hand
        const std::size_t onTop = starred.empty() ? 0 : std::min(n, std::max(starred.size(), over));
        std::array<std::ptrdiff_t, kColumns> added{};  // spare cards atop each column so far
        for (std::size_t card = 0, i = 0; card < kCardCount; ++card) {
            if (!spare_[card] || i >= onTop) continue;
            const std::size_t c = starred[i++ % starred.size()];
            setup.columns[c].insert(setup.columns[c].begin() + added[c]++, static_cast<int>(card));
        }
        SetUpTable(game, setup);
        laidOut_ = Describe(game);
        described_ = Describe(game, spare_);
    }

    // Comma-separated actions: "QH>2" drops what a press on the card picks up on column 2
    // ("QH>F1": on foundation 1) when the rules allow it; "dbl 9D" double-clicks a card (or
    // "dbl 52" an image by index); "menu 8D>0" is the card menu's move; "undo" takes one back.
    void Act(const std::string& actions) {
        std::istringstream in(actions);
        for (std::string action; std::getline(in, action, ',');) {
            std::istringstream words(action);
            std::string verb, move;
            words >> verb >> move;
            if (verb == "undo") game.UndoMove();
            game.Dragging = verb == "dbl";  // a pending press, which the double-click ends
            if (verb == "dbl")  // a card, or an image by its index
                game.imgCard_DblClick(move.back() <= '9' ? std::stoi(move) : C(move.c_str()));
            EXPECT_FALSE(game.Dragging);
            if (verb == "undo" || verb == "dbl") continue;
            if (verb != "menu") move = verb;
            const std::size_t at = move.find('>');
            const int card = C(move.substr(0, at).c_str());
            const bool home = move[at + 1] == 'F';
            const int to = std::stoi(move.substr(at + (home ? 2 : 1)));
            game.MoveTarget = home ? FoundationBase(to) : play::ColumnTarget(game, to);
            if (verb == "menu") game.PopupCard = card, game.MenuMove();
            else if (game.PickUpCards(card) &&
                       (home ? game.RunFitsFoundationPile(to) : game.RunFitsColumn(to))) {
                for (int i = 0; i <= game.MoveLast; ++i)  // a drag hides what it carries
                    game.imgCard[game.MoveCards[i]].Visible = false;
                game.MoveCard = card;
                game.PerformMove();
            }
        }
    }

    // A table, what is done on it, and the table expected ("=": unchanged, and no move made).
    struct Case { std::string table, actions, expected; int moves = 1; };

    // Lays the table out, acts, expects the table and the number of moves, then takes every
    // move back one at a time down to the exact table laid out.
    void Check(const Case& c) {
        SCOPED_TRACE(c.table + "  ::  " + c.actions);
        Table(c.table);
        Act(c.actions);
        EXPECT_EQ(Problems(game), "");
        EXPECT_EQ(Describe(game, spare_), c.expected == "=" ? described_ : c.expected);
        EXPECT_EQ(game.UndoCount, c.expected == "=" ? 0 : c.moves);
        while (game.UndoCount > 0) {
            game.UndoMove();
            ASSERT_EQ(Problems(game), "") << "undone to " << game.UndoCount;
        }
        EXPECT_EQ(Describe(game), laidOut_);
    }

    RecordingPlatform platform;
    Game game{platform};
    std::array<bool, kCardCount> spare_{};
    std::string laidOut_, described_;
};

}  // namespace tess::test
