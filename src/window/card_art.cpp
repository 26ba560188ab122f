#include "window/card_art.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QtMath>

#include "game/cards.h"
#include "window/card_art_court.h"
#include "window/face_cache.h"

namespace tess {
namespace {

// Every face is drawn in these design units and scaled to the target rectangle.
constexpr qreal kFaceW = 71;
constexpr qreal kFaceH = 96;
constexpr int kPileBasePicture = kCardCount;
constexpr int kJack = 10;

// The top-left index: a column narrow enough to show in a hand card's 15-pixel strip,
// short enough to show above the next card in a column (18 pixels).
constexpr qreal kIndexCenterX = 7.5;
constexpr qreal kIndexMaxWidth = 11.4;
constexpr qreal kRankTop = 1.6;
constexpr qreal kRankCapHeight = 8.5;
constexpr qreal kIndexSuitCenterY = 14.1;
constexpr qreal kIndexSuitSize = 7.5;

constexpr qreal kPipSize = 12.0;
constexpr std::array<qreal, 3> kPipColumnX = {21.5, 35.5, 49.5};
constexpr qreal kPipTopY = 19.0;
constexpr qreal kPipSpanY = 58.0;

struct Pip {
    int column;  // 0 left, 1 middle, 2 right
    qreal row;   // 0 top .. 1 bottom
};

// The classic arrangements for Two to Ten, in rank order.
const std::array<std::vector<Pip>, 9>& PipLayouts() {
    static const std::array<std::vector<Pip>, 9> layouts = {{
        {{1, 0}, {1, 1}},
        {{1, 0}, {1, 0.5}, {1, 1}},
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 0.25}, {0, 0.5}, {2, 0.5}, {1, 0.75}, {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {0, 1.0 / 3}, {2, 1.0 / 3}, {1, 0.5}, {0, 2.0 / 3}, {2, 2.0 / 3},
         {0, 1}, {2, 1}},
        {{0, 0}, {2, 0}, {1, 1.0 / 6}, {0, 1.0 / 3}, {2, 1.0 / 3}, {0, 2.0 / 3}, {2, 2.0 / 3},
         {1, 5.0 / 6}, {0, 1}, {2, 1}},
    }};
    return layouts;
}

QPainterPath Heart() {
    QPainterPath p(QPointF(0, 0.5));
    p.cubicTo(-0.22, 0.28, -0.5, 0.06, -0.5, -0.2);
    p.cubicTo(-0.5, -0.38, -0.38, -0.5, -0.25, -0.5);
    p.cubicTo(-0.1, -0.5, -0.02, -0.4, 0, -0.3);
    p.cubicTo(0.02, -0.4, 0.1, -0.5, 0.25, -0.5);
    p.cubicTo(0.38, -0.5, 0.5, -0.38, 0.5, -0.2);
    p.cubicTo(0.5, 0.06, 0.22, 0.28, 0, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath Diamond() {
    QPainterPath p(QPointF(0, -0.5));
    p.quadTo(0.17, -0.21, 0.4, 0);
    p.quadTo(0.17, 0.21, 0, 0.5);
    p.quadTo(-0.17, 0.21, -0.4, 0);
    p.quadTo(-0.17, -0.21, 0, -0.5);
    p.closeSubpath();
    return p;
}

// The flared foot shared by clubs and spades.
QPainterPath Stem(qreal top) {
    QPainterPath p(QPointF(-0.045, top));
    p.cubicTo(-0.05, 0.3, -0.1, 0.44, -0.22, 0.5);
    p.lineTo(0.22, 0.5);
    p.cubicTo(0.1, 0.44, 0.05, 0.3, 0.045, top);
    p.closeSubpath();
    return p;
}

// Qt joins paths through polygons, so the shapes are joined at a large scale to keep the
// curves smooth at any size.
QPainterPath Joined(std::initializer_list<QPainterPath> parts) {
    constexpr qreal kScale = 1000;
    QTransform up;
    up.scale(kScale, kScale);
    QPainterPath joined;
    for (const QPainterPath& part : parts) joined = joined.united(up.map(part));
    QTransform down;
    down.scale(1 / kScale, 1 / kScale);
    return down.map(joined);
}

QPainterPath Spade() {
    QPainterPath p(QPointF(0, -0.5));
    p.cubicTo(0.12, -0.33, 0.5, -0.12, 0.5, 0.12);
    p.cubicTo(0.5, 0.29, 0.37, 0.38, 0.25, 0.38);
    p.cubicTo(0.14, 0.38, 0.05, 0.32, 0.02, 0.24);
    p.lineTo(-0.02, 0.24);
    p.cubicTo(-0.05, 0.32, -0.14, 0.38, -0.25, 0.38);
    p.cubicTo(-0.37, 0.38, -0.5, 0.29, -0.5, 0.12);
    p.cubicTo(-0.5, -0.12, -0.12, -0.33, 0, -0.5);
    p.closeSubpath();
    return Joined({p, Stem(0.1)});
}

// Three leaves on a stem; the index uses smaller, further-apart leaves so the gaps between
// them still show at seven pixels and a club cannot pass for a spade.
QPainterPath Club(qreal r, qreal spread) {
    QPainterPath top;
    top.addEllipse(QPointF(0, -0.5 + r), r, r);
    const qreal sideY = -0.5 + r + spread * 1.3;
    QPainterPath left;
    left.addEllipse(QPointF(-spread, sideY), r, r);
    QPainterPath right;
    right.addEllipse(QPointF(spread, sideY), r, r);
    QPainterPath middle(QPointF(0, -0.5 + r));
    middle.lineTo(-spread * 0.7, sideY);
    middle.lineTo(spread * 0.7, sideY);
    middle.closeSubpath();
    return Joined({top, left, right, middle, Stem(sideY - 0.05)});
}

QColor InkOf(int suit) {
    return IsRedSuit(suit) ? QColor(0xc8, 0x10, 0x2e) : QColor(0x1a, 0x1a, 0x1a);
}

// Text as outlines scaled so the glyphs run from y = 0 down to y = height (1 for a cap
// height) and start at x = 0, so they scale like every other shape on the face.
QPainterPath TextOutline(const QString& text, const QString& family, qreal height) {
    QFont font(family);
    font.setBold(true);
    font.setPixelSize(100);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    QTransform t;
    t.scale(height / box.height(), height / box.height());
    t.translate(-box.left(), -box.top());
    return t.map(path);
}

const QPainterPath& RankOutline(int rank) {
    static const std::array<QPainterPath, kRankCount> outlines = [] {
        static const std::array<const char*, kRankCount> labels = {
            "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
        std::array<QPainterPath, kRankCount> made;
        for (int r = 0; r < kRankCount; ++r) {
            // The Queen's tail hangs below the line the other glyphs sit on.
            made[r] = TextOutline(QString::fromLatin1(labels[r]), QStringLiteral("DejaVu Sans"),
                                  r == kQueen ? 1.14 : 1.0);
        }
        return made;
    }();
    return outlines[rank];
}

void PaintFrame(QPainter& p) {
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, kFaceW - 1, kFaceH - 1), 4.5, 4.5);
}

void PaintIndex(QPainter& p, int card) {
    const int suit = SuitOf(card);
    PaintText(p, RankOutline(Rank(card)), QPointF(kIndexCenterX, kRankTop), kRankCapHeight,
              kIndexMaxWidth, InkOf(suit));
    PaintShape(p, IndexSuitOutline(suit), QPointF(kIndexCenterX, kIndexSuitCenterY),
               kIndexSuitSize, false, InkOf(suit));
}

void PaintPips(QPainter& p, int card) {
    const int suit = SuitOf(card);
    const int rank = Rank(card);
    const QPointF centre(kFaceW / 2, kFaceH / 2);
    if (rank == kAce && suit == kSpades) {
        // The Ace of Spades is the grand one: larger, with a fine outline around it.
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.scale(46, 46);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(InkOf(suit), 0.7));
        p.drawPath(t.map(SuitOutline(suit)));
        PaintSuit(p, suit, centre, 36, false, InkOf(suit));
        return;
    }
    if (rank == kAce) {
        PaintSuit(p, suit, centre, 30, false, InkOf(suit));
        return;
    }
    for (const Pip& pip : PipLayouts()[rank - 1]) {
        const QPointF at(kPipColumnX[pip.column], kPipTopY + kPipSpanY * pip.row);
        PaintSuit(p, suit, at, kPipSize, pip.row > 0.5, InkOf(suit));
    }
}

// Runs draw once upright and once turned half about the face's centre, as the two ends
// of a card mirror each other.
template <typename Draw>
void BothEnds(QPainter& p, Draw draw) {
    draw();
    p.save();
    p.translate(kFaceW / 2, kFaceH / 2);
    p.rotate(180);
    p.translate(-kFaceW / 2, -kFaceH / 2);
    draw();
    p.restore();
}

}  // namespace

