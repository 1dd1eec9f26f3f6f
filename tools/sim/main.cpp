// quillon-sim: plays "Computer alone" games headless and prints per-game means.
#include <charconv>
#include <iostream>
#include <string_view>

#include "simulator.h"

namespace {

void Usage() {
    std::cerr << "usage: quillon-sim [--level L] [--games N] [--seed S] [--json] "
                 "[--profile FILE] [--demo]\n"
                 "  --level L       \"AI Memory\" level 0..100 (default 50)\n"
                 "  --games N       number of games (default 1000)\n"
                 "  --seed S        seed for a repeatable run (default: the clock)\n"
                 "  --json          one JSON object on stdout\n"
                 "  --profile FILE  also record every game into this profile file\n"
                 "  --demo          print one game move by move\n";
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    quillon::sim::SimOptions options;
    bool bJson = false;
    bool bDemo = false;
    bool bGamesGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool bHasValue = i + 1 < argc;
        if (arg == "--json") {
            bJson = true;
        } else if (arg == "--demo") {
            bDemo = true;
        } else if (arg == "--level" && bHasValue) {
            if (!ParseNumber(argv[++i], options.lLevel) || options.lLevel < 0 ||
                options.lLevel > 100) {
                std::cerr << "quillon-sim: --level takes 0..100\n";
                return 2;
            }
        } else if (arg == "--games" && bHasValue) {
            bGamesGiven = true;
            if (!ParseNumber(argv[++i], options.lGames) || options.lGames < 0) {
                std::cerr << "quillon-sim: --games takes a count\n";
                return 2;
            }
        } else if (arg == "--seed" && bHasValue) {
            uint32_t seed = 0;
            if (!ParseNumber(argv[++i], seed)) {
                std::cerr << "quillon-sim: --seed takes a number\n";
                return 2;
            }
            options.seed = seed;
        } else if (arg == "--profile" && bHasValue) {
            options.sProfilePath = argv[++i];
        } else {
            Usage();
            return 2;
        }
    }
    if (bDemo && !bGamesGiven) options.lGames = 1;
    try {
        const auto result = quillon::sim::RunSimulation(options, bDemo ? &std::cout : nullptr);
        if (bJson)
            quillon::sim::PrintJson(result, std::cout);
        else
            quillon::sim::PrintText(result, std::cout);
        return result.lErrors == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "quillon-sim: " << e.what() << '\n';
        return 1;
    }
}
