#pragma once
// Doubles that record what they are asked, and a random source with queued values.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/game_host.h"
#include "shell/error_report.h"
#include "shell/random.h"

namespace quillon::test {

struct ScriptedRandom final : IRandom {
    explicit ScriptedRandom(uint32_t seed = 1) : fallback(seed) {}
    // Queues the value that makes GetRandom(n) return k.
    void PushIndex(int32_t k, int32_t n) { queue.push_back((static_cast<float>(k) + 0.5f) / n); }
    float Rnd() override {
        ++lDraws;
        if (queue.empty()) return fallback.Rnd();
        const float u = queue.front();
        queue.pop_front();
        return u;
    }
    std::deque<float> queue;
    Random fallback;
    int32_t lDraws = 0;
};

struct ReportedError {
    std::string sProcedure;
    int32_t lNumber;
    std::string sDescription;
    bool bFatal;
};

struct RecordingReporter final : IErrorReporter {
    void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                     bool bFatal) override {
        errors.push_back({std::string(sProcedure), lNumber, std::string(sDescription), bFatal});
    }
    std::vector<std::string> Procedures() const {
        std::vector<std::string> names;
        for (const ReportedError& e : errors) names.push_back(e.sProcedure);
        return names;
    }
    std::vector<ReportedError> errors;
};

// A board host whose pauses only move the clock; the timers are flags the test consumes.
struct FakeHost final : IBoardHost {
    bool DoNotShuffle() const override { return bDoNotShuffle; }
    void EnableCompTimer() override { bCompTimer = true; }
    void EnableKillGameTimer() override { bKillGameTimer = true; }
    uint32_t TickCount() const override { return lTick; }
    void Pause(int32_t lMilliseconds) override {
        pauses.push_back(lMilliseconds);
        lTick += static_cast<uint32_t>(lMilliseconds);
        if (onPause) onPause();
    }
    CardSurfaces Surfaces() override { return surfaces; }
    void RefreshRect(int lX, int lY, int lW, int lH) override {
        refreshes.push_back({lX, lY, lW, lH});
    }
    void MoveSelectionShape(int lLeft, int lTop) override { shape = {lLeft, lTop}; }

    bool bDoNotShuffle = false, bCompTimer = false, bKillGameTimer = false;
    uint32_t lTick = 1000;
    std::vector<int32_t> pauses;
    std::function<void()> onPause;
    CardSurfaces surfaces;
    std::vector<std::array<int, 4>> refreshes;
    std::array<int, 2> shape{-100, 0};
};

struct HideCardsCall {
    int32_t lX1, lY1, lX2, lY2;
    bool bPairWasCreated;
};

// onHideCards, when set, runs inside the event, as the board window finishes a turn there.
struct RecordingEvents final : IGameEvents {
    void Status(int32_t lPanel, const std::string& sMessage) override {
        status.push_back({lPanel, sMessage});
    }
    void GameEnd(bool bNoClear) override { gameEnds.push_back(bNoClear); }
    void HideCards(bool, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                   bool bPairWasCreated) override {
        hides.push_back({lX1, lY1, lX2, lY2, bPairWasCreated});
        if (onHideCards) onHideCards(hides.back());
    }
    std::string LastText(int32_t lPanel) const {
        for (auto it = status.rbegin(); it != status.rend(); ++it)
            if (it->first == lPanel) return it->second;
        return {};
    }
    std::vector<std::pair<int32_t, std::string>> status;
    std::vector<bool> gameEnds;
    std::vector<HideCardsCall> hides;
    std::function<void(const HideCardsCall&)> onHideCards;
};

struct FakeLan final : INetworkLink {
    bool IsHost() const override { return bHost; }
    void SendData(const std::string& sData) override { sent.push_back(sData); }
    std::string OpponentName() const override { return sOpponent; }
    std::string LocalName() const override { return sLocal; }
    bool bHost = true;
    std::string sOpponent = "Peer";
    std::string sLocal = "Local";
    std::vector<std::string> sent;
};

struct FakeChat final : IChat {
    void Message_Add(const std::string& sText) override { lines.push_back(sText); }
    std::vector<std::string> lines;
};

}  // namespace quillon::test