bool IsRedSuit(int suit) { return suit == kDiamonds || suit == kHearts; }

const QPainterPath& SuitOutline(int suit) {
    static const std::array<QPainterPath, kSuitCount> shapes = {Club(0.235, 0.265), Diamond(),
                                                                Heart(), Spade()};
    return shapes[suit];
}

const QPainterPath& IndexSuitOutline(int suit) {
    static const std::array<QPainterPath, kSuitCount> shapes = {Club(0.2, 0.29), Diamond(),
                                                                Heart(), Spade()};
    return shapes[suit];
}

void PaintShape(QPainter& p, const QPainterPath& shape, QPointF centre, qreal size,
                bool upsideDown, const QColor& colour) {
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (upsideDown) t.rotate(180);
    t.scale(size, size);
    p.fillPath(t.map(shape), colour);
}

void PaintSuit(QPainter& p, int suit, QPointF centre, qreal size, bool upsideDown,
               const QColor& colour) {
    PaintShape(p, SuitOutline(suit), centre, size, upsideDown, colour);
}

void PaintText(QPainter& p, const QPainterPath& outline, QPointF topCentre, qreal capHeight,
               qreal maxWidth, const QColor& colour) {
    const qreal width = outline.boundingRect().width();
    const qreal sx = std::min(capHeight, maxWidth / width);
    QTransform t;
    t.translate(topCentre.x() - width * sx / 2, topCentre.y());
    t.scale(sx, capHeight);
    p.fillPath(t.map(outline), colour);
}

