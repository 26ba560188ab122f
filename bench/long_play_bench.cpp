// Plays a fixed, seeded set of deals with random legal moves and undos, then takes every
// deal back to its layout, and prints the speed and a signature of the final tables.
// The signature changes whenever the rules behave differently; the speed is the figure
// to watch. Usage: long_play_bench [deals]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "../tests/rules/random_play.h"
#include "game/game.h"

namespace {

constexpr int kDefaultDeals = 20'000;
constexpr int kStepsPerDeal = 70;

// FNV-1a over the values that describe a table.
class Signature {
public:
    void Add(std::int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash_ ^= static_cast<std::uint64_t>(value >> (8 * i)) & 0xFF;
            hash_ *= 0x100000001b3ULL;
        }
    }
    void Add(const tess::Game& game) {
        for (const auto& column : game.ColumnCards)
            for (int card : column) Add(card);
        for (int top : game.FoundationTop) Add(top);
        for (int i = 0; i < tess::kCardCount; ++i) {
            const tess::CardImage& image = game.imgCard[i];
            Add(image.Tag);
            Add(static_cast<std::int64_t>(image.Left));
            Add(static_cast<std::int64_t>(image.Top));
        }
        Add(game.UndoCount);
        Add(game.GameWon ? 1 : 0);
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace

int main(int argc, char* argv[]) {
    const int deals = argc > 1 ? std::atoi(argv[1]) : kDefaultDeals;
    if (deals <= 0) {
        std::fprintf(stderr, "usage: %s [deals]\n", argv[0]);
        return 2;
    }
    tess::NullPlatform platform;
    tess::Game game{platform};
    Signature signature;
    long steps = 0;
    long undone = 0;
    int won = 0;

    const auto start = std::chrono::steady_clock::now();
    for (int deal = 0; deal < deals; ++deal) {
        tess::play::DealForPlay(game, deal);
        tess::play::RandomPlayer player(static_cast<std::uint64_t>(deal) * 40503u + 7);
        for (int step = 0; step < kStepsPerDeal; ++step) player.Step(game);
        steps += kStepsPerDeal;
        won += game.GameWon ? 1 : 0;
        signature.Add(game);
        while (game.UndoCount > 0) {
            game.UndoMove();
            ++undone;
        }
        signature.Add(game);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("deals            %d\n", deals);
    std::printf("random steps     %ld\n", steps);
    std::printf("undos at the end %ld\n", undone);
    std::printf("deals won        %d\n", won);
    std::printf("seconds          %.3f\n", seconds);
    std::printf("steps/second     %.0f\n", static_cast<double>(steps + undone) / seconds);
    std::printf("signature        %016llx\n", static_cast<unsigned long long>(signature.value()));
    return 0;
}
