#include "window/board_widget.h"

#include <QApplication>
#include <QBackingStore>
#include <QBitmap>
#include <QWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QtMath>

#include <algorithm>

#include "window/card_art.h"

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

// A picture of `scale` device pixels per designed pixel, copied pixel for pixel to a
// device-pixel position: no scaling, no smoothing.
void Blit(QPainter& painter, QPoint device, const QPixmap& picture) {
    painter.drawPixmap(QRect(device, picture.size()), picture, picture.rect());
}

// The see-through rounded corners of a card, in designed pixels from its top or bottom.
constexpr int kCornerRows = 6;

}  // namespace

// The drag picture as a native child window of the top level: painted once per picture,
// then only moved, which the X server does with one copy and an expose of the strip it
// uncovers (the board's own pixels there are already in its backing store).
class DragSurface : public QWindow {
public:
    explicit DragSurface(QWindow* parent) : QWindow(parent), store_(this) {
        setSurfaceType(QSurface::RasterSurface);
        setFlag(Qt::WindowTransparentForInput);
    }

    void SetPicture(const QPixmap& picture, const QSize& logical) {
        picture_ = picture;
        resize(logical);
        outline_ = OpaqueOutline(picture.toImage(), logical);
        shown_ = QRect(QPoint(), logical);
        setMask(outline_);
        painted_ = false;
        if (isExposed()) Show(QRect(QPoint(), size()));
    }

    // Moves the picture to `at` in the top level, showing only the part over `board`
    // (also in the top level): the menu bar above the board is not the table.
    void Place(QPoint at, const QRect& board) {
        const QRect all(QPoint(), size());
        const QRect shown = board.translated(-at) & all;
        // Inside the board, as nearly always, the shape stays as it is: a move is a move.
        if (shown != shown_) {
            setMask(shown == all ? outline_ : outline_ & shown);
            shown_ = shown;
        }
        setPosition(at);
    }

private:
    // The see-through corners: a window pixel (a square of device pixels) belongs to the
    // window only where the picture covers all of it, so no edge is ever blended over
    // anything but the card beneath.
    static QRegion OpaqueOutline(const QImage& picture, QSize logical) {
        const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
        QImage mask(logical, QImage::Format_Mono);
        mask.setColorTable({QColor(Qt::white).rgb(), QColor(Qt::black).rgb()});  // color0, color1
        mask.fill(0);
        for (int y = 0; y < logical.height(); ++y) {
            const int top = y * image.height() / logical.height();
            const int bottom = std::max(top + 1, (y + 1) * image.height() / logical.height());
            for (int x = 0; x < logical.width(); ++x) {
                const int left = x * image.width() / logical.width();
                const int right = std::max(left + 1, (x + 1) * image.width() / logical.width());
                bool opaque = true;
                for (int row = top; row < bottom && opaque; ++row) {
                    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
                    for (int column = left; column < right && opaque; ++column) opaque = qAlpha(line[column]) == 255;
                }
                if (opaque) mask.setPixel(x, y, 1);
            }
        }
        return QRegion(QBitmap::fromImage(mask));
    }

protected:
    void exposeEvent(QExposeEvent*) override {
        if (isExposed()) Show(QRect(QPoint(), size()));
    }

private:
    // The picture is drawn into the store once; a part the server uncovers again (moved
    // back from beyond the board's edge) is only sent again.
    void Show(const QRegion& exposed) {
        if (!painted_) {
            const QRect all(QPoint(), size());
            store_.resize(size());
            store_.beginPaint(all);
            QPainter painter(store_.paintDevice());
            // The shape shows only pixels the picture covers fully; the fill keeps the rest
            // of the store defined.
            painter.fillRect(all, TableColor());
            painter.drawPixmap(0, 0, picture_);
            painter.end();
            store_.endPaint();
            painted_ = true;
        }
        store_.flush(exposed);
    }

    QBackingStore store_;
    QPixmap picture_;
    QRegion outline_;
    QRect shown_;  // the part inside the board, the shape was last cut to
    bool painted_ = false;
};

