// tessaline-solve: decides saved games or random deals, and writes winnable deals.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "files/saved_game.h"
#include "game/game.h"
#include "solver/solver.h"

namespace {

using namespace tess;
using solver::Verdict;

constexpr const char* kUsage =
    "Usage: tessaline-solve [--budget-ms MS] FILE...\n"
    "       tessaline-solve [--budget-ms MS] --random N [--seed S]\n"
    "       tessaline-solve [--budget-ms MS] --generate-winnable N DIR [--seed S]\n"
    "\n"
    "Decides whether Tessaline deals can be won.\n"
    "\n"
    "  FILE...                    saved games (.tsl): the verdict of each and, when it can\n"
    "                             be won, the moves one a line as CARD FROM TO\n"
    "  --random N                 decide N random deals and print a summary\n"
    "  --generate-winnable N DIR  write N winnable random deals into DIR as saved games\n"
    "  --seed S                   first random deal (default: from the clock)\n"
    "  --budget-ms MS             give up on a deal after MS milliseconds of processor\n                             time (default 1000)\n"
    "  --help                     show this help\n"
    "  --version                  show the version\n"
    "\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 wrong arguments.\n";

struct Arguments {
    std::vector<std::string> files;
    long random = 0;
    long generate = 0;
    std::string directory;
    std::optional<std::uint64_t> seed;
    long budgetMs = 1000;
};

int UsageError(const std::string& why) {
    std::fprintf(stderr, "tessaline-solve: %s\nTry 'tessaline-solve --help'.\n", why.c_str());
    return 2;
}

// A whole decimal number from min up; nothing else.
std::optional<long> Number(std::string_view text, long min) {
    if (text.empty() || text.size() > 15) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min) return std::nullopt;
    return value;
}

std::string VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Winnable: return "winnable";
        case Verdict::NotWinnable: return "not winnable";
        case Verdict::Unknown: break;
    }
    return "unknown";
}

