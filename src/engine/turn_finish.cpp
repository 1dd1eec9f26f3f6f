// The shared finishing step of a turn: used by the board window
// once its pause or click is over, and by the headless simulator and the tests.

#include "engine/turn_finish.h"

#include "engine/clsGame.h"

namespace quillon {

void Turn_Finish(clsGame& game, int32_t lX1, int32_t lY1, int32_t lX2, int32_t lY2,
                 bool bPairWasCreated) {
    if (bPairWasCreated) {
        if (game.Game_CheckWin() != 0)
            game.Game_Won();
        else
            game.Turn_Shift(true);
    } else {
        game.Draw_Card_Back(lX1, lY1, false);
        game.Draw_Card_Back(lX2, lY2, false);
        game.Turn_Shift(false);
    }
}

}  // namespace quillon
