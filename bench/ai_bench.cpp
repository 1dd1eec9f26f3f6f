// Figures for the computer opponent's decision and for whole simulated games.
#include <benchmark/benchmark.h>

#include "engine/clsGame.h"
#include "profiles/profile_file.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/random.h"
#include "shell/settings.h"
#include "simulator.h"

namespace quillon {
namespace {

class QuietHost final : public IBoardHost, public IGameEvents, public IErrorReporter {
  public:
    bool DoNotShuffle() const override { return false; }
    void EnableCompTimer() override {}
    void EnableKillGameTimer() override {}
    uint32_t TickCount() const override { return 0; }
    void Pause(int32_t) override {}
    CardSurfaces Surfaces() override { return {}; }
    void RefreshRect(int, int, int, int) override {}
    void MoveSelectionShape(int, int) override {}
    void Status(int32_t, const std::string&) override {}
    void GameEnd(bool) override {}
    void HideCards(bool, int32_t, int32_t, int32_t, int32_t, bool) override {}
    void ReportError(std::string_view, int32_t, std::string_view, bool) override {}
};

// A decision on a full board where the computer remembers every card.
void BM_AIDecisionFullKnownBoard(benchmark::State& state) {
    MemoryStore store;
    Settings settings(store);
    settings.SaveSetting(SettingAIMemory, static_cast<int32_t>(state.range(0)));
    ProgramValues values;
    Random random(42);
    QuietHost host;
    MemoryProfileFile file;
    clsGame game({settings, random, host, values, host, host, file});
    game.Game_Create(GameComputerAlone);
    int32_t lClock = 0;
    for (clsCard& card : game.MemoryForTest()) {
        card.lTimesSeen = 1 + (lClock % 3);
        card.lLastSeen = ++lClock;
    }
    for (auto _ : state) {
        auto decision = game.AI_Decide();
        benchmark::DoNotOptimize(decision);
    }
}
BENCHMARK(BM_AIDecisionFullKnownBoard)->Arg(100)->Arg(50);

void BM_SimulatedGames(benchmark::State& state) {
    sim::SimOptions options;
    options.lLevel = static_cast<int32_t>(state.range(0));
    options.lGames = 200;
    options.seed = 1;
    for (auto _ : state) {
        const sim::SimResult result = sim::RunSimulation(options);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * options.lGames);
}
BENCHMARK(BM_SimulatedGames)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon
