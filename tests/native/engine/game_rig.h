#pragma once
// A game with every surrounding faked, driven the way the board window drives it: HideCards
// finishes the turn at once (Turn_Finish) and the computer-play timer runs AI_Search.

#include <cstdint>
#include <memory>
#include <random>
#include <string>
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

// The k-th position in board order (x outer, y inner); the unshuffled deal has k / 2 there.
inline CardPos At(int32_t k) { return {k / kRows, k % kRows}; }

class GameRig {
  public:
    explicit GameRig(uint32_t seed = 1) : random(seed) {
        profileFile.WriteAll(std::vector<uint8_t>(kProfileFileSize, 0));
    }

    // A game object, not yet dealt; bLan gives it the network link and the chat.
    clsGame& Make(bool bLan = false) {
        game = std::make_unique<clsGame>(GameContext{settings, random, reporter, values, host,
                                                     events, profileFile, bLan ? &lan : nullptr,
                                                     bLan ? &chat : nullptr});
        return *game;
    }

    clsGame& Deal(GameType eType, bool bUnshuffled = true) {
        host.bDoNotShuffle = bUnshuffled;
        values.g_bLanGame = eType == GameNetwork;
        Make(eType == GameNetwork).Game_Create(eType);
        return *game;
    }

    void FinishTurnsAtOnce() {
        events.onHideCards = [this](const HideCardsCall& c) {
            Turn_Finish(*game, c.lX1, c.lY1, c.lX2, c.lY2, c.bPairWasCreated);
        };
    }

    // lFirstDraw >= 0 is queued as the who-begins draw (0: player 1, 1: player 2).
    clsGame& Start(GameType eType, int32_t lFirstDraw = -1) {
        Deal(eType);
        FinishTurnsAtOnce();
        if (lFirstDraw >= 0) random.PushIndex(lFirstDraw, 2);
        game->Game_StartCheck();
        return *game;
    }

    void SetNames(const std::string& s1, const std::string& s2) {
        settings.SaveSetting(SettingPlayer1Name, s1);
        settings.SaveSetting(SettingPlayer2Name, s2);
    }
    void SetLevel(int32_t lLevel) { settings.SaveSetting(SettingAIMemory, lLevel); }
    bool Ended() const { return !events.gameEnds.empty(); }
    void Play(CardPos a, CardPos b) {
        game->Card_Flip(a.lX, a.lY);
        game->Card_Flip(b.lX, b.lY);
    }
    // On the unshuffled deal, the pairs of identities lFrom to 24.
    void PlayPairsFrom(int32_t lFrom) {
        for (int32_t k = lFrom; k < kFaces; ++k) Play(At(2 * k), At(2 * k + 1));
    }
    std::vector<CardPos> Unpaired() const {
        std::vector<CardPos> out;
        for (int32_t k = 0; k < kCards; ++k)
            if (!game->Cell(At(k).lX, At(k).lY).bPaired) out.push_back(At(k));
        return out;
    }
    ProfileRecord Saved(int32_t eWhich, bool bExtended = false) {
        clsProfiles profiles(ProfileContext{profileFile, settings, reporter, {}});
        profiles.Load(eWhich, bExtended);
        return bExtended ? profiles.Extended() : profiles.Current();
    }

    // Plays to the end, people choosing two unpaired cards with their own generator. Returns
    // the number of people's turns, or -1 when nobody could move.
    int32_t PlayToEnd(uint32_t lPeopleSeed) {
        std::mt19937 people(lPeopleSeed);
        int32_t lHumanTurns = 0;
        for (int32_t lGuard = 0; !Ended() && lGuard < 10000; ++lGuard) {
            if (host.bCompTimer) {
                host.bCompTimer = false;
                game->AI_Search();
            } else if (game->IsHumanTurn()) {
                ++lHumanTurns;
                const std::vector<CardPos> free = Unpaired();
                const size_t i = people() % free.size();
                const size_t j = (i + 1 + people() % (free.size() - 1)) % free.size();
                Play(free[i], free[j]);
            } else {
                return -1;
            }
        }
        return lHumanTurns;
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
    std::unique_ptr<clsGame> game;
};

}  // namespace quillon::test