const QPainterPath& LetterOutline(int rank) {
    static const std::array<QPainterPath, 3> letters = {
        TextOutline(QStringLiteral("J"), QStringLiteral("DejaVu Serif"), 1.0),
        TextOutline(QStringLiteral("Q"), QStringLiteral("DejaVu Serif"), 1.2),
        TextOutline(QStringLiteral("K"), QStringLiteral("DejaVu Serif"), 1.0)};
    return letters[rank - kJack];
}

QColor TableColor() { return QColor(0x1d, 0x6b, 0x3a); }

void PaintCardFace(QPainter& painter, const QRectF& rect, int card) {
    if (card < 0 || card >= kCardCount) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / kFaceW, rect.height() / kFaceH);
    PaintFrame(painter);
    if (Rank(card) >= kJack) {
        PaintCourt(painter, card);
    } else {
        PaintPips(painter, card);
    }
    BothEnds(painter, [&] { PaintIndex(painter, card); });
    painter.restore();
}

void PaintPileBase(QPainter& painter, const QRectF& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / kFaceW, rect.height() / kFaceH);
    const QColor table = TableColor();
    painter.setPen(QPen(table.lighter(160), 1.4));
    painter.setBrush(table.darker(115));
    painter.drawRoundedRect(QRectF(1.2, 1.2, kFaceW - 2.4, kFaceH - 2.4), 5, 5);
    painter.setPen(QPen(table.lighter(130), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(4.5, 4.5, kFaceW - 9, kFaceH - 9), 3, 3);
    painter.restore();
}

namespace {

constexpr int kPictureCount = kCardCount + 1;  // the faces and the pile base

QSize PictureSize(qreal dpr) { return {qCeil(kFaceW * dpr), qCeil(kFaceH * dpr)}; }

}  // namespace

