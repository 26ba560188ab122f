// Card numbers, names and the board lattice: the vocabulary every other part speaks.
#pragma once

#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace tess {

constexpr int kNoCard = -1;
constexpr int kCardCount = 52;
constexpr int kRankCount = 13;
constexpr int kSuitCount = 4;

constexpr int kAce = 0;
constexpr int kTwo = 1;
constexpr int kQueen = 11;
constexpr int kKing = 12;

enum Suit { kClubs = 0, kDiamonds = 1, kHearts = 2, kSpades = 3 };

constexpr int Rank(int card) { return card % kRankCount; }
constexpr int SuitOf(int card) { return card / kRankCount; }
constexpr int CardNumber(int suit, int rank) { return suit * kRankCount + rank; }
constexpr int kKingOfSpades = CardNumber(kSpades, kKing);

inline constexpr std::array<std::string_view, kRankCount> RankName = {
    "Ace", "2", "3", "4", "5", "6", "7", "8", "9", "10", "Jack", "Queen", "King"};
inline constexpr std::array<std::string_view, kSuitCount> SuitName = {
    "Clubs", "Diamonds", "Hearts", "Spades"};

// "7 of Hearts"
std::string CardName(int card);

// ---- Images: 0..51 card faces, 52 the spare image, then the bases. ----
constexpr int kImageCount = 63;
constexpr int kSpareImage = 52;
constexpr int kFirstFoundationBase = 53;
constexpr int kFirstColumnBase = 57;
constexpr int FoundationBase(int f) { return kFirstFoundationBase + f; }
constexpr int ColumnBase(int c) { return kFirstColumnBase + c; }
constexpr bool IsCardImage(int index) { return index >= 0 && index < kCardCount; }

// Area codes held in each image's Tag.
constexpr char kTagColumn = 'b';
constexpr char kTagHand = 'h';
constexpr char kTagFoundation = 'p';
constexpr char kTagColumnBase = 's';
constexpr char kTagSpare = 'i';

// ---- Board geometry, in board units (582 x 440 across the 600 x 440 pixel client area). ----
constexpr int kColumns = 6;
constexpr int kSlots = 19;
constexpr int kFoundations = 4;
constexpr int kMaxRun = 13;

constexpr double kBoardWidth = 582;
constexpr double kBoardHeight = 440;
constexpr double kClientWidthPx = 600;
constexpr double kClientHeightPx = 440;
constexpr double kCardWidthPx = 71;
constexpr double kCardHeightPx = 96;
constexpr double kCardWidth = kCardWidthPx * kBoardWidth / kClientWidthPx;  // about 68.9 units
constexpr double kCardHeight = 96;
constexpr double kSlotStep = 18;
constexpr double kFoundationLeft = 498;
constexpr double kHandTop = 336;
constexpr double kHandStep = 15;
// A column card at this Top or lower reaches into the hand's band (slot 13).
constexpr double kHandBandTop = 242;
constexpr int kFirstSlotOverHand = 13;
constexpr int kColumnsOverHand = 4;  // columns 0..3 meet the hand

// Mouse positions on images come in twips; these convert them to board units.
constexpr double kTwipsPerUnitX = 15.475;
constexpr double kTwipsPerUnitY = 15;
constexpr double kTwipsPerPixel = 15;

constexpr double ColumnLeft(int c) { return 81.0 * c + 8; }
constexpr double SlotTop(int s) { return 18.0 * s + 8; }
constexpr double FoundationTopPos(int f) { return 104.0 * f + 16; }
constexpr double HandLeft(int handIndex) { return kHandStep * handIndex + 8; }

// Nearest integer, ties to even (the default rounding mode).
inline int Nearest(double v) { return static_cast<int>(std::nearbyint(v)); }
inline int ColumnFromLeft(double left) { return Nearest((left - 8) / 81); }
inline int SlotFromTop(double top) { return Nearest((top - 8) / 18); }
inline int FoundationFromTop(double top) { return Nearest((top - 16) / 104); }

}  // namespace tess
