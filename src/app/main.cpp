// Tessaline: a patience for one player.
#include <cstdio>

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include "window/main_window.h"

int main(int argc, char* argv[]) {
    // The arguments are read before the display is opened, so --help and --version work
    // from any terminal.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Tessaline, a patience for one player.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("game", "A saved game (.tsl) to open.", "[game]");
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tessaline: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    // Without an application object yet, the parser cannot name the program itself.
    const QString usage = parser.helpText().replace("<executable_name>", "tessaline");
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(usage));
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("tessaline %s\n", TESSALINE_VERSION);
        return 0;
    }
    const QStringList games = parser.positionalArguments();
    if (games.size() > 1) {
        std::fprintf(stderr, "tessaline: only one saved game can be opened at a time\n%s",
                     qPrintable(usage));
        return 2;
    }

    QApplication app(argc, argv);
    // No application display name: X11 would append it to every window title.
    QApplication::setApplicationName("tessaline");
    QApplication::setApplicationVersion(TESSALINE_VERSION);
    QApplication::setDesktopFileName("org.tessaline.Tessaline");

    tess::StartOptions options;
    if (!games.isEmpty()) options.gameFile = games.constFirst();
    // A fixed deal sequence, for tests and screenshots.
    if (const QByteArray seed = qgetenv("TESSALINE_SEED"); !seed.isEmpty()) options.seed = seed.toULongLong();
    tess::MainWindow window(std::move(options));
    window.show();
    return QApplication::exec();
}
