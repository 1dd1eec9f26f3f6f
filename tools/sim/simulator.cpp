#include "simulator.h"

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>
#include <ostream>
#include <stdexcept>

#include "engine/clsGame.h"
#include "engine/turn_finish.h"
#include "profiles/clsProfiles.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"

namespace quillon::sim {

namespace {

// A game's turns run until a pair of timers says what comes next, exactly as the board
// window's computer-play and end-of-game timers would.
class HeadlessHost final : public IBoardHost, public IGameEvents, public IErrorReporter {
  public:
    bool DoNotShuffle() const override { return false; }
    void EnableCompTimer() override { m_bCompTimer = true; }
    void EnableKillGameTimer() override { m_bKillGame = true; }
    uint32_t TickCount() const override {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void Pause(int32_t) override {}
    CardSurfaces Surfaces() override { return {}; }
    void RefreshRect(int, int, int, int) override {}
    void MoveSelectionShape(int, int) override {}

    void Status(int32_t lPanel, const std::string& sMessage) override {
        if (m_pDemo) *m_pDemo << "  [panel " << lPanel << "] " << sMessage << '\n';
    }
    void GameEnd(bool) override {}
    void HideCards(bool, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                   bool bPairWasCreated) override {
        ++m_lTurns;
        if (!bPairWasCreated) ++m_lMisses;
        if (m_pDemo) PrintTurn(lX2, lY2, lX1, lY1, bPairWasCreated);
        Turn_Finish(*m_pGame, lX1, lY1, lX2, lY2, bPairWasCreated);
    }

    void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                     bool) override {
        ++m_lErrors;
        if (m_lErrors <= 5)
            std::cerr << "error " << lNumber << " in " << sProcedure << ": " << sDescription
                      << '\n';
    }

    // Plays one whole game to its end.
    void Play(clsGame& game, std::ostream* pDemo) {
        m_pGame = &game;
        m_pDemo = pDemo;
        m_bCompTimer = m_bKillGame = false;
        game.Game_Create(GameComputerAlone);
        game.Draw_All_Backs();
        game.Game_StartCheck();
        for (int32_t lTicks = 0; !m_bKillGame; ++lTicks) {
            if (!m_bCompTimer || lTicks > kMaxTurns)
                throw std::runtime_error("a simulated game stalled before its end");
            m_bCompTimer = false;
            game.AI_Search();
        }
        m_pGame = nullptr;
    }

    int64_t Turns() const { return m_lTurns; }
    int64_t Misses() const { return m_lMisses; }
    int64_t Errors() const { return m_lErrors; }

  private:
    static constexpr int32_t kMaxTurns = 100000;

    void PrintTurn(int32_t lFirstX, int32_t lFirstY, int32_t lSecondX, int32_t lSecondY,
                   bool bPair) {
        std::ostream& out = *m_pDemo;
        out << "Turn " << m_lTurns << ": (" << lFirstX << "," << lFirstY << ") and (" << lSecondX
            << "," << lSecondY << ") " << (bPair ? "pair!" : "miss") << '\n';
        for (int32_t y = 0; y < kRows; ++y) {
            out << "   ";
            for (int32_t x = 0; x < kColumns; ++x) {
                const BoardCell& cell = m_pGame->Cell(x, y);
                const bool bUp = (x == lFirstX && y == lFirstY) || (x == lSecondX && y == lSecondY);
                if (cell.bPaired || bUp)
                    out << ' ' << std::setw(2) << cell.lId << (bUp ? '*' : ' ');
                else
                    out << "  ## ";
            }
            out << '\n';
        }
    }

