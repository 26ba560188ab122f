// The card pictures: every face drawn, told apart, coloured by suit and identifiable from
// the strip that shows when another card covers it.
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/cards.h"
#include "window/card_art.h"

namespace tess {
namespace {

QImage ImageOf(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

bool IsRed(QRgb p) { return qAlpha(p) > 200 && qRed(p) >= 150 && qGreen(p) <= 90 && qBlue(p) <= 90; }

int CountPixels(const QImage& image, bool (*test)(QRgb)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

// Pixels that differ clearly (not by a shade of antialiasing) between two equal-sized images.
int StrongDifferences(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            n += d > 96 ? 1 : 0;
        }
    }
    return n;
}

std::string Name(int card) { return CardName(card); }

// What the player sees of a card lying under another one placed (dx, dy) logical pixels
// further on: the card, then the covering card, cut to the part of the first that shows.
QImage VisibleStrip(CardArt& art, int card, int cover, qreal dpr, qreal dx, qreal dy) {
    QImage table(qCeil(kCardWidthPx * dpr), qCeil(kCardHeightPx * dpr), QImage::Format_ARGB32);
    table.setDevicePixelRatio(dpr);
    table.fill(TableColor());
    QPainter painter(&table);
    painter.drawPixmap(QPointF(0, 0), art.Face(card, dpr));
    painter.drawPixmap(QPointF(dx, dy), art.Face(cover, dpr));
    painter.end();
    const int w = dx > 0 ? static_cast<int>(std::floor(dx * dpr)) : table.width();
    const int h = dy > 0 ? static_cast<int>(std::floor(dy * dpr)) : table.height();
    return table.copy(0, 0, w, h);
}

// Every pair of strips must differ in at least this many clearly different pixels.
void ExpectStripsPairwiseDistinct(CardArt& art, qreal dpr, qreal dx, qreal dy, int minimum) {
    std::vector<QImage> strips;
    for (int card = 0; card < kCardCount; ++card) {
        // Covered by a card of another suit and rank, as play would have it.
        const int cover = CardNumber((SuitOf(card) + 1) % kSuitCount, (Rank(card) + 12) % kRankCount);
        strips.push_back(VisibleStrip(art, card, cover, dpr, dx, dy));
    }
    for (int a = 0; a < kCardCount; ++a) {
        for (int b = a + 1; b < kCardCount; ++b) {
            EXPECT_GE(StrongDifferences(strips[a], strips[b]), minimum)
                << Name(a) << " and " << Name(b) << " look alike at ratio " << dpr;
        }
    }
}

TEST(CardArt, EveryFaceRendersAtItsLogicalSize) {
    CardArt art;
    for (qreal dpr : {1.0, 1.25, 2.0}) {
        for (int card = 0; card < kCardCount; ++card) {
            const QPixmap& face = art.Face(card, dpr);
            ASSERT_FALSE(face.isNull()) << Name(card);
            EXPECT_EQ(face.width(), qCeil(71 * dpr)) << Name(card);
            EXPECT_EQ(face.height(), qCeil(96 * dpr)) << Name(card);
            EXPECT_DOUBLE_EQ(face.devicePixelRatio(), dpr);
            const QImage image = ImageOf(face);
            // White paper in the middle of the card, transparent beyond the rounded corner.
            EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, 2)), 255) << Name(card);
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << Name(card);
            const int ink = CountPixels(image, [](QRgb p) {
                return qAlpha(p) == 255 && (qRed(p) < 160 || qGreen(p) < 160 || qBlue(p) < 160);
            });
            EXPECT_GT(ink, static_cast<int>(300 * dpr * dpr)) << Name(card) << " is nearly blank";
        }
    }
}

TEST(CardArt, AllFacesArePairwiseDifferent) {
    CardArt art;
    std::vector<QImage> faces;
    for (int card = 0; card < kCardCount; ++card) faces.push_back(ImageOf(art.Face(card, 1)));
    for (int a = 0; a < kCardCount; ++a) {
        for (int b = a + 1; b < kCardCount; ++b) {
            EXPECT_GE(StrongDifferences(faces[a], faces[b]), 30) << Name(a) << " vs " << Name(b);
        }
    }
}

TEST(CardArt, RedSuitsAreRedAndBlackSuitsHaveNoRed) {
    CardArt art;
    for (qreal dpr : {1.0, 2.0}) {
        for (int card = 0; card < kCardCount; ++card) {
            const int red = CountPixels(ImageOf(art.Face(card, dpr)), IsRed);
            const int suit = SuitOf(card);
            if (suit == kHearts || suit == kDiamonds) {
                EXPECT_GT(red, static_cast<int>(40 * dpr * dpr)) << Name(card);
            } else {
                EXPECT_EQ(red, 0) << Name(card);
            }
        }
    }
}

TEST(CardArt, TheTopIndexShowsRedOrBlackInk) {
    CardArt art;
    for (int card = 0; card < kCardCount; ++card) {
        const QImage corner = ImageOf(art.Face(card, 1)).copy(0, 0, 15, 18);
        const int red = CountPixels(corner, IsRed);
        const int black = CountPixels(corner, [](QRgb p) {
            return qAlpha(p) == 255 && qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80;
        });
        const int suit = SuitOf(card);
        if (suit == kHearts || suit == kDiamonds) {
            EXPECT_GE(red, 15) << Name(card);
        } else {
            // The border is dark too; the index must add clearly more than the border's 30 or so.
            EXPECT_GE(black, 45) << Name(card);
        }
    }
}

