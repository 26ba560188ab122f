#include "window/window_place.h"

#include <algorithm>

#include <QEvent>
#include <QWidget>

namespace tess {

namespace {

constexpr int kReachableWidth = 48;

// Centres a window again, once, as soon as the window manager reports its real frame.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* window, std::function<QRect()> over)
        : QObject(window), window_(window), over_(std::move(over)) {
        setObjectName(QStringLiteral("FrameWatch"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (watched == window_ && (type == QEvent::Move || type == QEvent::Resize) &&
            !FrameOf(window_).isNull()) {
            const QPoint wanted = CentredOver(over_(), window_->frameGeometry().size());
            if (window_->frameGeometry().topLeft() != wanted) window_->move(wanted);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<QRect()> over_;
};

}  // namespace

bool PlacesWindows(QStringView platformName) {
    return !platformName.startsWith(QLatin1String("wayland"));
}

QMargins FrameOf(const QWidget* window) {
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QPoint CentredOver(const QRect& over, QSize outer) {
    const auto half = [](int gap) { return gap >= 0 ? gap / 2 : -((1 - gap) / 2); };
    return {over.x() + half(over.width() - outer.width()), over.y() + half(over.height() - outer.height())};
}

std::optional<QPoint> UsableSavedPlace(QPoint saved, int width, int titleHeight,
                                       const std::vector<QRect>& screens) {
    if (saved.isNull()) return std::nullopt;
    // A window left on a screen that is gone would be out of reach: bring it back.
    const QRect title(saved, QSize(width, titleHeight));
    const bool reachable = std::any_of(screens.begin(), screens.end(), [&](const QRect& screen) {
        return screen.intersected(title).width() >= kReachableWidth;
    });
    if (!reachable) return std::nullopt;
    return saved;
}

void CentreFrame(QWidget* window, QMargins guess, std::function<QRect()> over) {
    delete window->findChild<FrameWatch*>(QStringLiteral("FrameWatch"), Qt::FindDirectChildrenOnly);
    const QMargins known = FrameOf(window);
    const QMargins frame = known.isNull() ? guess : known;
    window->move(CentredOver(over(), window->size().grownBy(frame)));
    if (known.isNull()) new FrameWatch(window, std::move(over));
}

}  // namespace tess