BoardTransform BoardTransform::Fit(QSizeF widget) {
    BoardTransform fit;
    fit.scale = std::max(1.0, std::min(widget.width() / kClientWidthPx, widget.height() / kClientHeightPx));
    fit.offset = QPointF((widget.width() - kClientWidthPx * fit.scale) / 2,
                         (widget.height() - kClientHeightPx * fit.scale) / 2);
    return fit;
}

QPointF BoardTransform::ToPixels(double left, double top) const {
    return offset + QPointF(left * kPixelsPerUnitX, top) * scale;
}

QPointF BoardTransform::ToUnits(QPointF pixels) const {
    const QPointF design = (pixels - offset) / scale;
    return {design.x() / kPixelsPerUnitX, design.y()};
}

BoardWidget::BoardWidget(Game& game, CardArt& art, QWidget* parent)
    : QWidget(parent), game_(game), art_(art) {
    // Never smaller than the board was made for; larger, the board grows with it.
    setMinimumSize(sizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button reach the images too: they end a drag broken off earlier.
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // A modal window that opens inside a press takes the button's release with it.
    if (parent != nullptr) parent->window()->installEventFilter(this);
}

QSize BoardWidget::sizeHint() const {
    return {static_cast<int>(kClientWidthPx), static_cast<int>(kClientHeightPx)};
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

int BoardWidget::ImageAtPixel(QPointF pixels) const {
    const QPointF units = transform_.ToUnits(pixels);
    return game_.ImageAt(units.x(), units.y());
}

QPoint BoardWidget::ImageCentre(int index, double dy) const {
    const CardImage& image = game_.imgCard[index];
    return ToPixels(image.Left + kCardWidth / 2, image.Top + kCardHeight / 2 + dy).toPoint();
}

QPointF BoardWidget::TwipsOnImage(int index, QPointF pixels) const {
    const CardImage& image = game_.imgCard[index];
    return transform_.ToTwips(pixels - ToPixels(image.Left, image.Top));
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
    const qreal scale = PictureScale();
    // Drawn in device pixels, each card at its own rounded place, then handed to the
    // widget at the screen's ratio.
    QPixmap table(size() * ratio);
    table.fill(TableColor());
    QPainter painter(&table);
    for (int index : game_.PaintOrder()) {
        const CardImage& image = game_.imgCard[index];
        const QPoint at = (ToPixels(image.Left, image.Top) * ratio).toPoint();
        if (image.Picture == CardImage::kPileBasePicture)
            Blit(painter, at, art_.PileBase(scale));
        else if (IsCardImage(image.Picture))
            Blit(painter, at, art_.Face(image.Picture, scale));
    }
    painter.end();
    table.setDevicePixelRatio(ratio);
    table_ = std::move(table);
}

void BoardWidget::ComposeDragPicture(const DragPicture& picture) {
    // The top level's native window exists once it is shown, which a drag needs anyway.
    if (surfaceWanted_ && surface_ == nullptr && window()->windowHandle() != nullptr)
        surface_ = new DragSurface(window()->windowHandle());
    const qreal scale = PictureScale();
    const QSize size(qCeil(DragPicture::kWidthPx * scale), qCeil(picture.Height * scale));
    // See-through outside the cards, so the rounded corners show what lies beneath.
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Each face covers all of the one before but its top strip, as in a column.
    for (int i = 0; i < picture.Count; ++i)
        Blit(painter, QPoint(0, qRound(kSlotStep * i * scale)), art_.Face(picture.Cards[i], scale));
    painter.end();
    dragPixmap_ = QPixmap::fromImage(image);
    dragPixmap_.setDevicePixelRatio(devicePixelRatioF());
    // Below the first card's top corners and above the last card's bottom ones the picture
    // is opaque: that part is copied without blending.
    dragBody_ = QPixmap::fromImage(image.convertToFormat(QImage::Format_RGB32));
    dragBody_.setDevicePixelRatio(devicePixelRatioF());
    dragSerial_ = picture.Serial;
    dragScale_ = scale;
    ++dragCompositions_;
    if (surface_ != nullptr) {
        const QSizeF logical = dragPixmap_.deviceIndependentSize();
        surface_->SetPicture(dragPixmap_, QSize(qCeil(logical.width()), qCeil(logical.height())));
    }
}

BoardWidget::~BoardWidget() { delete surface_; }

QWindow* BoardWidget::dragSurface() const { return surface_; }

void BoardWidget::SetDragWindow(bool on) {
    if (on == surfaceWanted_) return;
    if (dragShown_) update(dragRect_);
    dragShown_ = false;
    dragSerial_ = ~std::uint64_t{0};
    delete surface_;
    surface_ = nullptr;
    surfaceWanted_ = on;
    SyncDragPicture();
}

void BoardWidget::SyncDragPicture() {
    const DragPicture& picture = game_.picForDragging;
    if (!picture.Visible) {
        if (dragShown_) {
            if (surface_ != nullptr)
                surface_->hide();
            else
                update(dragRect_);
        }
        dragShown_ = false;
        return;
    }
    if (picture.Serial != dragSerial_ || PictureScale() != dragScale_) {
        ComposeDragPicture(picture);
        if (dragShown_) update(dragRect_);
        dragShown_ = false;
    }
    const QSizeF logical = dragPixmap_.deviceIndependentSize();
    const QRect to(ToPixels(picture.Left, picture.Top).toPoint(), QSize(qCeil(logical.width()), qCeil(logical.height())));
    if (!dragShown_) {
        dragShown_ = true;
        dragRect_ = to;
        if (surface_ != nullptr) {
            PlaceSurface(to);
            surface_->raise();
            surface_->show();
        } else {
            update(to);
        }
        return;
    }
    MoveDragPicture(to);
}

// The picture's window stands in the top level; it shows only what lies over the board.
void BoardWidget::PlaceSurface(QRect to) {
    surface_->Place(mapTo(window(), to.topLeft()), QRect(mapTo(window(), QPoint()), size()));
}

void BoardWidget::MoveDragPicture(QRect to) {
    if (to == dragRect_) return;
    if (surface_ != nullptr) {
        // The window system moves the picture; the board repaints only what it uncovers.
        PlaceSurface(to);
        dragRect_ = to;
        return;
    }
    // The strips the picture uncovers come from the table pixmap; the picture itself is
    // copied whole and opaque but for its corners (see paintEvent).
    update(dragRect_.united(to));
    dragRect_ = to;
}

void BoardWidget::SyncWithGame() {
    const std::size_t signature = TableSignature();
    if (signature != tableSignature_ || table_.isNull()) {
        tableSignature_ = signature;
        table_ = QPixmap();
        update(rect());
    }
    SyncDragPicture();
}

void BoardWidget::resizeEvent(QResizeEvent*) {
    transform_ = BoardTransform::Fit(size());
    table_ = QPixmap();
    update(rect());
    SyncDragPicture();
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (table_.isNull() || table_.devicePixelRatio() != ratio || table_.size() != size() * ratio) RenderTable();
    if (dragShown_ && dragScale_ != PictureScale()) ComposeDragPicture(game_.picForDragging);
    const bool pictureInBoard = dragShown_ && surface_ == nullptr;
    // Every pixel is copied once from one picture: the table, the opaque body of the drag
    // picture, or (only in the rows of its rounded corners) the table with the picture
    // blended over it. Each rectangle is copied on its own: a clip region would make every
    // copy walk the whole height of a tall picture.
    QRegion table = event->region();
    QRegion body, corners;
    if (pictureInBoard) {
        const int rows = qMin(qCeil(kCornerRows * transform_.scale), dragRect_.height() / 2);
        const QRect middle = dragRect_.adjusted(0, rows, 0, -rows);
        body = table & middle;
        corners = table & (QRegion(dragRect_) - middle);
        table -= body;
    }
    QPainter painter(this);
    auto copy = [&](const QPixmap& from, QPoint origin, const QRegion& region) {
        for (const QRect& area : region) {
            const QRectF source(QPointF(area.topLeft() - origin) * ratio, QSizeF(area.size()) * ratio);
            painter.drawPixmap(QRectF(area), from, source);
        }
    };
    copy(table_, QPoint(), table);
    copy(dragBody_, dragRect_.topLeft(), body);
    copy(dragPixmap_, dragRect_.topLeft(), corners);
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
