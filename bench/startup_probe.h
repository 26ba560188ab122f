// What the start-up benchmarks report, the same way for the game and for the bare window:
// when the window was first exposed (mapped on the screen) and when the X server first
// held the painted frame, seen by reading back one pixel that is white only once the
// first frame is drawn (a card's margin in the game, the whole client in the bare window).
// Times are wall-clock nanoseconds since the epoch; bench/startup.sh subtracts the time it
// started the process. Header only, so the bare window links nothing but Qt Widgets.
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace startup {

inline long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

class Probe : public QObject {
public:
    // probe: a point of `painted` that is white once the first frame is on the screen.
    Probe(QWidget* window, QWidget* painted, QPoint probe)
        : window_(window), painted_(painted), probe_(probe) {
        painted_->installEventFilter(this);
        // Once the window is mapped, look again now and then too: a paint is not the only
        // way a frame reaches the screen.
        poll_.setInterval(2);
        QObject::connect(&poll_, &QTimer::timeout, this, [this] { Check(); });
    }

    // Call after show(): the native window exists from then on.
    void Watch() { window_->windowHandle()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && mappedNs_ == 0 && window_->windowHandle()->isExposed()) {
            mappedNs_ = NowNs();
            poll_.start();
        }
        // The frame is flushed right after the paint; look once control is back in the loop.
        if (watched == painted_ && event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, [this] { Check(); });
        return false;
    }

private:
    void Check() {
        if (mappedNs_ == 0 || paintedNs_ != 0) return;
        // Reading a pixel back is a round trip: the server has drawn everything sent before.
        const QPoint at = painted_->mapTo(window_, probe_);
        const QImage pixel = window_->screen()->grabWindow(window_->winId(), at.x(), at.y(), 1, 1).toImage();
        if (pixel.isNull()) return;
        const QColor colour = pixel.pixelColor(0, 0);
        if (colour.red() < 235 || colour.green() < 235 || colour.blue() < 235) return;
        paintedNs_ = NowNs();
        poll_.stop();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long cpuUs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1'000'000L +
                           usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
        std::printf("mapped_ns %lld\npainted_ns %lld\ncpu_us %ld\nmaxrss_kb %ld\n", mappedNs_, paintedNs_, cpuUs,
                    usage.ru_maxrss);
        std::fflush(stdout);
        QApplication::quit();
    }

    QWidget* window_;
    QWidget* painted_;
    QPoint probe_;
    QTimer poll_;
    long long mappedNs_ = 0;
    long long paintedNs_ = 0;
};

}  // namespace startup
