#pragma once
#include <cstdint>

namespace quillon {

class clsGame;

// Finishes a turn once its pause or click is over: a pair is checked for the end of the game
// (Game_Won) or plays again; a miss turns both cards back and passes the turn.
void Turn_Finish(clsGame& game, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                 bool bPairWasCreated);

}  // namespace quillon
