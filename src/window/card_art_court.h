// Drawing pieces shared by the number cards and the court cards. Everything is in the
// face's design units (71 x 96).
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace tess {

bool IsRedSuit(int suit);

// The suit symbol, one unit tall and centred on the origin.
const QPainterPath& SuitOutline(int suit);

// The small symbol of the corner index, drawn for legibility at seven pixels.
const QPainterPath& IndexSuitOutline(int suit);

// Fills a unit-sized shape scaled to size and centred on centre.
void PaintShape(QPainter& p, const QPainterPath& shape, QPointF centre, qreal size,
                bool upsideDown, const QColor& colour);

void PaintSuit(QPainter& p, int suit, QPointF centre, qreal size, bool upsideDown,
               const QColor& colour);

// Fills a text outline (caps one unit tall, top at 0) with its caps' top centred on
// topCentre, squeezing it sideways when it would be wider than maxWidth.
void PaintText(QPainter& p, const QPainterPath& outline, QPointF topCentre, qreal capHeight,
               qreal maxWidth, const QColor& colour);

// The serif letter of a court card: rank 10 Jack, 11 Queen, 12 King.
const QPainterPath& LetterOutline(int rank);

// The framed, mirrored portrait of a Jack, Queen or King.
void PaintCourt(QPainter& p, int card);

}  // namespace tess
