// Tessaline: a patience for one player.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // No application display name: X11 would append it to every window title.
    QApplication::setApplicationName("tessaline");
    QApplication::setApplicationVersion(TESSALINE_VERSION);
    QApplication::setDesktopFileName("org.tessaline.Tessaline");

    QCommandLineParser parser;
    parser.setApplicationDescription("Tessaline, a patience for one player.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("game", "A saved game (.tsl) to open.", "[game]");
    parser.process(app);

    const QStringList games = parser.positionalArguments();
    if (games.size() > 1) {
        std::fprintf(stderr, "tessaline: only one saved game can be opened at a time\n%s",
                     qPrintable(parser.helpText()));
        return 2;
    }

    tess::StartOptions options;
    if (!games.isEmpty()) options.gameFile = games.constFirst();
    if (const QByteArray seed = qgetenv("TESSALINE_SEED"); !seed.isEmpty())
        options.seed = seed.toULongLong();
    tess::MainWindow window(std::move(options));
    window.show();
    return QApplication::exec();
}
