#pragma once
// Test doubles for the engine's surroundings: a board host, events, network link and chat that
// record what they are asked; a scripted random source; a recording error reporter.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/game_host.h"
#include "shell/error_report.h"
#include "shell/random.h"

namespace quillon::test {

// Gives the queued values first, then falls back to a seeded generator; counts every draw.
class ScriptedRandom final : public IRandom {
public:
    explicit ScriptedRandom(uint32_t seed = 1) : m_fallback(seed) {}
    void Push(float u) { m_queue.push_back(u); }
    // Queues the value that makes GetRandom(n) return k.
    void PushIndex(int32_t k, int32_t n) { Push((static_cast<float>(k) + 0.5f) / static_cast<float>(n)); }
    float Rnd() override {
        ++m_lDraws;
        if (m_queue.empty()) return m_fallback.Rnd();
        float u = m_queue.front();
        m_queue.pop_front();
        return u;
    }
    int32_t Draws() const { return m_lDraws; }
    size_t Pending() const { return m_queue.size(); }

private:
    std::deque<float> m_queue;
    Random m_fallback;
    int32_t m_lDraws = 0;
};

struct ReportedError {
    std::string sProcedure;
    int32_t lNumber;
    std::string sDescription;
    bool bFatal;
};

class RecordingReporter final : public IErrorReporter {
public:
    void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                     bool bFatal) override {
        errors.push_back({std::string(sProcedure), lNumber, std::string(sDescription), bFatal});
    }
    std::vector<ReportedError> errors;
};

// A board host without pauses; timers are flags the test (or a driver loop) consumes.
class FakeHost final : public IBoardHost {
public:
    bool DoNotShuffle() const override { return bDoNotShuffle; }
    void EnableCompTimer() override { bCompTimer = true; }
    void EnableKillGameTimer() override { bKillGameTimer = true; }
    uint32_t TickCount() const override { return lTick; }
    void Pause(int32_t lMilliseconds) override {
        pauses.push_back(lMilliseconds);
        lTick += static_cast<uint32_t>(lMilliseconds);
    }
    CardSurfaces Surfaces() override { return surfaces; }
    void RefreshRect(int lX, int lY, int lW, int lH) override {
        refreshes.push_back({lX, lY, lW, lH});
    }
    void MoveSelectionShape(int lLeft, int lTop) override { shape = {lLeft, lTop}; }

    bool bDoNotShuffle = false;
    bool bCompTimer = false;
    bool bKillGameTimer = false;
    uint32_t lTick = 1000;
    std::vector<int32_t> pauses;
    CardSurfaces surfaces;
    struct Rect {
        int x, y, w, h;
    };
    std::vector<Rect> refreshes;
    struct Point {
        int x, y;
    };
    Point shape{-100, 0};
};

struct HideCardsCall {
    bool bSetMemory;
    int32_t lX1, lY1, lX2, lY2;
    bool bPairWasCreated;
};

// Records events; onHideCards, when set, is called inside the event (as the board window does).
class RecordingEvents final : public IGameEvents {
public:
    void Status(int32_t lPanel, const std::string& sMessage) override {
        status.push_back({lPanel, sMessage});
    }
    void GameEnd(bool bNoClear) override { gameEnds.push_back(bNoClear); }
    void HideCards(bool bSetMemory, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                   bool bPairWasCreated) override {
        hides.push_back({bSetMemory, lX1, lY1, lX2, lY2, bPairWasCreated});
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

class FakeLan final : public INetworkLink {
public:
    bool IsHost() const override { return bHost; }
    void SendData(const std::string& sData) override { sent.push_back(sData); }
    std::string OpponentName() const override { return sOpponent; }
    bool bHost = true;
    std::string sOpponent = "Peer";
    std::vector<std::string> sent;
};

class FakeChat final : public IChat {
public:
    void Message_Add(const std::string& sText) override { lines.push_back(sText); }
    std::vector<std::string> lines;
};

}  // namespace quillon::test
