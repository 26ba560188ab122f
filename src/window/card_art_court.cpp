#include "window/card_art_court.h"

#include <QPainter>
#include <QPen>

#include "game/cards.h"

namespace tess {
namespace {

// The portrait panel, in face units, and its half that holds one figure.
constexpr qreal kPanelLeft = 16.5;
constexpr qreal kPanelTop = 5.5;
constexpr qreal kPanelW = 38;
constexpr qreal kPanelH = 85;
constexpr qreal kHalfH = kPanelH / 2;
// The figures are drawn 40 units wide, centred in the panel.
constexpr qreal kFigW = 40;
constexpr qreal kMidX = kFigW / 2;

struct Palette {
    int suit;
    QColor ink;
    QColor robe;
    QColor robeShade;
    QColor front;      // the panel down the middle of the robe
    QColor emblem;     // the suit on that panel
    QColor trim;       // dots and collar
    QColor hat;
    QColor gold;
    QColor goldLine;
    QColor skin;
    QColor line;
    QColor paper;
};

// Clubs and Hearts wear their colour with a gold front; Diamonds and Spades wear gold with
// a front in their colour, so every court differs from its twin of the other suit at a glance.
Palette PaletteOf(int suit) {
    const QColor red(0xc4, 0x22, 0x2b);
    const QColor redShade(0x86, 0x14, 0x1c);
    const QColor blue(0x2a, 0x4a, 0x8c);
    const QColor blueShade(0x18, 0x2c, 0x58);
    const QColor charcoal(0x30, 0x33, 0x38);
    const QColor ochre(0xd9, 0x9a, 0x32);
    const QColor ochreShade(0x8a, 0x5a, 0x12);
    Palette c;
    c.suit = suit;
    c.ink = IsRedSuit(suit) ? QColor(0xc8, 0x10, 0x2e) : QColor(0x1a, 0x1a, 0x1a);
    c.gold = QColor(0xe6, 0xb4, 0x3a);
    c.goldLine = QColor(0x8a, 0x62, 0x12);
    c.skin = QColor(0xf7, 0xdb, 0xbd);
    c.line = QColor(0x4a, 0x33, 0x22);
    c.paper = QColor(0xfb, 0xf4, 0xe2);
    switch (suit) {
    case kClubs:
    case kHearts:
        c.robe = suit == kClubs ? blue : red;
        c.robeShade = suit == kClubs ? blueShade : redShade;
        c.front = c.gold;
        c.emblem = c.ink;
        c.trim = c.gold;
        c.hat = c.robe;
        break;
    default:
        c.robe = ochre;
        c.robeShade = ochreShade;
        c.front = suit == kSpades ? charcoal : red;
        c.emblem = QColor(0xfb, 0xf4, 0xe2);
        c.trim = c.front;
        c.hat = c.front;
        break;
    }
    return c;
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& fill, const QColor& line,
          qreal width) {
    p.setBrush(fill);
    p.setPen(width > 0 ? QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                       : QPen(Qt::NoPen));
    p.drawPath(path);
}

QPainterPath Ellipse(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

void PaintRobe(QPainter& p, const Palette& c) {
    QPainterPath robe(QPointF(3.5, kHalfH + 1));
    robe.lineTo(5.2, 35.5);
    robe.cubicTo(6, 31.8, 9, 30, kMidX, 30);
    robe.cubicTo(kFigW - 9, 30, kFigW - 6, 31.8, kFigW - 5.2, 35.5);
    robe.lineTo(kFigW - 3.5, kHalfH + 1);
    robe.closeSubpath();
    Fill(p, robe, c.robe, c.robeShade, 0.6);

    // A front panel down the middle carries the suit as an emblem.
    QPainterPath front(QPointF(kMidX - 4.5, 31));
    front.lineTo(kMidX + 4.5, 31);
    front.lineTo(kMidX + 6, kHalfH + 1);
    front.lineTo(kMidX - 6, kHalfH + 1);
    front.closeSubpath();
    Fill(p, front, c.front, c.robeShade, 0.5);
    PaintSuit(p, c.suit, QPointF(kMidX, 37.6), 5.6, false, c.emblem);

    // Ermine-like dots on the sleeves.
    for (QPointF dot : {QPointF(8, 38), QPointF(11, 34.5), QPointF(10.5, 40.5),
                        QPointF(32, 38), QPointF(29, 34.5), QPointF(29.5, 40.5)}) {
        Fill(p, Ellipse(dot, 0.8, 0.8), c.trim, c.trim, 0);
    }
    QPainterPath collar(QPointF(13.5, 30.6));
    collar.quadTo(kMidX, 35.5, 26.5, 30.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.trim, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(collar);
}

void PaintHead(QPainter& p, const Palette& c) {
    QPainterPath neck;
    neck.addRect(QRectF(kMidX - 2.2, 25, 4.4, 6));
    Fill(p, neck, c.skin, c.line, 0.4);
    Fill(p, Ellipse(QPointF(kMidX, 20.5), 4.9, 5.7), c.skin, c.line, 0.5);
    Fill(p, Ellipse(QPointF(kMidX - 1.8, 20.2), 0.6, 0.6), c.line, c.line, 0);
    Fill(p, Ellipse(QPointF(kMidX + 1.8, 20.2), 0.6, 0.6), c.line, c.line, 0);
    p.setPen(QPen(c.line, 0.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(kMidX, 20.8), QPointF(kMidX - 0.5, 22.4));
}

void PaintMouth(QPainter& p, const Palette& c) {
    p.setPen(QPen(c.line, 0.55, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(kMidX - 1.1, 24), QPointF(kMidX + 1.1, 24));
}

void PaintKing(QPainter& p, const Palette& c) {
    // Sceptre behind the shoulder.
    p.setPen(QPen(c.goldLine, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(31, kHalfH), QPointF(33.5, 18));
    Fill(p, Ellipse(QPointF(33.6, 17), 1.8, 1.8), c.gold, c.goldLine, 0.5);
    PaintRobe(p, c);
    PaintHead(p, c);

    const QColor beard(0x8a, 0x80, 0x74);
    QPainterPath b(QPointF(15.2, 21));
    b.cubicTo(15.2, 27.5, 17.5, 31, kMidX, 31.5);
    b.cubicTo(22.5, 31, 24.8, 27.5, 24.8, 21);
    b.cubicTo(23.5, 23.2, 16.5, 23.2, 15.2, 21);
    b.closeSubpath();
    Fill(p, b, beard, c.line, 0.45);
    QPainterPath moustache(QPointF(kMidX, 23.2));
    moustache.cubicTo(18.5, 22.3, 17, 23.3, 16.6, 24.5);
    moustache.cubicTo(18, 24, 19, 24.2, kMidX, 23.9);
    moustache.cubicTo(21, 24.2, 22, 24, 23.4, 24.5);
    moustache.cubicTo(23, 23.3, 21.5, 22.3, kMidX, 23.2);
    Fill(p, moustache, c.line, c.line, 0);

    QPainterPath crown(QPointF(14.4, 16));
    crown.lineTo(14.4, 7.6);
    crown.lineTo(17.2, 11);
    crown.lineTo(kMidX, 6);
    crown.lineTo(22.8, 11);
    crown.lineTo(25.6, 7.6);
    crown.lineTo(25.6, 16);
    crown.closeSubpath();
    Fill(p, crown, c.gold, c.goldLine, 0.5);
    for (QPointF tip : {QPointF(14.4, 7.4), QPointF(kMidX, 5.8), QPointF(25.6, 7.4)}) {
        Fill(p, Ellipse(tip, 1, 1), c.gold, c.goldLine, 0.4);
    }
    Fill(p, Ellipse(QPointF(kMidX, 13.6), 1.3, 1.3), c.ink, c.goldLine, 0.3);
    p.setPen(QPen(c.goldLine, 0.5));
    p.drawLine(QPointF(14.4, 15.2), QPointF(25.6, 15.2));
}

void PaintQueen(QPainter& p, const Palette& c) {
    const QColor hair(0x7a, 0x4c, 0x22);
    QPainterPath h(QPointF(14.2, 16));
    h.cubicTo(13.2, 23, 13.4, 29, 11.6, 33);
    h.lineTo(28.4, 33);
    h.cubicTo(26.6, 29, 26.8, 23, 25.8, 16);
    h.cubicTo(24.8, 12, 15.2, 12, 14.2, 16);
    h.closeSubpath();
    Fill(p, h, hair, c.line, 0.45);
    PaintRobe(p, c);
    PaintHead(p, c);
    PaintMouth(p, c);
    QPainterPath fringe(QPointF(15.1, 19));
    fringe.cubicTo(15.5, 15.2, 17.5, 14.6, kMidX, 14.6);
    fringe.cubicTo(22.5, 14.6, 24.5, 15.2, 24.9, 19);
    fringe.cubicTo(23, 16.8, 17, 16.8, 15.1, 19);
    Fill(p, fringe, hair, c.line, 0.35);

    QPainterPath tiara(QPointF(15, 15.4));
    tiara.lineTo(15, 12.2);
    tiara.quadTo(17.5, 9.2, kMidX, 8.4);
    tiara.quadTo(22.5, 9.2, 25, 12.2);
    tiara.lineTo(25, 15.4);
    tiara.quadTo(kMidX, 13.6, 15, 15.4);
    Fill(p, tiara, c.gold, c.goldLine, 0.5);
    for (QPointF pearl : {QPointF(15, 11.6), QPointF(kMidX, 7.8), QPointF(25, 11.6)}) {
        Fill(p, Ellipse(pearl, 1, 1), Qt::white, c.goldLine, 0.4);
    }
    Fill(p, Ellipse(QPointF(kMidX, 11.8), 1.2, 1.4), c.ink, c.goldLine, 0.3);

    // A flower held at the shoulder.
    p.setPen(QPen(QColor(0x2e, 0x7d, 0x32), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(31.5, 26), QPointF(29.5, 36));
    for (int i = 0; i < 5; ++i) {
        QTransform t;
        t.translate(31.5, 25);
        t.rotate(72.0 * i);
        Fill(p, t.map(Ellipse(QPointF(0, -1.6), 1.1, 1.5)), c.gold, c.goldLine, 0.3);
    }
    Fill(p, Ellipse(QPointF(31.5, 25), 0.9, 0.9), c.ink, c.ink, 0);
}

void PaintJack(QPainter& p, const Palette& c) {
    // Halberd behind the shoulder.
    p.setPen(QPen(c.goldLine, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, kHalfH), QPointF(8.5, 12));
    QPainterPath blade(QPointF(8.5, 7.5));
    blade.lineTo(10.2, 12.5);
    blade.lineTo(8.5, 14.5);
    blade.lineTo(6.8, 12.5);
    blade.closeSubpath();
    Fill(p, blade, QColor(0xd8, 0xdc, 0xe2), c.line, 0.4);
    PaintRobe(p, c);
    PaintHead(p, c);
    PaintMouth(p, c);

    const QColor hair(0x5b, 0x3a, 0x1d);
    QPainterPath h(QPointF(15, 23));
    h.cubicTo(14.2, 17, 16, 14, kMidX, 14);
    h.cubicTo(24, 14, 25.8, 17, 25, 23);
    h.cubicTo(24.5, 19.5, 23, 17.5, kMidX, 17.3);
    h.cubicTo(17, 17.5, 15.5, 19.5, 15, 23);
    h.closeSubpath();
    Fill(p, h, hair, c.line, 0.4);

    // A beret worn aslant, with a plume.
    QPainterPath plume(QPointF(24.5, 10));
    plume.cubicTo(25, 6, 27.5, 3.6, 30.5, 3.2);
    plume.cubicTo(29.2, 5.5, 28, 8, 27, 10.6);
    plume.closeSubpath();
    Fill(p, plume, Qt::white, c.line, 0.4);
    QPainterPath cap(QPointF(13.4, 15));
    cap.cubicTo(12.6, 11, 15.6, 8.4, 20.5, 8.3);
    cap.cubicTo(25.5, 8.2, 29.6, 10, 29.6, 12.2);
    cap.cubicTo(26.8, 14.2, 19.5, 14.6, 13.4, 15);
    cap.closeSubpath();
    Fill(p, cap, c.hat, c.line, 0.5);
    QPainterPath band(QPointF(13.6, 14.5));
    band.cubicTo(19.5, 14, 25.5, 13.6, 29.2, 12.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.gold, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    Fill(p, Ellipse(QPointF(25.2, 12.4), 1.1, 1.1), c.gold, c.goldLine, 0.3);
}

// One figure in the upper half of the panel, in panel units.
void PaintFigure(QPainter& p, int card) {
    const int suit = SuitOf(card);
    const int rank = Rank(card);
    const Palette c = PaletteOf(suit);
    p.save();
    p.setClipRect(QRectF(0, 0, kPanelW, kHalfH));
    p.translate((kPanelW - kFigW) / 2, 0);
    if (rank == kKing) {
        PaintKing(p, c);
    } else if (rank == kQueen) {
        PaintQueen(p, c);
    } else {
        PaintJack(p, c);
    }
    p.restore();
    PaintSuit(p, suit, QPointF(5.2, 6.4), 6.4, false, c.ink);
    PaintText(p, LetterOutline(rank), QPointF(kPanelW - 5, 3.2), 6.4, 7, c.ink);
}

}  // namespace

void PaintCourt(QPainter& p, int card) {
    const Palette c = PaletteOf(SuitOf(card));
    p.save();
    p.translate(kPanelLeft, kPanelTop);
    const QRectF panel(0, 0, kPanelW, kPanelH);
    p.setPen(Qt::NoPen);
    p.setBrush(c.paper);
    p.drawRect(panel);

    PaintFigure(p, card);
    p.save();
    p.translate(kPanelW / 2, kPanelH / 2);
    p.rotate(180);
    p.translate(-kPanelW / 2, -kPanelH / 2);
    PaintFigure(p, card);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.gold, 0.7));
    p.drawRect(panel.adjusted(1.3, 1.3, -1.3, -1.3));
    p.setPen(QPen(c.ink, 0.7));
    p.drawLine(QPointF(0, kHalfH), QPointF(kPanelW, kHalfH));
    p.setPen(QPen(c.ink, 0.9));
    p.drawRect(panel);
    p.restore();
}

}  // namespace tess
