// The table: paints the game's images and the drag picture, and turns mouse input into
// the game's events.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "game/game.h"

class QWindow;

namespace tess {

class CardArt;
class DragSurface;

// The one mapping between the widget's pixels and the game's board units: the designed
// board (582 x 440 units over 600 x 440 pixels) scaled uniformly to fit, and centred.
struct BoardTransform {
    double scale = 1;
    QPointF offset;  // where the board's top left corner stands, in widget pixels

    static BoardTransform Fit(QSizeF widget);
    QPointF ToPixels(double left, double top) const;
    QPointF ToUnits(QPointF pixels) const;
    // A distance on the widget in twips as the designed board counts them.
    QPointF ToTwips(QPointF pixels) const { return pixels / scale * kTwipsPerPixel; }
};

class BoardWidget : public QWidget {
    Q_OBJECT

public:
    BoardWidget(Game& game, CardArt& art, QWidget* parent = nullptr);
    ~BoardWidget() override;

    QSize sizeHint() const override;
    const BoardTransform& transform() const { return transform_; }
    QPointF ToPixels(double left, double top) const { return transform_.ToPixels(left, top); }

    // Repaints what the game changed since the last call; cheap when nothing did.
    void SyncWithGame();

    // The image a press at this pixel position would reach, or -1 for the table.
    int ImageAtPixel(QPointF pixels) const;
    // The centre of an image in widget pixels (dy design pixels down), for tests and tools.
    QPoint ImageCentre(int index, double dy = 0) const;

    // Where the drag picture stands; empty while none is shown.
    QRect DragPictureRect() const { return dragShown_ ? dragRect_ : QRect(); }
    int dragCompositions() const { return dragCompositions_; }
    // Shows the drag picture as a window of its own over the board, which the window
    // system moves without the board repainting beneath it. Only where the program
    // places its windows (X11); elsewhere it is drawn inside the board.
    void SetDragWindow(bool on);
    bool dragWindow() const { return surfaceWanted_; }
    // The drag picture's window once a drag has made it; for tests and tools.
    QWindow* dragSurface() const;
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
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Twips relative to the image, as the game's image events take them.
    QPointF TwipsOnImage(int index, QPointF pixels) const;
    // Device pixels per designed pixel: the board's scale times the screen's ratio.
    qreal PictureScale() const { return transform_.scale * devicePixelRatioF(); }
    void RenderTable();
    std::size_t TableSignature() const;
    void SyncDragPicture();
    void ComposeDragPicture(const DragPicture& picture);
    void MoveDragPicture(QRect to);
    void PlaceSurface(QRect to);
    void AfterGameEvent();
    // Forgets the press in progress; its release will never come.
    void EndPress();

    Game& game_;
    CardArt& art_;
    bool surfaceWanted_ = false;
    QPointer<DragSurface> surface_;  // the drag picture's own window, when SetDragWindow
    BoardTransform transform_;
    QPixmap table_;  // the images as last rendered; the drag picture moves over it
    std::size_t tableSignature_ = 0;

    QPixmap dragPixmap_;
    QPixmap dragBody_;  // the same, opaque
    QRect dragRect_;
    bool dragShown_ = false;
    std::uint64_t dragSerial_ = ~std::uint64_t{0};
    qreal dragScale_ = 0;
    int dragCompositions_ = 0;

    // Every event of one press goes to the image that took the press; -1 for the table.
    int pressedImage_ = -1;
    bool pressOnTable_ = false;
    QPointF lastPointer_;
};

}  // namespace tess
