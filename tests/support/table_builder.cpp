#include "support/table_builder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace tess::test {

namespace {

// Position in a sorted hand: Kings first, and within a rank Spades first.
int HandOrderKey(int card) { return (kKing - Rank(card)) * kSuitCount + (kSpades - SuitOf(card)); }

}  // namespace

int C(const char* name) {
    const std::string text(name);
    if (text.size() < 2) return kNoCard;
    const std::string rank = text.substr(0, text.size() - 1);
    const char suit = text.back();
    int r = -1;
    if (rank == "A") r = kAce;
    else if (rank == "J") r = 10;
    else if (rank == "Q") r = kQueen;
    else if (rank == "K") r = kKing;
    else r = std::stoi(rank) - 1;
    const char* suits = "CDHS";
    const char* at = std::strchr(suits, suit);
    if (at == nullptr || r < 0 || r > kKing) return kNoCard;
    return CardNumber(static_cast<int>(at - suits), r);
}

std::array<int, kCardCount> SortedHandDeal(const std::array<int, 36>& columnCards) {
    std::array<int, kCardCount> deal{};
    std::array<bool, kCardCount> used{};
    for (int p = 0; p < 36; ++p) {
        deal[p] = columnCards[p];
        used[columnCards[p]] = true;
    }
    std::vector<int> hand;
    for (int card = 0; card < kCardCount; ++card)
        if (!used[card]) hand.push_back(card);
    std::sort(hand.begin(), hand.end(), [](int a, int b) { return HandOrderKey(a) < HandOrderKey(b); });
    std::copy(hand.begin(), hand.end(), deal.begin() + 36);
    return deal;
}

void FillColumns(TableSetup& setup, const std::vector<int>& columns, int keepInHand) {
    std::array<bool, kCardCount> placed{};
    for (const auto& column : setup.columns)
        for (int card : column) placed[card] = true;
    for (int top : setup.foundations)
        if (top != kNoCard)
            for (int card = top - Rank(top); card <= top; ++card) placed[card] = true;
    std::vector<int> rest;
    for (int card = 0; card < kCardCount; ++card)
        if (!placed[card]) rest.push_back(card);
    const int toColumns = std::max(0, static_cast<int>(rest.size()) - keepInHand);
    for (int i = 0; i < toColumns; ++i) setup.columns[columns[i % columns.size()]].push_back(rest[i]);
}

void SetUpTable(Game& game, const TableSetup& setup) {
    std::array<char, kCardCount> area{};
    for (int c = 0; c < kColumns; ++c)
        for (int card : setup.columns[c]) {
            ASSERT_TRUE(card >= 0 && card < kCardCount && area[card] == 0) << "card " << card;
            area[card] = kTagColumn;
        }
    for (int f = 0; f < kFoundations; ++f) {
        const int top = setup.foundations[f];
        if (top == kNoCard) continue;
        for (int card = top - Rank(top); card <= top; ++card) {
            ASSERT_EQ(area[card], 0) << "card " << card;
            area[card] = kTagFoundation;
        }
    }
    std::vector<int> hand, others;
    for (int card = 0; card < kCardCount; ++card) (area[card] == 0 ? hand : others).push_back(card);
    ASSERT_LE(hand.size(), 16u) << "more than sixteen cards left for the hand";

    // The hand places: the hand cards plus enough others, in sorted hand order.
    std::vector<int> handPlaces = hand;
    while (handPlaces.size() < 16) {
        handPlaces.push_back(others.back());
        others.pop_back();
    }
    std::sort(handPlaces.begin(), handPlaces.end(),
              [](int a, int b) { return HandOrderKey(a) < HandOrderKey(b); });
    for (int p = 0; p < 36; ++p) game.DealOrder[p] = others[p];
    for (int p = 36; p < kCardCount; ++p) game.DealOrder[p] = handPlaces[p - 36];
    game.LayOutDeal();

    game.ClearColumns();
    for (int c = 0; c < kColumns; ++c) {
        for (int s = 0; s < static_cast<int>(setup.columns[c].size()); ++s) {
            const int card = setup.columns[c][s];
            game.MoveImage(card, ColumnLeft(c), SlotTop(s));
            game.imgCard[card].Tag = kTagColumn;
            game.BringToFront(card);
            game.ColumnCards[c][s] = card;
        }
    }
    for (int f = 0; f < kFoundations; ++f) {
        const int top = setup.foundations[f];
        game.FoundationTop[f] = top;
        if (top == kNoCard) continue;
        for (int card = top - Rank(top); card <= top; ++card) {
            game.MoveImage(card, kFoundationLeft, FoundationTopPos(f));
            game.imgCard[card].Tag = kTagFoundation;
            game.BringToFront(card);
        }
    }
    for (int p = 36; p < kCardCount; ++p) {
        const int card = game.DealOrder[p];
        if (area[card] != 0) continue;
        game.MoveImage(card, HandLeft(p - 36), kHandTop);
        game.imgCard[card].Tag = kTagHand;
        game.BringToFront(card);
    }
    ASSERT_EQ(game.CheckInvariants(), "");
}

}  // namespace tess::test
