// The yardstick for start-up: a bare Qt main window of the game's size with a menu bar,
// linked against Qt Widgets alone, measured the same way as startup_bench.
//   bare_window
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "startup_probe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tessaline");
    QMainWindow window;
    window.setWindowTitle("Tessaline");
    window.menuBar()->addMenu("&Game");
    window.menuBar()->addMenu("&Help");
    auto* client = new QWidget;
    client->setFixedSize(600, 440);
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, Qt::white);
    client->setPalette(palette);
    window.setCentralWidget(client);
    startup::Probe probe(&window, client, QPoint(11, 146));
    window.show();
    probe.Watch();
    return QApplication::exec();
}
