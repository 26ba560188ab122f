// The card pictures: every face drawn, coloured by suit, and told apart, also by the strip
// that shows when another card covers it.
#include <QPainter>
#include <QtMath>

#include <gtest/gtest.h>

#include "game/cards.h"
#include "window/card_art.h"

namespace tess {
namespace {

QImage ImageOf(const QPixmap& p) { return p.toImage().convertToFormat(QImage::Format_ARGB32); }

// Pixels that pass `test`, or with `other`, pixels that differ clearly (not by a shade of
// antialiasing) from the same pixel there.
int Count(const QImage& a, const std::function<bool(QRgb)>& test, const QImage* other = nullptr) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = other ? other->pixel(x, y) : 0;
            n += other ? std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                   std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 96
                       : test(p);
        }
    }
    return n;
}
int Differences(const QImage& a, const QImage& b) { return Count(a, nullptr, &b); }

// The part of a card that shows under another card of other suit and rank placed (dx, dy)
// logical pixels further on.
QImage Strip(CardArt& art, int card, qreal dpr, qreal dx, qreal dy) {
    const int cover = CardNumber((SuitOf(card) + 1) % kSuitCount, (Rank(card) + 12) % kRankCount);
    QImage table(qCeil(kCardWidthPx * dpr), qCeil(kCardHeightPx * dpr), QImage::Format_ARGB32);
    table.setDevicePixelRatio(dpr);
    table.fill(TableColor());
    QPainter painter(&table);
    painter.drawPixmap(QPointF(0, 0), art.Face(card, dpr));
    painter.drawPixmap(QPointF(dx, dy), art.Face(cover, dpr));
    painter.end();
    return table.copy(0, 0, dx > 0 ? qFloor(dx * dpr) : table.width(), dy > 0 ? qFloor(dy * dpr) : table.height());
}

// Each face has ink, red only for red suits, and its index again, turned half about, in the
// opposite corner; no two cards look alike whole, in the top strip a column shows or in the
// left strip the hand shows.
TEST(CardArt, EveryFaceIsDrawnColouredAndToldApartAlsoWhenCovered) {
    CardArt art;
    const qreal handStep = kHandStep * kClientWidthPx / kBoardWidth;  // about 15.46 pixels
    for (qreal dpr : {1.0, 2.0}) {
        std::vector<QImage> faces, column, hand;
        for (int card = 0; card < kCardCount; ++card) {
            const QImage face = faces.emplace_back(ImageOf(art.Face(card, dpr)));
            column.push_back(Strip(art, card, dpr, 0, kSlotStep));
            hand.push_back(Strip(art, card, dpr, handStep, 0));
            ASSERT_EQ(face.size(), QSize(qCeil(71 * dpr), qCeil(96 * dpr))) << CardName(card);
            const int red = Count(face, [](QRgb p) { return qAlpha(p) > 200 && qRed(p) >= 150 && qGreen(p) <= 90 && qBlue(p) <= 90; });
            EXPECT_GT(Count(face, [](QRgb p) { return qAlpha(p) == 255 && qGray(p) < 160; }), 300 * dpr * dpr) << CardName(card);
            const bool redSuit = SuitOf(card) == kHearts || SuitOf(card) == kDiamonds;
            EXPECT_TRUE(redSuit ? red > 40 * dpr * dpr : red == 0) << CardName(card) << ": " << red;
            const QRect corner(0, 0, qCeil(14 * dpr), qCeil(20 * dpr));
            const QImage opposite = face.copy(corner.translated(face.width() - corner.width(), face.height() - corner.height()));
            EXPECT_LE(Differences(face.copy(corner), opposite.mirrored(true, true)), 10) << CardName(card);
        }
        for (int a = 0; a < kCardCount; ++a) {
            for (int b = a + 1; b < kCardCount; ++b) {
                const std::string pair = CardName(a) + " and " + CardName(b);
                EXPECT_GE(Differences(faces[a], faces[b]), 30) << pair << " at ratio " << dpr;
                EXPECT_GE(Differences(column[a], column[b]), 5 * dpr * dpr) << pair << " in a column";
                EXPECT_GE(Differences(hand[a], hand[b]), 5 * dpr * dpr) << pair << " in the hand";
            }
        }
    }
}

}  // namespace
}  // namespace tess
