#include "support/table_builder.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tess::test {

namespace {

// A sorted hand: Kings first, and within a rank Spades first.
bool HandOrder(int a, int b) { return Rank(a) * kSuitCount + SuitOf(a) > Rank(b) * kSuitCount + SuitOf(b); }

// Every card of a foundation whose top card is given.
std::vector<int> Pile(int top) {
    std::vector<int> cards;
    for (int card = top - Rank(top); top != kNoCard && card <= top; ++card) cards.push_back(card);
    return cards;
}

}  // namespace

int C(const char* name) {
    static constexpr std::string_view kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const std::string_view text(name);
    const std::size_t suit = text.empty() ? std::string_view::npos : std::string_view("CDHS").find(text.back());
    for (int r = 0; r < kRankCount && suit != std::string_view::npos; ++r)
        if (kRanks[r] == text.substr(0, text.size() - 1)) return CardNumber(static_cast<int>(suit), r);
    return kNoCard;
}

std::array<int, kCardCount> SortedHandDeal(const std::array<int, 36>& columnCards) {
    std::array<int, kCardCount> deal{};
    std::copy(columnCards.begin(), columnCards.end(), deal.begin());
    std::vector<int> hand;
    for (int card = 0; card < kCardCount; ++card)
        if (std::find(columnCards.begin(), columnCards.end(), card) == columnCards.end()) hand.push_back(card);
    std::sort(hand.begin(), hand.end(), HandOrder);
    std::copy(hand.begin(), hand.end(), deal.begin() + 36);
    return deal;
}

void FillColumns(TableSetup& setup, const std::vector<int>& columns, int keepInHand) {
    std::array<bool, kCardCount> placed{};
    for (const auto& column : setup.columns)
        for (int card : column) placed[card] = true;
    for (int top : setup.foundations)
        for (int card : Pile(top)) placed[card] = true;
    std::vector<int> rest;
    for (int card = 0; card < kCardCount; ++card)
        if (!placed[card]) rest.push_back(card);
    for (int i = 0; i < static_cast<int>(rest.size()) - keepInHand; ++i)
        setup.columns[columns[i % columns.size()]].push_back(rest[i]);
}

void SetUpTable(Game& game, const TableSetup& setup) {
    std::array<char, kCardCount> area{};
    const auto place = [&](int card, char tag, double left, double top) {
        area[card] = tag;
        game.MoveImage(card, left, top);
        game.imgCard[card].Tag = tag;
        game.BringToFront(card);
    };
    // Dealt first so that every image is as a layout leaves it; the hand's places are those
    // of a sorted hand of the hand cards and as many others as it takes to make sixteen.
    std::vector<int> hand, others;
    for (const auto& column : setup.columns)
        for (int card : column) others.push_back(card);
    for (int top : setup.foundations)
        for (int card : Pile(top)) others.push_back(card);
    std::sort(others.begin(), others.end());
    ASSERT_TRUE(others.empty() || (others[0] >= 0 && others.back() < kCardCount)) << "no such card";
    ASSERT_TRUE(std::adjacent_find(others.begin(), others.end()) == others.end()) << "a card placed twice";
    for (int card = 0; card < kCardCount; ++card)
        if (!std::binary_search(others.begin(), others.end(), card)) hand.push_back(card);
    ASSERT_LE(hand.size(), 16u) << "more than sixteen cards left for the hand";
    std::vector<int> handPlaces = hand;
    for (; handPlaces.size() < 16; others.pop_back()) handPlaces.push_back(others.back());
    std::sort(handPlaces.begin(), handPlaces.end(), HandOrder);
    std::copy(others.begin(), others.end(), game.DealOrder.begin());
    std::copy(handPlaces.begin(), handPlaces.end(), game.DealOrder.begin() + 36);
    game.LayOutDeal();
    game.ClearColumns();
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < static_cast<int>(setup.columns[c].size()); ++s)
            place(game.ColumnCards[c][s] = setup.columns[c][s], kTagColumn, ColumnLeft(c), SlotTop(s));
    for (int f = 0; f < kFoundations; ++f)
        for (int card : Pile(game.FoundationTop[f] = setup.foundations[f]))
            place(card, kTagFoundation, kFoundationLeft, FoundationTopPos(f));
    for (int p = 36; p < kCardCount; ++p)
        if (area[game.DealOrder[p]] == 0) place(game.DealOrder[p], kTagHand, HandLeft(p - 36), kHandTop);
    ASSERT_EQ(game.CheckInvariants(), "");
}

}  // namespace tess::test
