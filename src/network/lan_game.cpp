#include "network/lan_game.h"

#include "engine/engine_call.h"

namespace quillon {

bool LanGame::IsOver() const { return m_game.Score(1) + m_game.Score(2) == kPairs; }

bool LanGame::JustDealt() const {
    if (!m_game.Game_IsDealt()) return false;
    for (int32_t x = 0; x < kColumns; ++x)
        for (int32_t y = 0; y < kRows; ++y)
            if (m_game.Cell(x, y).lViewed != 0) return false;
    return true;
}

bool LanGame::CanReveal(int32_t lX, int32_t lY) const {
    return lX >= 0 && lX < kColumns && lY >= 0 && lY < kRows && !m_game.Cell(lX, lY).bPaired &&
           !m_game.Card_IsFlipped(lX, lY);
}

void LanGame::Game_DeckReceive(std::string_view sDeck) {
    EngineCall call(m_lCallDepth);
    m_game.Game_DeckReceive(sDeck);
}

void LanGame::Game_StartPlayer() {
    EngineCall call(m_lCallDepth);
    m_game.Game_StartPlayer();
}

void LanGame::Card_Flip(int32_t lX, int32_t lY) {
    EngineCall call(m_lCallDepth);
    m_game.Card_Flip(lX, lY);
}

}  // namespace quillon
