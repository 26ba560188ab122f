#include "window/board_widget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "window/card_art.h"
#include "window/drag_picture.h"

namespace tess {

namespace {

constexpr double kPixelsPerUnitX = kClientWidthPx / kBoardWidth;

int GameButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

int GameButtons(Qt::MouseButtons buttons) {
    int state = 0;
    if (buttons & Qt::LeftButton) state |= kLeftButton;
    if (buttons & Qt::RightButton) state |= kRightButton;
    if (buttons & Qt::MiddleButton) state |= kMiddleButton;
    return state;
}

}  // namespace

BoardWidget::BoardWidget(Game& game, CardArt& art, QWidget* parent)
    : QWidget(parent), game_(game), art_(art), dragPicture_(new DragPictureWidget(art, this)) {
    setFixedSize(static_cast<int>(kClientWidthPx), static_cast<int>(kClientHeightPx));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button reach the images too: they end a drag broken off earlier.
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // A modal window that opens inside a press takes the button's release with it.
    if (parent != nullptr) parent->window()->installEventFilter(this);
}

bool BoardWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowBlocked) EndPress();
    return QWidget::eventFilter(watched, event);
}

void BoardWidget::EndPress() {
    // A drag under way is broken off as when another window takes the foreground.
    BreakOffDragIfInactive();
    pressedImage_ = -1;
    pressOnTable_ = false;
}

QPointF BoardWidget::ToUnits(QPointF pixels) { return {pixels.x() / kPixelsPerUnitX, pixels.y()}; }

QPointF BoardWidget::ToPixels(double left, double top) { return {left * kPixelsPerUnitX, top}; }

int BoardWidget::ImageAtPixel(QPointF pixels) const {
    const QPointF units = ToUnits(pixels);
    return game_.ImageAt(units.x(), units.y());
}

QPoint BoardWidget::ImageCentre(int index, double dy) const {
    const CardImage& image = game_.imgCard[index];
    return (ToPixels(image.Left, image.Top) + QPointF(kCardWidthPx / 2, kCardHeightPx / 2 + dy)).toPoint();
}

QPointF BoardWidget::TwipsOnImage(int index, QPointF pixels) const {
    const CardImage& image = game_.imgCard[index];
    return (pixels - ToPixels(image.Left, image.Top)) * kTwipsPerPixel;
}

std::size_t BoardWidget::TableSignature() const {
    std::size_t hash = 1469598103934665603ull;
    auto mix = [&hash](std::size_t value) { hash = (hash ^ value) * 1099511628211ull; };
    for (const CardImage& image : game_.imgCard) {
        mix(static_cast<std::size_t>(image.Left * 64));
        mix(static_cast<std::size_t>(image.Top * 64));
        mix(image.Visible);
        mix(image.ZOrder);
        mix(static_cast<std::size_t>(image.Picture));
    }
    return hash;
}

void BoardWidget::RenderTable() {
    const qreal ratio = devicePixelRatioF();
    table_ = QPixmap(size() * ratio);
    table_.setDevicePixelRatio(ratio);
    QPainter painter(&table_);
    painter.fillRect(rect(), TableColor());
    for (int index : game_.PaintOrder()) {
        const CardImage& image = game_.imgCard[index];
        const QPointF at = ToPixels(image.Left, image.Top);
        if (image.Picture == CardImage::kPileBasePicture)
            painter.drawPixmap(at, art_.PileBase(ratio));
        else if (IsCardImage(image.Picture))
            painter.drawPixmap(at, art_.Face(image.Picture, ratio));
    }
    tableRatio_ = ratio;
}

void BoardWidget::SyncWithGame() {
    const std::size_t signature = TableSignature();
    if (signature != tableSignature_ || table_.isNull()) {
        tableSignature_ = signature;
        table_ = QPixmap();
        update();
    }
    dragPicture_->Sync(game_.picForDragging);
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    if (table_.isNull() || tableRatio_ != devicePixelRatioF()) RenderTable();
    // Only what was uncovered is copied, pixel for pixel: no scaling, no blending.
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, table_);
}

void BoardWidget::AfterGameEvent() {
    SyncWithGame();
    Q_EMIT GameChanged();
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    lastPointer_ = at;
    // A second button while one is held belongs to the same press.
    if (pressedImage_ < 0 && !pressOnTable_) {
        pressedImage_ = ImageAtPixel(at);
        pressOnTable_ = pressedImage_ < 0;
    }
    if (pressedImage_ < 0) return;
    const QPointF twips = TwipsOnImage(pressedImage_, at);
    game_.imgCard_MouseDown(pressedImage_, GameButton(event->button()), twips.x(), twips.y());
    AfterGameEvent();
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    lastPointer_ = at;
    int index = pressedImage_;
    if (index < 0) {
        if (pressOnTable_) return;
        index = ImageAtPixel(at);
        if (index < 0) return;
    }
    const QPointF twips = TwipsOnImage(index, at);
    game_.imgCard_MouseMove(index, GameButtons(event->buttons()), twips.x(), twips.y());
    AfterGameEvent();
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    lastPointer_ = at;
    const int button = GameButton(event->button());
    const int index = pressedImage_;
    const bool onTable = pressOnTable_;
    if (event->buttons() == Qt::NoButton) {
        pressedImage_ = -1;
        pressOnTable_ = false;
    }
    if (index >= 0) {
        const QPointF twips = TwipsOnImage(index, at);
        const bool openMenu = game_.imgCard_MouseUp(index, button, twips.x(), twips.y());
        AfterGameEvent();
        if (openMenu) Q_EMIT CardMenuRequested(event->globalPosition().toPoint());
    } else if (onTable) {
        const bool openMenu = game_.Form_MouseUp(button);
        if (openMenu) Q_EMIT GameMenuRequested(event->globalPosition().toPoint());
    }
}

void BoardWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only the left button double-clicks; any other second press is an ordinary press.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    const QPointF at = event->position();
    lastPointer_ = at;
    pressedImage_ = ImageAtPixel(at);
    pressOnTable_ = pressedImage_ < 0;
    if (pressedImage_ >= 0)
        game_.imgCard_DblClick(pressedImage_);
    else
        game_.Form_DblClick();
    AfterGameEvent();
}

void BoardWidget::BreakOffDragIfInactive() {
    if (!game_.Dragging || pressedImage_ < 0) return;
    const QPointF twips = TwipsOnImage(pressedImage_, lastPointer_);
    game_.imgCard_MouseMove(pressedImage_, GameButtons(QApplication::mouseButtons()), twips.x(), twips.y());
    AfterGameEvent();
}

}  // namespace tess