CardArt::CardArt(QString diskCache) : diskCache_(std::move(diskCache)) {}

bool CardArt::LoadFromDisk(qreal scale) {
    const std::optional<std::vector<QImage>> pictures =
        LoadFaceCache(FaceCacheFile(diskCache_, scale), FaceCacheKey(), PictureSize(scale), kPictureCount);
    if (!pictures) return false;
    for (int i = 0; i < kPictureCount; ++i) {
        QPixmap pixmap = QPixmap::fromImage((*pictures)[i]);
        pixmap.setDevicePixelRatio(scale);
        cache_[{i, scale}] = std::move(pixmap);
    }
    onDisk_.insert(scale);
    return true;
}

void CardArt::SaveToDisk(qreal scale) {
    std::vector<QImage> pictures;
    pictures.reserve(kPictureCount);
    for (int i = 0; i < kPictureCount; ++i) pictures.push_back(cache_.at({i, scale}).toImage());
    // A cache that cannot be written only costs the next start the drawing.
    if (!SaveFaceCache(FaceCacheFile(diskCache_, scale), FaceCacheKey(), pictures)) return;
    onDisk_.insert(scale);
    // Every size the window was ever left at would pile up: keep the latest few.
    const QFileInfoList stored =
        QDir(diskCache_).entryInfoList({QStringLiteral("faces-*.bin")}, QDir::Files, QDir::Time);
    for (qsizetype i = kStoredScales; i < stored.size(); ++i) QFile::remove(stored[i].filePath());
}

void CardArt::StoreIfComplete(qreal scale) {
    // A scale dropped from memory (by a resize) has no count left and is not stored.
    if (const auto drawn = drawnAt_.find(scale); drawn != drawnAt_.end() && drawn->second == kPictureCount &&
                                                 !onDisk_.contains(scale))
        SaveToDisk(scale);
}

void CardArt::StoreInUse() {
    if (!recent_.empty() && !diskCache_.isEmpty()) StoreIfComplete(recent_.front());
}

void CardArt::ReleaseStore() {
    holdStore_ = false;
    if (const std::optional<qreal> scale = std::exchange(heldScale_, std::nullopt)) StoreIfComplete(*scale);
}

void CardArt::KeepRecent(qreal scale) {
    if (!recent_.empty() && recent_.front() == scale) return;
    std::erase(recent_, scale);
    recent_.insert(recent_.begin(), scale);
    // A window being resized asks for a new scale at every step: keep the two latest.
    while (recent_.size() > 2) {
        const qreal dropped = recent_.back();
        recent_.pop_back();
        std::erase_if(cache_, [dropped](const auto& entry) { return entry.first.second == dropped; });
        drawnAt_.erase(dropped);
    }
}

const QPixmap& CardArt::Face(int card, qreal scale) {
    static const QPixmap none;
    if (card < 0 || card >= kCardCount) return none;
    return Picture(card, scale);
}

const QPixmap& CardArt::PileBase(qreal scale) { return Picture(kPileBasePicture, scale); }

const QPixmap& CardArt::Picture(int picture, qreal scale) {
    if (!(scale > 0)) scale = 1;
    KeepRecent(scale);
    if (auto found = cache_.find({picture, scale}); found != cache_.end()) return found->second;
    if (!diskCache_.isEmpty() && diskTried_.insert(scale).second && LoadFromDisk(scale))
        return cache_.at({picture, scale});
    QPixmap& pixmap = cache_[{picture, scale}];
    pixmap = QPixmap(PictureSize(scale));
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRectF rect(0, 0, kFaceW, kFaceH);
    if (picture == kPileBasePicture) {
        PaintPileBase(painter, rect);
    } else {
        PaintCardFace(painter, rect, picture);
    }
    painter.end();
    ++drawn_;
    // The scale the window starts at is stored as soon as it is complete.
    if (++drawnAt_[scale] == kPictureCount && !diskCache_.isEmpty() && !storedStartScale_) {
        storedStartScale_ = true;
        if (holdStore_)
            heldScale_ = scale;
        else
            SaveToDisk(scale);
    }
    return pixmap;
}

}  // namespace tess
