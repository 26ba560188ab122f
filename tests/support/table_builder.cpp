#include "support/table_builder.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace tess::test {

namespace {

// A sorted hand: Kings first, and within a rank Spades first.
bool HandOrder(int a, int b) { return Rank(a) * kSuitCount + SuitOf(a) > Rank(b) * kSuitCount + SuitOf(b); }

// The cards the setup places: its columns, and each foundation from the Ace up.
std::vector<int> Placed(const TableSetup& setup) {
    std::vector<int> cards;
    for (const auto& column : setup.columns) cards.insert(cards.end(), column.begin(), column.end());
    for (int top : setup.foundations)
        for (int card = top - Rank(top); top != kNoCard && card <= top; ++card) cards.push_back(card);
    return cards;
}

// The cards of the pack not in `cards`, in card order.
std::vector<int> Rest(const std::vector<int>& cards) {
    std::vector<int> rest;
    for (int card = 0; card < kCardCount; ++card)
        if (std::ranges::find(cards, card) == cards.end()) rest.push_back(card);
    return rest;
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
    std::vector<int> hand = Rest({columnCards.begin(), columnCards.end()});
    std::ranges::sort(hand, HandOrder);
    std::copy(hand.begin(), hand.end(), std::copy(columnCards.begin(), columnCards.end(), deal.begin()));
    return deal;
}

void FillColumns(TableSetup& setup, const std::vector<int>& columns, int keepInHand) {
    const std::vector<int> rest = Rest(Placed(setup));
    for (int i = 0; i < static_cast<int>(rest.size()) - keepInHand; ++i)
        setup.columns[columns[i % columns.size()]].push_back(rest[i]);
}

void SetUpTable(Game& game, const TableSetup& setup) {
    std::vector<int> others = Placed(setup);
    std::ranges::sort(others);
    ASSERT_TRUE(others.empty() || (others[0] >= 0 && others.back() < kCardCount)) << "no such card";
    ASSERT_TRUE(std::adjacent_find(others.begin(), others.end()) == others.end()) << "a card placed twice";
    // Dealt first so that every image is as a layout leaves it; the hand's places are those
    // of a sorted hand of the hand cards and as many others as it takes to make sixteen.
    std::vector<int> hand = Rest(others);
    ASSERT_LE(hand.size(), 16u) << "more than sixteen cards left for the hand";
    for (; hand.size() < 16; others.pop_back()) hand.push_back(others.back());
    std::ranges::sort(hand, HandOrder);
    std::copy(hand.begin(), hand.end(), std::copy(others.begin(), others.end(), game.DealOrder.begin()));
    game.LayOutDeal();
    game.ClearColumns();
    std::array<bool, kCardCount> placed{};
    const auto place = [&](int card, char tag, double left, double top) {
        placed[card] = true;
        game.MoveImage(card, left, top);
        game.imgCard[card].Tag = tag;
        game.BringToFront(card);
    };
    for (int c = 0; c < kColumns; ++c)
        for (int s = 0; s < static_cast<int>(setup.columns[c].size()); ++s)
            place(game.ColumnCards[c][s] = setup.columns[c][s], kTagColumn, ColumnLeft(c), SlotTop(s));
    for (int f = 0; f < kFoundations; ++f)
        for (int top = game.FoundationTop[f] = setup.foundations[f], card = top - Rank(top); top != kNoCard && card <= top; ++card)
            place(card, kTagFoundation, kFoundationLeft, FoundationTopPos(f));
    for (int p = 36; p < kCardCount; ++p)
        if (!placed[game.DealOrder[p]]) place(game.DealOrder[p], kTagHand, HandLeft(p - 36), kHandTop);
    ASSERT_EQ(game.CheckInvariants(), "");
}

}  // namespace tess::test
