#pragma once
// Plays "Computer alone" games through the real engine with a host that neither pauses nor draws.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace quillon::sim {

struct SimOptions {
    int32_t lLevel = 50;
    int64_t lGames = 1000;
    std::optional<uint32_t> seed;
    std::string sProfilePath;  // empty: results stay in memory
};

struct SimResult {
    int32_t lLevel = 0;
    int64_t lGames = 0;
    double turnsPerGame = 0;
    double missesPerGame = 0;
    std::array<double, 5> categoriesPerGame{};
    double pairRatio = 0;
    double gamesPerSecond = 0;
    double seconds = 0;
    int64_t lErrors = 0;  // failures the engine reported
};

// Throws std::runtime_error when a game stalls or the profile file cannot be used.
// With pDemo, the first game is printed move by move.
SimResult RunSimulation(const SimOptions& options, std::ostream* pDemo = nullptr);

void PrintText(const SimResult& result, std::ostream& out);
void PrintJson(const SimResult& result, std::ostream& out);

}  // namespace quillon::sim
