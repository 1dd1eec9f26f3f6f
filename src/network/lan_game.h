#pragma once
// The engine's game as the network link sees and drives it: the peer may only turn a face-down
// card that is not already up, on its own turn, once the deal is on the board.

#include <cstdint>
#include <string_view>

#include "engine/clsGame.h"
#include "network/lan_link.h"

namespace quillon {

class LanGame final : public ILanGame {
  public:
    // lCallDepth counts the calls into the engine in progress, as the board window watches it.
    LanGame(clsGame& game, int& lCallDepth) : m_game(game), m_lCallDepth(lCallDepth) {}

    bool IsOver() const override;
    bool WaitsForDeal() const override { return !m_game.Game_IsDealt(); }
    bool JustDealt() const override;
    bool IsPeerTurn() const override { return m_game.Player() == 2; }
    bool CanReveal(int32_t lX, int32_t lY) const override;

    void Game_DeckReceive(std::string_view sDeck) override;
    void Game_StartPlayer() override;
    void Card_Flip(int32_t lX, int32_t lY) override;

  private:
    clsGame& m_game;
    int& m_lCallDepth;
};

}  // namespace quillon
