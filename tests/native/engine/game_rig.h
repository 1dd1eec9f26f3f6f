#pragma once
// A game of pairs with every surrounding faked: settings in memory, a scripted random source, a
// board host without pauses, recorded events, an in-memory profile file, a network link and a
// chat that record what they are sent. Drives whole games the way the board window does:
// HideCards finishes the turn at once (Turn_Finish), the computer-play timer runs AI_Search.

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/clsGame.h"
#include "engine/turn_finish.h"
#include "profiles/clsProfiles.h"
#include "profiles/profile_file.h"
#include "shell/memory_store.h"
#include "shell/program_values.h"
#include "shell/settings.h"
#include "support/fakes.h"

namespace quillon::test {

// The k-th position of the board order (x outer, y inner); the unshuffled deal has identity
// k / 2 there.
inline CardPos At(int32_t k) { return {k / kRows, k % kRows}; }

class GameRig {
  public:
    // The profile file exists with all records zero, as start-up makes sure it exists.
    explicit GameRig(uint32_t seed = 1) : random(seed) {
        profileFile.WriteAll(std::vector<uint8_t>(kProfileFileSize, 0));
    }

    // Creates the game object (not yet dealt). With bLan the network link and chat are given.
    clsGame& Make(bool bLan = false, bool bChat = true) {
        GameContext context{settings,
                            random,
                            reporter,
                            values,
                            host,
                            events,
                            profileFile,
                            bLan ? &lan : nullptr,
                            bLan && bChat ? &chat : nullptr};
        game = std::make_unique<clsGame>(context);
        return *game;
    }

    // Creates and deals a game of the type; bUnshuffled checks "Do not shuffle deck".
    clsGame& Deal(GameType eType, bool bUnshuffled = true) {
        host.bDoNotShuffle = bUnshuffled;
        values.g_bLanGame = eType == GameNetwork;
        Make(eType == GameNetwork);
        game->Game_Create(eType);
        return *game;
    }

    void SetAIMemory(int32_t lLevel) { settings.SaveSetting(SettingAIMemory, lLevel); }
    void SetNames(const std::string& s1, const std::string& s2) {
        settings.SaveSetting(SettingPlayer1Name, s1);
        settings.SaveSetting(SettingPlayer2Name, s2);
    }

    // The board window's turn finishing without flash, pause or click.
    void FinishTurnsAtOnce() {
        events.onHideCards = [this](const HideCardsCall& c) {
            if (beforeFinish) beforeFinish(c);
            Turn_Finish(*game, c.lX1, c.lY1, c.lX2, c.lY2, c.bPairWasCreated);
        };
    }

    // Deals unshuffled, finishes turns at once and starts; lFirstDraw >= 0 is queued as the
    // who-begins draw (0: player 1, 1: player 2) for the types that draw it.
    clsGame& Start(GameType eType, int32_t lFirstDraw = -1) {
        Deal(eType);
        FinishTurnsAtOnce();
        if (lFirstDraw >= 0) random.PushIndex(lFirstDraw, 2);
        game->Game_StartCheck();
        return *game;
    }

    bool Ended() const { return !events.gameEnds.empty(); }

    // Positions of unpaired cards, in board order.
    std::vector<CardPos> Unpaired() const {
        std::vector<CardPos> out;
        for (int32_t x = 0; x < kColumns; ++x)
            for (int32_t y = 0; y < kRows; ++y)
                if (!game->Cell(x, y).bPaired) out.push_back({x, y});
        return out;
    }

    // One person's turn: two clicks.
    void Play(CardPos a, CardPos b) {
        game->Card_Flip(a.lX, a.lY);
        game->Card_Flip(b.lX, b.lY);
    }

    // On the unshuffled deal, takes the pairs from identity lFrom up to the last.
    void PlayPairsFrom(int32_t lFrom) {
        for (int32_t k = lFrom; k < kFaces; ++k) Play(At(2 * k), At(2 * k + 1));
    }

    // Runs the computer-play timer (type 4) until it stops being enabled.
    void RunCompTimer(const std::function<void()>& beforeTurn = {}) {
        while (host.bCompTimer && !Ended()) {
            host.bCompTimer = false;
            if (beforeTurn) beforeTurn();
            game->AI_Search();
        }
    }

    MemoryStore store;
    Settings settings{store};
    ScriptedRandom random;
    RecordingReporter reporter;
    ProgramValues values;
    FakeHost host;
    RecordingEvents events;
    MemoryProfileFile profileFile;
    FakeLan lan;
    FakeChat chat;
    std::function<void(const HideCardsCall&)> beforeFinish;
    std::unique_ptr<clsGame> game;
};

// Reads a record of the rig's profile file through a fresh profile object.
inline ProfileRecord SavedRecord(GameRig& rig, int32_t eWhich, bool bExtended = false) {
    clsProfiles profiles(ProfileContext{rig.profileFile, rig.settings, rig.reporter, {}});
    profiles.Load(eWhich, bExtended);
    return bExtended ? profiles.Extended() : profiles.Current();
}

// Plays a whole game to its end as the board window would, with the people choosing legal cards
// at random (a separate generator, so the engine's draws stay its own), and checks on the way
// that no reveal ever picks a paired card or the same card twice in a turn.
struct WholeGameResult {
    int32_t lTurns = 0;
    int32_t lHumanTurns = 0;
    std::vector<std::string> faults;
};

inline WholeGameResult PlayWholeGame(GameRig& rig, uint32_t lPeopleSeed) {
    WholeGameResult result;
    std::mt19937 people(lPeopleSeed);
    std::set<std::pair<int32_t, int32_t>> paired;
    rig.beforeFinish = [&](const HideCardsCall& c) {
        ++result.lTurns;
        if (c.lX1 == c.lX2 && c.lY1 == c.lY2) result.faults.push_back("same card twice");
        if (paired.count({c.lX1, c.lY1}) || paired.count({c.lX2, c.lY2}))
            result.faults.push_back("a paired card was revealed");
        if (c.bPairWasCreated) {
            paired.insert({c.lX1, c.lY1});
            paired.insert({c.lX2, c.lY2});
        }
    };
    rig.FinishTurnsAtOnce();
    rig.game->Game_StartCheck();
    int32_t lGuard = 0;
    while (!rig.Ended() && ++lGuard < 100000) {
        if (rig.host.bCompTimer) {
            rig.RunCompTimer();
        } else if (rig.game->IsHumanTurn()) {
            ++result.lHumanTurns;
            std::vector<CardPos> free = rig.Unpaired();
            if (free.size() < 2) {
                result.faults.push_back("a person's turn with fewer than two cards left");
                break;
            }
            std::uniform_int_distribution<size_t> pick(0, free.size() - 1);
            const size_t i = pick(people);
            size_t j = pick(people);
            while (j == i) j = pick(people);
            rig.Play(free[i], free[j]);
        } else {
            result.faults.push_back("nobody can move");
            break;
        }
    }
    rig.beforeFinish = {};
    return result;
}

}  // namespace quillon::test
