// Start-up of the game, from process start to its window mapped and to the first frame
// with the cards on the screen. bench/startup.sh runs it alternately with bare_window.
//   startup_bench
#include <QApplication>

#include "startup_probe.h"
#include "window/board_widget.h"
#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tessaline");  // as the program names itself
    tess::MainWindow window;
    // The white margin left of the pips of the last card in the first column.
    const QPointF card = window.board()->ToPixels(tess::ColumnLeft(0) + 3, tess::SlotTop(5) + 48);
    startup::Probe probe(&window, window.board(), card.toPoint());
    window.show();
    probe.Watch();
    return QApplication::exec();
}