// The game's message for a refused file, as terminal lines, without what the game does next.
std::string RefusalText(const SavedGameResult& result, const std::string& name) {
    std::string text = OpenFailureMessage(result, name).text;
    if (const std::size_t end = text.find("\r\n"); end != std::string::npos) text.resize(end);
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

int SolveFiles(const Arguments& args, const solver::Budget& budget) {
    int status = 0;
    for (const std::string& name : args.files) {
        const SavedGameResult read = ReadSavedGame(name);
        if (read.failure != OpenFailure::None) {
            std::fprintf(stderr, "tessaline-solve: %s\n", RefusalText(read, name).c_str());
            status = 1;
            continue;
        }
        const solver::Solution solution = solver::Solve(solver::Position::FromDeal(read.deal), budget);
        std::string verdict = VerdictText(solution.verdict);
        if (solution.verdict == Verdict::Winnable)
            verdict += " in " + std::to_string(solution.moves.size()) + " moves";
        if (solution.verdict == Verdict::Unknown)
            verdict += " (gave up after " + std::to_string(budget.milliseconds) + " ms)";
        std::printf("%s: %s\n", name.c_str(), verdict.c_str());
        for (const std::string& line : solver::MoveLines(solution.moves)) std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    return status;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Deals as the game deals, from one seeded generator.
class Dealer {
public:
    explicit Dealer(std::uint64_t seed) { game_.SeedRandom(seed); }
    const Deal& Next() {
        game_.DealRandomGame();
        return game_.DealOrder;
    }

private:
    NullPlatform platform_;
    Game game_{platform_};
};

// One line, rewritten in place, when the run is watched on a terminal.
class Progress {
public:
    explicit Progress(long total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}
    void Update(long done, const char* what) {
        if (!shown_) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < std::chrono::milliseconds(200) && done < total_) return;
        last_ = now;
        std::fprintf(stderr, "\r%ld/%ld %s", done, total_, what);
    }
    ~Progress() {
        if (shown_) std::fprintf(stderr, "\r\033[K");
    }

private:
    long total_;
    bool shown_;
    std::chrono::steady_clock::time_point last_{};
};

int DecideRandom(const Arguments& args, const solver::Budget& budget, std::uint64_t seed) {
    Dealer dealer(seed);
    std::array<long, 3> counts{};
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(args.random));
    {
        Progress progress(args.random);
        for (long i = 0; i < args.random; ++i) {
            const Deal& deal = dealer.Next();
            const double begin = solver::ThreadMilliseconds();
            const solver::Solution solution = solver::Solve(solver::Position::FromDeal(deal), budget);
            ms.push_back(solver::ThreadMilliseconds() - begin);
            ++counts[static_cast<std::size_t>(solution.verdict)];
            progress.Update(i + 1, "deals");
        }
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double share) { return ms[static_cast<std::size_t>(share * static_cast<double>(ms.size() - 1))]; };
    const double n = static_cast<double>(args.random);
    std::printf("deals         %ld (seed %llu, budget %ld ms)\n", args.random,
                static_cast<unsigned long long>(seed), budget.milliseconds);
    const Verdict verdicts[] = {Verdict::Winnable, Verdict::NotWinnable, Verdict::Unknown};
    for (Verdict v : verdicts) {
        const long count = counts[static_cast<std::size_t>(v)];
        std::printf("%-13s %ld (%.2f %%)\n", VerdictText(v).c_str(), count, 100.0 * static_cast<double>(count) / n);
    }
    std::printf("cpu ms a deal median %.3f, 95th percentile %.3f, maximum %.3f\n", at(0.5), at(0.95), ms.back());
    std::printf("peak memory   %.1f MB\n", PeakMegabytes());
    return 0;
}

int GenerateWinnable(const Arguments& args, const solver::Budget& budget, std::uint64_t seed) {
    std::error_code error;
    std::filesystem::create_directories(args.directory, error);
    if (error) {
        std::fprintf(stderr, "tessaline-solve: %s: %s\n", args.directory.c_str(), error.message().c_str());
        return 1;
    }
    Dealer dealer(seed);
    const int width = static_cast<int>(std::to_string(args.generate).size());
    long written = 0, tried = 0;
    Progress progress(args.generate);
    while (written < args.generate) {
        const Deal& deal = dealer.Next();
        ++tried;
        if (solver::Solve(solver::Position::FromDeal(deal), budget).verdict != Verdict::Winnable) continue;
        char name[32];
        std::snprintf(name, sizeof name, "winnable-%0*ld.tsl", width, ++written);
        const std::string path = (std::filesystem::path(args.directory) / name).string();
        if (const int failure = WriteSavedGame(path, deal)) {
            std::fprintf(stderr, "tessaline-solve: %s: %s\n", path.c_str(), SaveFailureMessage(failure).text.c_str());
            return 1;
        }
        progress.Update(written, "winnable deals written");
    }
    std::printf("%ld winnable deals written to %s (%ld dealt, seed %llu)\n", written, args.directory.c_str(),
                tried, static_cast<unsigned long long>(seed));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    Arguments args;
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (optionsEnded || word == "-" || word.empty() || word[0] != '-') {
            args.files.emplace_back(word);
            continue;
        }
        const auto value = [&](long min) -> std::optional<long> {
            if (i + 1 >= words.size()) return std::nullopt;
            return Number(words[++i], min);
        };
        if (word == "--help") {
            std::printf("%s", kUsage);
            return 0;
        } else if (word == "--version") {
            std::printf("tessaline-solve %s\n", TESSALINE_VERSION);
            return 0;
        } else if (word == "--random") {
            const auto n = value(1);
            if (!n) return UsageError("--random needs a number of deals");
            args.random = *n;
        } else if (word == "--generate-winnable") {
            const auto n = value(1);
            if (!n || i + 1 >= words.size()) return UsageError("--generate-winnable needs a number and a folder");
            args.generate = *n;
            args.directory = words[++i];
        } else if (word == "--seed") {
            const auto n = value(0);
            if (!n) return UsageError("--seed needs a whole number");
            args.seed = static_cast<std::uint64_t>(*n);
        } else if (word == "--budget-ms") {
            const auto n = value(1);
            if (!n) return UsageError("--budget-ms needs a number of milliseconds");
            args.budgetMs = *n;
        } else if (word == "--") {
            optionsEnded = true;
        } else {
            return UsageError("unknown option " + std::string(word));
        }
    }
    const int modes = (args.random > 0) + (args.generate > 0) + !args.files.empty();
    if (modes != 1) return UsageError(modes == 0 ? "nothing to solve" : "choose files, --random or --generate-winnable");
    if (args.seed && args.files.size() > 0) return UsageError("--seed goes with --random or --generate-winnable");

    solver::Budget budget;
    budget.milliseconds = args.budgetMs;
    const std::uint64_t seed = args.seed.value_or(std::random_device{}() % 1'000'000'000u);
    if (args.random > 0) return DecideRandom(args, budget, seed);
    if (args.generate > 0) return GenerateWinnable(args, budget, seed);
    return SolveFiles(args, budget);
}
