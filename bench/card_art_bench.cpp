// Cost of rendering the card pictures: the 52 faces and the pile base drawn into a fresh
// cache, at device pixel ratios 1 and 2. Prints the first run (which also builds the
// shared outlines) and the median of later runs, in milliseconds.
//   card_art_bench [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QApplication>

#include "game/cards.h"
#include "window/card_art.h"

namespace {

double RenderAllMs(qreal dpr) {
    const auto start = std::chrono::steady_clock::now();
    tess::CardArt art;
    for (int card = 0; card < tess::kCardCount; ++card) art.Face(card, dpr);
    art.PileBase(dpr);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::printf("first_dpr2_ms %.2f\n", RenderAllMs(2));
    for (qreal dpr : {1.0, 2.0}) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) times.push_back(RenderAllMs(dpr));
        std::sort(times.begin(), times.end());
        std::printf("median_dpr%g_ms %.2f\n", dpr, times[times.size() / 2]);
    }
    return 0;
}