    clsGame* m_pGame = nullptr;
    std::ostream* m_pDemo = nullptr;
    bool m_bCompTimer = false;
    bool m_bKillGame = false;
    int64_t m_lTurns = 0;
    int64_t m_lMisses = 0;
    int64_t m_lErrors = 0;
};

ProfileRecord ComputerRecord(IProfileFile& file, const Settings& settings,
                             IErrorReporter& reporter) {
    clsProfiles profile({file, settings, reporter, {}});
    if (!profile.Load(ProfileComputer)) throw std::runtime_error("the profile file is unreadable");
    return profile.Current();
}

}  // namespace

SimResult RunSimulation(const SimOptions& options, std::ostream* pDemo) {
    MemoryStore store;
    Settings settings(store);
    settings.SaveSetting(SettingAIMemory, options.lLevel);
    ProgramValues values;
    LoadOptions(settings, values);
    Random random = options.seed ? Random(*options.seed) : Random::FromClock();
    HeadlessHost host;

    std::unique_ptr<IProfileFile> file;
    if (options.sProfilePath.empty()) {
        auto memory = std::make_unique<MemoryProfileFile>();
        memory->WriteAll(std::vector<uint8_t>(kProfileFileSize, 0));
        file = std::move(memory);
    } else {
        file = std::make_unique<DiskProfileFile>(options.sProfilePath);
        clsProfiles check({*file, settings, host, {}});
        if (!check.CheckIfExists())
            throw std::runtime_error("cannot create " + options.sProfilePath);
    }

    const ProfileRecord before = ComputerRecord(*file, settings, host);
    const GameContext context{settings, random, host, values, host, host, *file};
    const auto start = std::chrono::steady_clock::now();
    for (int64_t i = 0; i < options.lGames; ++i) {
        clsGame game(context);
        host.Play(game, i == 0 ? pDemo : nullptr);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const ProfileRecord after = ComputerRecord(*file, settings, host);

    SimResult result;
    result.lLevel = options.lLevel;
    result.lGames = options.lGames;
    result.seconds = seconds;
    result.lErrors = host.Errors();
    if (options.lGames == 0) return result;
    const double games = static_cast<double>(options.lGames);
    result.turnsPerGame = static_cast<double>(host.Turns()) / games;
    result.missesPerGame = static_cast<double>(host.Misses()) / games;
    int64_t lTotal = 0;
    for (size_t c = 0; c < 5; ++c) {
        const int64_t lCount = int64_t{after.Pairs[c]} - before.Pairs[c];
        result.categoriesPerGame[c] = static_cast<double>(lCount) / games;
        lTotal += lCount;
    }
    if (lTotal > 0)
        result.pairRatio =
            static_cast<double>(lTotal - (int64_t{after.Pairs[0]} - before.Pairs[0])) / lTotal;
    result.gamesPerSecond = seconds > 0 ? games / seconds : 0;
    return result;
}

void PrintText(const SimResult& r, std::ostream& out) {
    out << std::fixed << std::setprecision(2);
    out << "AI Memory " << r.lLevel << ", " << r.lGames << " games in " << r.seconds << " s ("
        << std::setprecision(0) << r.gamesPerSecond << " games/s)\n"
        << std::setprecision(2) << "  turns per game   " << r.turnsPerGame << '\n'
        << "  misses per game  " << r.missesPerGame << '\n'
        << "  pairs per game   missed " << r.categoriesPerGame[0] << ", both seen "
        << r.categoriesPerGame[1] << ", second seen " << r.categoriesPerGame[2] << ", first seen "
        << r.categoriesPerGame[3] << ", wild guess " << r.categoriesPerGame[4] << '\n'
        << std::setprecision(4) << "  pair ratio       " << r.pairRatio << '\n';
    if (r.lErrors) out << "  errors reported  " << r.lErrors << '\n';
}

void PrintJson(const SimResult& r, std::ostream& out) {
    out << std::setprecision(10) << "{\"level\":" << r.lLevel << ",\"games\":" << r.lGames
        << ",\"turns_per_game\":" << r.turnsPerGame << ",\"misses_per_game\":" << r.missesPerGame
        << ",\"categories_per_game\":[";
    for (size_t c = 0; c < 5; ++c) out << (c ? "," : "") << r.categoriesPerGame[c];
    out << "],\"pair_ratio\":" << r.pairRatio << ",\"games_per_second\":" << r.gamesPerSecond
        << ",\"seconds\":" << r.seconds << ",\"errors\":" << r.lErrors << "}\n";
}

}  // namespace quillon::sim
