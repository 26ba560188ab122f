// Start-up cost: the game's window against an empty main window of the same size, both
// built and linked the same way. Prints the wall-clock time at which the window was shown
// and painted (nanoseconds since the epoch) and the peak resident memory; bench/startup.sh
// subtracts the process start time.
//   startup_bench game | empty
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include "window/main_window.h"

namespace {

void Report() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("shown_ns %lld\nmaxrss_kb %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                usage.ru_maxrss);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool empty = argc > 1 && std::strcmp(argv[1], "empty") == 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName("tessaline");  // as the program names itself
    std::unique_ptr<QMainWindow> window;
    if (empty) {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle("Tessaline");
        window->menuBar()->addMenu("&Game");
        window->menuBar()->addMenu("&Help");
        auto* board = new QWidget;
        board->setFixedSize(600, 440);
        window->setCentralWidget(board);
    } else {
        window = std::make_unique<tess::MainWindow>();
    }
    window->show();
    // Queued behind the first expose and paint of the window.
    QTimer::singleShot(0, [&] {
        window->repaint();
        QApplication::processEvents();
        Report();
        QApplication::quit();
    });
    return QApplication::exec();
}