// A card in a column shows its top 18 pixels above the next card.
TEST(CardArt, ColumnStripsIdentifyEveryCard) {
    CardArt art;
    ExpectStripsPairwiseDistinct(art, 1, 0, kSlotStep, 5);
    ExpectStripsPairwiseDistinct(art, 2, 0, kSlotStep, 20);
}

// A hand card shows about 15 pixels at its left beside the next one.
TEST(CardArt, HandStripsIdentifyEveryCard) {
    CardArt art;
    const qreal step = kHandStep * kClientWidthPx / kBoardWidth;
    ExpectStripsPairwiseDistinct(art, 1, step, 0, 5);
    ExpectStripsPairwiseDistinct(art, 2, step, 0, 20);
}

TEST(CardArt, CourtCardsMirrorTopAndBottom) {
    CardArt art;
    for (int suit = 0; suit < kSuitCount; ++suit) {
        for (int rank = 10; rank <= kKing; ++rank) {
            const int card = CardNumber(suit, rank);
            const QImage face = ImageOf(art.Face(card, 1));
            const QImage turned = face.mirrored(true, true);
            long total = 0;
            for (int y = 0; y < face.height(); ++y) {
                for (int x = 0; x < face.width(); ++x) {
                    total += std::abs(qGray(face.pixel(x, y)) - qGray(turned.pixel(x, y)));
                }
            }
            EXPECT_LT(static_cast<double>(total) / (face.width() * face.height()), 3.0) << Name(card);
        }
    }
}

TEST(CardArt, PaintingToAnyRectangleMatchesTheCachedPicture) {
    CardArt art;
    for (int card : {0, 9, 23, 37, 51}) {
        QImage direct(142, 192, QImage::Format_ARGB32);
        direct.fill(Qt::transparent);
        QPainter painter(&direct);
        PaintCardFace(painter, QRectF(0, 0, 142, 192), card);
        painter.end();
        const QImage cached = ImageOf(art.Face(card, 2));
        ASSERT_EQ(cached.size(), direct.size());
        EXPECT_LE(StrongDifferences(direct, cached), 4) << Name(card);
    }
}

TEST(CardArt, PileBaseIsGreenAndUnlikeAnyFace) {
    CardArt art;
    for (qreal dpr : {1.0, 2.0}) {
        const QPixmap& base = art.PileBase(dpr);
        ASSERT_FALSE(base.isNull());
        EXPECT_DOUBLE_EQ(base.devicePixelRatio(), dpr);
        const QImage image = ImageOf(base);
        const QRgb middle = image.pixel(image.width() / 2, image.height() / 2);
        EXPECT_GT(qGreen(middle), qRed(middle) + 30);
        EXPECT_GT(qGreen(middle), qBlue(middle) + 30);
        for (int card = 0; card < kCardCount; ++card) {
            EXPECT_GT(StrongDifferences(image, ImageOf(art.Face(card, dpr))), 1000) << Name(card);
        }
    }
}

TEST(CardArt, CacheHandsBackTheSamePixmapPerCardAndRatio) {
    CardArt art;
    const QPixmap* first = &art.Face(7, 2);
    const qint64 key = first->cacheKey();
    for (int card = 0; card < kCardCount; ++card) art.Face(card, 1.5);
    EXPECT_EQ(&art.Face(7, 2), first);
    EXPECT_EQ(art.Face(7, 2).cacheKey(), key);
    EXPECT_NE(&art.Face(7, 1), first);
    EXPECT_NE(&art.Face(8, 2), first);
    EXPECT_EQ(&art.PileBase(2), &art.PileBase(2));
    EXPECT_NE(&art.PileBase(2), &art.PileBase(1));
}

TEST(CardArt, NumbersOutsideThePackHaveNoFace) {
    CardArt art;
    EXPECT_TRUE(art.Face(kNoCard, 1).isNull());
    EXPECT_TRUE(art.Face(kCardCount, 1).isNull());
    // A nonsensical ratio falls back to 1 rather than making an empty picture.
    EXPECT_EQ(art.Face(3, 0).width(), 71);
    EXPECT_EQ(art.Face(3, -2).height(), 96);
}

TEST(CardArt, TableIsTheDarkGreen) { EXPECT_EQ(TableColor(), QColor(0x1d, 0x6b, 0x3a)); }

// The icon draws the same picture at every size the desktop asks for, whether Qt draws it
// from the SVG or takes the pre-rendered PNG.
TEST(ProgramIcon, EverySizeMatchesItsRenderedPng) {
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QStringLiteral(":/icons/tessaline-%1.png").arg(size);
        const QImage png = QImage(file).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(png.isNull()) << file.toStdString();
        ASSERT_EQ(png.size(), QSize(size, size));
        const QImage drawn = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(drawn.size(), png.size()) << size;
        EXPECT_LE(StrongDifferences(drawn, png), size / 8) << size;
        // Transparent corners around the rounded green square, green inside it.
        EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << size;
        const QRgb edge = drawn.pixel(size / 2, size / 8);
        EXPECT_GT(qGreen(edge), qRed(edge) + 30) << size;
    }
    EXPECT_TRUE(QSvgRenderer(QStringLiteral(":/icons/tessaline.svg")).isValid());
}

}  // namespace
}  // namespace tess
