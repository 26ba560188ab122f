// What the program does around its window: the command line, the display, and signals that
// ask it to end.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QObject;

namespace tess {

// The arguments to create the application with. When they only ask for the usage or the
// version, the offscreen platform is added: those print and end without a display.
std::vector<char*> ApplicationArguments(int argc, char** argv);

// While it lives, Qt's failure to open any display ends the program with one line
// ("cannot open the display ...") and status 1 instead of an abort. Qt's other messages of
// that time are held back and passed on when it goes.
class DisplayGuard {
public:
    DisplayGuard(int argc, char** argv);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

struct CommandLine {
    std::optional<std::string> gameFile;  // as the file system spells it: Linux names are bytes
    std::optional<int> exitStatus;        // set when the program should end at once
};

// Reads the arguments the application has left after taking Qt's own options out. --help,
// --help-all and --version print and end the process.
CommandLine ReadCommandLine(int argc, char** argv);

// SIGTERM, SIGINT and SIGHUP, from now on, are held until WatchQuitSignals hands them on.
// A signal the program was started to ignore stays ignored.
void CatchQuitSignals();
// Runs quit on the event loop for a caught signal; a second signal then ends at once.
void WatchQuitSignals(QObject* owner, std::function<void()> quit);

}  // namespace tess
