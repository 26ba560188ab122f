// Tessaline: a patience for one player.
#include <QApplication>

#include "window/main_window.h"
#include "window/start_up.h"

int main(int argc, char* argv[]) {
    // First of all, so that a signal from now on ends through the normal shut-down.
    tess::CatchQuitSignals();
    std::vector<char*> arguments = tess::ApplicationArguments(argc, argv);
    int count = static_cast<int>(arguments.size()) - 1;
    std::optional<tess::DisplayGuard> guard(std::in_place, count, arguments.data());
    // Takes Qt's own options (-platform, -display, -style, -reverse, ...) out of the arguments.
    QApplication app(count, arguments.data());
    guard.reset();
    // No application display name: X11 would append it to every window title.
    QApplication::setApplicationName("tessaline");
    QApplication::setApplicationVersion(TESSALINE_VERSION);
    // Docks and task bars match the window to its launcher by this name.
    QApplication::setDesktopFileName("org.tessaline.Tessaline");

    const tess::CommandLine line = tess::ReadCommandLine(count, arguments.data());
    if (line.exitStatus) return *line.exitStatus;

    tess::StartOptions options;
    options.gameFile = line.gameFile;
    // A fixed deal sequence, for tests and screenshots.
    if (const QByteArray seed = qgetenv("TESSALINE_SEED"); !seed.isEmpty()) options.seed = seed.toULongLong();
    tess::MainWindow* shown = nullptr;
    bool quitting = false;
    tess::WatchQuitSignals(&app, [&] {
        quitting = true;
        if (shown != nullptr) shown->close();
        // Also ends a modal dialog's loop; dialogs opened later return at once.
        QApplication::exit(0);
    });
    tess::MainWindow window(std::move(options));
    // A signal during start-up: the window's destructor runs the shut-down.
    if (quitting) return 0;
    shown = &window;
    window.show();
    return QApplication::exec();
}
