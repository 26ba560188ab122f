// The table: paints the game's images and turns mouse input into the game's events.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "game/game.h"

namespace tess {

class CardArt;
class DragPictureWidget;

class BoardWidget : public QWidget {
    Q_OBJECT

public:
    BoardWidget(Game& game, CardArt& art, QWidget* parent = nullptr);

    // Pixel and board-unit conversions (the board is 600 x 440 logical pixels).
    static QPointF ToUnits(QPointF pixels);
    static QPointF ToPixels(double left, double top);

    // Repaints what the game changed since the last call; cheap when nothing did.
    void SyncWithGame();

    // The image a press at this pixel position would reach, or -1 for the table.
    int ImageAtPixel(QPointF pixels) const;
    // The centre of an image in widget pixels, for tests and tools that aim at cards.
    QPoint ImageCentre(int index, double dy = 0) const;

    DragPictureWidget* dragPicture() const { return dragPicture_; }
    // The game notices a lost foreground at its next move event; this gives it one now.
    void BreakOffDragIfInactive();

Q_SIGNALS:
    // After every event that reached the game: the window refreshes menus and caption.
    void GameChanged();
    // A right-button release asked for the card menu or the table's menu.
    void CardMenuRequested(QPoint globalPos);
    void GameMenuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Twips relative to the image, as the game's image events take them.
    QPointF TwipsOnImage(int index, QPointF pixels) const;
    void RenderTable();
    std::size_t TableSignature() const;
    void AfterGameEvent();
    // Forgets the press in progress; its release will never come.
    void EndPress();

    Game& game_;
    CardArt& art_;
    DragPictureWidget* dragPicture_;
    QPixmap table_;  // the images as last rendered; the drag picture moves over it
    std::size_t tableSignature_ = 0;
    qreal tableRatio_ = 0;
    // Every event of one press goes to the image that took the press; -1 for the table.
    int pressedImage_ = -1;
    bool pressOnTable_ = false;
    QPointF lastPointer_;
};

}  // namespace tess
