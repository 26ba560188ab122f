#include "window/start_up.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QStringList>

namespace tess {

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Qt's parser ends its options at "--"; our own options take no values.
template <typename Visit>
void ForEachArgument(int argc, char** argv, Visit visit) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        visit(argument, !optionsEnded && argument.size() > 1 && argument[0] == '-');
    }
}

struct GuardState {
    QString xDisplay;  // from -display or DISPLAY, taken before Qt removes the option
    QtMessageHandler previous = nullptr;
    QStringList held;
};
GuardState guard;

// The display a failed platform plugin would have used, as the player would name it.
QString DisplayOf(const QString& plugin) {
    if (plugin.startsWith("wayland")) {
        const QString name = qEnvironmentVariable("WAYLAND_DISPLAY");
        return '"' + (name.isEmpty() ? QString("wayland-0") : name) + '"';
    }
    if (plugin != "xcb") return "(Qt platform \"" + plugin + "\")";
    return guard.xDisplay.isEmpty() ? QString("(DISPLAY is not set)") : '"' + guard.xDisplay + '"';
}

void HoldOrFail(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        guard.held << qFormatLogMessage(type, context, message);
        return;
    }
    // Qt names each platform plugin it could not start before it gives up.
    static const QRegularExpression failedPlugin("Could not load the Qt platform plugin \"([^\"]+)\"");
    QStringList displays;
    for (const QString& held : std::as_const(guard.held))
        if (const QRegularExpressionMatch match = failedPlugin.match(held); match.hasMatch())
            displays << DisplayOf(match.captured(1));
    if (displays.isEmpty()) displays << "(" + message.section('\n', 0, 0) + ")";
    std::fflush(stdout);
    std::fprintf(stderr, "tessaline: cannot open the display %s\n", qPrintable(displays.join(" or ")));
    // The application is half made: leave without running anyone's destructors.
    std::_Exit(1);
}

int quitPipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(quitPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

std::vector<char*> ApplicationArguments(int argc, char** argv) {
    std::vector<char*> arguments(argv, argv + argc);
    bool onlyPrints = false;
    ForEachArgument(argc, argv, [&](std::string_view argument, bool isOption) {
        if (isOption)
            for (std::string_view option : {"-h", "-?", "--help", "--help-all", "-v", "--version"})
                onlyPrints = onlyPrints || argument == option;
    });
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    // Qt takes the last -platform it is given.
    if (onlyPrints) arguments.insert(arguments.end(), {platformOption, offscreen});
    arguments.push_back(nullptr);
    return arguments;
}

DisplayGuard::DisplayGuard(int argc, char** argv) {
    guard.xDisplay = qEnvironmentVariable("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "-display") guard.xDisplay = QString::fromLocal8Bit(argv[i + 1]);
    guard.held.clear();
    guard.previous = qInstallMessageHandler(HoldOrFail);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(guard.previous);
    for (const QString& message : std::as_const(guard.held)) std::fprintf(stderr, "%s\n", qPrintable(message));
    guard.held.clear();
}

CommandLine ReadCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription("Tessaline, a patience for one player.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("game", "A saved game (.tsl) to open.", "[game]");
    CommandLine line;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "tessaline: %s\n", qPrintable(parser.errorText()));
        line.exitStatus = 2;
        return line;
    }
    // Prints the usage, with or without Qt's own options, or the version, and exits.
    if (!parser.optionNames().isEmpty()) parser.process(arguments);

    // The parser's strings went through the locale's decoding; the name is taken from the
    // bytes themselves.
    std::vector<std::string> games;
    ForEachArgument(argc, argv, [&](std::string_view argument, bool isOption) {
        if (!isOption) games.emplace_back(argument);
    });
    if (games.size() > 1) {
        std::fprintf(stderr, "tessaline: only one saved game can be opened at a time\n%s",
                     qPrintable(parser.helpText()));
        line.exitStatus = 2;
    } else if (!games.empty()) {
        line.gameFile = games.front();
    }
    return line;
}

void CatchQuitSignals() {
    if (::pipe2(quitPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    for (const int signal : kQuitSignals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = OnQuitSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

void WatchQuitSignals(QObject* owner, std::function<void()> quit) {
    if (quitPipe[0] < 0) return;
    auto* notifier = new QSocketNotifier(quitPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [notifier, quit = std::move(quit)] {
        char bytes[16];
        while (::read(quitPipe[0], bytes, sizeof bytes) > 0) {}
        notifier->setEnabled(false);
        for (const int signal : kQuitSignals) {
            struct sigaction old {};
            if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == OnQuitSignal)
                std::signal(signal, SIG_DFL);
        }
        quit();
    });
}

}  // namespace tess
